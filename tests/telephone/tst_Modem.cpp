#include "FakeModem.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "app/Startup.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/QtPictureBox.h"
#include "platform/QtSerialPort.h"
#include "settings/frmSetup.h"
#include "telephone/Telephone.h"
#include "telephone/frmDialer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
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
    void busyAndSilentPortsAreSkipped_data();
    void busyAndSilentPortsAreSkipped();
    void programRunsOnDuringTheSearch_data();
    void programRunsOnDuringTheSearch();
    void whatCountsAsAnAnswer_data();
    void whatCountsAsAnAnswer();
    void noModemOffersTheDesktopsTelephone();
    void phoneAndCallerIdFiles_data();
    void phoneAndCallerIdFiles();
    void executableFindsTheMappedModem();
    void executableEndsWhenClosedDuringTheSearch();
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
    REQUIRE_FAKE_MODEM();
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
    REQUIRE_FAKE_MODEM();
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

void ModemTest::busyAndSilentPortsAreSkipped_data() {
    QTest::addColumn<int>("modemPort");
    QTest::newRow("port 3, after a busy and a silent port") << 3;
    QTest::newRow("port 16, the last searched") << 16;
}

void ModemTest::busyAndSilentPortsAreSkipped() {
    QFETCH(int, modemPort);
    REQUIRE_FAKE_MODEM();
    TestFolder folder;
    ModemPorts ports;
    FakeModem &busy = ports.Put(1);
    FakeModem &silent = ports.Put(2, FakeModem::Reply::Silent);
    FakeModem &modem = ports.Put(modemPort);
    QSerialPort other(busy.device()); // another program has port 1 open
    QVERIFY(other.open(QIODevice::ReadWrite));
    QElapsedTimer clock;
    clock.start();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    StartModemSearch();
    // The search runs on in the event loop: loading and starting it return at once.
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(ModemSearchRunning());
    QCOMPARE(setup->txtModemPort->text(), QString());
    QVERIFY(SearchModemNow());
    // One short probe for the silent port.
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(busy.received(), QByteArray());
    QCOMPARE(silent.received(), QByteArray("AT\r"));
    QVERIFY(!silent.openByProgram());
    // The modem's port stays open, and caller ID was the last thing asked for.
    QVERIFY(modem.openByProgram());
    QTRY_COMPARE(modem.received(), QByteArray("AT\rAT#CID=1\r"));
    QCOMPARE(ModemPort, qint16(modemPort));
    frmDialer *dialer = ScreenRegistry::Existing<frmDialer>();
    QVERIFY(!dialer->isVisible());
    QCOMPARE(dialer->Text1->text(), QStringLiteral("Your Modem Comm Port Is %1.").arg(modemPort));
    QCOMPARE(dialer->Label2[3]->text(), QStringLiteral("COM Port # %1").arg(modemPort));
    QCOMPARE(setup->txtModemPort->text(), QString::number(modemPort));
    QVERIFY(setup->tabSub->isTabEnabled(frmSetup::PhoneTab));
    QVERIFY(!ScreenRegistry::Get<frmCustomer>()->Image2->isHidden());
    QVERIFY(folder.prompt->shown.isEmpty());
}

void ModemTest::programRunsOnDuringTheSearch_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("typing on the first-run setup screen") << QStringLiteral("type");
    QTest::newRow("saving from the setup screen") << QStringLiteral("save");
    QTest::newRow("dial icon") << QStringLiteral("dial");
    QTest::newRow("closing the main menu ends the program") << QStringLiteral("close");
}

// Three silent ports make a search of about a second; the user acts 50 ms
// after the start, through the splash as the program shows it.
void ModemTest::programRunsOnDuringTheSearch() {
    QFETCH(QString, action);
    REQUIRE_FAKE_MODEM();
    TestFolder folder;
    ModemPorts ports;
    FakeModem *silent[3] = {&ports.Put(1, FakeModem::Reply::Silent), &ports.Put(2, FakeModem::Reply::Silent),
                            &ports.Put(3, FakeModem::Reply::Silent)};
    const QByteArray colors = "255\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n";
    if (action != QLatin1String("type")) {
        folder.write(QStringLiteral("MyBusinessData.txt"),
                     "\"Harbor Lane Roofing\",\"1 Main St\",\"\",\"Springfield\",\"OR\",\"97477\",\"\",\"\",\"\"\r\n");
        folder.write(QStringLiteral("PrintColors.txt"), colors);
    }
    if (action == QLatin1String("dial"))
        folder.prompt->AnswerOk();
    const QString typed = QStringLiteral("Harbor Lane Roofing");
    bool acted = false;
    QObject scope; // the action cannot outlive this test's locals
    QTimer::singleShot(50, &scope, [&] {
        acted = true;
        frmSplash *splash = ScreenRegistry::Existing<frmSplash>();
        if (action == QLatin1String("type")) {
            splash->Image1_Click();
            frmSetup *setup = ScreenRegistry::Existing<frmSetup>();
            // The user types once the window is there.
            QVERIFY(QTest::qWaitForWindowActive(setup));
            QTest::keyClicks(setup->txtBusiness[0], typed);
            return;
        }
        splash->cmdContinue_Click();
        frmStartup *menu = ScreenRegistry::Existing<frmStartup>();
        if (action == QLatin1String("save")) {
            menu->mnuCreate_Click();
            ScreenRegistry::Existing<frmSetup>()->cmdMenu_Click();
        } else if (action == QLatin1String("dial")) {
            frmCustomer *customer = ScreenRegistry::Get<frmCustomer>();
            customer->txtCustomer[6]->setText(QStringLiteral("217-555-0200"));
            customer->Image2_Click();
            if (frmDialer *dialer = ScreenRegistry::Existing<frmDialer>(); dialer && dialer->isVisible())
                dialer->cmdNewDial_Click();
        } else {
            menu->close();
        }
    });
    QVERIFY(StartUp(folder.path()));
    QVERIFY(QTest::qWaitFor([&] { return ModemSearchDone() || folder.endRequests > 0; }, 5000));
    QVERIFY(acted);
    if (action == QLatin1String("type")) {
        QCOMPARE(ScreenRegistry::Existing<frmSetup>()->txtBusiness[0]->text(), typed);
    } else if (action == QLatin1String("save")) {
        QCOMPARE(folder.read(QStringLiteral("PrintColors.txt")), colors);
        QVERIFY(ScreenRegistry::Existing<frmStartup>()->isVisible());
    } else if (action == QLatin1String("dial")) {
        QCOMPARE(folder.prompt->shown.size(), 1);
        QVERIFY(folder.prompt->shown[0].text.contains(QLatin1String("still looking for the modem")));
    } else {
        QCOMPARE(folder.endRequests, 1);
        QVERIFY(ScreenRegistry::Screens().isEmpty());
        // The search ended with the program: no port is probed after the close.
        QTest::qWait(700);
        QCOMPARE(silent[1]->received() + silent[2]->received(), QByteArray());
        QVERIFY(!silent[0]->openByProgram());
    }
    for (FakeModem *port : silent)
        QVERIFY(!port->received().contains("ATDT"));
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
    REQUIRE_FAKE_MODEM();
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
    QVERIFY(SearchModemNow());
    QCOMPARE(ModemPort, qint16(found ? 1 : 0));
    QCOMPARE(modem.openByProgram(), found);
    QCOMPARE(DialerText(), found ? QStringLiteral("Your Modem Comm Port Is 1.") : NoModem);
}

void ModemTest::noModemOffersTheDesktopsTelephone() {
    TestFolder folder;
    ModemPorts ports; // sixteen ports, no device behind any
    frmCustomer *customer = ScreenRegistry::Get<frmCustomer>();
    QVERIFY(!customer->Image2->isHidden());
    QElapsedTimer clock;
    clock.start();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QVERIFY(SearchModemNow());
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(DialerText(), NoModem);
    QCOMPARE(ScreenRegistry::Existing<frmDialer>()->Label2[3]->text(), QStringLiteral("COM Port # 0"));
    QCOMPARE(setup->txtModemPort->text(), QStringLiteral("0"));
    QCOMPARE(ModemPort, qint16(0));
    QVERIFY(folder.prompt->shown.isEmpty());
    // The dial icon offers the desktop's telephone program instead, after a
    // question; No hands nothing over, and with no program the user is told.
    QStringList opened;
    bool handled = true;
    SetUrlOpener([&](const QString &address) {
        opened << address;
        return handled;
    });
    customer->txtCustomer[1]->setText(QStringLiteral("Harbor Lane Roofing"));
    customer->txtCustomer[6]->setText(QStringLiteral("541 555-0142"));
    QVERIFY(!customer->Image2->isHidden());
    folder.prompt->Answer(MsgAnswer::No);
    customer->Image2_Click();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY2(folder.prompt->shown[0].text.contains(QLatin1String("Harbor Lane Roofing at 541 555-0142")),
             qPrintable(folder.prompt->shown[0].text));
    QVERIFY(opened.isEmpty());
    folder.prompt->Answer(MsgAnswer::Yes);
    customer->Image2_Click();
    QCOMPARE(opened, QStringList({QStringLiteral("tel:541555-0142")}));
    handled = false;
    folder.prompt->Answer(MsgAnswer::Yes);
    folder.prompt->AnswerOk();
    customer->Image2_Click();
    QCOMPARE(folder.prompt->shown.size(), 4);
    QVERIFY(folder.prompt->shown[3].text.contains(QLatin1String("dial 541 555-0142 by hand")));
    ScreenRegistry::Unload(customer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!ScreenRegistry::Get<frmCustomer>()->Image2->isHidden());
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
    REQUIRE_FAKE_MODEM();
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
    QVERIFY(SearchModemNow());
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
    REQUIRE_FAKE_MODEM();
    FakeModem modem;
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

namespace {
// Runs xdotool on the display; what it printed.
QString XDo(const QString &display, const QStringList &arguments, int timeoutMs = 10000) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}
// The window of that exact title, waited for.
QString WindowNamed(const QString &display, const QString &title) {
    return XDo(display, {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$')})
        .section(QLatin1Char('\n'), 0, 0)
        .trimmed();
}
} // namespace

// The program as a user runs it, on an X display of its own: Continue on the
// splash and Files > Exit on the main menu while fifteen silent ports are
// still being probed. The program ends, and the next start is not refused.
void ModemTest::executableEndsWhenClosedDuringTheSearch() {
    const QString exe = qEnvironmentVariable("TAMSEL_EXE");
    if (exe.isEmpty())
        QSKIP("TAMSEL_EXE is set by CTest");
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("Xvfb and xdotool drive the program's windows; they are not installed");
    REQUIRE_FAKE_MODEM();
    std::vector<std::unique_ptr<FakeModem>> silent;
    QStringList mapping;
    for (int p = 1; p <= 15; ++p) {
        silent.push_back(std::make_unique<FakeModem>(FakeModem::Reply::Silent));
        mapping << QStringLiteral("%1=%2").arg(p).arg(silent.back()->device());
    }
    QProcess server;
    server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp")});
    QVERIFY(server.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine()).trimmed();
    auto stopServer = qScopeGuard([&] {
        server.terminate();
        server.waitForFinished();
    });

    QTemporaryDir dir;
    const QString copy = dir.path() + QStringLiteral("/TamselProposal");
    QVERIFY(QFile::copy(exe, copy));
    auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.path() + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    write(QStringLiteral("MyBusinessData.txt"), "\"Harbor Lane Roofing\",\"\",\"\",\"\",\"\",\"97477\",\"\",\"\",\"\"\r\n");
    write(QStringLiteral("PrintColors.txt"), "0\r\n0\r\n\"Arial\"\r\n#FALSE#\r\n1\r\n");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("TAMSEL_SERIAL_PORTS"), mapping.join(QLatin1Char(',')));
    program.setProcessEnvironment(env);
    program.start(copy, {});
    QVERIFY(program.waitForStarted());
    auto stopProgram = qScopeGuard([&] {
        program.kill();
        program.waitForFinished();
    });

    // Continue: the button in the splash's lower right corner.
    const QString splash = WindowNamed(display, QStringLiteral("Tamsel Proposal"));
    QVERIFY(!splash.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(silent[0]->received() == "AT\r", 10000);
    const QString size = XDo(display, {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), splash});
    const int width = size.section(QStringLiteral("WIDTH="), 1).section(QLatin1Char('\n'), 0, 0).toInt();
    const int height = size.section(QStringLiteral("HEIGHT="), 1).section(QLatin1Char('\n'), 0, 0).toInt();
    QVERIFY2(width > 100 && height > 100, qPrintable(size));
    XDo(display, {QStringLiteral("mousemove"), QStringLiteral("--window"), splash, QString::number(width - 45),
                  QString::number(height - 30), QStringLiteral("click"), QStringLiteral("1")});
    // Files > Exit on the main menu, while the search goes on.
    const QString menu = WindowNamed(display, QStringLiteral("Tamsel PROPOSAL"));
    QVERIFY(!menu.isEmpty());
    XDo(display, {QStringLiteral("mousemove"), QStringLiteral("--window"), menu, QStringLiteral("20"),
                  QStringLiteral("10"), QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("sleep"),
                  QStringLiteral("0.5"), QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Return")});
    QVERIFY2(silent[14]->received().isEmpty(), "the search was over before the menu was closed");
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(QFile::exists(dir.path() + QStringLiteral("/Backup/MyBusinessData.txt")));

    // The next start is not refused: it comes up and looks for the modem again.
    const QByteArray probedBefore = silent[0]->received();
    program.start(copy, {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(silent[0]->received() == probedBefore + "AT\r", 10000);
    QCOMPARE(program.state(), QProcess::Running);
}

void ModemTest::startUpFindsTheModemAndTheDialIconDials() {
    REQUIRE_FAKE_MODEM();
    TestFolder folder;
    FakeModem modem;
    // The user's mapping, as the program reads it; ports 1 and 2 have nothing.
    SetSerialDeviceNames({});
    qputenv("TAMSEL_SERIAL_PORTS", ("1=/dev/tamsel-no-port,2=/dev/tamsel-no-port,3=" + modem.device()).toLocal8Bit());
    QVERIFY(StartUp(folder.path()));
    QVERIFY(QTest::qWaitFor([] { return ModemSearchDone(); }, 5000));
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
