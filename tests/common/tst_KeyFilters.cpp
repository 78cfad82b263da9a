#include "TestFolder.h"
#include "TestMain.h"

#include "common/InputRules.h"
#include "common/KeyFiltersUi.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

class KeyFiltersTest : public QObject {
    Q_OBJECT
private slots:
    void checkKeyEntry_data();
    void checkKeyEntry();
    void typedAndPastedIntoAFieldWithTheFilter();
    void numericKeyFilter_data();
    void numericKeyFilter();
    void formatCurrencyBox_data();
    void formatCurrencyBox();
    void typedPointIsTheDecimalPoint_data();
    void typedPointIsTheDecimalPoint();
    void typedAmountIsShownBackAsMeant_data();
    void typedAmountIsShownBackAsMeant();
};

namespace {
// The locale of one test case; the tests' own locale comes back afterwards.
struct LocaleForTest {
    explicit LocaleForTest(const QString &name) { QLocale::setDefault(QLocale(name)); }
    ~LocaleForTest() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
};
} // namespace

void KeyFiltersTest::checkKeyEntry_data() {
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

void KeyFiltersTest::checkKeyEntry() {
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

void KeyFiltersTest::typedAndPastedIntoAFieldWithTheFilter() {
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

void KeyFiltersTest::numericKeyFilter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << int('0') << true;
    QTest::newRow("point") << int('.') << true;
    QTest::newRow("backspace") << BackspaceKey << true;
    QTest::newRow("letter") << int('a') << false;
    QTest::newRow("comma") << int(',') << false;
}

void KeyFiltersTest::numericKeyFilter() {
    QFETCH(int, key);
    QFETCH(bool, accepted);
    TestFolder folder;
    QCOMPARE(NumericKeyFilter(key), accepted ? key : 0);
    QCOMPARE(folder.prompt->beeps, accepted ? 0 : 1);
    QVERIFY(folder.prompt->shown.isEmpty());
}

void KeyFiltersTest::formatCurrencyBox_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1234.5") << QStringLiteral("1234.5") << true << QStringLiteral("$1,234.50");
    QTest::newRow("grouped") << QStringLiteral("1,234.5") << true << QStringLiteral("$1,234.50");
    QTest::newRow("already money") << QStringLiteral("$1,234.50") << true << QStringLiteral("$1,234.50");
    QTest::newRow("negative, as the locale writes it") << QStringLiteral("-12") << true << QStringLiteral("($12.00)");
    QTest::newRow("letters") << QStringLiteral("abc") << false << QStringLiteral("abc");
    QTest::newRow("empty") << QString() << false << QString();
}

void KeyFiltersTest::formatCurrencyBox() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(QString, shown);
    QLineEdit box;
    box.setText(text);
    QCOMPARE(FormatCurrencyBox(&box), numeric);
    QCOMPARE(box.text(), shown);
}

void KeyFiltersTest::typedPointIsTheDecimalPoint_data() {
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

void KeyFiltersTest::typedPointIsTheDecimalPoint() {
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

void KeyFiltersTest::typedAmountIsShownBackAsMeant_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("de: point") << "de_DE" << "1.25" << "1,25\u00A0\u20AC";
    QTest::newRow("de: point before three digits") << "de_DE" << "1.250" << "1,25\u00A0\u20AC";
    QTest::newRow("de: whole") << "de_DE" << "1250" << "1.250,00\u00A0\u20AC";
    QTest::newRow("is: whole") << "is_IS" << "1250" << "1.250\u00A0ISK";
    QTest::newRow("us") << "en_US" << "1250.5" << "$1,250.50";
    // No symbol of its own: the ISO code is shown, and read, in its place.
    QTest::newRow("en_CH") << "en_CH" << "1250" << "CHF\u00A0" "1\u2019" "250.00";
}

// Typed through the quantity filter, shown in the currency form, and read
// again when the box loses the focus once more: the amount never changes.
void KeyFiltersTest::typedAmountIsShownBackAsMeant() {
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    LocaleForTest inLocale(locale);
    TestFolder folder;
    QLineEdit box;
    InstallKeyFilter(&box, NumericKeyFilter);
    QTest::keyClicks(&box, typed);
    QCOMPARE(box.text(), typed);
    QVERIFY(FormatCurrencyBox(&box));
    QCOMPARE(box.text(), shown);
    QVERIFY(FormatCurrencyBox(&box));
    QCOMPARE(box.text(), shown);
}

TAMSEL_TEST(KeyFiltersTest)
#include "tst_KeyFilters.moc"
