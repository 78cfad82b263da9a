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
    void copiesAtTheirLimits_data();
    void copiesAtTheirLimits();
    void counterStartsAt1001AndAdvances();
    void damagedCounterIsReportedAndKept_data();
    void damagedCounterIsReportedAndKept();
    void counterNeverWrapsPast32767();
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
    const QByteArray damaged = "\"Acme Roofing\",\"1 Main St\"\r\n";
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
    QTest::newRow("two lines only") << QByteArray("255\r\n0\r\n") << 255u << "Arial" << true << 3;
    QTest::newRow("text for a colour") << QByteArray("\"red\"\r\n0\r\n\"Courier New\"\r\n#FALSE#\r\n2\r\n") << 0u
                                       << "Courier New" << false << 2;
    QTest::newRow("copies out of range") << QByteArray("0\r\n0\r\n\"Arial\"\r\n#FALSE#\r\n9\r\n") << 0u << "Arial"
                                         << false << 3;
    QTest::newRow("number for the flag") << QByteArray("0\r\n0\r\n\"Arial\"\r\n1\r\n4\r\n") << 0u << "Arial" << true
                                         << 4;
    QTest::newRow("empty file") << QByteArray() << 0u << "Arial" << true << 3;
}

void SettingsFilesTest::damagedPrintColorsFallBackPerLine() {
    QFETCH(QByteArray, file);
    QFETCH(quint32, border);
    QFETCH(QString, font);
    QFETCH(bool, inColor);
    QFETCH(int, copies);
    TestFolder folder;
    folder.write(QStringLiteral("PrintColors.txt"), file);
    folder.prompt->AnswerOk();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QCOMPARE(frmSetup::SwatchColor(setup->txtBorders), border);
    QCOMPARE(setup->lblFont->text(), font);
    QCOMPARE(PrintInColor, inColor);
    QCOMPARE(int(NumCopies), copies);
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("PrintColors.txt")));
    QCOMPARE(folder.read(QStringLiteral("PrintColors.txt")), file);
}

void SettingsFilesTest::copiesAtTheirLimits_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("copies"); // 0: damaged, 3 copies and a message
    QTest::newRow("one") << QByteArray("1") << 1;
    QTest::newRow("five") << QByteArray("5") << 5;
    QTest::newRow("none") << QByteArray("0") << 0;
    QTest::newRow("six") << QByteArray("6") << 0;
}

void SettingsFilesTest::copiesAtTheirLimits() {
    QFETCH(QByteArray, line);
    QFETCH(int, copies);
    TestFolder folder;
    const QByteArray file = "0\r\n0\r\n\"Arial\"\r\n#FALSE#\r\n" + line + "\r\n";
    folder.write(QStringLiteral("PrintColors.txt"), file);
    if (!copies)
        folder.prompt->AnswerOk();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QCOMPARE(int(NumCopies), copies ? copies : 3);
    QVERIFY(!PrintInColor); // the lines before it were read all the same
    if (copies) {
        QVERIFY(folder.prompt->shown.isEmpty());
        QCOMPARE(setup->cboCopies->currentText(), QString::number(copies));
    } else {
        QCOMPARE(folder.prompt->shown.size(), 1);
        QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("PrintColors.txt")));
    }
    QCOMPARE(folder.read(QStringLiteral("PrintColors.txt")), file);
}

void SettingsFilesTest::counterStartsAt1001AndAdvances() {
    TestFolder folder;
    QVERIFY(LoadProposalCounter()); // a first start writes 1001, as the start-up test shows
    QVERIFY(AdvanceProposalNo());
    QCOMPARE(ProposalNo, qint16(1002));
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("1002\r\n"));
    QCOMPARE(ScreenRegistry::Get<frmSetup>()->txtProposalNo->text(), QStringLiteral("1002"));
    QCOMPARE(ScreenRegistry::Get<frmFieldProposal>()->txtNextFieldProposal->text(), QStringLiteral("1002"));
}

void SettingsFilesTest::damagedCounterIsReportedAndKept_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("letters") << QByteArray("abc\r\n");
    QTest::newRow("too big") << QByteArray("40000\r\n");
    QTest::newRow("one past the highest") << QByteArray("32768\r\n");
    QTest::newRow("too small") << QByteArray("-32769\r\n");
    QTest::newRow("fraction") << QByteArray("1001.5\r\n");
    // Numbers below 1 would name files "0.txt" and "-5.txt".
    QTest::newRow("zero") << QByteArray("0\r\n");
    QTest::newRow("negative") << QByteArray("-5\r\n");
    QTest::newRow("lowest 16-bit number") << QByteArray("-32768\r\n");
    QTest::newRow("empty") << QByteArray();
}

void SettingsFilesTest::damagedCounterIsReportedAndKept() {
    QFETCH(QByteArray, file);
    TestFolder folder;
    folder.write(QStringLiteral("TProposalCounter.txt"), file);
    folder.prompt->AnswerOk();
    QVERIFY(LoadProposalCounter());
    QCOMPARE(ProposalNo, qint16(1001));
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("TProposalCounter.txt")));
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), file);
}

void SettingsFilesTest::counterNeverWrapsPast32767() {
    TestFolder folder;
    folder.write(QStringLiteral("TProposalCounter.txt"), "32767\r\n");
    QVERIFY(LoadProposalCounter());
    QCOMPARE(ProposalNo, qint16(32767));
    folder.prompt->AnswerOk();
    QVERIFY(!AdvanceProposalNo());
    QCOMPARE(ProposalNo, qint16(32767));
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("32767\r\n"));
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("32767")));
    QCOMPARE(ScreenRegistry::Get<frmFieldProposal>()->txtNextFieldProposal->text(), QStringLiteral("32767"));

    // The lowest number reads as it is and moves on.
    folder.write(QStringLiteral("TProposalCounter.txt"), "1\r\n");
    QVERIFY(LoadProposalCounter());
    QCOMPARE(ProposalNo, qint16(1));
    QVERIFY(AdvanceProposalNo());
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("2\r\n"));
    QCOMPARE(folder.prompt->shown.size(), 1);
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
