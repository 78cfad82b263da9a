// The setup screen's "Print Sample": the logo at the size being adjusted and
// the five frames of copy 1 on one page; a cancelled dialog or a failed
// printer prints nothing and says so. On paper it is kept as sample.pdf.
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/QtPictureBox.h"
#include "printing/ProposalPrintRoutines.h"
#include "printing/ProposalPrintRun.h"
#include "settings/frmSetup.h"

#include <QBuffer>
#include <QPushButton>
#include <QTest>

using namespace PrintFixtures;

namespace {
QImage Logo() {
    QImage image(80, 40, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
}
} // namespace

class SamplePrintTest : public QObject {
    Q_OBJECT
private slots:
    void init() { folder = std::make_unique<TestFolder>(); }
    void cleanup() {
        CloseAllScreens();
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void sampleFromTheSetupScreen_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("withLogo");
        QTest::addColumn<QString>("message");
        QTest::newRow("logo as sized on the screen") << "print" << true << QString();
        QTest::newRow("no logo: the frames alone") << "print" << false << QString();
        QTest::newRow("dialog cancelled: nothing printed")
            << "cancel" << true << "The Sample will not be Printed";
        QTest::newRow("printer fails") << "refuse" << true << "A Print Error has occurred";
    }
    void sampleFromTheSetupScreen() {
        QFETCH(QString, answer);
        QFETCH(bool, withLogo);
        QFETCH(QString, message);
        DialogsInstalled installed;
        auto *setup = ScreenRegistry::Get<frmSetup>();
        PrintInColor = true;
        if (withLogo) {
            setup->Image3->setPicture(Logo());
            setup->Image3->setTwipsSize(QSize(1500, 750));
        }
        auto surface = std::make_shared<RecordingPrintSurface>();
        if (answer == QLatin1String("refuse"))
            surface->RefusePagesFrom(1);
        installed.dialogs->AnswerPrinter(answer == QLatin1String("cancel") ? nullptr : surface);
        if (!message.isEmpty())
            folder->prompt->AnswerOk();

        QVERIFY(setup->cmdLogo[5]);
        setup->cmdLogo[5]->click();

        QVERIFY(installed.dialogs->ScriptUsed());
        if (message.isEmpty()) {
            QVERIFY(folder->prompt->shown.isEmpty());
        } else {
            QCOMPARE(folder->prompt->shown.size(), 1);
            QCOMPARE(folder->prompt->shown[0].text, message);
            QCOMPARE(folder->prompt->shown[0].title, answer == QLatin1String("refuse")
                                                         ? QStringLiteral("Print Error")
                                                         : QStringLiteral("Tamsel Proposal"));
            QCOMPARE(surface->PagesStarted(), 0);
            return;
        }
        QCOMPARE(surface->PagesStarted(), 1);
        QCOMPARE(surface->DocumentsEnded(), 1);
        QVERIFY(OfKind(*surface, PrintOperation::Text).isEmpty());
        const auto boxes = OfKind(*surface, PrintOperation::Box);
        QCOMPARE(boxes.size(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(boxes[i].color, i < 3 ? PrintColors::Blue : PrintColors::Navy);
        const auto pictures = OfKind(*surface, PrintOperation::Picture);
        QCOMPARE(pictures.size(), withLogo ? 1 : 0);
        if (withLogo) {
            // 80 pixels on screen are 1200 twips: centred by them, drawn at the adjusted size.
            QCOMPARE(QRectF(QPointF(pictures[0].x, pictures[0].y), QPointF(pictures[0].x2, pictures[0].y2)),
                     QRectF((11520 - 1200) / 2.0, 360, 1500, 750));
            QImage printed;
            QVERIFY(printed.loadFromData(pictures[0].picture));
            QCOMPARE(printed.size(), QSize(80, 40));
        }
    }
    void sampleOnPaper() {
        PageSettings settings = Settings();
        QBuffer buffer(&settings.logo);
        buffer.open(QIODevice::WriteOnly);
        Logo().save(&buffer, "PNG");
        settings.logoNaturalWidth = 1200;
        settings.logoWidth = 1500;
        settings.logoHeight = 750;
        QVERIFY(PrintPdf(KeptPdf(*folder, "sample.pdf"),
                         [&](QtPrintSurface &surface) { return PrintSample(surface, settings); }));
    }

private:
    std::unique_ptr<TestFolder> folder;
};

TAMSEL_TEST(SamplePrintTest)
#include "tst_SamplePrint.moc"
