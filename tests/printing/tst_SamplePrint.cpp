// The setup screen's "Print Sample": through the print dialog, the logo at the
// size being adjusted and the five frames of copy 1 on one page; a cancelled
// dialog or a failed printer prints nothing and says so.
//
// With TAMSEL_PRINTED naming a folder, the sample is also kept there as
// sample.pdf (the picture in docs/printed is made from it).
#include "PrintFixtures.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/QtPictureBox.h"
#include "platform/QtPrintSurface.h"
#include "printing/ProposalPrintRoutines.h"
#include "printing/ProposalPrintRun.h"
#include "settings/frmSetup.h"

#include <QBuffer>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

using namespace PrintFixtures;

namespace {
struct DialogsInstalled {
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    DialogsInstalled() { SetDialogs(dialogs); }
    ~DialogsInstalled() { SetDialogs(nullptr); }
};

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

    void sampleFromTheSetupScreen_data();
    void sampleFromTheSetupScreen();
    void sampleOnPaper();

private:
    std::unique_ptr<TestFolder> folder;
};

void SamplePrintTest::sampleFromTheSetupScreen_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("withLogo");
    QTest::addColumn<QString>("message");
    QTest::newRow("logo as sized on the screen") << "print" << true << QString();
    QTest::newRow("no logo: the frames alone") << "print" << false << QString();
    QTest::newRow("dialog cancelled: nothing printed")
        << "cancel" << true << "The Sample will not be Printed";
    QTest::newRow("printer fails") << "refuse" << true << "A Print Error has occurred";
}

void SamplePrintTest::sampleFromTheSetupScreen() {
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
    QCOMPARE(setup->cmdLogo[5]->objectName(), QStringLiteral("cmdLogo_5"));
    QCOMPARE(setup->cmdLogo[5]->text(), QStringLiteral("Print Sample"));
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

void SamplePrintTest::sampleOnPaper() {
    const QString keep = qEnvironmentVariable("TAMSEL_PRINTED");
    const QString pdf = keep.isEmpty() ? folder->file("sample.pdf") : QDir(keep).filePath("sample.pdf");
    PageSettings settings = Settings();
    QByteArray logo;
    {
        QBuffer buffer(&logo);
        buffer.open(QIODevice::WriteOnly);
        Logo().save(&buffer, "PNG");
    }
    settings.logo = logo;
    settings.logoNaturalWidth = 1200;
    settings.logoWidth = 1500;
    settings.logoHeight = 750;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QtPrintSurface surface(printer);
        QVERIFY(PrintSample(surface, settings));
    }
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

TAMSEL_TEST(SamplePrintTest)
#include "tst_SamplePrint.moc"
