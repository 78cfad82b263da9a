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

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QTabWidget>
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
    void speedDialSlots();
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

TAMSEL_TEST(TelephoneTest)
#include "tst_Telephone.moc"
