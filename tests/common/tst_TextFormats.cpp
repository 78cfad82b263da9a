#include "common/QuotedFields.h"
#include "platform/TextCodec.h"
#include "TestMain.h"

#include <QTest>

class TextFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void codecRoundTripsEveryByte();
    void numbersAreWrittenPlain_data();
    void numbersAreWrittenPlain();
    void writerQuotesTextsAndJoinsWithCommas();
    void readerFollowsTheFieldRules();
    void quotesInsideTextsSurviveARoundTrip();
    void typedReadsRefuseTheWrongKind_data();
    void typedReadsRefuseTheWrongKind();
    void splitLinesKeepsEmptyLinesButNoTrailingOne();
};

void TextFormatsTest::codecRoundTripsEveryByte() {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QCOMPARE(TextCodec::Encode(TextCodec::Decode(all)), all);
    QCOMPARE(TextCodec::Decode(QByteArray("\x80\x93\xE9", 3)), QStringLiteral("\u20AC\u201C\u00E9"));
    // A character the code page lacks cannot be stored: it becomes a question mark.
    QCOMPARE(TextCodec::Encode(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
}

void TextFormatsTest::numbersAreWrittenPlain_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("whole") << 1250.0 << "1250";
    QTest::newRow("one decimal") << 1250.5 << "1250.5";
    QTest::newRow("four decimals") << 1234.5678 << "1234.5678";
    QTest::newRow("negative") << -42.25 << "-42.25";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("colour") << 16777215.0 << "16777215";
}

void TextFormatsTest::numbersAreWrittenPlain() {
    QFETCH(double, value);
    QFETCH(QString, written);
    QCOMPARE(QuotedFields::Number(value), written);
}

void TextFormatsTest::writerQuotesTextsAndJoinsWithCommas() {
    const QString line = QuotedFields::Line({QuotedFields::Text(QStringLiteral("Smith, Jones")),
                                             QuotedFields::Text(QString()), QuotedFields::Number(3),
                                             QuotedFields::Bool(true), QuotedFields::Bool(false),
                                             QuotedFields::Date(QDate(2026, 12, 5))});
    QCOMPARE(line, QStringLiteral("\"Smith, Jones\",\"\",3,#TRUE#,#FALSE#,#2026-12-05#\r\n"));
}

void TextFormatsTest::readerFollowsTheFieldRules() {
    // Spaces before a field are skipped, a quoted field ends at its quote and
    // may hold commas or line ends, a plain field ends at the comma or line end.
    FieldReader reader(QStringLiteral("  \"A, B\" , 12.5 ,#TRUE#\r\n\"\",  plain text  \r\n#2026-12-05#\r\n"
                                      "\"Payment due\r\non completion\"\r\n5\r\n"));
    QString text;
    double number = 0;
    bool flag = false;
    QDate date;
    qint64 n = 0;
    QVERIFY(reader.ReadText(text));
    QCOMPARE(text, QStringLiteral("A, B"));
    QVERIFY(reader.ReadNumber(number) && reader.ReadBool(flag));
    QCOMPARE(number, 12.5);
    QVERIFY(flag);
    QVERIFY(reader.ReadText(text) && text.isEmpty());
    QVERIFY(reader.ReadText(text));
    QCOMPARE(text, QStringLiteral("plain text"));
    QVERIFY(reader.ReadDate(date));
    QCOMPARE(date, QDate(2026, 12, 5));
    QVERIFY(reader.ReadText(text));
    QCOMPARE(text, QStringLiteral("Payment due\r\non completion"));
    QVERIFY(reader.ReadInteger(n));
    QCOMPARE(n, 5);
    QVERIFY(reader.AtEnd());
    QVERIFY(!reader.ReadText(text));
}

void TextFormatsTest::quotesInsideTextsSurviveARoundTrip() {
    const QString name = QStringLiteral("Bob's \"Best\" Roofing, Inc.");
    const QString line = QuotedFields::Line({QuotedFields::Text(name), QuotedFields::Text(QStringLiteral("x"))});
    QCOMPARE(line, QStringLiteral("\"Bob's \"\"Best\"\" Roofing, Inc.\",\"x\"\r\n"));
    FieldReader reader(line);
    QString first, second;
    QVERIFY(reader.ReadText(first) && reader.ReadText(second));
    QCOMPARE(first, name);
    // A file of the old writer (a stray quote, never doubled) reads as it always did.
    FieldReader old(QStringLiteral("\"abc\"def\",\"next\"\r\n"));
    QVERIFY(old.ReadText(first) && old.ReadText(second));
    QCOMPARE(first + second, QStringLiteral("abcnext"));
}

void TextFormatsTest::typedReadsRefuseTheWrongKind_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("number");
    QTest::addColumn<bool>("integer");
    QTest::addColumn<bool>("boolean");
    QTest::addColumn<bool>("date");
    QTest::newRow("quoted number") << "\"12\"" << false << false << false << false;
    QTest::newRow("letters") << "abc" << false << false << false << false;
    QTest::newRow("fraction") << "1.5" << true << false << false << false;
    QTest::newRow("leading point") << ".5" << true << false << false << false;
    QTest::newRow("integer") << "-7" << true << true << false << false;
    QTest::newRow("boolean") << "#FALSE#" << false << false << true << false;
    QTest::newRow("date") << "#2026-02-28#" << false << false << false << true;
    QTest::newRow("impossible date") << "#2026-02-30#" << false << false << false << false;
    QTest::newRow("empty") << "" << false << false << false << false;
}

void TextFormatsTest::typedReadsRefuseTheWrongKind() {
    QFETCH(QString, field);
    QFETCH(bool, number);
    QFETCH(bool, integer);
    QFETCH(bool, boolean);
    QFETCH(bool, date);
    double d = 0;
    qint64 i = 0;
    bool b = false;
    QDate day;
    QCOMPARE(FieldReader(field).ReadNumber(d), number);
    QCOMPARE(FieldReader(field).ReadInteger(i), integer);
    QCOMPARE(FieldReader(field).ReadBool(b), boolean);
    QCOMPARE(FieldReader(field).ReadDate(day), date);
}

void TextFormatsTest::splitLinesKeepsEmptyLinesButNoTrailingOne() {
    QCOMPARE(TextCodec::SplitLines(QStringLiteral("a\r\n\r\nb\r\n")), QStringList({"a", "", "b"}));
    QCOMPARE(TextCodec::SplitLines(QStringLiteral("a\nb")), QStringList({"a", "b"}));
    QCOMPARE(TextCodec::SplitLines(QString()), QStringList());
}

TAMSEL_TEST(TextFormatsTest)
#include "tst_TextFormats.moc"
