#include "customers/AccountFolders.h"

#include "common/CommonRoutines.h"

#include <QStringList>

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
