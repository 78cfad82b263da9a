#include "app/ScreenList.h"

#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "printing/PrintingHooks.h"
#include "proposals/frmWriteProposal.h"
#include "records/frmFieldProposal.h"
#include "records/frmProposalReport.h"
#include "records/frmTerms.h"
#include "settings/frmSetup.h"
#include "telephone/Telephone.h"
#include "telephone/frmDialer.h"

namespace {
template <class T> void Name(Screen which) {
    ScreenRegistry::SetFactory(which, [] { return static_cast<TamselForm *>(ScreenRegistry::Get<T>()); });
}
} // namespace

void RegisterScreens() {
    Name<frmSplash>(Screen::Splash);
    Name<frmStartup>(Screen::MainMenu);
    Name<frmSetup>(Screen::Setup);
    Name<frmCustomer>(Screen::Customer);
    Name<frmWriteProposal>(Screen::WriteProposal);
    Name<frmFieldProposal>(Screen::FieldProposal);
    Name<frmTerms>(Screen::Terms);
    Name<frmDialer>(Screen::Dialer);
    Name<frmProposalReport>(Screen::ProposalReport);
    InstallPrintingHooks();
    // The setup screen shows the telephone settings; the customer screen dials.
    InstallTelephone();
}
