#include "TestFolder.h"
#include "TestMain.h"

#include "telephone/TelephoneFiles.h"

#include <QTest>

Q_DECLARE_METATYPE(ReadOutcome)

// The telephone's files and the numbers it will send to a modem.
class TelephoneFilesTest : public QObject {
    Q_OBJECT
private slots:
    void phoneFile_data();
    void phoneFile();
    void callerIdFile_data();
    void callerIdFile();
    void dialCharacters_data();
    void dialCharacters();
    void speedNumbersRead_data();
    void speedNumbersRead();
    void speedNumbersWrittenByteForByte();
};

void TelephoneFilesTest::phoneFile_data() {
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<ReadOutcome>("outcome");
    QTest::addColumn<bool>("daisyChained");
    QTest::addColumn<int>("port");
    QTest::newRow("missing") << QByteArray() << ReadOutcome::Missing << false << 0;
    QTest::newRow("comma") << QByteArray("#TRUE#,3\r\n") << ReadOutcome::Read << true << 3;
    QTest::newRow("false and 5") << QByteArray("#FALSE#,5") << ReadOutcome::Read << false << 5;
    QTest::newRow("line end between") << QByteArray("#TRUE#\r\n4\r\n") << ReadOutcome::Read << true << 4;
    QTest::newRow("not a flag") << QByteArray("#MAYBE#,3\r\n") << ReadOutcome::Unreadable << false << 0;
    QTest::newRow("no port") << QByteArray("#TRUE#\r\n") << ReadOutcome::Unreadable << false << 0;
    QTest::newRow("port past 16 bits") << QByteArray("#TRUE#,70000\r\n") << ReadOutcome::Unreadable << false << 0;
}

void TelephoneFilesTest::phoneFile() {
    QFETCH(QByteArray, content);
    QFETCH(ReadOutcome, outcome);
    QFETCH(bool, daisyChained);
    QFETCH(int, port);
    TestFolder folder;
    if (!content.isNull())
        folder.write(QStringLiteral("Phone.txt"), content);
    const ReadBack<PhoneSettings> read = ReadPhoneFile();
    QCOMPARE(read.outcome, outcome);
    QCOMPARE(read.value.daisyChained, daisyChained);
    QCOMPARE(int(read.value.modemPort), port);
}

void TelephoneFilesTest::callerIdFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<ReadOutcome>("outcome");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("missing") << QByteArray() << ReadOutcome::Missing << false;
    QTest::newRow("true") << QByteArray("#TRUE#\r\n") << ReadOutcome::Read << true;
    QTest::newRow("false") << QByteArray("#FALSE#\r\n") << ReadOutcome::Read << false;
    QTest::newRow("a number") << QByteArray("1\r\n") << ReadOutcome::Unreadable << false;
}

void TelephoneFilesTest::callerIdFile() {
    QFETCH(QByteArray, content);
    QFETCH(ReadOutcome, outcome);
    QFETCH(bool, enabled);
    TestFolder folder;
    if (!content.isNull())
        folder.write(QStringLiteral("CallID.txt"), content);
    const ReadBack<bool> read = ReadCallerIdFile();
    QCOMPARE(read.outcome, outcome);
    QCOMPARE(read.value, enabled);
}

void TelephoneFilesTest::dialCharacters_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("refused");
    QTest::newRow("plain") << QStringLiteral("555-1234") << QString();
    QTest::newRow("area code") << QStringLiteral("(541) 555-0142") << QString();
    QTest::newRow("prefix") << QStringLiteral("1-541-555-0142") << QString();
    QTest::newRow("international") << QStringLiteral("+44 20 7946 0958") << QString();
    QTest::newRow("pauses and tones") << QStringLiteral("9W,,555*70#") << QString();
    QTest::newRow("dialling letters") << QStringLiteral("T555P1w2t3p4") << QString();
    QTest::newRow("command after a semicolon") << QStringLiteral("555;ATZ") << QStringLiteral(";AZ");
    QTest::newRow("letter in it") << QStringLiteral("555-12A4") << QStringLiteral("A");
    QTest::newRow("carriage return") << QStringLiteral("555\r+++") << QStringLiteral("\r");
    QTest::newRow("extension word") << QStringLiteral("555 ext 22") << QStringLiteral("ex");
    QTest::newRow("each once") << QStringLiteral("5.5.5") << QStringLiteral(".");
}

void TelephoneFilesTest::dialCharacters() {
    QFETCH(QString, number);
    QFETCH(QString, refused);
    QCOMPARE(RefusedDialCharacters(number), refused);
}

void TelephoneFilesTest::speedNumbersRead_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");   // slots 0 to 9
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("dropped");
    const QStringList none(10, QString());
    QTest::newRow("empty") << QByteArray() << none << none << QStringList();
    QStringList names = none, numbers = none;
    names[0] = QStringLiteral("Ann");
    numbers[0] = QStringLiteral("555-0101");
    names[1] = QStringLiteral("Bob");
    numbers[1] = QStringLiteral("555-0102");
    QTest::newRow("two pairs") << QByteArray("Ann\r\n555-0101\r\nBob\r\n555-0102\r\n") << names << numbers
                               << QStringList();
    QStringList odd = none;
    odd[0] = QStringLiteral("555-0101");
    QTest::newRow("last name without number")
        << QByteArray("Ann\r\n555-0101\r\nBob") << names << odd << QStringList();
    QStringList blankName = none, blankNumbers = none;
    blankName[1] = QStringLiteral("Cy");
    blankNumbers[0] = QStringLiteral("555-0100");
    blankNumbers[1] = QStringLiteral("555-0103");
    QTest::newRow("pair without a name") << QByteArray("\r\n555-0100\r\nCy\r\n555-0103\r\n") << blankName
                                         << blankNumbers << QStringList({QStringLiteral(" (555-0100)")});
    QByteArray twelve;
    QStringList all, allNumbers;
    for (int i = 0; i < 12; ++i) {
        const QString name = QStringLiteral("Name%1").arg(i);
        const QString number = QStringLiteral("555-01%1").arg(i, 2, 10, QLatin1Char('0'));
        twelve += (name + QStringLiteral("\r\n") + number + QStringLiteral("\r\n")).toLatin1();
        if (i < 10) {
            all << name;
            allNumbers << number;
        }
    }
    QTest::newRow("twelve pairs") << twelve << all << allNumbers
                                  << QStringList({QStringLiteral("Name10 (555-0110)"), QStringLiteral("Name11 (555-0111)")});
}

void TelephoneFilesTest::speedNumbersRead() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, dropped);
    const SpeedDialFile file = ParseSpeedNumbers(content);
    QStringList readNames, readNumbers;
    for (const SpeedDialEntry &entry : file.entries) {
        readNames << entry.name;
        readNumbers << entry.number;
    }
    QCOMPARE(readNames, names);
    QCOMPARE(readNumbers, numbers);
    QCOMPARE(file.dropped, dropped);
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
    QCOMPARE(again.entries[1].name, QStringLiteral("Zoë & Co"));
    QCOMPARE(again.entries[2].number, QStringLiteral("1-800-555-0199"));
    QVERIFY(again.dropped.isEmpty());
}

TAMSEL_TEST(TelephoneFilesTest)
#include "tst_TelephoneFiles.moc"
