#include "customers/AccountFolders.h"

#include "common/CommonRoutines.h"
#include "common/FolderIndex.h"

#include <QFile>
#include <optional>

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

// A folder made just now is empty, so its sub-folders are made without
// looking; in an existing one each is looked at, and the folder is listed
// only when one is not there under its exact name. Both go by names relative
// to \AuxFiles: a start does this for every customer.
bool EnsureAccountFoldersIn(FolderIndex &auxFiles, const QString &account, QString *failed) {
    const auto fail = [&](const QString &sub) {
        if (failed)
            *failed = QStringLiteral("\\AuxFiles\\") + account + sub;
        return false;
    };
    bool made = false;
    QString spelling;
    if (!auxFiles.EnsureFolder(account, &made, &spelling))
        return fail({});
    QByteArray sub = QFile::encodeName(spelling) + "/AuxFile0";
    std::optional<FolderIndex> listed;
    for (int i = 0; i <= 5; ++i) {
        sub.back() = char('0' + i);
        if (made ? auxFiles.MakeFolderAt(sub) : auxFiles.IsFolderAt(sub))
            continue;
        if (!listed)
            listed.emplace(auxFiles.path() + QLatin1Char('/') + spelling);
        const QString name = QStringLiteral("AuxFile") + QString::number(i);
        if (!listed->EnsureFolder(name))
            return fail(QLatin1Char('/') + name);
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
