#include "records/frmFieldProposal.h"

#include "common/CommonVariables.h"

#include <QFormLayout>
#include <QLineEdit>

frmFieldProposal::frmFieldProposal() : TamselForm(QStringLiteral("frmFieldProposal")) {
    setWindowTitle(QStringLiteral("Field Proposal"));
    txtNextFieldProposal = new QLineEdit(this);
    txtNextFieldProposal->setObjectName(QStringLiteral("txtNextFieldProposal"));
    txtNextFieldProposal->setReadOnly(true);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Next Proposal Number"), txtNextFieldProposal);
}

void frmFieldProposal::ShowProposalNo() {
    txtNextFieldProposal->setText(QString::number(ProposalNo));
}
