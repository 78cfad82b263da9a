#include "TestFolder.h"
#include "TestMain.h"

#include "app/SingleInstance.h"
#include "common/CommonVariables.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void lockBelongsToTheFolderHoweverItIsNamed();
    void copyStartedThroughALinkIsRefused();
};

void SingleInstanceTest::lockBelongsToTheFolderHoweverItIsNamed() {
    TestFolder folder;
    QTemporaryDir elsewhere;
    const QString link = elsewhere.path() + QStringLiteral("/Proposals");
    QVERIFY(QFile::link(folder.path(), link));
    QDir().mkpath(folder.file(QStringLiteral("Backup")));

    AppFolder = folder.path();
    const QString lock = InstanceLockPath();
    const QString viaBackup = folder.path() + QStringLiteral("/Backup/..");
    for (const QString &sameFolder : {link, link + QLatin1Char('/'), viaBackup}) {
        AppFolder = sameFolder;
        QCOMPARE(InstanceLockPath(), lock);
    }

    // A folder that is not there (yet) still has a lock of its own.
    AppFolder = elsewhere.path() + QStringLiteral("/Missing");
    const QString missing = InstanceLockPath();
    QVERIFY(missing != lock);
    AppFolder = elsewhere.path() + QStringLiteral("/Missing/");
    QCOMPARE(InstanceLockPath(), missing);
}

void SingleInstanceTest::copyStartedThroughALinkIsRefused() {
    TestFolder folder;
    QTemporaryDir elsewhere;
    const QString link = elsewhere.path() + QStringLiteral("/Proposals");
    QVERIFY(QFile::link(folder.path(), link));

    AppFolder = folder.path();
    QLockFile firstCopy(InstanceLockPath());
    QVERIFY(firstCopy.tryLock(0));

    AppFolder = link;
    folder.prompt->AnswerOk();
    QVERIFY(CheckPrevInstance());
    QCOMPARE(folder.prompt->Texts(), QStringList{QStringLiteral("Tamsel Proposal is already Running!")});

    firstCopy.unlock();
    QVERIFY(!CheckPrevInstance());
    ReleaseInstanceLock();
}

TAMSEL_TEST(SingleInstanceTest)
#include "tst_SingleInstance.moc"
