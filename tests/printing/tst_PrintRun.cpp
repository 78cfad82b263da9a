// The print run through the print dialog: a print that cannot be done is
// reported as failed, without a crash or a changed file.
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "printing/ProposalPrinting.h"
#include "settings/BusinessFiles.h"

#include <QTest>

using namespace PrintFixtures;

class PrintRunTest : public QObject {
    Q_OBJECT
private slots:
    void init() { folder = std::make_unique<TestFolder>(); }
    void cleanup() {
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void throughThePrintDialog_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("pagesStarted");
        QTest::newRow("printed") << QString() << int(PrintOutcome::Printed) << 3;
        QTest::newRow("dialog cancelled") << "cancel" << int(PrintOutcome::Cancelled) << 0;
        QTest::newRow("body file missing") << "missing body" << int(PrintOutcome::Failed) << 0;
        QTest::newRow("logo file no picture") << "bad logo" << int(PrintOutcome::Failed) << 0;
        QTest::newRow("printer fails on the second page") << "refused from 2" << int(PrintOutcome::Failed) << 1;
        QTest::newRow("document not finished whole") << "unfinished" << int(PrintOutcome::Failed) << 3;
    }
    void throughThePrintDialog() {
        QFETCH(QString, fault);
        QFETCH(int, outcome);
        QFETCH(int, pagesStarted);
        // The shared settings as the setup screen leaves them, and its files.
        BusinessData = Settings().business;
        PrintInColor = true;
        NumCopies = 3;
        PrintColorSettings colors;
        colors.fontName = QStringLiteral("Courier New");
        QVERIFY(WritePrintColorsFile(colors));
        DialogsInstalled installed;
        auto surface = std::make_shared<RecordingPrintSurface>();
        installed.dialogs->AnswerPrinter(fault == QLatin1String("cancel") ? nullptr : surface);
        const QString body = QStringLiteral("TamselProposals/ProposalBody/1001.txt");
        if (fault != QLatin1String("missing body"))
            WriteBody(*folder, 3);
        const QByteArray before = folder->read(body);
        if (fault == QLatin1String("bad logo")) {
            folder->write("Logo.png", "not a picture at all");
            QVERIFY(WriteLogoPathFile(folder->file("Logo.png")));
        }
        if (fault.startsWith(QLatin1String("refused from ")))
            surface->RefusePagesFrom(fault.right(1).toInt());
        surface->RefuseToFinish(fault == QLatin1String("unfinished"));

        QCOMPARE(int(PrintProposalWithDialog(Document())), outcome);
        QVERIFY(installed.dialogs->ScriptUsed());
        QCOMPARE(surface->PagesStarted(), pagesStarted);
        QCOMPARE(folder->read(body), before);
        if (outcome == int(PrintOutcome::Printed))
            QCOMPARE(TextsStarting(*surface, QStringLiteral("Proposal")).first().font.name,
                     QStringLiteral("Courier New"));
    }

private:
    std::unique_ptr<TestFolder> folder;
};

TAMSEL_TEST(PrintRunTest)
#include "tst_PrintRun.moc"
