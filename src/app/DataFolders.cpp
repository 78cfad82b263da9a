#include "app/DataFolders.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/FolderIndex.h"
#include "customers/AccountFolders.h"
#include "customers/CustomerRecords.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"

#include <QDir>
#include <algorithm>

namespace {

constexpr int AccountNoLength = 20;

void ReportFolderFailure(const QString &name) {
    MsgBox(QStringLiteral("The folder %1 could not be created in %2.\r\n"
                          "Check that the program may write to its folder. The program will end.")
               .arg(name, QDir::toNativeSeparators(AppFolder)),
           MsgButtons::Ok, QStringLiteral("Data Folders"));
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
        // The file may have shrunk since it was counted.
        const qint64 at = std::min<qint64>(record * CustomerRecordLength, bytes->size());
        const QString account = AccountFolderName(TextCodec::Decode(
            QByteArray::fromRawData(bytes->constData() + at, std::min<qint64>(AccountNoLength, bytes->size() - at))));
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
