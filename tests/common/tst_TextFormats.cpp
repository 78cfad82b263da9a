#include "common/InputRules.h"
#include "common/KeyFiltersUi.h"
#include "common/QuotedFields.h"
#include "platform/TextCodec.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

class TextFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void codecRoundTripsEveryByte();
    void numbersAreWrittenPlain_data();
    void numbersAreWrittenPlain();
    void writerQuotesTextsAndReadsThemBack();
    void readerFollowsTheFieldRules();
    void typedReadsRefuseTheWrongKind_data();
    void typedReadsRefuseTheWrongKind();
    void checkKeyEntry_data();
    void checkKeyEntry();
    void typedAndPastedIntoAFieldWithTheFilter();
    void numericKeyFilter_data();
    void numericKeyFilter();
    void typedPointIsTheDecimalPoint_data();
    void typedPointIsTheDecimalPoint();
    void currencyBoxShowsTheAmountAsMeant_data();
    void currencyBoxShowsTheAmountAsMeant();
};

namespace {
// The locale of one test case; the tests' own locale comes back afterwards.
struct LocaleForTest {
    explicit LocaleForTest(const QString &name) { QLocale::setDefault(QLocale(name)); }
    ~LocaleForTest() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
};
} // namespace

void TextFormatsTest::codecRoundTripsEveryByte() {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QCOMPARE(TextCodec::Encode(TextCodec::Decode(all)), all);
    QCOMPARE(TextCodec::Decode(QByteArray("\x80\x93\xE9", 3)), QStringLiteral("\u20AC\u201C\u00E9"));
    // A character the code page lacks cannot be stored: it becomes a question mark.
    QCOMPARE(TextCodec::Encode(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
    // Lines keep their empty lines but gain no empty last one.
    QCOMPARE(TextCodec::SplitLines(QStringLiteral("a\r\n\r\nb\r\n")), QStringList({"a", "", "b"}));
    QCOMPARE(TextCodec::SplitLines(QStringLiteral("a\nb")), QStringList({"a", "b"}));
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

void TextFormatsTest::writerQuotesTextsAndReadsThemBack() {
    const QString name = QStringLiteral("Bob's \"Best\" Roofing, Inc.");
    const QString line = QuotedFields::Line({QuotedFields::Text(name), QuotedFields::Text(QString()),
                                             QuotedFields::Number(3), QuotedFields::Bool(true),
                                             QuotedFields::Bool(false), QuotedFields::Date(QDate(2026, 12, 5))});
    QCOMPARE(line, QStringLiteral("\"Bob's \"\"Best\"\" Roofing, Inc.\",\"\",3,#TRUE#,#FALSE#,#2026-12-05#\r\n"));
    QString first, second;
    QVERIFY(FieldReader(line).ReadText(first));
    QCOMPARE(first, name);
    // A file of the old writer (a stray quote, never doubled) reads as it always did.
    FieldReader old(QStringLiteral("\"abc\"def\",\"next\"\r\n"));
    QVERIFY(old.ReadText(first) && old.ReadText(second));
    QCOMPARE(first + second, QStringLiteral("abcnext"));
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

void TextFormatsTest::checkKeyEntry_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("comma into an empty field") << QString() << int(',') << false;
    for (char refused : {'&', '.', '\\', '*', '/', '?'})
        QTest::newRow(QByteArray(1, refused).constData()) << QStringLiteral("AB") << int(refused) << false;
    QTest::newRow("letter") << QStringLiteral("AB") << int('C') << true;
    QTest::newRow("hyphen") << QStringLiteral("555") << int('-') << true;
    QTest::newRow("full stop after a number") << QStringLiteral("555") << int('.') << true;
    QTest::newRow("full stop after 555-") << QStringLiteral("555-") << int('.') << false;
    QTest::newRow("comma after a money amount") << QStringLiteral("$1,234.50") << int(',') << true;
    QTest::newRow("backspace") << QStringLiteral("A,") << BackspaceKey << true;
}

void TextFormatsTest::checkKeyEntry() {
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(bool, accepted);
    TestFolder folder;
    if (!accepted)
        folder.prompt->AnswerOk();
    QLineEdit box;
    box.setText(text);
    QCOMPARE(CheckKeyEntry(key, &box), accepted ? key : 0);
    QCOMPARE(box.text(), text);
    QCOMPARE(folder.prompt->shown.size(), accepted ? 0 : 1);
    if (!accepted) {
        QCOMPARE(folder.prompt->shown[0].text, QStringLiteral("This character, (%1) is invalid for this field").arg(QChar(key)));
        QVERIFY(folder.prompt->shown[0].beeped);
    }
}

void TextFormatsTest::typedAndPastedIntoAFieldWithTheFilter() {
    TestFolder folder;
    folder.prompt->AnswerOk(2);
    QLineEdit box;
    InstallKeyFilter(&box, [&box](int code) { return CheckKeyEntry(code, &box); });
    QTest::keyClicks(&box, QStringLiteral("AB,C"));
    QCOMPARE(box.text(), QStringLiteral("ABC"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.text(), QStringLiteral("AB"));

    // Pasted text is filtered as if typed: it stops at the first refused character.
    box.clear();
    QApplication::clipboard()->setText(QStringLiteral("AB/..\\CD"));
    if (QApplication::clipboard()->text() != QStringLiteral("AB/..\\CD"))
        QSKIP("no clipboard on this platform");
    QTest::keySequence(&box, QKeySequence::Paste);
    QCOMPARE(box.text(), QStringLiteral("AB"));
    QCOMPARE(folder.prompt->shown.size(), 2);
}

void TextFormatsTest::numericKeyFilter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << int('0') << true;
    QTest::newRow("point") << int('.') << true;
    QTest::newRow("backspace") << BackspaceKey << true;
    QTest::newRow("letter") << int('a') << false;
    QTest::newRow("comma") << int(',') << false;
}

void TextFormatsTest::numericKeyFilter() {
    QFETCH(int, key);
    QFETCH(bool, accepted);
    TestFolder folder;
    QCOMPARE(NumericKeyFilter(key), accepted ? key : 0);
    QCOMPARE(folder.prompt->beeps, accepted ? 0 : 1);
    QVERIFY(folder.prompt->shown.isEmpty());
}

void TextFormatsTest::typedPointIsTheDecimalPoint_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks around") << "en_US" << "  42 " << true << 42.0;
    QTest::newRow("in brackets") << "en_US" << "($5.00)" << true << -5.0;
    QTest::newRow("symbol after minus") << "en_US" << "-$5" << true << -5.0;
    for (const char *refused : {"555-", "   ", "inf", "$"})
        QTest::newRow(refused) << "en_US" << refused << false << 0.0;
    // The quantity filter lets only the point through, so a bare number's
    // point is its decimal point wherever the user lives.
    QTest::newRow("de: point") << "de_DE" << "12.5" << true << 12.5;
    QTest::newRow("de: point before three digits") << "de_DE" << "1.250" << true << 1.25;
    QTest::newRow("de: two points") << "de_DE" << "1.250.000" << false << 0.0;
    QTest::newRow("de: own comma") << "de_DE" << "1,5" << true << 1.5;
    QTest::newRow("de: grouped with a comma") << "de_DE" << "1.250,5" << true << 1250.5;
    // What the screens show comes back as the amount it was.
    QTest::newRow("de: as shown") << "de_DE" << "1.250,50\u00A0\u20AC" << true << 1250.5;
    QTest::newRow("de: negative as shown") << "de_DE" << "-1.250,50\u00A0\u20AC" << true << -1250.5;
    QTest::newRow("is: shown without decimals") << "is_IS" << "1.250\u00A0ISK" << true << 1250.0;
    QTest::newRow("is: typed") << "is_IS" << "1.250" << true << 1.25;
    QTest::newRow("fr: point") << "fr_FR" << "12.5" << true << 12.5;
    QTest::newRow("fr: as shown") << "fr_FR" << "1\u202F250,50\u00A0\u20AC" << true << 1250.5;
    QTest::newRow("us: grouped") << "en_US" << "1,250" << true << 1250.0;
    QTest::newRow("us: point") << "en_US" << "1.250" << true << 1.25;
    QTest::newRow("ch: point is the locale's own") << "de_CH" << "1\u2019250.5" << true << 1250.5;
}

void TextFormatsTest::typedPointIsTheDecimalPoint() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    LocaleForTest inLocale(locale);
    const auto parsed = ParseNumericText(text);
    QCOMPARE(parsed.has_value(), numeric);
    if (numeric)
        QCOMPARE(*parsed, value);
}

void TextFormatsTest::currencyBoxShowsTheAmountAsMeant_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // empty: not an amount, left as typed
    QTest::newRow("grouped") << "en_US" << "1,234.5" << "$1,234.50";
    QTest::newRow("already money") << "en_US" << "$1,234.50" << "$1,234.50";
    QTest::newRow("negative, as the locale writes it") << "en_US" << "-12" << "($12.00)";
    QTest::newRow("letters") << "en_US" << "abc" << "";
    QTest::newRow("empty") << "en_US" << "" << "";
    QTest::newRow("de: point") << "de_DE" << "1.25" << "1,25\u00A0\u20AC";
    QTest::newRow("de: point before three digits") << "de_DE" << "1.250" << "1,25\u00A0\u20AC";
    QTest::newRow("de: whole") << "de_DE" << "1250" << "1.250,00\u00A0\u20AC";
    QTest::newRow("is: whole") << "is_IS" << "1250" << "1.250\u00A0ISK";
    QTest::newRow("us") << "en_US" << "1250.5" << "$1,250.50";
    // No symbol of its own: the ISO code is shown, and read, in its place.
    QTest::newRow("en_CH") << "en_CH" << "1250" << "CHF\u00A0" "1\u2019" "250.00";
}

// Shown in the currency form, and read again when the box loses the focus
// once more: the amount never changes.
void TextFormatsTest::currencyBoxShowsTheAmountAsMeant() {
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    LocaleForTest inLocale(locale);
    QLineEdit box;
    box.setText(typed);
    for (int pass = 0; pass < 2; ++pass) {
        QCOMPARE(FormatCurrencyBox(&box), !shown.isEmpty());
        QCOMPARE(box.text(), shown.isEmpty() ? typed : shown);
    }
}

TAMSEL_TEST(TextFormatsTest)
#include "tst_TextFormats.moc"
