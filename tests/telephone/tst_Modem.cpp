#include "FakeModem.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "app/Startup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/QtPictureBox.h"
#include "platform/QtSerialPort.h"
#include "settings/frmSetup.h"
#include "telephone/frmDialer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSerialPort>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
QString DialerText() { return ScreenRegistry::Existing<frmDialer>()->Text1->text(); }
const QString NoModem = QStringLiteral("Modem Not Detected Or In Use.");
} // namespace

// The serial port seam on pseudo-terminals (the same QSerialPort code the
// program runs on a real modem), the search for the modem when the setup
// screen loads, and the program as a user starts it with TAMSEL_SERIAL_PORTS
// mapping port numbers to fake modems.
class ModemTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        CloseAllScreens();
        SetSerialDeviceNames({});
        qunsetenv("TAMSEL_SERIAL_PORTS");
    }
    void deviceNames_data();
    void deviceNames();
    void sendsAndReadsWhole();
    void missingOrBusyDeviceIsNotOpened();
    void waitEndsOnAnswerTimeOrWakeUp();
    void busyAndSilentPortsAreSkipped();
    void whatCountsAsAnAnswer_data();
    void whatCountsAsAnAnswer();
    void noModemSwitchesOffOnlyTheTelephone();
    void phoneAndCallerIdFiles_data();
    void phoneAndCallerIdFiles();
    void executableFindsTheMappedModem();
    void startUpFindsTheModemAndTheDialIconDials();
};

void ModemTest::deviceNames_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("device");
    const QString map = QStringLiteral("3=/dev/ttyUSB0,4=/dev/ttyACM0");
    QTest::newRow("port 1 is the first device") << QString() << 1 << QStringLiteral("/dev/ttyS0");
    QTest::newRow("port 16 the last") << QString() << 16 << QStringLiteral("/dev/ttyS15");
    QTest::newRow("port 0 is none") << QString() << 0 << QString();
    QTest::newRow("port 17 is none") << QString() << 17 << QString();
    QTest::newRow("mapped") << map << 4 << QStringLiteral("/dev/ttyACM0");
    QTest::newRow("others keep theirs") << map << 2 << QStringLiteral("/dev/ttyS1");
    QTest::newRow("blanks around") << QStringLiteral(" 3 = /dev/ttyUSB0 , 4=/dev/ttyACM0") << 3
                                   << QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("nonsense skipped") << QStringLiteral("x=/dev/a,=/dev/b,3,3=,3=/dev/ttyUSB1") << 3
                                      << QStringLiteral("/dev/ttyUSB1");
    QTest::newRow("port 10 is not port 1") << QStringLiteral("10=/dev/ttyUSB0") << 1 << QStringLiteral("/dev/ttyS0");
    QTest::newRow("mapping cannot add a port 17") << QStringLiteral("17=/dev/ttyUSB0") << 17 << QString();
}

void ModemTest::deviceNames() {
    QFETCH(QString, setting);
    QFETCH(int, port);
    if (!setting.isNull())
        qputenv("TAMSEL_SERIAL_PORTS", setting.toLocal8Bit());
    QTEST(SerialDeviceName(port), "device");
}

void ModemTest::sendsAndReadsWhole() {
    // The mapping is read when a port is opened, so a user's setting reaches
    // the real device.
    FakeModem modem(FakeModem::Reply::Silent);
    qputenv("TAMSEL_SERIAL_PORTS", ("5=" + modem.device()).toLocal8Bit());
    QtSerialPort port;
    QVERIFY(port.Open(5));
    QVERIFY(modem.openByProgram());
    QCOMPARE(port.PortNumber(), 5);
    QVERIFY(port.Send("AT\r"));
    QTRY_COMPARE(modem.received(), QByteArray("AT\r"));
    modem.write("OK");
    QTRY_COMPARE(port.BytesWaiting(), 2);
    modem.write("\r\n");
    QTRY_COMPARE(port.BytesWaiting(), 4);
    QCOMPARE(port.ReadAll(), QByteArray("OK\r\n"));
    QCOMPARE(port.BytesWaiting(), 0);
    modem.write("stale");
    QTRY_COMPARE(port.BytesWaiting(), 5);
    port.Clear();
    QCOMPARE(port.BytesWaiting(), 0);
    port.Close();
    QVERIFY(!port.IsOpen());
    QVERIFY(!modem.openByProgram());
    QVERIFY(!port.Send("AT\r"));
}

void ModemTest::missingOrBusyDeviceIsNotOpened() {
    FakeModem modem;
    SetSerialDeviceNames([&](int p) { return p == 1 ? QStringLiteral("/dev/no-such-modem") : modem.device(); });
    QtSerialPort port;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!port.Open(1));
    QVERIFY(clock.elapsed() < 100);
    QVERIFY(!port.IsOpen());
    // Another program has the device: it is not ours to take.
    QSerialPort other(modem.device());
    QVERIFY(other.open(QIODevice::ReadWrite));
    QVERIFY(!port.Open(2));
    other.close();
    QVERIFY(port.Open(2));
}

void ModemTest::waitEndsOnAnswerTimeOrWakeUp() {
    FakeModem modem(FakeModem::Reply::Silent);
    SetSerialDeviceNames([&](int) { return modem.device(); });
    QtSerialPort port;
    QVERIFY(port.Open(1));
    auto twoWaiting = [&] { return port.BytesWaiting() >= 2; };
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(20, this, [&] { modem.write("OK"); });
    QVERIFY(WaitForSerial(port, 5000, twoWaiting));
    QVERIFY(clock.elapsed() < 2000);
    port.Clear();

    clock.restart();
    QVERIFY(!WaitForSerial(port, 150, twoWaiting));
    QVERIFY(clock.elapsed() >= 140);

    bool stop = false;
    clock.restart();
    QTimer::singleShot(20, this, [&] {
        stop = true;
        WakeSerialWaits();
    });
    QVERIFY(!WaitForSerial(port, 5000, twoWaiting, [&] { return stop; }));
    QVERIFY(clock.elapsed() < 2000);

    // A device that goes away ends the wait and is lost.
    QVERIFY(!port.Lost());
    QTimer::singleShot(20, this, [&] { modem.vanish(); });
    clock.restart();
    QVERIFY(!WaitForSerial(port, 5000, twoWaiting));
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY(port.Lost());
    QVERIFY(!port.Send("ATH\r"));
}


void ModemTest::busyAndSilentPortsAreSkipped() {
    TestFolder folder;
    ModemPorts ports;
    FakeModem &busy = ports.Put(1);
    FakeModem &silent = ports.Put(2, FakeModem::Reply::Silent);
    FakeModem &modem = ports.Put(3);
    QSerialPort other(busy.device()); // another program has port 1 open
    QVERIFY(other.open(QIODevice::ReadWrite));
    bool eventsRan = false;
    QTimer::singleShot(50, this, [&] { eventsRan = true; });
    QElapsedTimer clock;
    clock.start();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    // One short probe for the silent port, and the event loop ran meanwhile.
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(eventsRan);
    QCOMPARE(busy.received(), QByteArray());
    QCOMPARE(silent.received(), QByteArray("AT\r"));
    QVERIFY(!silent.openByProgram());
    // Port 3 stays open, and caller ID was the last thing asked for.
    QVERIFY(modem.openByProgram());
    QTRY_COMPARE(modem.received(), QByteArray("AT\rAT#CID=1\r"));
    QCOMPARE(ModemPort, qint16(3));
    frmDialer *dialer = ScreenRegistry::Existing<frmDialer>();
    QVERIFY(!dialer->isVisible());
    QCOMPARE(dialer->Text1->text(), QStringLiteral("Your Modem Comm Port Is 3."));
    QCOMPARE(dialer->Label2[3]->text(), QStringLiteral("COM Port # 3"));
    QCOMPARE(setup->txtModemPort->text(), QStringLiteral("3"));
    QVERIFY(setup->tabSub->isTabEnabled(frmSetup::PhoneTab));
    QVERIFY(!ScreenRegistry::Get<frmCustomer>()->Image2->isHidden());
    QVERIFY(folder.prompt->shown.isEmpty());
}

void ModemTest::whatCountsAsAnAnswer_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("delay"); // milliseconds before the modem answers
    QTest::addColumn<bool>("found");
    QTest::newRow("OK") << QByteArray("\r\nOK\r\n") << 0 << true;
    QTest::newRow("echo of AT") << QByteArray("AT") << 0 << true;
    QTest::newRow("one character") << QByteArray("x") << 0 << false;
    QTest::newRow("OK a little later") << QByteArray("\r\nOK\r\n") << 120 << true;
    QTest::newRow("in two pieces") << QByteArray("O") << 0 << true; // "K" follows below
    QTest::newRow("too late") << QByteArray("\r\nOK\r\n") << 1500 << false;
}

void ModemTest::whatCountsAsAnAnswer() {
    QFETCH(QByteArray, answer);
    QFETCH(int, delay);
    QFETCH(bool, found);
    TestFolder folder;
    ModemPorts ports;
    FakeModem &modem = ports.Put(1);
    modem.onCommand([&](const QByteArray &command) {
        if (command == "AT")
            QTimer::singleShot(delay, &modem, [&] {
                modem.write(answer);
                if (answer == "O")
                    QTimer::singleShot(30, &modem, [&] { modem.write("K"); });
            });
    });
    ScreenRegistry::Get<frmSetup>();
    QCOMPARE(ModemPort, qint16(found ? 1 : 0));
    QCOMPARE(modem.openByProgram(), found);
    QCOMPARE(DialerText(), found ? QStringLiteral("Your Modem Comm Port Is 1.") : NoModem);
}

void ModemTest::noModemSwitchesOffOnlyTheTelephone() {
    TestFolder folder;
    ModemPorts ports; // sixteen ports, no device behind any
    frmCustomer *customer = ScreenRegistry::Get<frmCustomer>();
    QVERIFY(!customer->Image2->isHidden());
    QElapsedTimer clock;
    clock.start();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(DialerText(), NoModem);
    QCOMPARE(ScreenRegistry::Existing<frmDialer>()->Label2[3]->text(), QStringLiteral("COM Port # 0"));
    QCOMPARE(setup->txtModemPort->text(), QStringLiteral("0"));
    QCOMPARE(ModemPort, qint16(0));
    QVERIFY(folder.prompt->shown.isEmpty());
    // The dial icon is gone, also from a customer screen made later.
    QVERIFY(customer->Image2->isHidden());
    ScreenRegistry::Unload(customer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(ScreenRegistry::Get<frmCustomer>()->Image2->isHidden());
    // Only the Phone sub-tab is off: the printing options stay in reach.
    QVERIFY(!setup->tabSub->isTabEnabled(frmSetup::PhoneTab));
    QVERIFY(setup->tabSetup->isTabEnabled(frmSetup::OptionsTab));
    QVERIFY(setup->tabSub->isTabEnabled(frmSetup::PrintingTab));
    setup->tabSetup->setCurrentIndex(frmSetup::OptionsTab);
    setup->tabSub->setCurrentIndex(frmSetup::PrintingTab);
    ScreenRegistry::Show(setup);
    for (QWidget *control : std::initializer_list<QWidget *>{setup->cmdChange[0], setup->cmdChange[1],
                                                              setup->cmdChange[2], setup->ckColor, setup->cboCopies})
        QVERIFY2(control->isEnabled() && control->isVisible(), qPrintable(control->objectName()));
    // The sub-tab arrow no longer lands on the switched-off tab.
    setup->Image1_Click(1);
    QCOMPARE(setup->tabSub->currentIndex(), int(frmSetup::PrintingTab));
}

void ModemTest::phoneAndCallerIdFiles_data() {
    QTest::addColumn<QByteArray>("phone"); // null: no file
    QTest::addColumn<QByteArray>("callerId");
    QTest::addColumn<bool>("daisyChained");
    QTest::addColumn<int>("modemPort");
    QTest::addColumn<bool>("callerIdOn");
    QTest::newRow("no files") << QByteArray() << QByteArray() << false << 3 << false;
    QTest::newRow("true and port 3") << QByteArray("#TRUE#,3\r\n") << QByteArray("#TRUE#\r\n") << true << 3 << true;
    QTest::newRow("caller id off") << QByteArray("#TRUE#,7\r\n") << QByteArray("#FALSE#\r\n") << true << 7 << false;
    QTest::newRow("damaged phone file is reported") << QByteArray("#YES#,4\r\n") << QByteArray() << false << 3
                                                     << false;
}

void ModemTest::phoneAndCallerIdFiles() {
    QFETCH(QByteArray, phone);
    QFETCH(QByteArray, callerId);
    QFETCH(bool, daisyChained);
    QFETCH(bool, callerIdOn);
    TestFolder folder;
    ModemPorts ports;
    FakeModem &modem = ports.Put(3);
    if (!phone.isNull())
        folder.write(QStringLiteral("Phone.txt"), phone);
    if (!callerId.isNull())
        folder.write(QStringLiteral("CallID.txt"), callerId);
    const bool damaged = phone.startsWith("#YES#");
    if (damaged)
        folder.prompt->AnswerOk();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QCOMPARE(folder.prompt->shown.size(), damaged ? 1 : 0);
    if (damaged)
        QVERIFY(folder.prompt->shown[0].text.contains(QLatin1String("Phone.txt")));
    QCOMPARE(PhoneDaisyChained, daisyChained);
    QCOMPARE(setup->ckPhone->isChecked(), daisyChained);
    QTEST(int(ModemPort), "modemPort");
    QCOMPARE(CallerIdEnabled, callerIdOn);
    QCOMPARE(setup->ckCallerID->isChecked(), callerIdOn);
    QCOMPARE(setup->lblCallid->isHidden(), !callerIdOn);
    // The port found stays the one open and shown.
    QVERIFY(modem.openByProgram());
    QCOMPARE(setup->txtModemPort->text(), QStringLiteral("3"));
    QCOMPARE(DialerText(), QStringLiteral("Your Modem Comm Port Is 3."));
    // Read only: neither file is written, not even when the boxes change.
    setup->ckPhone->click();
    setup->ckCallerID->click();
    CloseAllScreens();
    QCOMPARE(folder.exists(QStringLiteral("Phone.txt")), !phone.isNull());
    QCOMPARE(folder.read(QStringLiteral("Phone.txt")), phone.isNull() ? QByteArray() : phone);
    QCOMPARE(folder.read(QStringLiteral("CallID.txt")), callerId.isNull() ? QByteArray() : callerId);
}


void ModemTest::executableFindsTheMappedModem() {
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

void ModemTest::startUpFindsTheModemAndTheDialIconDials() {
    TestFolder folder;
    FakeModem modem;
    QVERIFY(modem.valid());
    // The user's mapping, as the program reads it; ports 1 and 2 have nothing.
    SetSerialDeviceNames({});
    qputenv("TAMSEL_SERIAL_PORTS", ("1=/dev/tamsel-no-port,2=/dev/tamsel-no-port,3=" + modem.device()).toLocal8Bit());
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(ModemPort, qint16(3));
    frmCustomer *customer = ScreenRegistry::Existing<frmCustomer>();
    customer->txtCustomer[1]->setText(QStringLiteral("Harbor Lane Roofing"));
    customer->txtCustomer[6]->setText(QStringLiteral("541-555-0142"));
    QTest::mouseClick(customer->Image2, Qt::LeftButton);
    frmDialer *dialer = ScreenRegistry::Existing<frmDialer>();
    QVERIFY(QTest::qWaitForWindowActive(dialer));
    dialer->cmdNewDial->click();
    dialer->cmdHangup->click();
    QTRY_COMPARE(modem.commands(), QList<QByteArray>({"AT", "AT#CID=1", "ATDT541-555-0142;", "ATH"}));
    QVERIFY(folder.prompt->shown.isEmpty());
}

TAMSEL_TEST(ModemTest)
#include "tst_Modem.moc"
