#include "TestFolder.h"

#include "app/ScreenList.h"
#include "app/SingleInstance.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/CustomerRecords.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

TestFolder::TestFolder() : prompt(std::make_shared<ScriptedPrompt>()) {
    ResetSharedVariables();
    ResetCustomerVariables();
    RegisterScreens();
    // No test looks for a modem on the machine's own serial ports; one that
    // wants a modem maps the ports to its fake one.
    SetSerialDeviceNames([](int) { return QString(); });
    AppFolder = dir_.path();
    SetPrompt(prompt);
    SetExitHandlers([] { ScreenRegistry::UnloadAll(); }, [this] { ++endRequests; });
    SetUrlOpener({});
    Clock::SetToday({});
}

TestFolder::~TestFolder() {
    // A box that nobody answered is a fault of the code or of the test.
    if (!prompt->unexpected.isEmpty())
        QTest::qFail(qPrintable(QStringLiteral("unscripted message box: ") + prompt->unexpected.join(QStringLiteral(" | "))),
                     __FILE__, __LINE__);
    CloseAllScreens();
    CloseAllFiles();
    ReleaseInstanceLock();
    SetPrompt(nullptr);
    SetExitHandlers({}, {});
    SetSerialDeviceNames({});
    ResetSharedVariables();
    ResetCustomerVariables();
}

QString TestFolder::file(const QString &relative) const { return dir_.path() + QLatin1Char('/') + relative; }

void TestFolder::write(const QString &relative, const QByteArray &bytes) const {
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TestFolder::read(const QString &relative) const {
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TestFolder::exists(const QString &relative) const { return QFileInfo::exists(file(relative)); }

void CloseAllScreens() {
    ScreenRegistry::UnloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
