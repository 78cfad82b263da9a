#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/QtPictureBox.h"
#include "records/frmFieldProposal.h"
#include "settings/BusinessFiles.h"
#include "settings/frmSetup.h"
#include "settings/SettingsUi.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {
const QByteArray DefaultColors = "0\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n";
}

class SettingsFilesTest : public QObject {
    Q_OBJECT
private slots:
    void businessTextsSurviveCommasAndQuotes();
    void shortBusinessFileIsReportedAndKept();
    void damagedPrintColorsFallBackPerLine_data();
    void damagedPrintColorsFallBackPerLine();
    void counter_data();
    void counter();
    void logoThatIsGoneShowsNothing();
    void businessFilesPresentStopsAtTheFirstMissing();
};

void SettingsFilesTest::businessTextsSurviveCommasAndQuotes() {
    TestFolder folder;
    BusinessFields fields;
    fields[0] = QStringLiteral("Smith, Jones & \"Sons\"");
    fields[8] = QStringLiteral("ABN - 123456789");
    QVERIFY(WriteBusinessFile(fields));
    BusinessData = {};
    LoadBusinessData();
    QCOMPARE(BusinessData[0], fields[0]);
    QCOMPARE(BusinessData[8], fields[8]);
    QCOMPARE(ScreenRegistry::Get<frmSetup>()->txtBusiness[0]->text(), fields[0]);
}

void SettingsFilesTest::shortBusinessFileIsReportedAndKept() {
    TestFolder folder;
    // Eight fields of the nine: one short is as damaged as seven.
    const QByteArray damaged = "\"Acme Roofing\",\"1 Main St\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    folder.write(QStringLiteral("MyBusinessData.txt"), damaged);
    folder.prompt->AnswerOk();
    LoadBusinessData();
    QCOMPARE(BusinessData[0], QStringLiteral("Acme Roofing"));
    QCOMPARE(BusinessData[1], QStringLiteral("1 Main St"));
    QCOMPARE(BusinessData[2], QString());
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("MyBusinessData.txt")));
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), damaged);
}

void SettingsFilesTest::damagedPrintColorsFallBackPerLine_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<quint32>("border");
    QTest::addColumn<QString>("font");
    QTest::addColumn<bool>("inColor");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("damaged");
    const auto flagAndCopies = [](const QByteArray &border, const QByteArray &copies) {
        return border + "\r\n0\r\n\"Arial\"\r\n#FALSE#\r\n" + copies + "\r\n";
    };
    QTest::newRow("two lines only") << QByteArray("255\r\n0\r\n") << 255u << "Arial" << true << 3 << true;
    QTest::newRow("text for a colour") << QByteArray("\"red\"\r\n0\r\n\"Courier New\"\r\n#FALSE#\r\n2\r\n") << 0u
                                       << "Courier New" << false << 2 << true;
    QTest::newRow("number for the flag") << QByteArray("0\r\n0\r\n\"Arial\"\r\n1\r\n4\r\n") << 0u << "Arial" << true
                                         << 4 << true;
    QTest::newRow("empty file") << QByteArray() << 0u << "Arial" << true << 3 << true;
    QTest::newRow("one copy") << flagAndCopies("0", "1") << 0u << "Arial" << false << 1 << false;
    QTest::newRow("white, five copies") << flagAndCopies("16777215", "5") << 0xFFFFFFu << "Arial" << false << 5
                                        << false;
    QTest::newRow("no copies") << flagAndCopies("0", "0") << 0u << "Arial" << false << 3 << true;
    QTest::newRow("six copies") << flagAndCopies("0", "6") << 0u << "Arial" << false << 3 << true;
    QTest::newRow("colour above white") << flagAndCopies("16777216", "2") << 0u << "Arial" << false << 2 << true;
}

void SettingsFilesTest::damagedPrintColorsFallBackPerLine() {
    QFETCH(QByteArray, file);
    QFETCH(quint32, border);
    QFETCH(QString, font);
    QFETCH(bool, inColor);
    QFETCH(int, copies);
    QFETCH(bool, damaged);
    TestFolder folder;
    folder.write(QStringLiteral("PrintColors.txt"), file);
    folder.prompt->AnswerOk();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QCOMPARE(frmSetup::SwatchColor(setup->txtBorders), border);
    QCOMPARE(setup->lblFont->text(), font);
    QCOMPARE(PrintInColor, inColor);
    QCOMPARE(int(NumCopies), copies);
    QCOMPARE(setup->cboCopies->currentText(), QString::number(copies));
    QCOMPARE(folder.prompt->shown.size(), damaged ? 1 : 0);
    if (damaged)
        QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("PrintColors.txt")));
    QCOMPARE(folder.read(QStringLiteral("PrintColors.txt")), file);
}

void SettingsFilesTest::counter_data() {
    QTest::addColumn<QByteArray>("file");  // null: none
    QTest::addColumn<int>("loaded");       // 0: damaged, so 1001 is used and the file kept
    QTest::addColumn<int>("advanced");     // 0: refused, the number stays
    QTest::newRow("none: a first start begins at 1001") << QByteArray() << 1001 << 1002;
    QTest::newRow("lowest") << QByteArray("1\r\n") << 1 << 2;
    QTest::newRow("highest never wraps") << QByteArray("32767\r\n") << 32767 << 0;
    QTest::newRow("letters") << QByteArray("abc\r\n") << 0 << 0;
    QTest::newRow("too big") << QByteArray("40000\r\n") << 0 << 0;
    QTest::newRow("one past the highest") << QByteArray("32768\r\n") << 0 << 0;
    QTest::newRow("too small") << QByteArray("-32769\r\n") << 0 << 0;
    QTest::newRow("fraction") << QByteArray("1001.5\r\n") << 0 << 0;
    // Numbers below 1 would name files "0.txt" and "-5.txt".
    QTest::newRow("zero") << QByteArray("0\r\n") << 0 << 0;
    QTest::newRow("negative") << QByteArray("-5\r\n") << 0 << 0;
    QTest::newRow("lowest 16-bit number") << QByteArray("-32768\r\n") << 0 << 0;
    QTest::newRow("empty") << QByteArray("") << 0 << 0;
}

void SettingsFilesTest::counter() {
    QFETCH(QByteArray, file);
    QFETCH(int, loaded);
    QFETCH(int, advanced);
    const QString name = QStringLiteral("TProposalCounter.txt");
    TestFolder folder;
    if (!file.isNull())
        folder.write(name, file);
    folder.prompt->AnswerOk();
    QVERIFY(LoadProposalCounter());
    QCOMPARE(ProposalNo, qint16(loaded ? loaded : 1001));
    if (!loaded) {
        QCOMPARE(folder.prompt->shown.size(), 1);
        QVERIFY(folder.prompt->shown[0].text.contains(name));
        QCOMPARE(folder.read(name), file);
        return;
    }
    QCOMPARE(AdvanceProposalNo(), advanced != 0);
    const int now = advanced ? advanced : loaded;
    QCOMPARE(ProposalNo, qint16(now));
    QCOMPARE(folder.read(name), QByteArray::number(now) + "\r\n");
    QCOMPARE(ScreenRegistry::Get<frmSetup>()->txtProposalNo->text(), QString::number(now));
    QCOMPARE(ScreenRegistry::Get<frmFieldProposal>()->txtNextFieldProposal->text(), QString::number(now));
    QCOMPARE(folder.prompt->shown.size(), advanced ? 0 : 1);
    if (!advanced)
        QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("32767")));
}

void SettingsFilesTest::logoThatIsGoneShowsNothing() {
    TestFolder folder;
    folder.write(QStringLiteral("CompanyLogo.txt"), "\"/no/such/logo.bmp\"\r\n");
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QVERIFY(!setup->Image2->hasPicture());
    QVERIFY(!setup->Image3->hasPicture());
    // Without a picture there is no size to store.
    QVERIFY(setup->SaveLogoSize());
    QVERIFY(!folder.exists(QStringLiteral("LogoSettings.txt")));
    QVERIFY(folder.prompt->shown.isEmpty());
    // A size of nothing is no size: said so, and the logo keeps its square.
    folder.write(QStringLiteral("LogoSettings.txt"), "0,600\r\n");
    folder.prompt->AnswerOk();
    QCOMPARE(ReadLogoSizeFile(), std::optional<QSize>(QSize(1440, 1440)));
    QCOMPARE(folder.prompt->shown.size(), 1);
}

void SettingsFilesTest::businessFilesPresentStopsAtTheFirstMissing() {
    TestFolder folder;
    folder.write(QStringLiteral("Backup/PrintColors.txt"), DefaultColors);
    QVERIFY(!BusinessFilesPresent());
    QVERIFY(!folder.exists(QStringLiteral("PrintColors.txt"))); // never looked at
    folder.write(QStringLiteral("Backup/MyBusinessData.txt"), "\"A\"\r\n");
    QVERIFY(BusinessFilesPresent());
    QVERIFY(folder.exists(QStringLiteral("MyBusinessData.txt")));
    QVERIFY(folder.exists(QStringLiteral("PrintColors.txt")));
}

TAMSEL_TEST(SettingsFilesTest)
#include "tst_SettingsFiles.moc"
