#include "FileSizeLimit.h"
#include "ScriptedDialogs.h"
#include "SyncFault.h"
#include "TestFolder.h"
#include "TestMain.h"
#include "app/frmStartup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/CustomerRecords.h"
#include "customers/frmCustomer.h"
#include "platform/Clock.h"
#include "platform/RecordingPrintSurface.h"
#include "printing/ProposalPrinting.h"
#include "proposals/frmWriteProposal.h"
#include "proposals/InventoryFiles.h"
#include "proposals/ItemWindow.h"
#include "proposals/ProposalState.h"
#include "records/frmProposalReport.h"
#include "settings/BusinessFiles.h"
#include "settings/TermsTexts.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QMap>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QDate Today(2026, 12, 5);
const QString Proposals = QStringLiteral("TamselProposals/");
const QString Bodies = QStringLiteral("TamselProposals/ProposalBody/");
const QString PaymentsDir = QStringLiteral("TamselProposals/ProposalPayments/");
const QString States = QStringLiteral("TamselProposals/ProposalState/");

// A data folder with the proposal folders, one customer and the counter at
// the given number; the writer opened and activated for that customer.
struct Setup {
    TestFolder folder;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    frmWriteProposal *w = nullptr;

    explicit Setup(qint16 number = 1001, bool open = true) {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        Clock::SetToday([] { return Today; });
        SetDialogs(dialogs);
        for (const QString &dir : {Proposals, Bodies, PaymentsDir, QStringLiteral("Templates/Proposals/")})
            QDir().mkpath(folder.file(dir));
        CustomerRecord rec; // Mr. John Q Public
        rec.AcctNo = QStringLiteral("300");
        rec.AcctType = QStringLiteral("Individual");
        rec.Title = QStringLiteral("Mr.");
        rec.FirstName = QStringLiteral("John");
        rec.MiddleInitial = QStringLiteral("Q");
        rec.LastName = QStringLiteral("Public");
        rec.Address1 = QStringLiteral("88 Maple Avenue");
        rec.City = rec.CityCopy = QStringLiteral("Springfield");
        rec.State = QStringLiteral("IL");
        rec.PostalCode = rec.Address4 = QStringLiteral("62702");
        rec.Phone = QStringLiteral("217-555-0142");
        folder.write(QStringLiteral("CustomerData.txt"), CustomerLayout().Write(rec));
        folder.write(QStringLiteral("PrintColors.txt"), "8388608\r\n128\r\n\"Arial\"\r\n#TRUE#\r\n1\r\n");
        SaveProposalCounter(number);
        ProposalNo = number;
        CustomerRecNo = 1;
        if (open)
            Open();
    }
    ~Setup() { SetDialogs(nullptr); }

    void Open() {
        w = ScreenRegistry::Get<frmWriteProposal>();
        w->Form_Activate();
    }
    bool Shows(QWidget *widget) const { return widget->isVisibleTo(w); }

    // Stage 1 to stage 3 with a body.
    void ToPricing(const QString &body = QStringLiteral("Replace the roof.")) {
        w->cmdCreation_Click(0);
        w->txtBody->setPlainText(body);
        w->cmdCreation_Click(2);
    }
    void EnterPrice(const QString &price) {
        w->txtAmount->setText(price);
        w->txtAmount_LostFocus();
    }
    // Plan 2 with n payments, as the user makes it.
    void Schedule(int n) {
        w->optPayment[2]->click();
        w->cboPayments->setCurrentIndex(n - 1);
        w->cboPayments_Click();
        w->cmdMultiContinue_Click();
    }
    void PickDates(int n, QDate first = Today.addDays(7)) {
        for (int k = 0; k < n; ++k)
            Pick(first.addMonths(k));
    }
    // A click on a day selects it, then tells the writer.
    void Pick(const QDate &date) {
        w->MonthView1->setSelectedDate(date);
        emit w->MonthView1->clicked(date);
    }
    // A complete proposal on stage 4: 1,000.00 in one payment.
    void ToFinalize(const QString &body = QStringLiteral("Replace the roof.")) {
        ToPricing(body);
        EnterPrice(QStringLiteral("1000"));
        w->optPayment[1]->click();
        PickDates(1);
        w->cmdCreation_Click(4);
        QVERIFY(Shows(w->fraFinalize));
        w->cmdContinue_Click();
    }
    // Prints on a recording printer and confirms the print; oks: messages after it.
    std::shared_ptr<RecordingPrintSurface> PrintConfirmed(int oks = 0) {
        auto printer = std::make_shared<RecordingPrintSurface>();
        dialogs->AnswerPrinter(printer);
        folder.prompt->Answer(MsgAnswer::Yes);
        folder.prompt->AnswerOk(oks);
        w->cmdProposalContinue_Click();
        return printer;
    }
    // How many of the number's three files are there.
    int FilesOf(int number) const {
        const QString name = QString::number(number) + QStringLiteral(".txt");
        return int(folder.exists(Proposals + name)) + folder.exists(Bodies + name) +
               folder.exists(PaymentsDir + name);
    }
};

} // namespace

class frmWriteProposalTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        CloseAllScreens();
        Clock::SetToday({});
    }
    void bodyStage();
    void pricingRefusesWhatDoesNotAddUp();
    void printAndRecord_data();
    void printAndRecord();
    void lastProposalNumber();
    void failedWritePrintsNothing_data();
    void failedWritePrintsNothing();
    void planStaysWithItsSchedule_data();
    void planStaysWithItsSchedule();
    void reprintKeepsTheDisclaimerItPrinted();
    void roadFromTheMainMenu();
    void asksBeforeLosingCharacters_data();
    void asksBeforeLosingCharacters();
};

// A blank body is refused; items from the list and typed by hand go on the body,
// a typed one into the inventory at Yes; the terms go in once.
void frmWriteProposalTest::bodyStage() {
    Setup s(1001, false);
    InventoryItemRecord shingles;
    shingles.Description = QStringLiteral("Shingles");
    shingles.SellingPrice = Money(25);
    s.folder.write(QStringLiteral("QXInventoriedItems.txt"), InventoryItemLayout().Write(shingles));
    SaveCustomText(CustomTermsFile, QStringLiteral("Net 30.\r\nNo refunds."));
    s.Open();
    frmWriteProposal *w = s.w;
    w->cmdCreation_Click(0);
    s.folder.prompt->AnswerOk();
    w->cmdCreation_Click(2);
    QCOMPARE(s.folder.prompt->Texts(), QStringList{QStringLiteral("The Proposal Body cannot be blank")});

    w->txtBody_GotFocus(); // the menu waits for the body to have the focus
    w->mnuItems->trigger();
    w->FraItems->lstItems->setCurrentRow(0);
    w->FraItems->lstItems_Click();
    w->FraItems->txtItem[2]->setText(QStringLiteral("2"));
    w->FraItems->cmdItem_Click(0);
    QVERIFY(w->txtBody->toPlainText().endsWith(QStringLiteral("    2 Shingles                   $25.00     $50.00")));
    w->FraItems->cmdItem_Click(3);
    w->FraItems->txtItem[0]->setText(QStringLiteral("Copper Flashing"));
    w->FraItems->txtItem[1]->setText(QStringLiteral("$12.75"));
    w->FraItems->txtItem[2]->setText(QStringLiteral("3"));
    s.folder.prompt->Answer(MsgAnswer::Yes);
    s.folder.prompt->AnswerOk(2);
    w->FraItems->cmdItem_Click(0);
    QVERIFY(w->txtBody->toPlainText().endsWith(QStringLiteral("    3 Copper Flashing            $12.75     $38.25")));
    w->FraItems->cmdItem_Click(4);
    const QByteArray inventory = s.folder.read(QStringLiteral("QXInventoriedItems.txt"));
    QCOMPARE(InventoryItemLayout().Read(inventory.mid(104)).Description.trimmed(), QStringLiteral("Copper Flashing"));
    QCOMPARE(InventoryItemLayout().Read(inventory.mid(104)).Field4, Money(12.75));
    QVERIFY(s.folder.prompt->ScriptUsed());

    // Terms asked for twice go in once; custom terms are chosen when there are any.
    w->txtBody->setPlainText(QStringLiteral("Work"));
    for (int k = 0; k < 2; ++k) {
        w->InitTermsOptions();
        w->cmdAddTerms_Click();
    }
    QCOMPARE(w->txtBody->toPlainText(), QStringLiteral("Work\n\nNet 30.\nNo refunds."));
}

// A price past the largest, a date not after the one before and payments that
// do not add up to the price are refused.
void frmWriteProposalTest::pricingRefusesWhatDoesNotAddUp() {
    Setup s;
    frmWriteProposal *w = s.w;
    s.ToPricing();
    s.folder.prompt->AnswerOk();
    s.EnterPrice(QStringLiteral("1000000000"));
    QCOMPARE(w->txtAmount->text(), QStringLiteral("1000000000"));
    QVERIFY(!w->optPayment[0]->isEnabled());
    s.EnterPrice(QStringLiteral("1000"));
    s.Schedule(2);
    s.folder.prompt->AnswerOk(3);
    s.Pick(QDate(2026, 12, 10));
    s.Pick(QDate(2026, 12, 10));
    QCOMPARE(s.folder.prompt->Texts().last(),
             QStringLiteral("The Selected date is less than or equal a previous date"));
    w->txtPayment[0]->setText(QStringLiteral("$400.00"));
    w->txtPayment[1]->setText(QStringLiteral("$500.00"));
    w->cmdCreation_Click(4);
    QCOMPARE(s.folder.prompt->Texts().last(), QStringLiteral("You must enter a Payment Date for each Payment"));
    s.Pick(Today.addMonths(3));
    w->cmdCreation_Click(4);
    QCOMPARE(s.folder.prompt->Texts().last(),
             QStringLiteral("The total of payments do not equal Proposed Amount"));
    QVERIFY(!s.Shows(w->fraFinalize));
    w->txtPayment[1]->setText(QStringLiteral("$600.00"));
    w->cmdCreation_Click(4);
    QVERIFY(s.Shows(w->fraFinalize) && s.folder.prompt->ScriptUsed());
}

void frmWriteProposalTest::printAndRecord_data() {
    QTest::addColumn<QList<int>>("answers"); // MsgAnswer values in order
    QTest::addColumn<int>("prints");         // print dialogs answered with a printer; -1: one that fails
    QTest::addColumn<bool>("cancelLast");    // the last print dialog is cancelled
    QTest::addColumn<bool>("filesKept");
    QTest::addColumn<int>("numberAfter");
    QTest::addColumn<QStringList>("texts");
    const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No), ok = int(MsgAnswer::Ok);
    const QString confirm = QStringLiteral("Did the Proposal Print Correctly");
    const QString retry = QStringLiteral("Would you like to try to Reprint?");
    const QString notPrinted = QStringLiteral("The Proposal will not be Printed");
    QTest::newRow("confirmed") << QList<int>{yes} << 1 << false << true << 1002 << QStringList{confirm};
    QTest::newRow("declined twice") << QList<int>{no, no} << 1 << false << false << 1001
                                    << QStringList{confirm, retry};
    QTest::newRow("reprinted, then confirmed") << QList<int>{no, yes, yes} << 2 << false << true << 1002
                                               << QStringList{confirm, retry, confirm};
    QTest::newRow("print dialog cancelled") << QList<int>{ok} << 0 << true << true << 1001
                                            << QStringList{notPrinted};
    QTest::newRow("print error") << QList<int>{ok} << -1 << false << true << 1001
                                 << QStringList{QStringLiteral("A Print Error has occurred")};
}

void frmWriteProposalTest::printAndRecord() {
    QFETCH(QList<int>, answers);
    QFETCH(int, prints);
    QFETCH(bool, cancelLast);
    QFETCH(bool, filesKept);
    QFETCH(int, numberAfter);
    QFETCH(QStringList, texts);
    Setup s;
    s.ToFinalize();
    QList<std::shared_ptr<RecordingPrintSurface>> printers;
    for (int i = 0; i < prints; ++i)
        s.dialogs->AnswerPrinter(printers.emplace_back(std::make_shared<RecordingPrintSurface>()));
    if (prints < 0) {
        auto refusing = std::make_shared<RecordingPrintSurface>();
        refusing->RefusePagesFrom(1);
        s.dialogs->AnswerPrinter(refusing);
    }
    if (cancelLast)
        s.dialogs->AnswerPrinter(nullptr);
    for (int answer : answers)
        s.folder.prompt->Answer(MsgAnswer(answer));
    s.w->cmdProposalContinue->click();
    QCOMPARE(s.folder.prompt->Texts(), texts);
    QVERIFY(s.dialogs->ScriptUsed() && s.folder.prompt->ScriptUsed());
    QCOMPARE(s.FilesOf(1001), filesKept ? 3 : 0);
    // The state a reprint needs goes and stays with the other files.
    QCOMPARE(s.folder.exists(States + QStringLiteral("1001.txt")), filesKept);
    QCOMPARE(int(ProposalNo), numberAfter);
    QCOMPARE(s.folder.read(QStringLiteral("TProposalCounter.txt")).trimmed(), QByteArray::number(numberAfter));
    const bool writerStays = filesKept && numberAfter == 1001;
    QCOMPARE(ScreenRegistry::Existing<frmWriteProposal>() != nullptr, writerStays);
    // Each print put the whole proposal on the printer: its body, its price, its copy.
    for (const auto &printer : printers) {
        const QStringList printed = printer->Texts();
        QVERIFY(printed.contains(QStringLiteral("Replace the roof.")));
        QVERIFY(printed.contains(QStringLiteral("Proposed Price: $1,000.00")));
        QVERIFY(printed.contains(QStringLiteral("Original")));
    }
    if (writerStays) {
        // Printing again rewrites the files of the same number without asking.
        s.w->cmdContinue_Click();
        s.PrintConfirmed();
        QCOMPARE(int(ProposalNo), 1002);
        QCOMPARE(s.FilesOf(1001), 3);
    }
}

void frmWriteProposalTest::lastProposalNumber() {
    Setup s(32767, false);
    s.folder.prompt->AnswerOk();
    s.Open();
    s.w->Form_Activate(); // warned once, not at every activation
    s.ToFinalize();
    s.PrintConfirmed(1);
    QCOMPARE(s.folder.prompt->shown.size(), 3);
    QVERIFY(s.folder.prompt->shown[0].text.contains(QStringLiteral("32767")));
    QVERIFY(s.folder.prompt->shown[2].text.contains(QStringLiteral("Setup Screen")));
    QCOMPARE(s.folder.read(QStringLiteral("TProposalCounter.txt")).trimmed(), QByteArray("32767"));
    QCOMPARE(s.FilesOf(32767), 3);
}

void frmWriteProposalTest::failedWritePrintsNothing_data() {
    QTest::addColumn<qint64>("limit"); // bytes a file may grow to; 0: every sync fails instead
    QTest::addColumn<int>("bodyLines");
    QTest::addColumn<bool>("older"); // an older proposal 1001 is there, replaced at the user's Yes
    QTest::newRow("proposal file") << qint64(60) << 1 << false;
    QTest::newRow("body file, replacing an older 1001") << qint64(600) << 60 << true;
    QTest::newRow("sync fails, replacing an older 1001") << qint64(0) << 1 << true;
}

void frmWriteProposalTest::failedWritePrintsNothing() {
    QFETCH(qint64, limit);
    QFETCH(int, bodyLines);
    QFETCH(bool, older);
    Setup s;
    const QStringList dirs = {Proposals, Bodies, PaymentsDir, States};
    if (older) {
        for (const QString &dir : dirs)
            s.folder.write(dir + QStringLiteral("1001.txt"), "older " + dir.toLatin1());
        s.folder.write(States + QStringLiteral("1001.txt"), "\"60\",\"accepted\",0,#FALSE#,8,#TRUE#,\"Old\"\r\n");
    }
    const auto filesNow = [&] {
        QMap<QString, QByteArray> files;
        for (const QString &dir : dirs)
            for (const QString &name : QDir(s.folder.file(dir)).entryList(QDir::Files | QDir::Hidden))
                files[dir + name] = s.folder.read(dir + name);
        return files;
    };
    const auto before = filesNow();
    s.ToFinalize(QStringList(bodyLines, QStringLiteral("A line of the body")).join(QLatin1Char('\n')));
    if (older) {
        // Another proposal's files are replaced only at the user's Yes.
        s.folder.prompt->Answer(MsgAnswer::No);
        s.w->cmdProposalContinue_Click();
        QCOMPARE(s.folder.prompt->shown[0].title, QStringLiteral("Proposal Exists"));
        QCOMPARE(filesNow(), before);
        s.folder.prompt->Answer(MsgAnswer::Yes);
    }
    s.folder.prompt->AnswerOk();
    if (limit > 0) {
        FileSizeLimit full(limit);
        QVERIFY(full.active());
        s.w->cmdProposalContinue_Click();
    } else {
        const int syncs = SyncFault::Calls();
        SyncFault failing;
        s.w->cmdProposalContinue_Click();
        QVERIFY(SyncFault::Calls() > syncs);
    }
    QCOMPARE(s.folder.prompt->shown.size(), older ? 3 : 1);
    QVERIFY(s.folder.prompt->shown.last().text.contains(QStringLiteral("No file of Proposal 1001 has been changed")));
    QVERIFY(s.dialogs->opened.isEmpty());
    // Every file of 1001 as it was, and nothing half done beside them.
    QCOMPARE(filesNow(), before);
    QCOMPARE(int(ProposalNo), 1001);
    QVERIFY(s.Shows(s.w->fraFinalize) && !s.Shows(s.w->fraPrint));
    // With room again the proposal is recorded whole; an older one's state goes with it.
    if (older)
        s.folder.prompt->Answer(MsgAnswer::Yes);
    s.dialogs->AnswerPrinter(nullptr);
    s.folder.prompt->AnswerOk();
    s.w->cmdProposalContinue_Click();
    QVERIFY(s.folder.prompt->ScriptUsed());
    QCOMPARE(ReadProposalState(QStringLiteral("1001.txt")).value, ProposalState{});
    QCOMPARE(filesNow().size(), 4);
}

// Equal payments shown in as many boxes as they are; a trip back to the body
// and forward again keeps the plan that made the schedule.
void frmWriteProposalTest::planStaysWithItsSchedule_data() {
    QTest::addColumn<int>("plan");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("printed");
    QTest::newRow("in full") << 1 << "1,000" << QStringList{"$1,000.00"}
                             << "Final Payment of $1,000.00 on or before 12/12/2026";
    QTest::newRow("three equal payments") << 2 << "1000" << QStringList{"$333.33", "$333.33", "$333.34"}
                                          << "Payment Due Date";
    QTest::newRow("eight equal payments") << 2 << "80" << QStringList(8, QStringLiteral("$10.00"))
                                          << "Payment Due Date";
}

void frmWriteProposalTest::planStaysWithItsSchedule() {
    QFETCH(int, plan);
    QFETCH(QString, price);
    QFETCH(QStringList, shown);
    QFETCH(QString, printed);
    Setup s;
    const int payments = int(shown.size());
    s.ToPricing();
    s.EnterPrice(price);
    if (plan == 2) {
        s.Schedule(payments);
        s.w->ckAllEqual->click();
    } else {
        s.w->optPayment[plan]->click();
    }
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(s.Shows(s.w->txtPayment[k]), k < payments);
        if (k < payments)
            QCOMPARE(s.w->txtPayment[k]->text(), shown[k]);
    }
    s.PickDates(payments);
    s.w->cmdCreation_Click(4);
    for (int index : {5, 3, 2, 4})
        s.w->cmdCreation_Click(index);
    QVERIFY(s.Shows(s.w->fraFinalize) && s.w->optPayment[plan]->isChecked());
    s.w->cmdContinue_Click();
    const auto printer = s.PrintConfirmed();
    QVERIFY(printer->Texts().contains(printed));
    QVERIFY(!printer->Texts().join(QString()).contains(QStringLiteral("Down Payment")));
    QCOMPARE(ReadProposalState(QStringLiteral("1001.txt")).value.plan, plan);
}

// The custom disclaimer reworded after a proposal printed: "Print Again" prints the words it printed with.
void frmWriteProposalTest::reprintKeepsTheDisclaimerItPrinted() {
    Setup s(1001, false);
    QVERIFY(SaveCustomText(CustomDisclaimerFile, QStringLiteral("Signed \"as is\".\nNo refunds.")));
    s.Open();
    s.ToFinalize();
    s.w->optDisclaimer[1]->setChecked(true);
    s.PrintConfirmed();
    QVERIFY(SaveCustomText(CustomDisclaimerFile, QStringLiteral("Reworded later.")));
    const auto reprint = std::make_shared<RecordingPrintSurface>();
    s.dialogs->AnswerPrinter(reprint);
    ScreenRegistry::Get<frmProposalReport>()->PrintAgain(QStringLiteral("1001.txt"));
    const QStringList texts = reprint->Texts();
    QVERIFY(texts.contains(QStringLiteral("Signed \"as is\".")) && texts.contains(QStringLiteral("No refunds.")));
    QVERIFY(!texts.join(QString()).contains(QStringLiteral("Reworded")));
}

// Main menu, customer screen, the four stages with the buttons, the print
// dialog and the confirmation: the three files byte for byte and the number advanced.
void frmWriteProposalTest::roadFromTheMainMenu() {
    Setup s(1001, false);
    BusinessData[0] = QStringLiteral("Tamsel Co");
    BusinessData[5] = QStringLiteral("62704");
    s.folder.write(QStringLiteral("ContractInfo.txt"), ContractLayout().Write(ContractRecord{}));
    s.folder.write(QStringLiteral("CycleInfo.txt"), CycleLayout().Write(CycleRecord{}));
    auto *menu = ScreenRegistry::Get<frmStartup>();
    ScreenRegistry::Show(menu);
    QVERIFY(QTest::qWaitForWindowActive(menu));
    menu->optProgramRoutine[0]->click();
    menu->cmdStart->click();
    auto *customers = ScreenRegistry::Existing<frmCustomer>();
    QVERIFY(customers && QTest::qWaitForWindowActive(customers));
    customers->cmdSchedule->click();
    auto *w = ScreenRegistry::Existing<frmWriteProposal>();
    QVERIFY(w && QTest::qWaitForWindowActive(w));
    s.w = w;
    w->txtCustomerInfo[1]->setText(QStringLiteral("  Site Owner  "));

    w->cmdCreation[0]->click();
    w->optCreate[2]->click();
    w->cmdAddBasic->click();
    QTest::keyClicks(w->txtBody, QStringLiteral("a new porch roof."));
    w->cmdAddTerms->click();
    w->cmdCreation[2]->click();
    w->txtAmount->setFocus();
    QTest::keyClicks(w->txtAmount, QStringLiteral("2400.5"));
    QTest::keyClick(w->txtAmount, Qt::Key_Return);
    QCOMPARE(w->txtAmount->text(), QStringLiteral("$2,400.50"));
    w->optPayment[0]->click();
    QTest::keyClicks(w->txtPayment[0], QStringLiteral("400.5"));
    QTest::keyClick(w->txtPayment[0], Qt::Key_Return);
    QTest::keyClicks(w->txtPayment[1], QStringLiteral("2000"));
    QTest::keyClick(w->txtPayment[1], Qt::Key_Return);
    s.Pick(Today.addDays(3));
    s.Pick(Today.addDays(30));
    w->cmdCreation[4]->click();
    w->cmdContinue->click();
    const QString body = w->txtBody->toPlainText();
    s.dialogs->AnswerPrinter(std::make_shared<RecordingPrintSurface>());
    s.folder.prompt->Answer(MsgAnswer::Yes);
    w->cmdProposalContinue->click();
    QVERIFY(s.folder.prompt->ScriptUsed() && s.FilesOf(1001) == 3);
    const QByteArray proposal = s.folder.read(Proposals + QStringLiteral("1001.txt"));
    const QByteArray customer = "\"88 Maple Avenue\"\r\n\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62702\"\r\n"
                                "\"217-555-0142\"\r\n";
    QCOMPARE(proposal, "\"1001\",2400.5,#2026-12-05#\r\n\"217-555-0142\"\r\n\"Mr. John Q Public\"\r\n" + customer +
                           "\"Site Owner\"\r\n" + customer);
    QCOMPARE(s.folder.read(Bodies + QStringLiteral("1001.txt")),
             QString(body).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toLatin1() + "\r\n");
    QCOMPARE(s.folder.read(PaymentsDir + QStringLiteral("1001.txt")),
             QByteArray("$2,400.50\r\n2\r\n$400.50\r\n12/8/2026\r\n$2,000.00\r\n1/4/2027\r\n"));
    QCOMPARE(int(ProposalNo), 1002);
    QVERIFY(!ScreenRegistry::Existing<frmWriteProposal>());
    QVERIFY(ScreenRegistry::Existing<frmStartup>() && ScreenRegistry::Existing<frmStartup>()->isVisible());
}

// What the code page cannot hold reaches a file only as the user agreed.
void frmWriteProposalTest::asksBeforeLosingCharacters_data() {
    QTest::addColumn<int>("site"); // 0 record the proposal, 2 save an inventory item
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("file"); // what is stored where, or nothing written
    QTest::addColumn<QByteArray>("bytes");
    const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No);
    QTest::newRow("proposal kept for changing") << 0 << no << Proposals << QByteArray();
    QTest::newRow("item with stand-ins") << 2 << yes << QStringLiteral("QXInventoriedItems.txt")
                                         << QByteArray("Lazienka < 30 cm ?");
}

void frmWriteProposalTest::asksBeforeLosingCharacters() {
    QFETCH(int, site);
    QFETCH(int, answer);
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    const QString typed = QStringLiteral("Łazienka ≤ 30 cm ✓");
    Setup s;
    QPlainTextEdit body;
    ItemWindow items(&body);
    QLineEdit *box = site == 2 ? items.txtItem[0] : s.w->txtCustomerInfo[2];
    box->setText(typed);
    s.w->txtBody->setPlainText(QStringLiteral("Replace the roof."));
    s.folder.prompt->Answer(MsgAnswer(answer));
    if (site == 0) {
        s.w->cmdProposalContinue_Click();
    } else {
        items.txtItem[1]->setText(QStringLiteral("$5.00"));
        if (answer == int(MsgAnswer::Yes))
            s.folder.prompt->AnswerOk(2); // the item is saved
        items.cmdItem_Click(4);
    }
    QVERIFY(s.folder.prompt->ScriptUsed());
    QVERIFY(s.folder.prompt->shown[0].text.startsWith(QStringLiteral("These characters cannot be kept in the file: ")));
    // The box shows what is stored, or still what was typed.
    QVERIFY(box->text().startsWith(answer == int(MsgAnswer::Yes) ? QStringLiteral("Lazienka < 30 cm ?") : typed));
    if (bytes.isEmpty())
        QVERIFY(!s.folder.exists(file) || QDir(s.folder.file(file)).entryList(QDir::Files).isEmpty());
    else
        QVERIFY2(s.folder.read(file).startsWith(bytes), s.folder.read(file).left(40).constData());
}

TAMSEL_TEST(frmWriteProposalTest)
#include "tst_frmWriteProposal.moc"
