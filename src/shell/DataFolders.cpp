#include "shell/DataFolders.h"

#include "customers/CustomerRecords.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"
#include "shell/CommonRoutines.h"
#include "shell/CommonVariables.h"

#include <QDir>

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

bool CreateDataFolders() {
    for (const QString &name : DataFolderNames()) {
        if (!EnsureFolder(name)) {
            ReportFolderFailure(name);
            return false;
        }
    }
    return CheckAuxFolders();
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
    const QString folder = QStringLiteral("\\AuxFiles\\") + account;
    QStringList wanted{QStringLiteral("\\AuxFiles"), folder};
    for (int i = 0; i <= 5; ++i)
        wanted << folder + QStringLiteral("/AuxFile") + QString::number(i);
    if (account.isEmpty())
        wanted = QStringList{QStringLiteral("\\AuxFiles\\") + accountNo.trimmed()};
    for (const QString &name : wanted) {
        if (account.isEmpty() || !EnsureFolder(name)) {
            if (failed)
                *failed = name;
            return false;
        }
    }
    return true;
}

bool CheckAuxFolders() {
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
    for (qint64 record = 0; record < count; ++record) {
        const QString account =
            AccountFolderName(TextCodec::Decode(bytes->mid(record * CustomerRecordLength, AccountNoLength)));
        if (account.isEmpty())
            continue;
        QString failed;
        if (!EnsureAccountFolders(account, &failed)) {
            ReportFolderFailure(failed);
            return false;
        }
    }
    CloseAllFiles();
    return true;
}
