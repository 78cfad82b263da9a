#include "../customers/CustomerFixtures.h"
#include "LayoutCheck.h"
#include "ProposalFixtures.h"
#include "TestMain.h"

#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "records/ProposalReportModel.h"
#include "records/frmFieldProposal.h"
#include "records/frmProposalReport.h"
#include "records/frmTerms.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>
#include <QTest>

// The report (with a proposal's details, and with the quote frame), the
// field proposal and the terms screens are tidy at their first size and when the window
// grows. With TAMSEL_SCREENSHOTS set to a folder the pictures are saved there.
class RecordsScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void screensAreTidy_data();
    void screensAreTidy();
};

void RecordsScreenshotsTest::screensAreTidy_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("report with details") << QStringLiteral("proposals-report");
    QTest::newRow("report with quote") << QStringLiteral("proposals-report-quote");
    QTest::newRow("field proposal") << QStringLiteral("field-proposal");
    QTest::newRow("terms") << QStringLiteral("frmTerms");
}

void RecordsScreenshotsTest::screensAreTidy() {
    QFETCH(QString, name);
    TestFolder folder;
    QSettings(QStringLiteral("TamselProposal"), QStringLiteral("TamselProposal")).clear();
    MakeProposalFolders(folder);
    folder.write(ProposalPath(1001), OrdinaryProposal(1001, "4850", "2026-11-20", "Margaret Olsen"));
    folder.write(BodyPath(1001), "Tear off the existing roof down to the deck.\r\n"
                                 "Install ice and water shield along the eaves and valleys.\r\n"
                                 "Install 30-year architectural shingles, color Weathered Wood.\r\n"
                                 "Replace all pipe boots and flashing; haul away all debris.\r\n");
    folder.write(PaymentsPath(1001), "$4,850.00\r\n3\r\n$1,000.00\r\n11/20/2026\r\n$2,000.00\r\n12/4/2026\r\n"
                                     "$1,850.00\r\n12/18/2026\r\n");
    folder.write(StatePath(1001), "\"30\",\"accepted\",2,#TRUE#,8,#TRUE#\r\n");
    folder.write(ProposalPath(1002), FieldProposal(1002, "0", "2026-12-01", "A-100", "Harbor Lane Roofing"));
    folder.write(ProposalPath(1003), OrdinaryProposal(1003, "1250.5", "2026-10-02", "Ann Lee"));
    folder.write(ProposalPath(1004), FieldProposal(1004, "2300", "2026-11-28", "B-207", "Mr. John Q Smith"));

    folder.write(QStringLiteral("CustomTerms.txt"), "\"Payment due within 30 days of completion.\r\n"
                                                  "A service charge of 1.5% per month applies to late payments.\"\r\n");
    folder.write(QStringLiteral("CustomDisclaimer.txt"), "\"Owner to carry fire and other necessary insurance.\"\r\n");
    TamselForm *screen = nullptr;
    if (name == QLatin1String("frmTerms")) {
        screen = ScreenRegistry::Get<frmTerms>();
    } else if (name == QLatin1String("field-proposal")) {
        WriteCustomers(folder, {Individual(QStringLiteral("B-207"), QStringLiteral("John"), QStringLiteral("Smith"))});
        CustomerRecNo = 1;
        ProposalNo = 1005;
        screen = ScreenRegistry::Get<frmFieldProposal>();
    } else {
        screen = ScreenRegistry::Get<frmProposalReport>();
    }
    const QSize first = screen->size();
    ScreenRegistry::Show(screen);
    QVERIFY(QTest::qWaitForWindowActive(screen));
    if (auto *report = qobject_cast<frmProposalReport *>(screen)) {
        QCOMPARE(report->Model()->rowCount(), 4);
        if (name == QLatin1String("proposals-report")) {
            report->fgProposals_Click(3, 0);
            report->fgProposals_Click(1, 2);
            report->fgProposals->setCurrentIndex(report->Model()->index(0, 2));
            QVERIFY(report->fraProposal->isVisible());
        } else {
            folder.prompt->Answer(MsgAnswer::Yes);
            report->fgProposals_Click(2, 2);
            report->txtQuote->setText(QStringLiteral("3150"));
            QVERIFY(report->fraQuote->isVisible());
        }
    }
    const QStringList faults = TidyAtBothSizes(screen, first);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QVERIFY(SaveScreenshot(screen, name));
}

TAMSEL_TEST(RecordsScreenshotsTest)
#include "tst_RecordsScreenshots.moc"
