#include "shell/DataFolders.h"

#include "customers/CustomerRecords.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"
#include "shell/CommonRoutines.h"
#include "shell/CommonVariables.h"
#include "shell/FolderIndex.h"

#include <QDir>

namespace {

constexpr int AccountNoLength = 20;

void ReportFolderFailure(const QString &name) {
    MsgBox(QStringLiteral("The folder %1 could not be created in %2.\r\n"
                          "Check that the program may write to its folder. The program will end.")
               .arg(name, QDir::toNativeSeparators(AppFolder)),
           MsgButtons::Ok, QStringLiteral("Data Folders"));
}

// The account's folder in \AuxFiles (given by its index) and its six
// sub-folders. A folder made just now is empty, so its sub-folders are made
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

} // namespace

const QStringList &DataFolderNames() {
    static const QStringList names = {
        QStringLiteral("\\Backup"),
        QStringLiteral("\\Templates"),
        QStringLiteral("\\TamselProposals"),
        QStringLiteral("\\TamselProposals\\ProposalBody"),
        QStringLiteral("\\TamselProposals\\ProposalPayments"),
        QStringLiteral("\\Templates\\Proposals")};
    return names;
}

bool CreateDataFolders(const FolderProgress &progress) {
    for (const QString &name : DataFolderNames()) {
        if (!EnsureFolder(name)) {
            ReportFolderFailure(name);
            return false;
        }
    }
    return CheckAuxFolders(progress);
}

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

bool CheckAuxFolders(const FolderProgress &progress) {
    const QString customers = QStringLiteral("\\CustomerData.txt");
    if (!FileExists(customers))
        return true;
    const qint16 count = RecordCount(customers, CustomerRecordLength);
    if (count < 1)
        return true;
    const auto bytes = ReadWholeFile(customers);
    if (!bytes) {
        MsgBox(QStringLiteral("The customer file CustomerData.txt could not be read. The program will end."),
               MsgButtons::Ok, QStringLiteral("Data Folders"));
        return false;
    }
    // The installed tree has \AuxFiles; a copied data folder may not.
    if (!EnsureFolder(QStringLiteral("\\AuxFiles"))) {
        ReportFolderFailure(QStringLiteral("\\AuxFiles"));
        return false;
    }
    // One index of \AuxFiles for the whole pass: looking each account up on
    // disk would list the folder once per new account.
    FolderIndex auxFiles(DataPath(QStringLiteral("\\AuxFiles")));
    for (qint64 record = 0; record < count; ++record) {
        const QString account =
            AccountFolderName(TextCodec::Decode(bytes->mid(record * CustomerRecordLength, AccountNoLength)));
        QString failed;
        if (!account.isEmpty() && !EnsureAccountFoldersIn(auxFiles, account, &failed)) {
            ReportFolderFailure(failed);
            return false;
        }
        if (progress)
            progress(int(record + 1), count);
    }
    CloseAllFiles();
    return true;
}
