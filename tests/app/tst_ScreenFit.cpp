#include "../customers/CustomerFixtures.h"
#include "../records/ProposalFixtures.h"
#include "LayoutCheck.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "app/Startup.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "common/WindowPlacement.h"
#include "customers/frmCustomer.h"
#include "proposals/InventoryFiles.h"
#include "proposals/ItemWindow.h"
#include "proposals/PaymentSchedule.h"
#include "proposals/frmWriteProposal.h"
#include "records/frmFieldProposal.h"
#include "records/frmProposalReport.h"
#include "records/frmTerms.h"
#include "settings/BusinessFiles.h"
#include "settings/SettingsUi.h"
#include "settings/frmSetup.h"
#include "telephone/frmDialer.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

// Every screen, at every stage, fits a 1280x800 desktop, and a window kept
// from a bigger screen comes back onto the one it opens on.
class ScreenFitTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void savedPlaceIsBroughtOntoTheScreen_data();
    void savedPlaceIsBroughtOntoTheScreen();
    void everyStageFits_data();
    void everyStageFits();
};

void ScreenFitTest::savedPlaceIsBroughtOntoTheScreen_data() {
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    const QRect desktop(0, 0, 1280, 760);
    // Inner geometries; the frame adds 4 at the sides and bottom, 32 on top.
    QTest::newRow("fits") << QRect(100, 80, 1000, 600) << desktop << QRect(100, 80, 1000, 600);
    QTest::newRow("too wide") << QRect(50, 80, 1555, 600) << desktop << QRect(4, 80, 1272, 600);
    QTest::newRow("too tall") << QRect(100, 40, 900, 898) << desktop << QRect(100, 32, 900, 724);
    QTest::newRow("off to the right") << QRect(1200, 100, 800, 500) << desktop << QRect(476, 100, 800, 500);
    QTest::newRow("negative position") << QRect(-300, -50, 800, 500) << desktop << QRect(4, 32, 800, 500);
    QTest::newRow("smaller screen than saved")
        << QRect(200, 150, 1555, 898) << QRect(0, 24, 1024, 720) << QRect(4, 56, 1016, 684);
    QTest::newRow("second screen keeps its place")
        << QRect(1400, 100, 800, 600) << QRect(1280, 0, 1920, 1080) << QRect(1400, 100, 800, 600);
}

void ScreenFitTest::savedPlaceIsBroughtOntoTheScreen() {
    QFETCH(QRect, saved);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    const QMargins frame = TamselForm::DecorationAllowance;
    QCOMPARE(FitOnScreen(saved, frame, available), expected);
    QVERIFY(available.contains(expected.marginsAdded(frame)));
}

namespace {

void WriteBusiness(const TestFolder &folder) {
    folder.write(QStringLiteral("MyBusinessData.txt"),
                 "\"Harbor Lane Roofing\",\"118 Harbor Lane\",\"Suite 4\",\"Springfield\",\"OR\",\"97477\","
                 "\"(541) 555-0142\",\"info@harborlane.example\",\"FEIN 12-3456789\"\r\n");
    folder.write(QStringLiteral("PrintColors.txt"), "8388608\r\n128\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n");
    LoadBusinessData();
    LoadProposalCounter();
}

CustomerRecord Marsh() {
    CustomerRecord rec = Individual(QStringLiteral("300"), QStringLiteral("Ellen"), QStringLiteral("Marsh"),
                                    QStringLiteral("Springfield"));
    rec.Title = QStringLiteral("Mrs.");
    rec.Address1 = QStringLiteral("88 Maple Avenue");
    rec.Address2 = QStringLiteral("Back door, ring twice");
    rec.State = QStringLiteral("IL");
    rec.PostalCode = rec.Address4 = QStringLiteral("62702");
    rec.Phone = QStringLiteral("217-555-0142");
    return rec;
}

// The writer taken through its stages as the user goes: 1 location, 2 body,
// 3 picking dates, 4 schedule complete, 5 finalize and print.
TamselForm *Writer(TestFolder &folder, int stage, bool items) {
    MakeProposalFolders(folder);
    QDir().mkpath(folder.file(QStringLiteral("Templates/Proposals")));
    WriteCustomers(folder, {Marsh()});
    InventoryItemRecord shingles;
    shingles.Description = QStringLiteral("Shingles, architectural, 30-year, Weathered Wood");
    shingles.Category = QStringLiteral("Roof");
    shingles.SellingPrice = Money(325);
    folder.write(QStringLiteral("QXInventoriedItems.txt"), InventoryItemLayout().Write(shingles));
    ProposalNo = 1001;
    CustomerRecNo = 1;
    auto *w = ScreenRegistry::Get<frmWriteProposal>();
    ScreenRegistry::Show(w);
    w->Form_Activate();
    if (stage >= 2) {
        w->cmdCreation_Click(0);
        w->optCreate[2]->click();
        w->cmdAddBasic_Click();
        w->txtBody->appendPlainText(QStringLiteral("the re-roofing of the house at 17 Lakeview Court"));
        w->cmdTax_Click(2);
        w->cmdAddTerms_Click();
        w->txtBody_GotFocus();
        if (items)
            w->mnuItems->trigger();
    }
    const auto pick = [w](QDate date) {
        w->MonthView1->setSelectedDate(date);
        emit w->MonthView1->clicked(date);
    };
    const QDate today(2026, 12, 5);
    if (stage >= 3) {
        w->cmdCreation_Click(2);
        w->txtAmount->setText(QStringLiteral("8400"));
        w->txtAmount_LostFocus();
        w->optPayment[2]->click();
        w->cboPayments->setCurrentIndex(w->cboPayments->count() - 1); // the most rows
        w->cboPayments_Click();
        w->cmdMultiContinue_Click();
        w->ckAllEqual->click();
        pick(today.addDays(10));
    }
    if (stage >= 4)
        for (int k = 1; k < w->cboPayments->count(); ++k)
            pick(today.addDays(10).addMonths(k));
    if (stage >= 5) {
        w->cmdCreation_Click(4);
        w->cmdContinue_Click();
    }
    return w;
}

TamselForm *Customer(TestFolder &folder, const QString &stage) {
    QList<CustomerRecord> records = {Business(QStringLiteral("100"), QStringLiteral("Smith Plumbing"),
                                              QStringLiteral("Springfield")),
                                     Marsh()};
    WriteCustomers(folder, records);
    folder.write(QStringLiteral("AuxHeadings.txt"), "Gate code\r\nDog\r\nWater shut-off\r\nPanel\r\nParking\r\nNotes\r\n");
    auto *form = ScreenRegistry::Get<frmCustomer>();
    ScreenRegistry::Show(form);
    form->Form_Activate();
    if (stage == QLatin1String("individual"))
        form->cmdNav_Click(2);
    if (stage.startsWith(QLatin1String("search"))) {
        form->Command1_Click(0);
        form->optSearch[0]->setChecked(true);
        form->txtSearchfor->setText(QStringLiteral("s"));
        if (stage == QLatin1String("search results"))
            form->cmdStartSearch_Click();
    }
    if (stage.startsWith(QLatin1String("aux"))) {
        form->mnuAux_Click();
        if (stage == QLatin1String("aux enlarged"))
            form->txtAux_DblClick(5);
    }
    return form;
}

TamselForm *Report(TestFolder &folder, bool quote) {
    MakeProposalFolders(folder);
    folder.write(ProposalPath(1001), OrdinaryProposal(1001, "4850", "2026-11-20", "Margaret Olsen"));
    folder.write(BodyPath(1001), "Tear off the existing roof down to the deck.\r\n");
    folder.write(PaymentsPath(1001), "$4,850.00\r\n1\r\n$4,850.00\r\n11/20/2026\r\n");
    folder.write(ProposalPath(1002), FieldProposal(1002, "0", "2026-12-01", "A-100", "Harbor Lane Roofing"));
    auto *report = ScreenRegistry::Get<frmProposalReport>();
    ScreenRegistry::Show(report);
    if (quote) {
        folder.prompt->Answer(MsgAnswer::Yes);
        report->fgProposals_Click(1, 2);
    } else {
        report->fgProposals_Click(2, 2);
    }
    return report;
}

} // namespace

void ScreenFitTest::everyStageFits_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("stage");
    const auto row = [](const char *screen, const char *stage) {
        QTest::addRow("%s, %s", screen, stage) << QString::fromLatin1(screen) << QString::fromLatin1(stage);
    };
    row("splash", "welcome");
    row("main menu", "");
    for (const char *tab : {"business", "options printing", "options phone", "proposal", "logo", "help"})
        row("setup", tab);
    for (const char *stage : {"business", "individual", "search", "search results", "aux", "aux enlarged"})
        row("customer", stage);
    for (const char *stage : {"location", "body", "body with items", "picking dates", "schedule complete",
                              "finalize and print"})
        row("writer", stage);
    row("field proposal", "");
    row("terms", "");
    row("report", "proposal shown");
    row("report", "price quote");
    row("dialer", "");
    row("dialer", "help");
}

void ScreenFitTest::everyStageFits() {
    QFETCH(QString, screen);
    QFETCH(QString, stage);
    TestFolder folder;
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    // Each screen at its own first size, not at one an earlier test left.
    QSettings(QStringLiteral("TamselProposal"), QStringLiteral("TamselProposal")).clear();
    TamselForm *form = nullptr;
    if (screen == QLatin1String("splash")) {
        QVERIFY(StartUp(folder.path())); // no business data: the welcome panel
        auto *splash = ScreenRegistry::Existing<frmSplash>();
        splash->cmdContinue_Click();
        QVERIFY(splash->fraWelcome->isVisible());
        form = splash;
    } else {
        WriteBusiness(folder);
    }
    if (screen == QLatin1String("main menu")) {
        form = ScreenRegistry::Get<frmStartup>();
        ScreenRegistry::Show(form);
    } else if (screen == QLatin1String("setup")) {
        auto *setup = ScreenRegistry::Get<frmSetup>();
        ScreenRegistry::Show(setup);
        QVERIFY(QTest::qWaitForWindowExposed(setup));
        const QStringList tabs = {QStringLiteral("business"), QStringLiteral("options"),
                                  QStringLiteral("proposal"), QStringLiteral("logo"), QStringLiteral("help")};
        setup->tabSetup->setCurrentIndex(tabs.indexOf(stage.section(QLatin1Char(' '), 0, 0)));
        setup->tabSub->setCurrentIndex(stage.endsWith(QLatin1String("phone")) ? frmSetup::PhoneTab
                                                                               : frmSetup::PrintingTab);
        form = setup;
    } else if (screen == QLatin1String("customer")) {
        form = Customer(folder, stage);
    } else if (screen == QLatin1String("writer")) {
        const QStringList stages = {QStringLiteral("location"),       QStringLiteral("body"),
                                    QStringLiteral("picking dates"),  QStringLiteral("schedule complete"),
                                    QStringLiteral("finalize and print")};
        const bool items = stage == QLatin1String("body with items");
        form = Writer(folder, items ? 2 : int(stages.indexOf(stage)) + 1, items);
        auto *w = static_cast<frmWriteProposal *>(form);
        if (items)
            QVERIFY(w->FraItems->isVisible());
        if (stage == QLatin1String("schedule complete")) // the tallest schedule
            QVERIFY(w->txtPayment[PaymentRules::MaxPayments - 1]->isVisible());
    } else if (screen == QLatin1String("field proposal")) {
        WriteCustomers(folder, {Marsh()});
        CustomerRecNo = 1;
        form = ScreenRegistry::Get<frmFieldProposal>();
        ScreenRegistry::Show(form);
    } else if (screen == QLatin1String("terms")) {
        form = ScreenRegistry::Get<frmTerms>();
        ScreenRegistry::Show(form);
    } else if (screen == QLatin1String("report")) {
        form = Report(folder, stage == QLatin1String("price quote"));
    } else if (screen == QLatin1String("dialer")) {
        auto *dialer = ScreenRegistry::Get<frmDialer>();
        ScreenRegistry::Show(dialer);
        if (stage == QLatin1String("help"))
            dialer->cmdHelp->click();
        form = dialer;
    }
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCoreApplication::processEvents();
    const QStringList faults = FitFaults(form);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

TAMSEL_TEST(ScreenFitTest)
#include "tst_ScreenFit.moc"
