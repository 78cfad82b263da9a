#include "TestMain.h"
#include "platform/TextCodec.h"
#include "shell/QuotedFields.h"

#include <QTest>

class TextFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void codecRoundTripsEveryByte();
};

void TextFormatsTest::codecRoundTripsEveryByte() {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QCOMPARE(TextCodec::Encode(TextCodec::Decode(all)), all);
}

TAMSEL_TEST(TextFormatsTest)
#include "tst_TextFormats.moc"
