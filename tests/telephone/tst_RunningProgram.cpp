#include "FakeModem.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "app/Startup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/QtPictureBox.h"
#include "platform/SerialPort.h"
#include "settings/frmSetup.h"
#include "telephone/frmDialer.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The program as a user starts it, with a fake modem on a pseudo-terminal
// that TAMSEL_SERIAL_PORTS maps to a port number.
class RunningProgramTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void executableFindsTheMappedModem();
    void startUpFindsTheModemAndTheDialIconDials();
};

void RunningProgramTest::cleanup() {
    CloseAllScreens();
    qunsetenv("TAMSEL_SERIAL_PORTS");
}

void RunningProgramTest::executableFindsTheMappedModem() {
    const QString exe = qEnvironmentVariable("TAMSEL_EXE");
    if (exe.isEmpty())
        QSKIP("TAMSEL_EXE is set by CTest");
    FakeModem modem;
    QVERIFY(modem.valid());
    QTemporaryDir dir;
    const QString copy = dir.path() + QStringLiteral("/TamselProposal");
    QVERIFY(QFile::copy(exe, copy));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("TAMSEL_SERIAL_PORTS"), QStringLiteral("1=") + modem.device());
    program.setProcessEnvironment(env);
    program.start(copy, {});
    QVERIFY(program.waitForStarted());
    // The probe, then caller ID; the program keeps the port.
    QTRY_COMPARE_WITH_TIMEOUT(modem.received(), QByteArray("AT\rAT#CID=1\r"), 20000);
    bool held = false;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(program.processId()));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        held = held || fd.symLinkTarget() == modem.device();
    QVERIFY(held);
    program.kill();
    program.waitForFinished();
}

void RunningProgramTest::startUpFindsTheModemAndTheDialIconDials() {
    TestFolder folder;
    FakeModem modem;
    QVERIFY(modem.valid());
    // The user's mapping, as the program reads it; ports 1 and 2 have nothing.
    SetSerialDeviceNames({});
    qputenv("TAMSEL_SERIAL_PORTS",
            ("1=/dev/tamsel-no-port,2=/dev/tamsel-no-port,3=" + modem.device()).toLocal8Bit());
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(ModemPort, qint16(3));
    QTRY_COMPARE(modem.commands(), QList<QByteArray>({"AT", "AT#CID=1"}));

    frmCustomer *customer = ScreenRegistry::Existing<frmCustomer>();
    QVERIFY(!customer->Image2->isHidden());
    customer->txtCustomer[1]->setText(QStringLiteral("Harbor Lane Roofing"));
    customer->txtCustomer[6]->setText(QStringLiteral("541-555-0142"));
    QTest::mouseClick(customer->Image2, Qt::LeftButton);
    frmDialer *dialer = ScreenRegistry::Existing<frmDialer>();
    QVERIFY(QTest::qWaitForWindowActive(dialer));
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("541-555-0142"));
    dialer->cmdNewDial->click();
    QCOMPARE(dialer->lblStatus->text(), QStringLiteral("Pickup Receiver - Then Click Hangup"));
    dialer->cmdHangup->click();
    QTRY_COMPARE(modem.commands(), QList<QByteArray>({"AT", "AT#CID=1", "ATDT541-555-0142;", "ATH"}));
    QVERIFY(!modem.openByProgram());
    QVERIFY(folder.prompt->shown.isEmpty());
}

TAMSEL_TEST(RunningProgramTest)
#include "tst_RunningProgram.moc"
