#include "records/frmFieldProposal.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "common/StoredTextUi.h"
#include "customers/CustomerRecords.h"
#include "customers/frmCustomer.h"
#include "platform/Clock.h"
#include "platform/UserPrompt.h"
#include "printing/ProposalPrinting.h"
#include "proposals/ProposalFiles.h"
#include "proposals/ProposalState.h"
#include "records/StoredProposal.h"
#include "records/frmTerms.h"
#include "settings/SettingsUi.h"
#include "settings/TermsTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

namespace {

QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &caption) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QString FieldFile(qint16 number) { return ProposalFolder + QLatin1Char('\\') + ProposalFileName(number); }

// Any file of a proposal of that number: an ordinary one has four.
bool AnyFileOfNumber(qint16 number) {
    const QString name = QLatin1Char('\\') + ProposalFileName(number);
    for (const QString &folder : {ProposalFolder, BodyFolder, PaymentsFolder, ProposalStateFolder})
        if (FileExists(folder + name))
            return true;
    return false;
}

// The current customer: the record CustomerRecNo as stored, or the record
// buffer when the file does not hold it.
CustomerRecord CurrentCustomer() {
    CustomerRecord rec = CustomerRec;
    if (CustomerRecNo >= 1 && CustomerRecNo <= CustomerFileSizeNow().records && OpenCustomerFile())
        rec = GetCustomerRecord(FileNo, CustomerRecNo);
    CloseAllFiles();
    return rec;
}

} // namespace

frmFieldProposal::frmFieldProposal() : TamselForm(QStringLiteral("frmFieldProposal")) {
    setWindowTitle(QStringLiteral("Creating Field Proposals"));
    Label1[3] = MakeLabel(this, QStringLiteral("Label1_3"), QStringLiteral("Field Proposal Creation"));
    QFont heading = Label1[3]->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    Label1[3]->setFont(heading);
    Label1[3]->setAlignment(Qt::AlignCenter);
    Label3[0] = MakeLabel(this, QStringLiteral("Label3_0"),
                          QStringLiteral("With a Field Proposal, the body of the Form is lined, allowing you to fill "
                                         "in the data while visiting the account or job site."));
    Label3[0]->setWordWrap(true);
    Label3[1] = MakeLabel(this, QStringLiteral("Label3_1"), QStringLiteral("Select a Disclaimer only.  Enter Effective Days"));
    Label2[1] = MakeLabel(this, QStringLiteral("Label2_1"), QStringLiteral("The Proposal is Null and Void if not Accepted in"));
    cboDays = new QComboBox(this);
    cboDays->setObjectName(QStringLiteral("cboDays"));
    cboDays->setToolTip(QStringLiteral("The number of days the Customer has to accept"));
    Label2[2] = MakeLabel(this, QStringLiteral("Label2_2"), QStringLiteral("Days"));
    optDisclaimer[0] = new QRadioButton(QStringLiteral("Use Generic Disclaimer"), this);
    optDisclaimer[1] = new QRadioButton(QStringLiteral("Use Custom Disclaimer"), this);
    for (int i = 0; i < 2; ++i)
        optDisclaimer[i]->setObjectName(QStringLiteral("optDisclaimer_%1").arg(i));
    optDisclaimer[0]->setChecked(true);
    Label3[3] = MakeLabel(this, QStringLiteral("Label3_3"), QStringLiteral("Next Proposal"));
    txtNextFieldProposal = new QLineEdit(this);
    txtNextFieldProposal->setObjectName(QStringLiteral("txtNextFieldProposal"));
    txtNextFieldProposal->setReadOnly(true);
    txtNextFieldProposal->setMaximumWidth(90);
    cmdField[0] = new QPushButton(QStringLiteral("&Menu"), this);
    cmdField[1] = new QPushButton(QStringLiteral("&Print"), this);
    cmdPreview = new QPushButton(QStringLiteral("Pre&view"), this);
    cmdPreview->setObjectName(QStringLiteral("cmdPreview"));
    for (int i = 0; i < 2; ++i) {
        cmdField[i]->setObjectName(QStringLiteral("cmdField_%1").arg(i));
        connect(cmdField[i], &QPushButton::clicked, this, [this, i] { cmdField_Click(i); });
    }
    connect(cmdPreview, &QPushButton::clicked, this, &frmFieldProposal::cmdPreview_Click);

    auto *days = new QHBoxLayout;
    days->addWidget(Label2[1]);
    days->addWidget(cboDays);
    days->addWidget(Label2[2]);
    days->addStretch(1);
    auto *disclaimers = new QHBoxLayout;
    disclaimers->addWidget(optDisclaimer[0]);
    disclaimers->addWidget(optDisclaimer[1]);
    disclaimers->addStretch(1);
    auto *next = new QHBoxLayout;
    next->addWidget(Label3[3]);
    next->addWidget(txtNextFieldProposal);
    next->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdField[0]);
    buttons->addStretch(1);
    buttons->addWidget(cmdPreview);
    buttons->addWidget(cmdField[1]);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1[3]);
    layout->addWidget(Label3[0]);
    layout->addSpacing(8);
    layout->addWidget(Label3[1]);
    layout->addLayout(days);
    layout->addLayout(disclaimers);
    layout->addSpacing(8);
    layout->addLayout(next);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(560, 290);
}

void frmFieldProposal::Form_Load() {
    TamselForm::Form_Load();
    cboDays->addItems({QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20"), QStringLiteral("30"),
                       QStringLiteral("45"), QStringLiteral("60")});
    cboDays->setCurrentIndex(3);
    CheckCustomDisclaimer();
}

void frmFieldProposal::Form_Activate() {
    ShowProposalNo();
    // The custom disclaimer may have been written since the screen was made.
    CheckCustomDisclaimer();
}

void frmFieldProposal::ShowProposalNo() { txtNextFieldProposal->setText(QString::number(ProposalNo)); }

void frmFieldProposal::CheckCustomDisclaimer() {
    // The terms screen's box when it is open (it may hold the text just
    // typed), else the file the box is loaded from.
    QString custom;
    if (auto *terms = ScreenRegistry::Existing<frmTerms>())
        custom = terms->Text1[1]->toPlainText();
    else
        custom = ReadCustomDisclaimer().value;
    const bool available = !custom.trimmed().isEmpty();
    optDisclaimer[1]->setEnabled(available);
    if (!available && optDisclaimer[1]->isChecked())
        optDisclaimer[0]->setChecked(true);
}

ProposalDocument frmFieldProposal::CurrentDocument() const {
    const CustomerRecord rec = CurrentCustomer();
    auto *customer = ScreenRegistry::Existing<frmCustomer>();
    const QString acctNo = customer ? customer->txtCustomer[0]->text() : rec.AcctNo.trimmed();
    return FieldProposalDocument(ProposalNo, Clock::Today(), FieldPartiesOf(acctNo, rec), cboDays->currentText(),
                                 optDisclaimer[0]->isChecked(), customer ? customer->UsaStyle() : true);
}

bool frmFieldProposal::MayRecordNumber(qint16 number, bool &replace) {
    replace = false;
    if (wroteNumber_ == number)
        return true;
    // The number stays at the last one, so what is recorded there now is
    // what a later proposal would find and have to replace.
    if (number == std::numeric_limits<qint16>::max())
        MsgBox(QStringLiteral(
                   "Proposal Number 32767, the last number a Proposal can have, is the next to be used.\r\n"
                   "This Field Proposal can be recorded as 32767, but the number cannot advance after "
                   "it: set a new number on the Setup Screen (Proposal tab) before the next Proposal."),
               MsgButtons::Ok, QStringLiteral("Proposal Number"));
    if (!AnyFileOfNumber(number))
        return true;
    if (MsgBox(QStringLiteral("A Proposal numbered ") + QString::number(number) +
                   QStringLiteral(" is already recorded.\r\nClick Yes to Replace it, or No to keep it "
                                  "(set a new number on the Setup Screen, Proposal tab)"),
               MsgButtons::YesNo, QStringLiteral("Proposal Exists")) != MsgAnswer::Yes)
        return false;
    replace = true;
    return true;
}

bool frmFieldProposal::SaveFieldProposal() {
    const qint16 number = ProposalNo;
    bool replace = false;
    if (!MayRecordNumber(number, replace))
        return false;
    auto *customer = ScreenRegistry::Existing<frmCustomer>();
    // The account number is taken as the customer screen shows it, typed or not.
    if (customer && !FitBoxesToCodePage({customer->txtCustomer[0]}))
        return false;
    const CustomerRecord rec = CurrentCustomer();
    const QString acctNo = customer ? customer->txtCustomer[0]->text() : rec.AcctNo.trimmed();
    if (!WriteFieldProposalFile(number, FieldPartiesOf(acctNo, rec))) {
        ReportWriteFailure(ProposalFileName(number));
        return false;
    }
    wroteNumber_ = number;
    if (replace) {
        // The proposal replaced goes whole: none of its other files may be
        // taken for the field proposal's.
        const QString name = QLatin1Char('\\') + ProposalFileName(number);
        bool gone = DeleteFile(BodyFolder + name);
        gone = DeleteFile(PaymentsFolder + name) && gone;
        if (!(DeleteProposalState(ProposalFileName(number)) && gone))
            MsgBox(QStringLiteral("The files of Proposal ") + QString::number(number) +
                       QStringLiteral(" could not all be deleted."),
                   MsgButtons::Ok, QStringLiteral("Files not Deleted"));
    }
    return true;
}

void frmFieldProposal::cmdField_Click(int Index) {
    if (Index == 1) {
        PrintFieldProposal();
        return;
    }
    ScreenRegistry::Unload(this);
    ScreenRegistry::Show(Screen::MainMenu);
}

void frmFieldProposal::cmdPreview_Click() { PreviewProposal(CurrentDocument()); }

void frmFieldProposal::PrintFieldProposal() {
    if (!SaveFieldProposal())
        return;
    const qint16 number = ProposalNo;
    const ProposalDocument document = CurrentDocument();
    IsFieldProposal = true;
    const PrintConfirmation printed = PrintAndConfirm(document);
    IsFieldProposal = false;
    switch (printed) {
    case PrintConfirmation::NotPrinted:
        // The file stays and the number is kept; printing again writes it anew.
        return;
    case PrintConfirmation::Confirmed:
        // The days and the disclaimer, which the file does not keep, for the report.
        if (!WriteProposalState(number, document))
            ReportWriteFailure(QStringLiteral("ProposalState\\") + ProposalFileName(number));
        AdvanceProposalNo();
        break;
    case PrintConfirmation::Declined:
        if (!DeleteFile(FieldFile(number)))
            MsgBox(QStringLiteral("The file %1 could not be Deleted").arg(ProposalFileName(number)), MsgButtons::Ok,
                   QStringLiteral("Delete Failed"));
        break;
    }
    ScreenRegistry::Unload(this);
    ScreenRegistry::Show(Screen::MainMenu);
}
