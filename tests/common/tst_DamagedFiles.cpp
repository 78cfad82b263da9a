// A settings file that cannot be read while \Backup holds a good copy: the
// exit backup never copies the damaged file over that copy, and the user is
// offered the copy as the way back.
#include "common/CommonRoutines.h"
#include "common/ScreenRegistry.h"
#include "records/frmTerms.h"
#include "settings/BusinessFiles.h"
#include "settings/TermsTexts.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QPlainTextEdit>
#include <QTest>
#include <functional>

namespace {

struct Reader {
    QString file;
    QByteArray good;               // the copy in \Backup
    std::function<QString()> read; // reads the file as the program does; what it got
    QString goodValue;             // what it gets from the good copy
};

QString TermsBox(int box) {
    frmTerms *screen = ScreenRegistry::Get<frmTerms>(); // loads both files
    return screen->Text1[box]->toPlainText();
}

QList<Reader> Readers() {
    return {
        {QStringLiteral("MyBusinessData.txt"),
         "\"Acme Roofing\",\"1 Main St\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n",
         [] { return ReadBusinessFile().value_or(BusinessFields())[0]; }, QStringLiteral("Acme Roofing")},
        {QStringLiteral("PrintColors.txt"), "255\r\n0\r\n\"Courier New\"\r\n#FALSE#\r\n2\r\n",
         [] { return ReadPrintColorsFile().value_or(PrintColorSettings()).fontName; },
         QStringLiteral("Courier New")},
        {QStringLiteral("LogoSettings.txt"), "900,600\r\n",
         [] { return QString::number(ReadLogoSizeFile().value_or(QSize()).width()); }, QStringLiteral("900")},
        {QStringLiteral("CompanyLogo.txt"), "\"/logos/acme.png\"\r\n",
         [] { return ReadLogoPathFile().value_or(QString()); }, QStringLiteral("/logos/acme.png")},
        {QStringLiteral("CustomTerms.txt"), "\"Net 30 days\"\r\n", [] { return TermsBox(0); },
         QStringLiteral("Net 30 days")},
        {QStringLiteral("CustomDisclaimer.txt"), "\"Owner carries insurance\"\r\n",
         [] { return TermsBox(1); }, QStringLiteral("Owner carries insurance")},
    };
}

} // namespace

class DamagedFilesTest : public QObject {
    Q_OBJECT
private slots:
    void damagedFileNeverReplacesItsBackup_data();
    void damagedFileNeverReplacesItsBackup();
    void savingAnewBacksUpAgain();
};

// Kept as it is (No), the damaged file never replaces the good copy at exit;
// taken back (Yes), the good copy is read and put in its place.
void DamagedFilesTest::damagedFileNeverReplacesItsBackup_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("restore");
    const QList<Reader> readers = Readers();
    for (int i = 0; i < readers.size(); ++i) {
        QTest::addRow("%s kept", qPrintable(readers[i].file)) << i << false;
        QTest::addRow("%s restored", qPrintable(readers[i].file)) << i << true;
    }
}

void DamagedFilesTest::damagedFileNeverReplacesItsBackup() {
    QFETCH(int, index);
    QFETCH(bool, restore);
    const Reader reader = Readers()[index];
    const QString backup = QStringLiteral("Backup/") + reader.file;
    TestFolder folder;
    folder.write(reader.file, QByteArray());
    folder.write(backup, reader.good);
    folder.prompt->Answer(restore ? MsgAnswer::Yes : MsgAnswer::No);
    const QString got = reader.read();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(reader.file));
    if (restore)
        QCOMPARE(got, reader.goodValue);
    ExitProgram();
    QCOMPARE(folder.read(backup), reader.good);
    QCOMPARE(folder.read(reader.file), restore ? reader.good : QByteArray());
}

void DamagedFilesTest::savingAnewBacksUpAgain() {
    TestFolder folder;
    const QByteArray good = "\"Old Roofing\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    folder.write(QStringLiteral("MyBusinessData.txt"), QByteArray());
    folder.write(QStringLiteral("Backup/MyBusinessData.txt"), good);
    folder.prompt->Answer(MsgAnswer::No);
    QVERIFY(ReadBusinessFile());
    BusinessFields fields;
    fields[0] = QStringLiteral("New Roofing");
    QVERIFY(WriteBusinessFile(fields));
    ExitProgram();
    QCOMPARE(folder.read(QStringLiteral("Backup/MyBusinessData.txt")),
             folder.read(QStringLiteral("MyBusinessData.txt")));
    QVERIFY(folder.read(QStringLiteral("Backup/MyBusinessData.txt")).startsWith("\"New Roofing\""));
}

TAMSEL_TEST(DamagedFilesTest)
#include "tst_DamagedFiles.moc"
