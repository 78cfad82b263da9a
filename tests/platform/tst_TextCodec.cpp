// What the code page cannot keep, and what is stored in its place.
#include "TestMain.h"
#include "platform/TextCodec.h"

#include <QTest>

class TextCodecTest : public QObject {
    Q_OBJECT
private slots:
    void unkeptCharactersGetStatedStandIns_data();
    void unkeptCharactersGetStatedStandIns();
};

void TextCodecTest::unkeptCharactersGetStatedStandIns_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lacking");
    QTest::addColumn<QString>("stored");
    QTest::newRow("all in the code page") << QStringLiteral("Café — 5 m² € “ok” ‰") << QStringList() << QString();
    QTest::newRow("letters and symbols") << QStringLiteral("Łazienka: tiles ≤ 30 cm → wall ✓")
                                         << QStringList{QStringLiteral("Ł"), QStringLiteral("≤"), QStringLiteral("→"),
                                                        QStringLiteral("✓")}
                                         << QStringLiteral("Lazienka: tiles < 30 cm > wall ?");
    QTest::newRow("each listed once") << QStringLiteral("Ridge vent Łł ł") << QStringList{QStringLiteral("Ł"), QStringLiteral("ł")}
                                      << QStringLiteral("Ridge vent Ll l");
    QTest::newRow("marks dropped") << QStringLiteral("Kraków, Świętość") << QStringList{QStringLiteral("Ś"), QStringLiteral("ę"), QStringLiteral("ś"), QStringLiteral("ć")}
                                   << QStringLiteral("Kraków, Swietosc");
    QTest::newRow("spaces, dashes, minus") << QStringLiteral("a\u2009b\u2011c \u22125")
                                           << QStringList{QStringLiteral("\u2009"), QStringLiteral("\u2011"), QStringLiteral("\u2212")}
                                           << QStringLiteral("a b-c -5");
    QTest::newRow("emoji is one character") << QStringLiteral("ok 😀😀.") << QStringList{QStringLiteral("😀")}
                                            << QStringLiteral("ok ??.");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + QStringLiteral("x") << QStringList{QString(QChar(0xD800))}
                                    << QStringLiteral("?x");
    QTest::newRow("undefined byte's character kept") << QString(QChar(0x81)) << QStringList() << QString();
}

void TextCodecTest::unkeptCharactersGetStatedStandIns() {
    QFETCH(QString, text);
    QFETCH(QStringList, lacking);
    QFETCH(QString, stored);
    if (stored.isEmpty())
        stored = text;
    QCOMPARE(TextCodec::Unstorable(text), lacking);
    QCOMPARE(TextCodec::Storable(text), stored);
    // What is stored reads back as it was shown, and never grows past a field's width.
    QCOMPARE(TextCodec::Decode(TextCodec::Encode(stored)), stored);
    QVERIFY(stored.size() <= text.size());
}

TAMSEL_TEST(TextCodecTest)
#include "tst_TextCodec.moc"
