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
#include "proposals/ProposalFiles.h"
#include "platform/QtUserPrompt.h"
#include "settings/SettingsUi.h"
#include "telephone/Telephone.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <QUrl>

bool StartTamselProposal() {
    QCoreApplication::setOrganizationName(QStringLiteral("TamselProposal"));
    QCoreApplication::setApplicationName(QStringLiteral("TamselProposal"));
    // The program ends only through ExitProgram, never because the screen being
    // left was closed before the next one showed.
    QApplication::setQuitOnLastWindowClosed(false);
    SetPrompt(std::make_shared<QtUserPrompt>());
    SetDialogs(std::make_shared<QtDialogs>());
    SetExitHandlers([] { ScreenRegistry::UnloadAll(); },
                    [] {
                        QCoreApplication::exit(0);
                        // An exit asked for before the event loop runs would
                        // be lost: it is asked again once the loop is there.
                        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
                    });
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

    // The splash may be gone by the time the folders are made (the user
    // closed it); start-up does not touch it then.
    const QPointer<frmSplash> splash = ScreenRegistry::Get<frmSplash>();
    ScreenRegistry::Show(splash);
    splash->repaint();

    // Ending here writes nothing: no backup, no saved window layout.
    if (CheckPrevInstance()) {
        ScreenRegistry::DiscardAll();
        return false;
    }
    // A first start with many customers makes many folders: the splash says so.
    const bool foldersMade = CreateDataFolders(splash ? splash->FolderProgressReporter() : FolderProgress());
    if (splash)
        splash->EndFolderProgress();
    if (!foldersMade) {
        ScreenRegistry::DiscardAll();
        return false;
    }
    // A proposal whose recording was cut short (the program was ended while
    // its files were being put in place) is finished or undone before the
    // report or the writer can see half of it.
    FinishInterruptedRecords();
    LoadBusinessData();
    ScreenRegistry::Get<frmCustomer>();
    if (!LoadProposalCounter()) {
        ScreenRegistry::DiscardAll();
        return false;
    }
    // Start-up is complete: the modem is looked for while the user goes on.
    StartModemSearch();
    return true;
}
