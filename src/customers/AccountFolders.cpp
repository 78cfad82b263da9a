#include "customers/AccountFolders.h"

#include "common/CommonRoutines.h"
#include "common/FolderIndex.h"

QString AccountFolderName(const QString &accountNo) {
    QString name = accountNo;
    // Zero-filled records (gaps in the file) hold NULs, not blanks.
    name.remove(QChar(0));
    name = name.trimmed();
    if (name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/')) ||
        name.contains(QLatin1Char('\\')))
        return {};
    return name;
}

// A folder made just now is empty, so its sub-folders are made
// without looking; an existing one is listed only when a sub-folder is not
// there under its exact name.
bool EnsureAccountFoldersIn(FolderIndex &auxFiles, const QString &account, QString *failed) {
    const QString folder = QStringLiteral("\\AuxFiles\\") + account;
    bool made = false;
    QString spelling;
    if (!auxFiles.EnsureFolder(account, &made, &spelling)) {
        if (failed)
            *failed = folder;
        return false;
    }
    const QString path = auxFiles.path() + QLatin1Char('/') + spelling;
    FolderIndex accountFolder = made ? FolderIndex::Empty(path) : FolderIndex(path);
    for (int i = 0; i <= 5; ++i) {
        const QString sub = QStringLiteral("AuxFile") + QString::number(i);
        if (!accountFolder.EnsureFolder(sub)) {
            if (failed)
                *failed = folder + QLatin1Char('/') + sub;
            return false;
        }
    }
    return true;
}

bool EnsureAccountFolders(const QString &accountNo, QString *failed) {
    const QString account = AccountFolderName(accountNo);
    const QString auxFiles = QStringLiteral("\\AuxFiles");
    if (account.isEmpty() || !EnsureFolder(auxFiles)) {
        if (failed)
            *failed = account.isEmpty() ? auxFiles + QLatin1Char('\\') + accountNo.trimmed() : auxFiles;
        return false;
    }
    FolderIndex index(DataPath(auxFiles));
    return EnsureAccountFoldersIn(index, account, failed);
}
