#include "records/frmProposalReport.h"

#include "common/CommonRoutines.h"
#include "common/FlexGrid.h"
#include "common/FolderIndex.h"
#include "common/KeyFiltersUi.h"
#include "common/LocaleTexts.h"
#include "common/ScreenRegistry.h"
#include "platform/UserPrompt.h"
#include "printing/ProposalPrinting.h"
#include "proposals/ProposalFiles.h"
#include "records/ProposalReportModel.h"
#include "records/StoredProposal.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <optional>

namespace {

QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &caption) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &caption = {}) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

const QString FieldIntro = QStringLiteral("This Proposal is a Field Proposal\r\n");

} // namespace

frmProposalReport::frmProposalReport() : TamselForm(QStringLiteral("frmProposalReport")) {
    setWindowTitle(QStringLiteral("Proposals"));
    model_ = new ProposalReportModel(this);

    Label1[3] = MakeLabel(this, QStringLiteral("Label1_3"), QStringLiteral("The Grid Contains all Proposals"));
    Label1[5] = MakeLabel(this, QStringLiteral("Label1_5"),
                          QStringLiteral("Click a Proposal No in the grid to view details"));
    Label1[2] = MakeLabel(this, QStringLiteral("Label1_2"),
                          QStringLiteral("Click the Select Column to DELETE Proposal(s)"));
    QFont bold = Label1[3]->font();
    bold.setBold(true);
    Label1[3]->setFont(bold);

    fgProposals = new QTableView(this);
    fgProposals->setObjectName(QStringLiteral("fgProposals"));
    fgProposals->setModel(model_);
    fgProposals->verticalHeader()->hide();
    fgProposals->horizontalHeader()->setSectionsClickable(false);
    fgProposals->horizontalHeader()->setHighlightSections(false);
    fgProposals->setSelectionMode(QAbstractItemView::SingleSelection);
    fgProposals->setSelectionBehavior(QAbstractItemView::SelectItems);
    fgProposals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgProposals->setWordWrap(false);
    fgProposals->setContextMenuPolicy(Qt::CustomContextMenu);
    const QFontMetrics metrics(fgProposals->font());
    const auto &columns = ProposalReportModel::Columns();
    for (int c = 0; c < columns.size(); ++c) {
        // As wide as the heading's text with its spaces, in the grid's font.
        const int chars = std::max<int>(columns[c].widthChars, int(columns[c].heading.size()));
        fgProposals->setColumnWidth(c, chars * metrics.averageCharWidth() + 12);
    }
    fgProposals->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
    fgProposals->horizontalHeader()->setStretchLastSection(true);
    fgProposals->setMinimumHeight(220);
    connect(fgProposals, &QTableView::clicked, this,
            [this](const QModelIndex &index) { fgProposals_Click(index.row() + 1, index.column()); });
    connect(fgProposals, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex index = fgProposals->indexAt(at);
        if (index.isValid())
            fgProposals_RightClick(index.row() + 1);
    });

    // The details of one proposal: its body beside its payment schedule.
    fraProposal = new QGroupBox(QStringLiteral("Proposal Body"), this);
    fraProposal->setObjectName(QStringLiteral("fraProposal"));
    txtProposalBody = new QPlainTextEdit(fraProposal);
    txtProposalBody->setObjectName(QStringLiteral("txtProposalBody"));
    txtProposalBody->setReadOnly(true);
    txtProposalBody->setMinimumSize(360, 200);
    auto *schedule = new QGridLayout;
    Label1[4] = MakeLabel(fraProposal, QStringLiteral("Label1_4"), QStringLiteral("Payment Schedule"));
    Label1[4]->setFont(bold);
    lblPayment[1] = MakeLabel(fraProposal, QStringLiteral("lblPayment_1"), QStringLiteral("Proposed Amount"));
    lblPayment[0] = MakeLabel(fraProposal, QStringLiteral("lblPayment_0"), QStringLiteral("Total Payments"));
    lblPayments = MakeLabel(fraProposal, QStringLiteral("lblPayments"));
    for (int i = 0; i < 9; ++i) {
        lblAmount[i] = MakeLabel(fraProposal, QStringLiteral("lblAmount_%1").arg(i));
        lblAmount[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblAmount[i]->setMinimumWidth(110);
    }
    for (int i = 0; i < 8; ++i) {
        lblDate[i] = MakeLabel(fraProposal, QStringLiteral("lblDate_%1").arg(i));
        lblDate[i]->setMinimumWidth(90);
    }
    Label1[6] = MakeLabel(fraProposal, QStringLiteral("Label1_6"),
                          QString(53, QLatin1Char(' ')) + QStringLiteral("No Payment data was found"));
    Label1[6]->hide();
    schedule->addWidget(Label1[4], 0, 0, 1, 2);
    schedule->addWidget(lblPayment[1], 1, 0);
    schedule->addWidget(lblAmount[0], 1, 1);
    schedule->addWidget(lblPayment[0], 2, 0);
    schedule->addWidget(lblPayments, 2, 1);
    for (int i = 1; i <= 8; ++i) {
        schedule->addWidget(lblDate[i - 1], 2 + i, 0);
        schedule->addWidget(lblAmount[i], 2 + i, 1);
    }
    schedule->addWidget(Label1[6], 11, 0, 1, 2);
    schedule->setRowStretch(12, 1);
    cmdReport[1] = MakeButton(fraProposal, QStringLiteral("cmdReport_1"), QStringLiteral("&Close"));
    cmdPrintAgain = MakeButton(fraProposal, QStringLiteral("cmdPrintAgain"), QStringLiteral("Print &Again"));
    cmdPrintAgain->setToolTip(QStringLiteral("Print this Proposal again, or save it as a PDF file"));
    cmdPreview = MakeButton(fraProposal, QStringLiteral("cmdPreview"), QStringLiteral("Pre&view"));
    cmdEmail = MakeButton(fraProposal, QStringLiteral("cmdEmail"), QStringLiteral("&E-mail"));
    cmdEmail->setToolTip(QStringLiteral("Save this Proposal as a PDF file and hand it to the mail program"));
    auto *detailButtons = new QHBoxLayout;
    detailButtons->addStretch(1);
    detailButtons->addWidget(cmdPreview);
    detailButtons->addWidget(cmdPrintAgain);
    detailButtons->addWidget(cmdEmail);
    detailButtons->addWidget(cmdReport[1]);
    auto *details = new QGridLayout(fraProposal);
    details->addWidget(txtProposalBody, 0, 0);
    details->addLayout(schedule, 0, 1);
    details->addLayout(detailButtons, 1, 0, 1, 2);
    details->setColumnStretch(0, 1);
    fraProposal->hide();

    // The price quoted for a field proposal.
    fraQuote = new QGroupBox(QStringLiteral("Enter Proposal Quote"), this);
    fraQuote->setObjectName(QStringLiteral("fraQuote"));
    txtQuote = new QLineEdit(fraQuote);
    txtQuote->setObjectName(QStringLiteral("txtQuote"));
    txtQuote->setMinimumWidth(140);
    cmdQuote[0] = MakeButton(fraQuote, QStringLiteral("cmdQuote_0"), QStringLiteral("&Save Price Quote"));
    cmdQuote[1] = MakeButton(fraQuote, QStringLiteral("cmdQuote_1"), QStringLiteral("&Cancel"));
    auto *quote = new QHBoxLayout(fraQuote);
    quote->addWidget(txtQuote, 1);
    quote->addWidget(cmdQuote[0]);
    quote->addWidget(cmdQuote[1]);
    fraQuote->hide();
    connect(txtQuote, &QLineEdit::returnPressed, this, [this] { cmdQuote_Click(0); });

    cmdReport[2] = MakeButton(this, QStringLiteral("cmdReport_2"), QStringLiteral("&Delete Selected Proposals"));
    cmdReport[0] = MakeButton(this, QStringLiteral("cmdReport_0"), QStringLiteral("&Menu"));
    for (int i = 0; i < 3; ++i)
        connect(cmdReport[i], &QPushButton::clicked, this, [this, i] { cmdReport_Click(i); });
    for (int i = 0; i < 2; ++i)
        connect(cmdQuote[i], &QPushButton::clicked, this, [this, i] { cmdQuote_Click(i); });
    connect(cmdPrintAgain, &QPushButton::clicked, this, [this] { PrintAgain(detailsFile_); });
    connect(cmdPreview, &QPushButton::clicked, this, [this] { PreviewAgain(detailsFile_); });
    connect(cmdEmail, &QPushButton::clicked, this, [this] { EmailAgain(detailsFile_); });

    mnuProposal = new QMenu(this);
    mnuProposal->setObjectName(QStringLiteral("mnuProposal"));
    const QString states[3] = {QStringLiteral("Mark as &Open"), QStringLiteral("Mark as &Accepted"),
                               QStringLiteral("Mark as &Declined")};
    for (int i = 0; i < 3; ++i) {
        mnuState[i] = mnuProposal->addAction(states[i]);
        mnuState[i]->setObjectName(QStringLiteral("mnuState_%1").arg(i));
        connect(mnuState[i], &QAction::triggered, this, [this, i] { mnuState_Click(i); });
    }
    mnuProposal->addSeparator();
    mnuPrintAgain = mnuProposal->addAction(QStringLiteral("&Print Again..."));
    mnuPrintAgain->setObjectName(QStringLiteral("mnuPrintAgain"));
    mnuPreview = mnuProposal->addAction(QStringLiteral("Pre&view"));
    mnuPreview->setObjectName(QStringLiteral("mnuPreview"));
    mnuEmail = mnuProposal->addAction(QStringLiteral("&E-mail..."));
    mnuEmail->setObjectName(QStringLiteral("mnuEmail"));
    const auto menuFile = [this] {
        return menuRow_ >= 0 && menuRow_ < model_->rowCount() ? model_->RowAt(menuRow_).fileName : QString();
    };
    connect(mnuPrintAgain, &QAction::triggered, this, [this, menuFile] { PrintAgain(menuFile()); });
    connect(mnuPreview, &QAction::triggered, this, [this, menuFile] { PreviewAgain(menuFile()); });
    connect(mnuEmail, &QAction::triggered, this, [this, menuFile] { EmailAgain(menuFile()); });

    auto *hints = new QHBoxLayout;
    hints->addWidget(Label1[3]);
    hints->addStretch(1);
    hints->addWidget(Label1[5]);
    hints->addStretch(1);
    hints->addWidget(Label1[2]);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdReport[2]);
    buttons->addStretch(1);
    buttons->addWidget(cmdReport[0]);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(hints);
    layout->addWidget(fgProposals, 1);
    layout->addWidget(fraQuote);
    layout->addWidget(fraProposal, 1);
    layout->addLayout(buttons);
    resize(1000, 620);
}

void frmProposalReport::Form_Activate() {
    // An activation still on its way after the screen unloaded itself.
    if (unloaded_)
        return;
    HookWheel(this, fgProposals);
    FillGrid();
}

bool frmProposalReport::FillGrid() {
    fraQuote->hide();
    fraProposal->hide();
    quoteFile_.clear();
    detailsFile_.clear();
    const int rows = model_->Fill();
    if (rows == 0) {
        MsgBox(QStringLiteral("No Proposals Exist"));
        unloaded_ = true;
        ScreenRegistry::Unload(this);
        ScreenRegistry::Show(Screen::MainMenu);
        return false;
    }
    fgProposals->setCurrentIndex(model_->index(0, 0));
    return true;
}

void frmProposalReport::cmdReport_Click(int Index) {
    switch (Index) {
    case 0:
        unloaded_ = true;
        ScreenRegistry::Unload(this);
        ScreenRegistry::Show(Screen::MainMenu);
        break;
    case 1:
        fraProposal->hide();
        detailsFile_.clear();
        break;
    case 2:
        DeleteSelected();
        break;
    }
}

void frmProposalReport::fgProposals_Click(int Row, int Col) {
    const int row = Row - 1;
    if (row < 0 || row >= model_->rowCount())
        return; // the heading row
    const auto &proposal = model_->RowAt(row);
    if (Col == ProposalReportModel::SelectColumn) {
        model_->ToggleSelection(row);
        return;
    }
    if (Col != ProposalReportModel::NumberColumn)
        return;
    if (!proposal.IsFieldProposal()) {
        ShowDetails(row);
        return;
    }
    // A damaged field proposal is never rewritten with a price.
    if (proposal.unreadable) {
        ReportDamagedFile(proposal.fileName, QStringLiteral("No Price Quote can be entered for this Proposal."));
        return;
    }
    const QString amount = model_->data(model_->index(row, ProposalReportModel::AmountColumn)).toString();
    if (amount != CurrencyText(Currency{})) {
        MsgBox(FieldIntro + QStringLiteral("No further Data can be added"));
        return;
    }
    if (MsgBox(FieldIntro + QStringLiteral("Would You like to enter the Price Quoted?"), MsgButtons::YesNo,
               QStringLiteral("Field Proposal")) != MsgAnswer::Yes)
        return;
    quoteFile_ = proposal.fileName;
    txtQuote->clear();
    fraQuote->setTitle(QStringLiteral("Enter Proposal Quote") + QStringLiteral(" - ") + proposal.number);
    fraQuote->show();
    txtQuote->setFocus();
}

void frmProposalReport::fgProposals_RightClick(int Row) {
    menuRow_ = Row - 1;
    if (menuRow_ < 0 || menuRow_ >= model_->rowCount())
        return;
    fgProposals->setCurrentIndex(model_->index(menuRow_, ProposalReportModel::NumberColumn));
    mnuProposal->popup(QCursor::pos());
}

void frmProposalReport::ShowDetails(int modelRow) {
    const QString name = model_->RowAt(modelRow).fileName;
    for (QLabel *label : lblAmount)
        label->clear();
    for (QLabel *label : lblDate)
        label->clear();
    lblPayments->clear();
    Label1[6]->hide();
    fraQuote->hide();
    fraProposal->setTitle(QStringLiteral("Proposal Body") + QStringLiteral(" - ") + model_->RowAt(modelRow).number);
    fraProposal->show();
    detailsFile_ = name;

    // Never the body of the proposal shown before: without a body to show
    // the box is empty and says why.
    txtProposalBody->clear();
    const auto body = ReadBodyFile(name);
    if (body.ok())
        txtProposalBody->setPlainText(BoxLineEnds(body.value));
    QString why;
    if (body.outcome != ReadOutcome::Read)
        why = QStringLiteral("The body file ProposalBody\\") + name +
              (body.outcome == ReadOutcome::Missing ? QStringLiteral(" is missing.")
                                                    : QStringLiteral(" could not be read."));
    txtProposalBody->setPlaceholderText(why);
    const auto payments = ReadPaymentsFile(name);
    if (!payments.ok()) {
        Label1[6]->show();
        if (payments.outcome == ReadOutcome::Unreadable)
            ReportDamagedFile(QStringLiteral("ProposalPayments\\") + name,
                              QStringLiteral("The payments of this Proposal are not shown."));
        return;
    }
    for (int i = 1; i <= 8; ++i) {
        lblAmount[i]->hide();
        lblDate[i - 1]->hide();
    }
    lblAmount[0]->setText(CurrencyText(payments.value.price));
    const int count = int(payments.value.payments.size());
    lblPayments->setText(QString::number(count));
    for (int i = 1; i <= count; ++i) {
        const PaymentLine &line = payments.value.payments[i - 1];
        lblAmount[i]->setText(CurrencyText(line.amount));
        lblDate[i - 1]->setText(line.dueText);
        lblAmount[i]->show();
        lblDate[i - 1]->show();
    }
}

void frmProposalReport::cmdQuote_Click(int Index) {
    if (Index == 1) {
        fraQuote->hide();
        quoteFile_.clear();
        return;
    }
    const auto refuse = [this] {
        txtQuote->clear();
        txtQuote->setFocus();
    };
    if (!FormatCurrencyBox(txtQuote))
        return refuse();
    const auto amount = CurrencyAmount(txtQuote->text());
    const int row = model_->RowOfFile(quoteFile_);
    if (!amount)
        return refuse();
    if (row < 0) {
        fraQuote->hide();
        return;
    }
    // The file as it is now: one damaged since the grid was filled stays as it is.
    if (ReadProposalFile(quoteFile_).outcome != ReadOutcome::Read) {
        ReportDamagedFile(quoteFile_, QStringLiteral("No Price Quote can be entered for this Proposal."));
        return;
    }
    if (!WriteProposalPrice(quoteFile_, *amount)) {
        ReportWriteFailure(quoteFile_);
        return;
    }
    model_->SetPrice(row, *amount);
    fraQuote->hide();
    quoteFile_.clear();
}

void frmProposalReport::mnuState_Click(int Index) {
    if (menuRow_ < 0 || menuRow_ >= model_->rowCount() || Index < 0 || Index > 2)
        return;
    const auto &row = model_->RowAt(menuRow_);
    // A damaged state file is left for the user to look at, not written over.
    if (row.stateOutcome == ReadOutcome::Unreadable) {
        ReportDamagedFile(QStringLiteral("ProposalState\\") + row.fileName,
                          QStringLiteral("The state of this Proposal cannot be changed."));
        return;
    }
    ProposalState state = row.state;
    state.status = static_cast<ProposalStatus>(Index);
    if (!WriteProposalState(row.fileName, state)) {
        ReportWriteFailure(QStringLiteral("ProposalState\\") + row.fileName);
        return;
    }
    model_->SetState(menuRow_, state);
}

void frmProposalReport::PrintAgain(const QString &fileName) {
    if (fileName.isEmpty())
        return;
    QString damaged;
    const auto document = StoredProposalDocument(fileName, &damaged);
    if (!document.ok()) {
        ReportDamagedFile(damaged, QStringLiteral("The Proposal will not be Printed."));
        return;
    }
    PrintRun run;
    switch (PrintProposalWithDialog(document.value, &run)) {
    case PrintOutcome::Printed:
        break;
    case PrintOutcome::Cancelled:
        MsgBox(QStringLiteral("The Proposal will not be Printed"));
        break;
    case PrintOutcome::Failed:
        ReportPrintError(run.problem);
        break;
    }
}

void frmProposalReport::EmailAgain(const QString &fileName) {
    if (fileName.isEmpty())
        return;
    QString damaged;
    const auto document = StoredProposalDocument(fileName, &damaged);
    if (!document.ok()) {
        ReportDamagedFile(damaged, QStringLiteral("The Proposal will not be E-mailed."));
        return;
    }
    EmailProposal(document.value);
}

void frmProposalReport::PreviewAgain(const QString &fileName) {
    if (fileName.isEmpty())
        return;
    QString damaged;
    const auto document = StoredProposalDocument(fileName, &damaged);
    if (!document.ok()) {
        ReportDamagedFile(damaged, QStringLiteral("The Proposal cannot be shown."));
        return;
    }
    PreviewProposal(document.value);
}

void frmProposalReport::DeleteSelected() {
    QStringList kept;
    // One listing of each folder for all the marked rows, not one per row.
    auto batch = std::make_optional<FolderIndex::Batch>();
    for (const QString &name : model_->MarkedFiles()) {
        // A listed name that is not a bare file name (a literal backslash
        // left by an unzip tool) would lead into a folder and to another
        // proposal's files: it stays, untouched.
        const bool plain = IsPlainFileName(name);
        if (!plain || !DeleteProposalRecord(name)) {
            const int row = model_->RowOfFile(name);
            const bool numbered = plain && row >= 0 && !model_->RowAt(row).number.isEmpty();
            kept << (numbered ? model_->RowAt(row).number : name);
        }
    }
    batch.reset();
    if (!kept.isEmpty())
        MsgBox(QStringLiteral("These Proposals could not be Deleted and are still listed:\r\n") +
                   kept.join(QStringLiteral("\r\n")),
               MsgButtons::Ok, QStringLiteral("Proposals not Deleted"));
    FillGrid();
}
