#include "FakeModem.h"
#include "FileSizeLimit.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "settings/frmSetup.h"
#include "telephone/Telephone.h"
#include "telephone/frmDialer.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <span>

namespace {
const QString Ready = QStringLiteral("Ready to Dial......");
const QByteArray Ok = "\r\nOK\r\n";

// A copy of the program in a folder of its own (its data folder), started as
// a user starts it, with its own settings and these "NAME=value" variables;
// it ends with the test.
struct Program : QProcess {
    TestFolder dir;
    ~Program() override {
        kill();
        waitForFinished();
    }
    bool Start(const QStringList &variables) {
        const QString copy = dir.path() + QStringLiteral("/TamselProposal");
        if (!QFile::exists(copy) && !QFile::copy(qEnvironmentVariable("TAMSEL_EXE"), copy))
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
        for (const QString &variable : variables)
            env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
        setProcessEnvironment(env);
        start(copy, {});
        return waitForStarted();
    }
};

// Runs xdotool on the display; what it printed.
QString XDo(const QString &display, const QStringList &arguments) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(10000))
        return {}; // the tool is killed with its QProcess
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

// The first visible window of that exact title, waited for.
QString WindowNamed(const QString &display, const QString &title) {
    QStringList search = QStringLiteral("search --sync --onlyvisible --name").split(QLatin1Char(' '));
    search << QLatin1Char('^') + title + QLatin1Char('$');
    return XDo(display, search).section(QLatin1Char('\n'), 0, 0).trimmed();
}
} // namespace

// The search for the modem on pseudo-terminals and the dialer through the
// fake modem: the wait for OK, the ends of a call and the speed-dial slots.
class TelephoneTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!FakeModem::Available())
            QSKIP("This machine has no pseudo-terminals (openpty failed), so there is no fake modem.");
    }
    void cleanup() { CloseAllScreens(); }
    void searchAndDial_data();
    void searchAndDial();
    void speedDialSlots();
    void executableClosedDuringTheSearchThenFindsTheModem();
};

void TelephoneTest::searchAndDial_data() {
    QTest::addColumn<QByteArray>("probe"); // the answer to AT; "O" comes late and is followed by "K"
    QTest::addColumn<QString>("number");
    QTest::addColumn<QList<QByteArray>>("pieces"); // the modem's answer to the dial, 40 ms apart
    QTest::addColumn<QString>("how");              // what ends the call
    QTest::addColumn<QString>("told");             // the title of the one message
    const QString number = QStringLiteral("555-1234"), refused = QStringLiteral("Number Not Dialled");
    const QList<QByteArray> none;
    QTest::newRow("OK, hang up") << Ok << number << QList<QByteArray>{Ok} << "hang up" << QString();
    QTest::newRow("probe answered in two pieces, O then K")
        << QByteArray("O") << number << QList<QByteArray>{"O", "K\r\n"} << "hang up" << QString();
    QTest::newRow("echo of AT, echo then OK")
        << QByteArray("AT") << number << QList<QByteArray>{"ATDT555-1234;\r", Ok} << "hang up" << QString();
    QTest::newRow("mixed case is no OK") << Ok << number << QList<QByteArray>{"\r\nOk\r\n"} << "time limit"
                                         << QStringLiteral("No Answer from the Modem");
    QTest::newRow("pulled out while waiting")
        << Ok << number << none << "vanish" << QStringLiteral("Modem Disconnected");
    QTest::newRow("command after the number") << Ok << QStringLiteral("555;ATZ") << none << "refused" << refused;
    QTest::newRow("blanks") << Ok << QStringLiteral("   ") << none << "refused" << refused;
    QTest::newRow("one character is no modem") << QByteArray("x") << number << none << "not found" << QString();
}

// Port 2 is silent, the modem on port 16 is the last searched; then the
// dialer, opened for a customer as the window system activates it, dials.
void TelephoneTest::searchAndDial() {
    QFETCH(QByteArray, probe);
    QFETCH(QString, number);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QString, how);
    QFETCH(QString, told);
    TestFolder folder;
    ModemPorts ports;
    FakeModem &silent = ports.Put(2, true);
    FakeModem &modem = ports.Put(16);
    modem.onCommand([&, pieces](const QByteArray &command) {
        if (command == "AT") {
            QTimer::singleShot(probe == "O" ? 120 : 0, &modem, [&] { modem.write(probe); });
            if (probe == "O")
                QTimer::singleShot(150, &modem, [&] { modem.write("K"); });
        } else if (command.startsWith("ATDT")) {
            for (int i = 0; i < pieces.size(); ++i)
                QTimer::singleShot(40 * (i + 1), &modem, [&modem, piece = pieces[i]] { modem.write(piece); });
            if (how == QLatin1String("vanish"))
                QTimer::singleShot(30, &modem, [&modem] { modem.vanish(); });
        }
    });
    QElapsedTimer clock;
    clock.start();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    StartModemSearch();
    // The search runs on in the event loop: loading and starting it return
    // before a search that waited could have given silent port 2 up.
    QVERIFY2(clock.elapsed() < ModemProbeMilliseconds, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(SearchModemNow());
    QCOMPARE(silent.received(), QByteArray("AT\r"));
    QVERIFY(!silent.openByProgram());
    const bool found = how != QLatin1String("not found");
    QCOMPARE(modem.openByProgram(), found);
    QCOMPARE(ModemPort, qint16(found ? 16 : 0));
    QCOMPARE(setup->tabSub->isTabEnabled(frmSetup::PhoneTab), found);
    const QString status = found ? QStringLiteral("Your Modem Comm Port Is 16.")
                                 : QStringLiteral("Modem Not Detected Or In Use.");
    QCOMPARE(ScreenRegistry::Existing<frmDialer>()->Text1->text(), status);
    if (!found)
        return;
    // Caller ID is the last thing asked for.
    QTRY_COMPARE(modem.received(), QByteArray("AT\rAT#CID=1\r"));
    folder.prompt->AnswerOk();
    DialCustomer(QStringLiteral("Harbor Lane Roofing"), number);
    const QPointer<frmDialer> dialer = ScreenRegistry::Existing<frmDialer>();
    QVERIFY(QTest::qWaitForWindowActive(dialer));
    dialer->SetDialTimeLimit(700);
    clock.restart();
    dialer->cmdNewDial_Click();
    QVERIFY(QTest::qWaitFor([&] { return !dialer || !dialer->Waiting(); }, 10000));
    const qint64 took = clock.elapsed();
    QTest::qWait(50);
    QCOMPARE(modem.received().contains("ATD"), how != QLatin1String("refused"));
    QVERIFY2(took < 3000 && (how != QLatin1String("time limit") || took >= 650), qPrintable(QString::number(took)));
    // Everything received since the command, up to the piece completing OK.
    QByteArray expected;
    for (const QByteArray &piece : pieces)
        if (!expected.contains("OK"))
            expected += piece;
    const bool talking = how == QLatin1String("hang up");
    QVERIFY(dialer || !talking);
    if (dialer) { // talking, or ready to try again and back on the hook
        QCOMPARE(dialer->LastAnswer(), expected);
        QCOMPARE(dialer->lblStatus->text(), talking ? QStringLiteral("Pickup Receiver - Then Click Hangup") : Ready);
        QCOMPARE(dialer->cmdNewDial->isHidden(), talking);
        if (how == QLatin1String("time limit"))
            QTRY_VERIFY(modem.received().endsWith("ATH\r"));
        dialer->cmdHangup->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!ScreenRegistry::Existing<frmDialer>());
    QCOMPARE(folder.prompt->shown.size(), told.isEmpty() ? 0 : 1);
    QCOMPARE(folder.prompt->shown.value(0).title, told);
    QVERIFY(!modem.openByProgram());
    if (talking)
        QTRY_COMPARE(modem.received(), QByteArray("AT\rAT#CID=1\rATDT555-1234;\rATH\r"));
}

// Speed-dial entries typed, deleted and saved when the disk is full.
void TelephoneTest::speedDialSlots() {
    enum { Save, Cancel, Delete, Restore, LoadCurrent }; // the cmdSpeedDialer buttons
    const QString file = QStringLiteral("SpeedNumbers.txt");
    TestFolder folder;
    folder.write(file, "Ann\r\n555-0101\r\nBob\r\n555-0102\r\n");
    frmDialer *dialer = ScreenRegistry::Get<frmDialer>();
    dialer->lblName->setText(QStringLiteral("Harbor Lane Roofing"));
    dialer->lblNumber->setText(QStringLiteral("555-1234"));
    ScreenRegistry::Show(dialer);
    dialer->LoadSpeedDial();
    // A filled slot loads its recipient; Restore brings the customer back.
    dialer->cmdDialer[1]->click();
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-0102"));
    dialer->cmdSpeedDialer[Restore]->click();
    // Typed entries are saved in a free slot, the customer on screen in another.
    dialer->cmdDialer[4]->click();
    dialer->txtDialer[0]->setText(QStringLiteral("Cy & Sons"));
    dialer->txtDialer[1]->setText(QStringLiteral("555-0103"));
    dialer->cmdSpeedDialer[Save]->click();
    dialer->cmdDialer[7]->click();
    dialer->cmdSpeedDialer[LoadCurrent]->click();
    // Delete asks first; Yes closes the slots up in file order.
    dialer->cmdDialer[1]->click();
    folder.prompt->Answer(MsgAnswer::Yes);
    dialer->cmdSpeedDialer[Delete]->click();
    const QByteArray left = "Ann\r\n555-0101\r\nCy & Sons\r\n555-0103\r\nHarbor Lane Roofing\r\n555-1234\r\n";
    QCOMPARE(folder.read(file), left);
    QCOMPARE(dialer->cmdDialer[1]->text(), QStringLiteral("Cy && Sons"));
    // A save that cannot be written keeps the old file, and the buttons show it.
    dialer->cmdDialer[5]->click();
    dialer->txtDialer[0]->setText(QStringLiteral("Dee"));
    folder.prompt->AnswerOk();
    {
        FileSizeLimit full(8);
        QVERIFY(full.active());
        dialer->cmdSpeedDialer[Save]->click();
    }
    QVERIFY(folder.prompt->shown.last().text.contains(QLatin1String("SpeedNumbers.txt could not be written")));
    QCOMPARE(folder.read(file), left);
    for (const QPushButton *free : std::span(dialer->cmdDialer).subspan(3))
        QCOMPARE(free->text(), QString());
}

// The program on an X display of its own: Continue on the splash and Files >
// Exit on the main menu while fifteen silent ports are still being probed.
// The program ends, and the next start is not refused: it finds the modem on
// port 16, asks for caller ID and keeps the port.
void TelephoneTest::executableClosedDuringTheSearchThenFindsTheModem() {
    if (qEnvironmentVariableIsEmpty("TAMSEL_EXE"))
        QSKIP("TAMSEL_EXE is set by CTest");
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("Xvfb and xdotool drive the program's windows; they are not installed");
    std::vector<std::unique_ptr<FakeModem>> modems;
    QStringList mapping;
    for (int p = 1; p <= 16; ++p) {
        modems.push_back(std::make_unique<FakeModem>(p < 16));
        mapping << QStringLiteral("%1=%2").arg(p).arg(modems.back()->device());
    }
    QProcess server;
    server.start(QStringLiteral("Xvfb"), QStringLiteral("-displayfd 1 -screen 0 1024x768x24 -nolisten tcp").split(' '));
    QVERIFY(server.waitForStarted());
    const auto stopServer = qScopeGuard([&] {
        server.terminate();
        server.waitForFinished();
    });
    QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine()).trimmed();
    Program program;
    program.dir.write(QStringLiteral("MyBusinessData.txt"),
                      "\"Harbor Lane Roofing\",\"\",\"\",\"\",\"\",\"97477\",\"\",\"\",\"\"\r\n");
    program.dir.write(QStringLiteral("PrintColors.txt"), "0\r\n0\r\n\"Arial\"\r\n#FALSE#\r\n1\r\n");
    const QStringList variables = {QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("DISPLAY=") + display,
                                   QStringLiteral("TAMSEL_SERIAL_PORTS=") + mapping.join(QLatin1Char(','))};
    QVERIFY(program.Start(variables));
    // Continue: the button in the splash's lower right corner.
    const QString splash = WindowNamed(display, QStringLiteral("Tamsel Proposal"));
    QVERIFY(!splash.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(modems[0]->received() == "AT\r", 10000);
    const QString size = XDo(display, {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), splash});
    const int width = size.section(QStringLiteral("WIDTH="), 1).section(QLatin1Char('\n'), 0, 0).toInt();
    const int height = size.section(QStringLiteral("HEIGHT="), 1).section(QLatin1Char('\n'), 0, 0).toInt();
    QVERIFY2(width > 100 && height > 100, qPrintable(size));
    const QString corner = QStringLiteral("%1 %2 %3").arg(splash).arg(width - 45).arg(height - 30);
    XDo(display, QStringLiteral("mousemove --window %1 click 1").arg(corner).split(' '));
    // Files > Exit on the main menu, while the search goes on.
    const QString menu = WindowNamed(display, QStringLiteral("Tamsel PROPOSAL"));
    QVERIFY(!menu.isEmpty());
    XDo(display, QStringLiteral("mousemove --window %1 20 10 click 1 sleep 0.5 key Up Return").arg(menu).split(' '));
    QVERIFY2(modems[14]->received().isEmpty(), "the search was over before the menu was closed");
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.dir.exists(QStringLiteral("Backup/MyBusinessData.txt")));
    QVERIFY(program.Start(variables));
    QTRY_COMPARE_WITH_TIMEOUT(modems[15]->received(), QByteArray("AT\rAT#CID=1\r"), 20000);
    QVERIFY(modems[15]->openByProgram(program.processId()));
    QCOMPARE(modems[0]->received(), QByteArray("AT\rAT\r"));
}

TAMSEL_TEST(TelephoneTest)
#include "tst_Telephone.moc"
