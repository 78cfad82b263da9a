#include "FakeModem.h"
#include "FileSizeLimit.h"
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
#include "settings/frmSetup.h"
#include "telephone/frmDialer.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {
QString DialerText() { return ScreenRegistry::Existing<frmDialer>()->Text1->text(); }
const QString Ready = QStringLiteral("Ready to Dial......");
const QByteArray Ok = "\r\nOK\r\n";

// The modem found on port 3, the dialer opened for a customer as the window
// system activates it.
struct Call {
    TestFolder folder;
    ModemPorts ports;
    FakeModem &modem;
    frmDialer *dialer = nullptr;
    explicit Call(const QString &number = QStringLiteral("555-1234")) : modem(ports.Put(3)) {
        ScreenRegistry::Get<frmSetup>();
        if (!SearchModemNow())
            qWarning("the search for the modem did not end");
        Redial(number);
    }
    void Redial(const QString &number) {
        DialCustomer(QStringLiteral("Harbor Lane Roofing"), number);
        dialer = ScreenRegistry::Existing<frmDialer>();
        if (!QTest::qWaitForWindowActive(dialer))
            qWarning("the dialer was not activated");
    }
    // Dials and waits until the dial is over; the milliseconds that took.
    qint64 Dial() {
        QElapsedTimer clock;
        clock.start();
        const QPointer<frmDialer> screen = dialer;
        dialer->cmdNewDial_Click();
        if (!QTest::qWaitFor([&] { return !screen || !screen->Waiting(); }, 10000))
            qWarning("the dial did not end");
        return clock.elapsed();
    }
    QString Title() const { return folder.prompt->shown.value(0).title; }
};

bool Unloaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ScreenRegistry::Existing<frmDialer>() == nullptr;
}

// The slot captions up to the last one in use.
QStringList Captions(const frmDialer *dialer) {
    QStringList captions;
    for (const QPushButton *button : dialer->cmdDialer)
        captions << button->text();
    while (!captions.isEmpty() && captions.last().isEmpty())
        captions.removeLast();
    return captions;
}

// A copy of the program in a folder of its own (its data folder), started as
// a user starts it, with its own settings and these "NAME=value" variables;
// it ends with the test.
struct Program : QProcess {
    QTemporaryDir dir;
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
    if (!tool.waitForFinished(10000)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

// The window of that exact title, waited for.
QString WindowNamed(const QString &display, const QString &title) {
    const QStringList search = {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$')};
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
    void cleanup() {
        CloseAllScreens();
        qunsetenv("TAMSEL_SERIAL_PORTS");
    }
    void search_data();
    void search();
    void programRunsOnDuringTheSearch_data();
    void programRunsOnDuringTheSearch();
    void noModemOffersTheDesktopsTelephone();
    void dial_data();
    void dial();
    void longDistancePrefix();
    void dialIconChoosesTheNumber_data();
    void dialIconChoosesTheNumber();
    void speedDialSlots();
    void phoneAndCallerIdFiles_data();
    void phoneAndCallerIdFiles();
    void executableFindsTheMappedModem();
    void executableEndsWhenClosedDuringTheSearch();
};

void TelephoneTest::search_data() {
    QTest::addColumn<int>("port");          // the modem's; port 1 is busy, port 2 silent
    QTest::addColumn<QByteArray>("answer"); // to the probe, after delay ms; "O" is followed by "K"
    QTest::addColumn<int>("delay");
    QTest::addColumn<bool>("found");
    QTest::newRow("OK on port 3") << 3 << Ok << 0 << true;
    QTest::newRow("port 16, the last searched") << 16 << Ok << 0 << true;
    QTest::newRow("echo of AT") << 3 << QByteArray("AT") << 0 << true;
    QTest::newRow("OK a little later, in two pieces") << 3 << QByteArray("O") << 120 << true;
    QTest::newRow("one character") << 3 << QByteArray("x") << 0 << false;
    QTest::newRow("too late") << 3 << Ok << 1500 << false;
}

void TelephoneTest::search() {
    QFETCH(int, port);
    QFETCH(QByteArray, answer);
    QFETCH(int, delay);
    QFETCH(bool, found);
    TestFolder folder;
    ModemPorts ports;
    FakeModem &busy = ports.Put(1);
    FakeModem &silent = ports.Put(2, FakeModem::Reply::Silent);
    FakeModem &modem = ports.Put(port);
    modem.onCommand([&](const QByteArray &command) {
        if (command == "AT")
            QTimer::singleShot(delay, &modem, [&] {
                modem.write(answer);
                if (answer == "O")
                    QTimer::singleShot(30, &modem, [&] { modem.write("K"); });
            });
    });
    QSerialPort other(busy.device()); // another program has port 1 open
    QVERIFY(other.open(QIODevice::ReadWrite));
    QElapsedTimer clock;
    clock.start();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    StartModemSearch();
    // The search runs on in the event loop: loading and starting it return at once.
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(SearchModemNow());
    QCOMPARE(busy.received(), QByteArray());
    QCOMPARE(silent.received(), QByteArray("AT\r"));
    QVERIFY(!silent.openByProgram());
    QCOMPARE(modem.openByProgram(), found);
    QCOMPARE(ModemPort, qint16(found ? port : 0));
    QCOMPARE(setup->txtModemPort->text(), QString::number(found ? port : 0));
    QCOMPARE(setup->tabSub->isTabEnabled(frmSetup::PhoneTab), found);
    const QString text = QStringLiteral("Your Modem Comm Port Is %1.").arg(port);
    QCOMPARE(DialerText(), found ? text : QStringLiteral("Modem Not Detected Or In Use."));
    if (found) // caller ID is the last thing asked for
        QTRY_COMPARE(modem.received(), QByteArray("AT\rAT#CID=1\r"));
    QVERIFY(folder.prompt->shown.isEmpty());
}

void TelephoneTest::programRunsOnDuringTheSearch_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("typing on the first-run setup screen") << QStringLiteral("type");
    QTest::newRow("dial icon") << QStringLiteral("dial");
    QTest::newRow("closing the main menu ends the program") << QStringLiteral("close");
}

// Three silent ports make a search of about a second; the user acts 50 ms
// after the start, through the splash as the program shows it.
void TelephoneTest::programRunsOnDuringTheSearch() {
    QFETCH(QString, action);
    TestFolder folder;
    ModemPorts ports;
    FakeModem *silent[3] = {&ports.Put(1, FakeModem::Reply::Silent), &ports.Put(2, FakeModem::Reply::Silent),
                            &ports.Put(3, FakeModem::Reply::Silent)};
    if (action != QLatin1String("type")) {
        folder.write(QStringLiteral("MyBusinessData.txt"),
                     "\"Harbor Lane Roofing\",\"1 Main St\",\"\",\"Springfield\",\"OR\",\"97477\",\"\",\"\",\"\"\r\n");
        folder.write(QStringLiteral("PrintColors.txt"), "255\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n");
    }
    folder.prompt->AnswerOk();
    const QString typed = QStringLiteral("Harbor Lane Roofing");
    QObject scope; // the action cannot outlive this test's locals
    QTimer::singleShot(50, &scope, [&] {
        frmSplash *splash = ScreenRegistry::Existing<frmSplash>();
        if (action == QLatin1String("type")) {
            splash->Image1_Click();
            frmSetup *setup = ScreenRegistry::Existing<frmSetup>();
            QVERIFY(QTest::qWaitForWindowActive(setup));
            return QTest::keyClicks(setup->txtBusiness[0], typed);
        }
        splash->cmdContinue_Click();
        if (action == QLatin1String("close"))
            return (void)ScreenRegistry::Existing<frmStartup>()->close();
        frmCustomer *customer = ScreenRegistry::Get<frmCustomer>();
        customer->txtCustomer[6]->setText(QStringLiteral("217-555-0200"));
        customer->Image2_Click();
    });
    QVERIFY(StartUp(folder.path()));
    QVERIFY(QTest::qWaitFor([&] { return ModemSearchDone() || folder.endRequests > 0; }, 5000));
    if (action == QLatin1String("type")) {
        QCOMPARE(ScreenRegistry::Existing<frmSetup>()->txtBusiness[0]->text(), typed);
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
}

void TelephoneTest::noModemOffersTheDesktopsTelephone() {
    TestFolder folder;
    ModemPorts ports; // sixteen ports, no device behind any
    QElapsedTimer clock;
    clock.start();
    QVERIFY(SearchModemNow());
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    // The dial icon offers the desktop's telephone program instead, after a
    // question; No hands nothing over, and with no program the user is told.
    QStringList opened;
    bool handled = true;
    SetUrlOpener([&](const QString &address) {
        opened << address;
        return handled;
    });
    frmCustomer *customer = ScreenRegistry::Get<frmCustomer>();
    QVERIFY(!customer->Image2->isHidden());
    customer->txtCustomer[1]->setText(QStringLiteral("Harbor Lane Roofing"));
    customer->txtCustomer[6]->setText(QStringLiteral("541 555-0142"));
    folder.prompt->Answer(MsgAnswer::No);
    customer->Image2_Click();
    QVERIFY(folder.prompt->shown[0].text.contains(QLatin1String("Harbor Lane Roofing at 541 555-0142")));
    QVERIFY(opened.isEmpty());
    folder.prompt->Answer(MsgAnswer::Yes);
    customer->Image2_Click();
    QCOMPARE(opened, QStringList({QStringLiteral("tel:541555-0142")}));
    handled = false;
    folder.prompt->Answer(MsgAnswer::Yes);
    folder.prompt->AnswerOk();
    customer->Image2_Click();
    QVERIFY(folder.prompt->shown.value(3).text.contains(QLatin1String("dial 541 555-0142 by hand")));
}

void TelephoneTest::dial_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QList<QByteArray>>("pieces"); // the modem's answer to the dial, 40 ms apart
    QTest::addColumn<QString>("how");              // what ends the call
    QTest::addColumn<QString>("told");             // the title of the one message
    const QString number = QStringLiteral("555-1234"), refused = QStringLiteral("Number Not Dialled");
    const QList<QByteArray> none;
    QTest::newRow("OK, hang up") << number << QList<QByteArray>{Ok} << "hang up" << QString();
    QTest::newRow("O then K") << number << QList<QByteArray>{"O", "K\r\n"} << "hang up" << QString();
    QTest::newRow("echo then OK") << number << QList<QByteArray>{"ATDT555-1234;\r", Ok} << "hang up" << QString();
    QTest::newRow("mixed case is no OK") << number << QList<QByteArray>{"\r\nOk\r\n"} << "time limit"
                                         << QStringLiteral("No Answer from the Modem");
    QTest::newRow("pulled out while talking") << number << QList<QByteArray>{Ok} << "vanish talking"
                                              << QStringLiteral("Modem Disconnected");
    QTest::newRow("disconnect while waiting") << number << none << "disconnect" << QString();
    QTest::newRow("close button ends the program") << number << none << "close" << QString();
    QTest::newRow("pulled out while waiting") << number << none << "vanish" << QStringLiteral("Modem Disconnected");
    QTest::newRow("gone before dialling") << number << none << "gone" << QStringLiteral("Modem Not Available");
    QTest::newRow("command after the number") << QStringLiteral("555;ATZ") << none << "refused" << refused;
    QTest::newRow("blanks") << QStringLiteral("   ") << none << "refused" << refused;
}

void TelephoneTest::dial() {
    QFETCH(QString, number);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QString, how);
    QFETCH(QString, told);
    Call call(number);
    FakeModem &modem = call.modem;
    call.folder.prompt->AnswerOk();
    if (how == QLatin1String("gone")) {
        call.dialer->cmdHangup->click();
        QVERIFY(Unloaded());
        modem.vanish();
        call.Redial(number);
    }
    const QPointer<frmDialer> dialer = call.dialer;
    dialer->SetDialTimeLimit(700);
    modem.onCommand([&, pieces](const QByteArray &command) {
        if (!command.startsWith("ATDT"))
            return;
        for (int i = 0; i < pieces.size(); ++i)
            QTimer::singleShot(40 * (i + 1), &modem, [&modem, piece = pieces[i]] { modem.write(piece); });
        QTimer::singleShot(30, dialer, [&] {
            if (how == QLatin1String("vanish"))
                modem.vanish();
            else if (how == QLatin1String("close") || how == QLatin1String("disconnect"))
                how == QLatin1String("close") ? (void)dialer->close() : dialer->cmdHangup->click();
        });
    });
    QString status;
    QObject scope; // the look cannot outlive this test's locals
    QTimer::singleShot(20, &scope, [&] { status = dialer ? dialer->lblStatus->text() : QString(); });
    const qint64 took = call.Dial();
    QTest::qWait(50);
    const bool dialled = how != QLatin1String("gone") && how != QLatin1String("refused");
    QCOMPARE(modem.received().contains("ATD"), dialled);
    QCOMPARE(status, dialled ? QStringLiteral("Dialing..... ") + number : Ready);
    QVERIFY2(took < 3000 && (how != QLatin1String("time limit") || took >= 650), qPrintable(QString::number(took)));
    // Everything received since the command, up to the piece completing OK.
    QByteArray expected;
    for (const QByteArray &piece : pieces)
        if (!expected.contains("OK"))
            expected += piece;
    if (how == QLatin1String("hang up") || how == QLatin1String("vanish talking")) {
        QCOMPARE(dialer->LastAnswer(), expected);
        QCOMPARE(dialer->lblStatus->text(), QStringLiteral("Pickup Receiver - Then Click Hangup"));
        QVERIFY(dialer->cmdNewDial->isHidden());
        if (how != QLatin1String("hang up")) {
            modem.vanish();
            QTest::qWait(100);
        }
        dialer->cmdHangup->click();
    } else if (dialer) { // ready to try again, and back on the hook
        QCOMPARE(dialer->LastAnswer(), expected);
        QCOMPARE(dialer->lblStatus->text(), Ready);
        QVERIFY(!dialer->cmdNewDial->isHidden());
        if (how == QLatin1String("time limit"))
            QTRY_COMPARE(modem.lastCommand(), QByteArray("ATH"));
        dialer->cmdHangup->click();
    }
    QVERIFY(Unloaded());
    QCOMPARE(call.folder.prompt->shown.size(), told.isEmpty() ? 0 : 1);
    QCOMPARE(call.Title(), told);
    QCOMPARE(call.folder.endRequests, how == QLatin1String("close") ? 1 : 0);
    QVERIFY(!modem.openByProgram());
    if (how != QLatin1String("hang up"))
        return;
    QTRY_COMPARE(modem.commands(), QList<QByteArray>({"AT", "AT#CID=1", "ATDT555-1234;", "ATH"}));
    // The next call opens the port again.
    call.Redial(QStringLiteral("555-0101"));
    QVERIFY(modem.openByProgram());
    call.Dial();
    QCOMPARE(modem.lastCommand(), QByteArray("ATDT555-0101;"));
}

void TelephoneTest::longDistancePrefix() {
    Call call;
    QCheckBox *prefix = call.dialer->ckDial1;
    QLabel *number = call.dialer->lblNumber;
    prefix->click();
    QCOMPARE(number->text(), QStringLiteral("1-555-1234"));
    prefix->click();
    QCOMPARE(number->text(), QStringLiteral("555-1234"));
    // Unchecking when the number shown does not begin with 1- leaves it be.
    prefix->click();
    number->setText(QStringLiteral("555-9999"));
    prefix->click();
    QCOMPARE(number->text(), QStringLiteral("555-9999"));
    // The prefix is dialled as shown.
    prefix->click();
    call.Dial();
    QCOMPARE(call.modem.lastCommand(), QByteArray("ATDT1-555-9999;"));
}

void TelephoneTest::dialIconChoosesTheNumber_data() {
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("answer"); // to the question which to dial; -1 when none is expected
    QTest::addColumn<QString>("dialled");
    const QString phone = QStringLiteral("541-555-0142"), cell = QStringLiteral("541-555-0199");
    QTest::newRow("telephone only") << QStringLiteral(" 541-555-0142 ") << QString() << -1 << phone;
    QTest::newRow("cell only") << QString() << cell << -1 << cell;
    QTest::newRow("both, Yes") << phone << cell << int(MsgAnswer::Yes) << phone;
    QTest::newRow("both, No") << phone << cell << int(MsgAnswer::No) << cell;
    QTest::newRow("neither: the number shown stays") << QString() << QString() << -1 << QStringLiteral("555-1234");
}

// The customer screen's dial icon; the dialer shows 555-1234 from the call
// before, hidden and modeless again so the icon has to show it modal.
void TelephoneTest::dialIconChoosesTheNumber() {
    QFETCH(QString, phone);
    QFETCH(QString, cell);
    QFETCH(int, answer);
    Call call;
    call.dialer->hide();
    call.dialer->setWindowModality(Qt::NonModal);
    frmCustomer *customer = ScreenRegistry::Get<frmCustomer>();
    customer->txtCustomer[1]->setText(QStringLiteral("Maple Street Bakery"));
    customer->txtCustomer[6]->setText(phone);
    customer->txtCustomer[11]->setText(cell);
    if (answer >= 0)
        call.folder.prompt->Answer(MsgAnswer(answer));
    emit customer->Image2->clicked();
    QVERIFY(call.dialer->isVisible());
    QCOMPARE(call.dialer->windowModality(), Qt::ApplicationModal);
    QCOMPARE(call.dialer->lblName->text(), QStringLiteral("Maple Street Bakery"));
    QTEST(call.dialer->lblNumber->text(), "dialled");
    QCOMPARE(call.folder.prompt->shown.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0)
        QCOMPARE(call.folder.prompt->shown[0].buttons, MsgButtons::YesNo);
}

void TelephoneTest::speedDialSlots() {
    enum { Save, Cancel, Delete, Restore, LoadCurrent }; // the cmdSpeedDialer buttons
    const QString file = QStringLiteral("SpeedNumbers.txt");
    TestFolder folder;
    frmDialer *dialer = ScreenRegistry::Get<frmDialer>();
    dialer->lblName->setText(QStringLiteral("Harbor Lane Roofing"));
    dialer->lblNumber->setText(QStringLiteral("555-1234"));
    ScreenRegistry::Show(dialer);
    // Cancel leaves the file alone: none is made.
    dialer->cmdDialer[0]->click();
    dialer->txtDialer[0]->setText(QStringLiteral("Ann"));
    dialer->cmdSpeedDialer[Cancel]->click();
    QVERIFY(!folder.exists(file));
    const QByteArray twoPairs = "Ann\r\n555-0101\r\nBob\r\n555-0102\r\n";
    folder.write(file, twoPairs);
    dialer->LoadSpeedDial();
    // A filled slot loads its recipient; Restore brings the customer back.
    dialer->cmdDialer[1]->click();
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-0102"));
    dialer->cmdSpeedDialer[Restore]->click();
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-1234"));
    // Typed entries are saved in a free slot, the customer on screen in another.
    dialer->cmdDialer[4]->click();
    QVERIFY(!dialer->cmdSpeedDialer[Delete]->isEnabled());
    dialer->txtDialer[0]->setText(QStringLiteral("Cy & Sons"));
    dialer->txtDialer[1]->setText(QStringLiteral("555-0103"));
    dialer->cmdSpeedDialer[Save]->click();
    dialer->cmdDialer[7]->click();
    dialer->cmdSpeedDialer[LoadCurrent]->click();
    const QByteArray four = twoPairs + "Cy & Sons\r\n555-0103\r\nHarbor Lane Roofing\r\n555-1234\r\n";
    QCOMPARE(folder.read(file), four);
    // Delete asks first; No keeps the entry, Yes closes the slots up in file order.
    dialer->cmdDialer[1]->click();
    folder.prompt->Answer(MsgAnswer::No);
    dialer->cmdSpeedDialer[Delete]->click();
    QCOMPARE(folder.prompt->shown[0].text, QStringLiteral("This will delete SpeedDial entry  Bob\r\nAre you Sure"));
    QCOMPARE(folder.read(file), four);
    dialer->cmdDialer[1]->click();
    folder.prompt->Answer(MsgAnswer::Yes);
    dialer->cmdSpeedDialer[Delete]->click();
    const QByteArray left = "Ann\r\n555-0101\r\nCy & Sons\r\n555-0103\r\nHarbor Lane Roofing\r\n555-1234\r\n";
    QCOMPARE(folder.read(file), left);
    const QStringList captions = {"Ann", "Cy && Sons", "Harbor Lane Roofing"};
    QCOMPARE(Captions(dialer), captions);
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
    QCOMPARE(Captions(dialer), captions);
}

void TelephoneTest::phoneAndCallerIdFiles_data() {
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

// What Phone.txt and CallID.txt hold reaches the setup screen, with the modem
// found on port 3; neither file is ever written.
void TelephoneTest::phoneAndCallerIdFiles() {
    QFETCH(QByteArray, phone);
    QFETCH(QByteArray, callerId);
    QFETCH(bool, daisyChained);
    QFETCH(bool, callerIdOn);
    TestFolder folder;
    ModemPorts ports;
    FakeModem &modem = ports.Put(3);
    const std::pair<QString, QByteArray> files[] = {{QStringLiteral("Phone.txt"), phone},
                                                    {QStringLiteral("CallID.txt"), callerId}};
    for (const auto &[name, content] : files)
        if (!content.isNull())
            folder.write(name, content);
    const bool damaged = phone.startsWith("#YES#");
    folder.prompt->AnswerOk();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QVERIFY(SearchModemNow());
    QCOMPARE(folder.prompt->shown.size(), damaged ? 1 : 0);
    QCOMPARE(folder.prompt->shown.value(0).text.contains(QLatin1String("Phone.txt")), damaged);
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
    for (const auto &[name, content] : files) {
        QCOMPARE(folder.exists(name), !content.isNull());
        QCOMPARE(folder.read(name), content);
    }
}

void TelephoneTest::executableFindsTheMappedModem() {
    if (qEnvironmentVariableIsEmpty("TAMSEL_EXE"))
        QSKIP("TAMSEL_EXE is set by CTest");
    FakeModem modem;
    Program program;
    QVERIFY(program.Start({QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                           QStringLiteral("TAMSEL_SERIAL_PORTS=1=") + modem.device()}));
    // The probe, then caller ID; the program keeps the port.
    QTRY_COMPARE_WITH_TIMEOUT(modem.received(), QByteArray("AT\rAT#CID=1\r"), 20000);
    QVERIFY(modem.openByProgram(program.processId()));
}

// The program on an X display of its own: Continue on the splash and Files >
// Exit on the main menu while fifteen silent ports are still being probed.
// The program ends, and the next start is not refused.
void TelephoneTest::executableEndsWhenClosedDuringTheSearch() {
    if (qEnvironmentVariableIsEmpty("TAMSEL_EXE"))
        QSKIP("TAMSEL_EXE is set by CTest");
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("Xvfb and xdotool drive the program's windows; they are not installed");
    std::vector<std::unique_ptr<FakeModem>> silent;
    QStringList mapping;
    for (int p = 1; p <= 15; ++p) {
        silent.push_back(std::make_unique<FakeModem>(FakeModem::Reply::Silent));
        mapping << QStringLiteral("%1=%2").arg(p).arg(silent.back()->device());
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
    const std::pair<QString, QByteArray> files[] = {
        {QStringLiteral("MyBusinessData.txt"),
         "\"Harbor Lane Roofing\",\"\",\"\",\"\",\"\",\"97477\",\"\",\"\",\"\"\r\n"},
        {QStringLiteral("PrintColors.txt"), "0\r\n0\r\n\"Arial\"\r\n#FALSE#\r\n1\r\n"}};
    for (const auto &[name, bytes] : files) {
        QFile file(program.dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    const QStringList variables = {QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("DISPLAY=") + display,
                                   QStringLiteral("TAMSEL_SERIAL_PORTS=") + mapping.join(QLatin1Char(','))};
    QVERIFY(program.Start(variables));
    // Continue: the button in the splash's lower right corner.
    const QString splash = WindowNamed(display, QStringLiteral("Tamsel Proposal"));
    QVERIFY(!splash.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(silent[0]->received() == "AT\r", 10000);
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
    QVERIFY2(silent[14]->received().isEmpty(), "the search was over before the menu was closed");
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(QFile::exists(program.dir.filePath(QStringLiteral("Backup/MyBusinessData.txt"))));
    // The next start is not refused: it comes up and looks for the modem again.
    QVERIFY(program.Start(variables));
    QTRY_VERIFY_WITH_TIMEOUT(silent[0]->received() == "AT\rAT\r", 10000);
    QCOMPARE(program.state(), QProcess::Running);
}

TAMSEL_TEST(TelephoneTest)
#include "tst_Telephone.moc"
