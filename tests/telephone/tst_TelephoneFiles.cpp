#include "TestFolder.h"
#include "TestMain.h"

#include "telephone/TelephoneFiles.h"

#include <QTest>

Q_DECLARE_METATYPE(ReadOutcome)

namespace {
// The slots up to the last one in use, as "name|number".
QStringList Slots(const SpeedDialSlots &entries) {
    QStringList out;
    for (const SpeedDialEntry &entry : entries)
        out << entry.name + QLatin1Char('|') + entry.number;
    while (!out.isEmpty() && out.last() == QLatin1String("|"))
        out.removeLast();
    return out;
}
} // namespace

// The telephone's files and the numbers it will send to a modem.
class TelephoneFilesTest : public QObject {
    Q_OBJECT
private slots:
    void phoneFile_data();
    void phoneFile();
    void dialCharacters_data();
    void dialCharacters() {
        QFETCH(QString, number);
        QTEST(RefusedDialCharacters(number), "refused");
    }
    void speedNumbersRead_data();
    void speedNumbersRead();
    void speedNumbersWrittenByteForByte();
};

void TelephoneFilesTest::phoneFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<ReadOutcome>("outcome");
    QTest::addColumn<int>("port");
    QTest::newRow("comma") << QByteArray("#TRUE#,3\r\n") << ReadOutcome::Read << 3;
    QTest::newRow("line end between") << QByteArray("#FALSE#\r\n4\r\n") << ReadOutcome::Read << 4;
    QTest::newRow("not a flag") << QByteArray("#MAYBE#,3\r\n") << ReadOutcome::Unreadable << 0;
    QTest::newRow("no port") << QByteArray("#TRUE#\r\n") << ReadOutcome::Unreadable << 0;
    QTest::newRow("port past 16 bits") << QByteArray("#TRUE#,70000\r\n") << ReadOutcome::Unreadable << 0;
}

void TelephoneFilesTest::phoneFile() {
    QFETCH(QByteArray, content);
    TestFolder folder;
    folder.write(QStringLiteral("Phone.txt"), content);
    const ReadBack<PhoneSettings> read = ReadPhoneFile();
    QTEST(read.outcome, "outcome");
    QTEST(int(read.value.modemPort), "port");
    QCOMPARE(read.value.daisyChained, content == "#TRUE#,3\r\n");
}

void TelephoneFilesTest::dialCharacters_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("refused");
    QTest::newRow("dialling characters") << QStringLiteral("+1 (541) 9W,,555*70#T5P1w2t3p4") << QString();
    QTest::newRow("command after a semicolon, each once") << QStringLiteral("555;ATZ;A") << QStringLiteral(";AZ");
    QTest::newRow("carriage return") << QStringLiteral("555\r+++") << QStringLiteral("\r");
}

void TelephoneFilesTest::speedNumbersRead_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("cut"); // the start of a longer file
    QTest::addColumn<QStringList>("slots");
    QTest::addColumn<int>("dropped");
    QTest::newRow("start of a longer file: the unfinished line is left out")
        << QByteArray("Ann\r\n555-0101\r\nBob\r\n555-01") << true << QStringList{"Ann|555-0101", "Bob|"} << 0;
    QTest::newRow("pair without a name") << QByteArray("\r\n555-0100\r\nCy\r\n555-0103\r\n") << false
                                         << QStringList{"|555-0100", "Cy|555-0103"} << 1;
    QTest::newRow("twelve pairs") << QByteArray("N\r\n5\r\n").repeated(12) << false
                                  << QStringList(10, QStringLiteral("N|5")) << 2;
}

void TelephoneFilesTest::speedNumbersRead() {
    QFETCH(QByteArray, content);
    QFETCH(bool, cut);
    const SpeedDialFile file = ParseSpeedNumbers(content, cut);
    QTEST(Slots(file.entries), "slots");
    QTEST(file.dropped, "dropped");
    QCOMPARE(file.cut, cut);
}

// A name or number with line breaks is one line of the file.
void TelephoneFilesTest::speedNumbersWrittenByteForByte() {
    SpeedDialSlots entries;
    entries[0] = {QStringLiteral("Ann"), QStringLiteral("555-0101")};
    entries[4] = {QStringLiteral("Zoë & Co\r\nRoofing"), QStringLiteral("\n")};
    entries[9] = {QStringLiteral("Last"), QStringLiteral("1-800-555-0199")};
    entries[6] = {QString(), QStringLiteral("555-0000")}; // no name: a free slot
    const QByteArray expected = "Ann\r\n555-0101\r\nZo\xEB & Co Roofing\r\n\r\nLast\r\n1-800-555-0199\r\n";
    QCOMPARE(FormatSpeedNumbers(entries), expected);
    QCOMPARE(Slots(ParseSpeedNumbers(expected).entries),
             QStringList({"Ann|555-0101", "Zoë & Co Roofing|", "Last|1-800-555-0199"}));
}

TAMSEL_TEST(TelephoneFilesTest)
#include "tst_TelephoneFiles.moc"
