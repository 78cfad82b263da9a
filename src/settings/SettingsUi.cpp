#include "settings/SettingsUi.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/UserPrompt.h"
#include "settings/BusinessFiles.h"
#include "settings/frmSetup.h"

#include <QLineEdit>
#include <limits>

void LoadBusinessData() {
    const auto fields = ReadBusinessFile();
    if (!fields)
        return;
    BusinessData = *fields;
    CloseAllFiles();
    ShowBusinessData();
}

void ShowBusinessData() {
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    for (int i = 0; i < 9; ++i)
        setup->txtBusiness[i]->setText(BusinessData[i]);
}

namespace {
void ShowProposalNo() {
    ScreenRegistry::Get<frmSetup>()->txtProposalNo->setText(QString::number(ProposalNo));
    if (TamselForm *field = ScreenRegistry::Get(Screen::FieldProposal))
        field->ShowProposalNo();
}
} // namespace

bool LoadProposalCounter() {
    if (const auto number = ReadProposalCounterFile()) {
        ProposalNo = *number;
    } else {
        ProposalNo = FirstProposalNo;
        if (!SaveProposalCounter(FirstProposalNo)) {
            ReportWriteFailure(QStringLiteral("TProposalCounter.txt"));
            return false;
        }
    }
    ShowProposalNo();
    return true;
}

bool AdvanceProposalNo() {
    if (ProposalNo == std::numeric_limits<qint16>::max()) {
        MsgBox(QStringLiteral("Proposal Number 32767 is the highest number a Proposal can have.\r\n"
                              "The number has not been advanced. Enter a new Proposal Number on the "
                              "Setup Screen (Proposal tab) and click Save Proposal No."),
               MsgButtons::Ok, QStringLiteral("Proposal Number"));
        return false;
    }
    ++ProposalNo;
    if (!SaveProposalCounter(ProposalNo)) {
        // The number in memory still moves on, so the next proposal cannot take it again.
        ReportWriteFailure(QStringLiteral("TProposalCounter.txt"));
        ShowProposalNo();
        return false;
    }
    return LoadProposalCounter();
}
