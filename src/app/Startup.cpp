#include "app/Startup.h"

#include "app/DataFolders.h"
#include "app/DataLocation.h"
#include "app/frmSplash.h"
#include "app/ScreenList.h"
#include "app/SingleInstance.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/QtDialogs.h"
#include "platform/QtUserPrompt.h"
#include "settings/SettingsUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

bool StartTamselProposal() {
    QCoreApplication::setOrganizationName(QStringLiteral("TamselProposal"));
    QCoreApplication::setApplicationName(QStringLiteral("TamselProposal"));
    // The program ends only through ExitProgram, never because the screen being
    // left was closed before the next one showed.
    QApplication::setQuitOnLastWindowClosed(false);
    SetPrompt(std::make_shared<QtUserPrompt>());
    SetDialogs(std::make_shared<QtDialogs>());
    SetExitHandlers([] { ScreenRegistry::UnloadAll(); }, [] { QCoreApplication::exit(0); });
    SetUrlOpener([](const QString &address) {
        const QUrl url = QUrl::fromUserInput(address, AppFolder);
        return QDesktopServices::openUrl(url);
    });
    const ProgramFolders folders = ChooseProgramFolders(QCoreApplication::applicationDirPath(),
                                                        [](const char *name) { return qEnvironmentVariable(name); });
    ManualFolder = folders.manual;
    if (!MakeDataFolder(folders.data))
        return false;
    return StartUp(folders.data);
}

bool StartUp(const QString &appFolder) {
    AppFolder = QDir::cleanPath(appFolder);
    RegisterScreens();

    frmSplash *splash = ScreenRegistry::Get<frmSplash>();
    ScreenRegistry::Show(splash);
    splash->repaint();

    // Ending here writes nothing: no backup, no saved window layout.
    if (CheckPrevInstance()) {
        ScreenRegistry::DiscardAll();
        return false;
    }
    // A first start with many customers makes many folders: the splash says so.
    const bool foldersMade = CreateDataFolders(splash->FolderProgressReporter());
    splash->EndFolderProgress();
    if (!foldersMade) {
        ScreenRegistry::DiscardAll();
        return false;
    }
    LoadBusinessData();
    ScreenRegistry::Get<frmCustomer>();
    if (!LoadProposalCounter()) {
        ScreenRegistry::DiscardAll();
        return false;
    }
    return true;
}
