#include "app/DataLocation.h"

#include "common/CommonVariables.h"
#include "platform/UserPrompt.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString SystemManualFolder(const QString &programFolder) {
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/doc/") + PackageName + QStringLiteral("/manual"));
}

QString UserDataFolder(const EnvironmentLookup &environment) {
    // An XDG_DATA_HOME that is not absolute is to be ignored.
    QString base = environment("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        QString home = environment("HOME");
        if (home.isEmpty())
            home = QDir::homePath();
        base = home + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(base + QStringLiteral("/TamselProposal"));
}

} // namespace

bool IsSystemInstall(const QString &programFolder) {
    const QFileInfo folder(programFolder);
    // root can write /usr/bin, so the package's layout decides before the rights do.
    if (folder.fileName() == QStringLiteral("bin") &&
        QFileInfo(QFileInfo(SystemManualFolder(programFolder)).path()).isDir())
        return true;
    return folder.isDir() && !folder.isWritable();
}

ProgramFolders ChooseProgramFolders(const QString &programFolder, const EnvironmentLookup &environment) {
    const QString program = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    const bool system = IsSystemInstall(program);
    ProgramFolders folders;
    folders.manual = system ? SystemManualFolder(program) : program + QStringLiteral("/Manual");
    const QString chosen = environment("TAMSEL_DATA");
    if (!chosen.isEmpty())
        folders.data = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    else
        folders.data = system ? UserDataFolder(environment) : program;
    return folders;
}

bool MakeDataFolder(const QString &folder) {
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder))
        return true;
    MsgBox(QStringLiteral("The data folder cannot be made:\r\n%1\r\n\r\nSet TAMSEL_DATA to a folder you can "
                          "write, or make this one writable.")
               .arg(QDir::toNativeSeparators(folder)),
           MsgButtons::Ok, QString());
    return false;
}

QString ManualPath(const QString &page) {
    const QString folder = ManualFolder.isEmpty() ? AppFolder + QStringLiteral("/Manual") : ManualFolder;
    return folder + QLatin1Char('/') + page;
}
