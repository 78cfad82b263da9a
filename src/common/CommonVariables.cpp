#include "common/CommonVariables.h"

void ResetSharedVariables() {
    AppFolder.clear();
    DataFolder.clear();
    BackupFolder.clear();
    FileNo = FileNo2 = 0;
    ProposalNo = 0;
    SelectedRoutine = 0;
    CustomerRecNo = 0;
    BusinessData = {};
    PrintInColor = false;
    BorderColor = 0;
    NumCopies = 0;
    PageNo = 0;
    IsFieldProposal = false;
    NextRuleY = 0;
    ModemPort = 0;
    PhoneDaisyChained = CallerIdEnabled = false;
    HookedForm = nullptr;
    WheelGrid = nullptr;
}
