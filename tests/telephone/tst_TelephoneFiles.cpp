#include "TestFolder.h"
#include "TestMain.h"

#include "telephone/TelephoneFiles.h"

#include <QTest>

Q_DECLARE_METATYPE(ReadOutcome)

namespace {
// The ten slots as "name|number".
QStringList Slots(const SpeedDialSlots &entries) {
    QStringList out;
    for (const SpeedDialEntry &entry : entries)
        out << entry.name + QLatin1Char('|') + entry.number;
    return out;
}
QStringList Padded(QStringList list) {
    while (list.size() < 10)
        list << QStringLiteral("|");
    return list;
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
        QFETCH(QString, refused);
        QCOMPARE(RefusedDialCharacters(number), refused);
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
    QTest::newRow("false and 5") << phone << QByteArray("#FALSE#,5") << ReadOutcome::Read << "false 5";
    QTest::newRow("line end between") << phone << QByteArray("#TRUE#\r\n4\r\n") << ReadOutcome::Read << "true 4";
    QTest::newRow("not a flag") << phone << QByteArray("#MAYBE#,3\r\n") << ReadOutcome::Unreadable << "false 0";
    QTest::newRow("no port") << phone << QByteArray("#TRUE#\r\n") << ReadOutcome::Unreadable << "false 0";
    QTest::newRow("port past 16 bits") << phone << QByteArray("#TRUE#,70000\r\n") << ReadOutcome::Unreadable
                                       << "false 0";
    QTest::newRow("caller id missing") << callerId << QByteArray() << ReadOutcome::Missing << "false";
    QTest::newRow("caller id true") << callerId << QByteArray("#TRUE#\r\n") << ReadOutcome::Read << "true";
    QTest::newRow("caller id false") << callerId << QByteArray("#FALSE#\r\n") << ReadOutcome::Read << "false";
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
        const QString value = flag(read.value.daisyChained) + QLatin1Char(' ') + QString::number(read.value.modemPort);
        QTEST(value, "value");
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
    QTest::newRow("command after a semicolon") << QStringLiteral("555;ATZ") << QStringLiteral(";AZ");
    QTest::newRow("letter in it") << QStringLiteral("555-12A4") << QStringLiteral("A");
    QTest::newRow("carriage return") << QStringLiteral("555\r+++") << QStringLiteral("\r");
    QTest::newRow("extension word") << QStringLiteral("555 ext 22") << QStringLiteral("ex");
    QTest::newRow("each once") << QStringLiteral("5.5.5") << QStringLiteral(".");
}

void TelephoneFilesTest::speedNumbersRead_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("cut"); // the start of a longer file
    QTest::addColumn<QStringList>("slots"); // "name|number", padded to ten
    QTest::addColumn<int>("dropped");
    QTest::newRow("empty") << QByteArray() << false << Padded({}) << 0;
    QTest::newRow("two pairs") << QByteArray("Ann\r\n555-0101\r\nBob\r\n555-0102\r\n") << false
                               << Padded({"Ann|555-0101", "Bob|555-0102"}) << 0;
    QTest::newRow("last name without number")
        << QByteArray("Ann\r\n555-0101\r\nBob") << false << Padded({"Ann|555-0101", "Bob|"}) << 0;
    QTest::newRow("start of a longer file: the unfinished line is left out")
        << QByteArray("Ann\r\n555-0101\r\nBob\r\n555-01") << true << Padded({"Ann|555-0101", "Bob|"}) << 0;
    QTest::newRow("pair without a name") << QByteArray("\r\n555-0100\r\nCy\r\n555-0103\r\n") << false
                                         << Padded({"|555-0100", "Cy|555-0103"}) << 1;
    QByteArray twelve;
    QStringList ten;
    for (int i = 0; i < 12; ++i) {
        const QString name = QStringLiteral("Name%1").arg(i);
        const QString number = QStringLiteral("555-01%1").arg(i, 2, 10, QLatin1Char('0'));
        twelve += (name + QStringLiteral("\r\n") + number + QStringLiteral("\r\n")).toLatin1();
        if (i < 10)
            ten << name + QLatin1Char('|') + number;
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

void TelephoneFilesTest::speedNumbersWrittenByteForByte() {
    SpeedDialSlots entries;
    entries[0] = {QStringLiteral("Ann"), QStringLiteral("555-0101")};
    entries[4] = {QStringLiteral("Zoë & Co"), QString()};
    entries[9] = {QStringLiteral("Last"), QStringLiteral("1-800-555-0199")};
    entries[6] = {QString(), QStringLiteral("555-0000")}; // no name: a free slot
    const QByteArray expected = "Ann\r\n555-0101\r\nZo\xEB & Co\r\n\r\nLast\r\n1-800-555-0199\r\n";
    QCOMPARE(FormatSpeedNumbers(entries), expected);
    QCOMPARE(FormatSpeedNumbers(SpeedDialSlots{}), QByteArray());
    // What is written reads back into the first slots, in order.
    const SpeedDialFile again = ParseSpeedNumbers(expected);
    QCOMPARE(Slots(again.entries), Padded({"Ann|555-0101", "Zoë & Co|", "Last|1-800-555-0199"}));
    QCOMPARE(again.dropped, 0);
}

TAMSEL_TEST(TelephoneFilesTest)
#include "tst_TelephoneFiles.moc"
