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
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

// Every screen, at every stage, fits a 1280x800 desktop.
class ScreenFitTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void everyStageFits_data();
    void everyStageFits();
};

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
// 3 picking dates, 4 schedule complete.
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
    return w;
}

} // namespace

void ScreenFitTest::everyStageFits_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("stage");
    const auto row = [](const char *screen, const char *stage) {
        QTest::addRow("%s, %s", screen, stage) << QString::fromLatin1(screen) << QString::fromLatin1(stage);
    };
    for (const char *screen : {"splash", "main menu", "field proposal", "terms", "report", "dialer"})
        row(screen, "");
    for (const char *tab : {"business", "options printing", "options phone", "proposal", "logo", "help"})
        row("setup", tab);
    for (const char *stage : {"business", "aux enlarged"})
        row("customer", stage);
    for (const char *stage : {"location", "body with items", "schedule complete"})
        row("writer", stage);
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
        WriteCustomers(folder, {Business(QStringLiteral("100"), QStringLiteral("Smith Plumbing"),
                                         QStringLiteral("Springfield")),
                                Marsh()});
        CustomerRecNo = 1;
        MakeProposalFolders(folder);
        folder.write(ProposalPath(1001), OrdinaryProposal(1001, "4850", "2026-11-20", "Margaret Olsen"));
    }
    if (screen == QLatin1String("setup")) {
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
        folder.write(QStringLiteral("AuxHeadings.txt"), "Gate code\r\nDog\r\nWater shut-off\r\nPanel\r\nParking\r\nNotes\r\n");
        auto *customer = ScreenRegistry::Get<frmCustomer>();
        ScreenRegistry::Show(customer);
        customer->Form_Activate();
        if (stage == QLatin1String("aux enlarged")) {
            customer->mnuAux_Click();
            customer->txtAux_DblClick(5);
        }
        form = customer;
    } else if (screen == QLatin1String("writer")) {
        const QStringList stages = {QStringLiteral("location"), QStringLiteral("body"), QStringLiteral("picking dates"),
                                    QStringLiteral("schedule complete")};
        const bool items = stage == QLatin1String("body with items");
        auto *w = static_cast<frmWriteProposal *>(Writer(folder, items ? 2 : int(stages.indexOf(stage)) + 1, items));
        if (items)
            QVERIFY(w->FraItems->isVisible());
        if (stage == QLatin1String("schedule complete")) // the tallest schedule
            QVERIFY(w->txtPayment[PaymentRules::MaxPayments - 1]->isVisible());
        form = w;
    } else if (screen != QLatin1String("splash")) {
        const QHash<QString, std::function<TamselForm *()>> screens = {
            {"main menu", [] { return ScreenRegistry::Get<frmStartup>(); }},
            {"field proposal", [] { return ScreenRegistry::Get<frmFieldProposal>(); }},
            {"terms", [] { return ScreenRegistry::Get<frmTerms>(); }},
            {"report", [] { return ScreenRegistry::Get<frmProposalReport>(); }},
            {"dialer", [] { return ScreenRegistry::Get<frmDialer>(); }}};
        form = screens.value(screen)();
        ScreenRegistry::Show(form);
    }
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCoreApplication::processEvents();
    const QStringList faults = FitFaults(form);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

TAMSEL_TEST(ScreenFitTest)
#include "tst_ScreenFit.moc"
