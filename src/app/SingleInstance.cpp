#include "app/SingleInstance.h"

#include "common/CommonVariables.h"
#include "platform/UserPrompt.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <memory>

namespace {
std::unique_ptr<QLockFile> &Lock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}
} // namespace

QString InstanceLockPath() {
    // The lock lives outside the data folder, so a refused copy writes nothing there.
    // It is keyed on the folder itself: a copy started through a link to it,
    // or by a path with "..", must find the same lock.
    const QFileInfo info(AppFolder);
    QString folder = info.canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(info.absoluteFilePath());
    const QByteArray key = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::tempPath() + QStringLiteral("/TamselProposal-") + QString::fromLatin1(key) +
           QStringLiteral(".lock");
}

bool CheckPrevInstance() {
    auto lock = std::make_unique<QLockFile>(InstanceLockPath());
    lock->setStaleLockTime(0); // a lock left by a crashed copy is taken over
    if (lock->tryLock(0)) {
        Lock() = std::move(lock);
        return false;
    }
    MsgBox(AppTitle + QStringLiteral(" is already Running!"), MsgButtons::Ok, QString());
    return true;
}

void ReleaseInstanceLock() { Lock().reset(); }
