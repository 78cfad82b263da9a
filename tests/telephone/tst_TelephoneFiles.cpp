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
    void settingsFiles_data();
    void settingsFiles();
    void dialCharacters_data();
    void dialCharacters() {
        QFETCH(QString, number);
        QTEST(RefusedDialCharacters(number), "refused");
    }
    void speedNumbersRead_data();
    void speedNumbersRead();
    void speedNumbersWrittenByteForByte();
};

void TelephoneFilesTest::settingsFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<ReadOutcome>("outcome");
    QTest::addColumn<QString>("value"); // the flag, and the port for Phone.txt
    const QString phone = QStringLiteral("Phone.txt"), callerId = QStringLiteral("CallID.txt");
    QTest::newRow("phone missing") << phone << QByteArray() << ReadOutcome::Missing << "false 0";
    QTest::newRow("comma") << phone << QByteArray("#TRUE#,3\r\n") << ReadOutcome::Read << "true 3";
    QTest::newRow("line end between") << phone << QByteArray("#FALSE#\r\n4\r\n") << ReadOutcome::Read << "false 4";
    QTest::newRow("not a flag") << phone << QByteArray("#MAYBE#,3\r\n") << ReadOutcome::Unreadable << "false 0";
    QTest::newRow("no port") << phone << QByteArray("#TRUE#\r\n") << ReadOutcome::Unreadable << "false 0";
    QTest::newRow("port past 16 bits") << phone << QByteArray("#TRUE#,70000\r\n") << ReadOutcome::Unreadable
                                       << "false 0";
    QTest::newRow("caller id true") << callerId << QByteArray("#TRUE#\r\n") << ReadOutcome::Read << "true";
    QTest::newRow("caller id a number") << callerId << QByteArray("1\r\n") << ReadOutcome::Unreadable << "false";
}

void TelephoneFilesTest::settingsFiles() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    TestFolder folder;
    if (!content.isNull())
        folder.write(file, content);
    const auto flag = [](bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); };
    if (file == QLatin1String("Phone.txt")) {
        const ReadBack<PhoneSettings> read = ReadPhoneFile();
        QTEST(read.outcome, "outcome");
        QTEST(flag(read.value.daisyChained) + QLatin1Char(' ') + QString::number(read.value.modemPort), "value");
    } else {
        const ReadBack<bool> read = ReadCallerIdFile();
        QTEST(read.outcome, "outcome");
        QTEST(flag(read.value), "value");
    }
}

void TelephoneFilesTest::dialCharacters_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("refused");
    QTest::newRow("area code and prefix") << QStringLiteral("+1 (541) 555-0142") << QString();
    QTest::newRow("pauses, tones, dialling letters") << QStringLiteral("9W,,555*70#T5P1w2t3p4") << QString();
    QTest::newRow("command after a semicolon, each once") << QStringLiteral("555;ATZ;A") << QStringLiteral(";AZ");
    QTest::newRow("carriage return") << QStringLiteral("555\r+++") << QStringLiteral("\r");
}

void TelephoneFilesTest::speedNumbersRead_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("cut"); // the start of a longer file
    QTest::addColumn<QStringList>("slots");
    QTest::addColumn<int>("dropped");
    QTest::newRow("last name without number") << QByteArray("Ann\r\n555-0101\r\nBob") << false
                                              << QStringList{"Ann|555-0101", "Bob|"} << 0;
    QTest::newRow("start of a longer file: the unfinished line is left out")
        << QByteArray("Ann\r\n555-0101\r\nBob\r\n555-01") << true << QStringList{"Ann|555-0101", "Bob|"} << 0;
    QTest::newRow("pair without a name") << QByteArray("\r\n555-0100\r\nCy\r\n555-0103\r\n") << false
                                         << QStringList{"|555-0100", "Cy|555-0103"} << 1;
    QByteArray twelve;
    QStringList ten;
    for (int i = 0; i < 12; ++i) {
        twelve += "N" + QByteArray::number(i) + "\r\n" + QByteArray::number(i) + "\r\n";
        if (i < 10)
            ten << QStringLiteral("N%1|%1").arg(i);
    }
    QTest::newRow("twelve pairs") << twelve << false << ten << 2;
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
