#include "common/InputRules.h"
#include "common/KeyFiltersUi.h"
#include "common/QuotedFields.h"
#include "platform/TextCodec.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QLineEdit>
#include <QLocale>
#include <QTest>

class TextFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    void codecRoundTripsEveryByte();
    void writerQuotesTextsAndReadsThemBack();
    void readerFollowsTheFieldRules();
    void checkKeyEntry_data();
    void checkKeyEntry();
    void typedPointIsTheDecimalPoint_data();
    void typedPointIsTheDecimalPoint();
    void currencyBoxShowsTheAmountAsMeant_data();
    void currencyBoxShowsTheAmountAsMeant();
};

void TextFormatsTest::codecRoundTripsEveryByte() {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QCOMPARE(TextCodec::Encode(TextCodec::Decode(all)), all);
    QCOMPARE(TextCodec::Decode(QByteArray("\x80\x93\xE9", 3)), QStringLiteral("\u20AC\u201C\u00E9"));
    // Lines keep their empty lines but gain no empty last one.
    QCOMPARE(TextCodec::SplitLines(QStringLiteral("a\r\n\r\nb\r\n")), QStringList({"a", "", "b"}));
}

void TextFormatsTest::writerQuotesTextsAndReadsThemBack() {
    const QString name = QStringLiteral("Bob's \"Best\" Roofing, Inc.");
    // Numbers plain, without binary noise or trailing zeros.
    const QString line = QuotedFields::Line(
        {QuotedFields::Text(name), QuotedFields::Text(QString()), QuotedFields::Number(1250),
         QuotedFields::Number(1234.5678), QuotedFields::Number(-42.25), QuotedFields::Number(0.1 + 0.2),
         QuotedFields::Bool(true), QuotedFields::Bool(false), QuotedFields::Date(QDate(2026, 12, 5))});
    QCOMPARE(line, QStringLiteral("\"Bob's \"\"Best\"\" Roofing, Inc.\",\"\",1250,1234.5678,-42.25,0.3,"
                                  "#TRUE#,#FALSE#,#2026-12-05#\r\n"));
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
                                      "\"Payment due\r\non completion\"\r\n"));
    QString text;
    double number = 0;
    bool flag = false;
    QDate date;
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
    QVERIFY(reader.AtEnd());
    QVERIFY(!reader.ReadText(text));
}

void TextFormatsTest::checkKeyEntry_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("comma into an empty field") << QString() << int(',') << false;
    for (char refused : {'&', '\\', '/'})
        QTest::newRow(QByteArray(1, refused).constData()) << QStringLiteral("AB") << int(refused) << false;
    QTest::newRow("letter") << QStringLiteral("AB") << int('C') << true;
    QTest::newRow("full stop after a number") << QStringLiteral("555") << int('.') << true;
    QTest::newRow("full stop after 555-") << QStringLiteral("555-") << int('.') << false;
    QTest::newRow("comma after a money amount") << QStringLiteral("$1,234.50") << int(',') << true;
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
    QCOMPARE(folder.prompt->shown.size(), accepted ? 0 : 1);
    if (!accepted)
        QCOMPARE(folder.prompt->shown[0].text, QStringLiteral("This character, (%1) is invalid for this field").arg(QChar(key)));
}

void TextFormatsTest::typedPointIsTheDecimalPoint_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("value"); // none when the text is no number
    QTest::newRow("in brackets") << "en_US" << "($5.00)" << QVariant(-5.0);
    for (const char *refused : {"555-", "inf", "$"})
        QTest::newRow(refused) << "en_US" << refused << QVariant();
    // The quantity filter lets only the point through, so a bare number's
    // point is its decimal point wherever the user lives.
    QTest::newRow("de: point before three digits") << "de_DE" << "1.250" << QVariant(1.25);
    QTest::newRow("de: own comma") << "de_DE" << "1,5" << QVariant(1.5);
    QTest::newRow("de: grouped with a comma") << "de_DE" << "1.250,5" << QVariant(1250.5);
    // What the screens show comes back as the amount it was.
    QTest::newRow("de: as shown") << "de_DE" << "1.250,50\u00A0\u20AC" << QVariant(1250.5);
    QTest::newRow("fr: as shown") << "fr_FR" << "1\u202F250,50\u00A0\u20AC" << QVariant(1250.5);
    QTest::newRow("us: grouped") << "en_US" << "1,250" << QVariant(1250.0);
    QTest::newRow("ch: point is the locale's own") << "de_CH" << "1\u2019250.5" << QVariant(1250.5);
}

void TextFormatsTest::typedPointIsTheDecimalPoint() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QVariant, value);
    QLocale::setDefault(QLocale(locale));
    const auto parsed = ParseNumericText(text);
    QCOMPARE(parsed ? QVariant(*parsed) : QVariant(), value);
}

void TextFormatsTest::currencyBoxShowsTheAmountAsMeant_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // empty: not an amount, left as typed
    QTest::newRow("grouped") << "en_US" << "1,234.5" << "$1,234.50";
    QTest::newRow("negative, as the locale writes it") << "en_US" << "-12" << "($12.00)";
    QTest::newRow("letters") << "en_US" << "abc" << "";
    QTest::newRow("de: whole") << "de_DE" << "1250" << "1.250,00\u00A0\u20AC";
    QTest::newRow("is: whole") << "is_IS" << "1250" << "1.250\u00A0ISK";
    // No symbol of its own: the ISO code is shown, and read, in its place.
    QTest::newRow("en_CH") << "en_CH" << "1250" << "CHF\u00A0" "1\u2019" "250.00";
}

// Shown in the currency form, and read again when the box loses the focus
// once more: the amount never changes.
void TextFormatsTest::currencyBoxShowsTheAmountAsMeant() {
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    QLineEdit box;
    box.setText(typed);
    for (int pass = 0; pass < 2; ++pass) {
        QCOMPARE(FormatCurrencyBox(&box), !shown.isEmpty());
        QCOMPARE(box.text(), shown.isEmpty() ? typed : shown);
    }
}

TAMSEL_TEST(TextFormatsTest)
#include "tst_TextFormats.moc"
