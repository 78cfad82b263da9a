#include "ModemPorts.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/QtPictureBox.h"
#include "settings/frmSetup.h"
#include "telephone/Telephone.h"
#include "telephone/frmDialer.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
// The modem found on port 3 at start-up, the dialer opened for a customer.
frmDialer *OpenDialer(ModemPorts &ports, const QString &number = QStringLiteral("555-1234")) {
    ports.Put(3);
    ScreenRegistry::Get<frmSetup>();
    DialCustomer(QStringLiteral("Harbor Lane Roofing"), number);
    frmDialer *dialer = ScreenRegistry::Existing<frmDialer>();
    // Activation as the user's window system delivers it, before any click.
    if (!QTest::qWaitForWindowActive(dialer))
        qWarning("the dialer was not activated");
    return dialer;
}

// The modem answers a dial command with these pieces, 40 ms apart.
void AnswerDialWith(FakeModem &modem, const QList<QByteArray> &pieces) {
    modem.onCommand([&modem, pieces](const QByteArray &command) {
        if (!command.startsWith("ATDT"))
            return;
        for (int i = 0; i < pieces.size(); ++i)
            QTimer::singleShot(40 * (i + 1), &modem, [&modem, piece = pieces[i]] { modem.write(piece); });
    });
}

bool Unloaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ScreenRegistry::Existing<frmDialer>() == nullptr;
}
} // namespace

// Dialling through the fake modem: the dial command, the wait for OK, talk
// and hang-up, and what happens when the modem goes away.
class DialerTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void dialWaitsForOk_data();
    void dialWaitsForOk();
    void waitKeepsTheScreenResponsiveAndEnds();
    void disconnectEndsTheWait();
    void talkHangsUpAndTheNextCallReopens();
    void endingTheProgramEndsTheWait();
    void numbersWithCommandsAreRefused_data();
    void numbersWithCommandsAreRefused();
    void modemPulledOutWhileWaiting();
    void modemPulledOutDuringTheCall();
    void modemGoneBeforeDialling();
    void longDistancePrefix();
    void dialIconChoosesTheNumber_data();
    void dialIconChoosesTheNumber();
};

void DialerTest::dialWaitsForOk_data() {
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << QList<QByteArray>{"\r\nOK\r\n"} << true;
    QTest::newRow("O then K") << QList<QByteArray>{"O", "K\r\n"} << true;
    QTest::newRow("OK then line end") << QList<QByteArray>{"\r\nOK", "\r\n"} << true;
    QTest::newRow("echo then OK") << QList<QByteArray>{"ATDT555-1234;\r", "\r\nOK\r\n"} << true;
    QTest::newRow("lower case") << QList<QByteArray>{"ok\r\n"} << false;
    QTest::newRow("mixed case") << QList<QByteArray>{"\r\nOk\r\n"} << false;
    QTest::newRow("error") << QList<QByteArray>{"\r\nERROR\r\n"} << false;
    QTest::newRow("nothing") << QList<QByteArray>{} << false;
}

void DialerTest::dialWaitsForOk() {
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, ok);
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    FakeModem &modem = ports[3];
    dialer->SetDialTimeLimit(800);
    AnswerDialWith(modem, pieces);
    if (!ok)
        folder.prompt->AnswerOk();
    QCOMPARE(dialer->lblStatus->text(), QStringLiteral("Ready to Dial......"));
    dialer->cmdNewDial->click();

    // Everything received since the command was sent, up to the piece that
    // completed the OK.
    QByteArray expected;
    for (const QByteArray &piece : pieces)
        if (!expected.contains("OK"))
            expected += piece;
    QCOMPARE(dialer->LastAnswer(), expected);
    QVERIFY(modem.commands().contains("ATDT555-1234;"));
    if (ok) {
        QVERIFY(folder.prompt->shown.isEmpty());
        QCOMPARE(dialer->lblStatus->text(), QStringLiteral("Pickup Receiver - Then Click Hangup"));
        QVERIFY(!dialer->cmdCancel->isHidden());
        QVERIFY(dialer->cmdNewDial->isHidden());
        QCOMPARE(modem.commands().last(), QByteArray("ATDT555-1234;"));
    } else {
        QCOMPARE(folder.prompt->shown.size(), 1);
        QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("No Answer from the Modem"));
        // Back on the hook and ready to try again.
        QTRY_COMPARE(modem.commands().last(), QByteArray("ATH"));
        QCOMPARE(dialer->lblStatus->text(), QStringLiteral("Ready to Dial......"));
        QVERIFY(!dialer->cmdNewDial->isHidden());
        QVERIFY(dialer->cmdCancel->isHidden());
    }
}

void DialerTest::waitKeepsTheScreenResponsiveAndEnds() {
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    ports[3].setReply(FakeModem::Reply::Silent);
    dialer->SetDialTimeLimit(700);
    QString statusWhileWaiting;
    bool waiting = false;
    QTimer::singleShot(100, this, [&] {
        statusWhileWaiting = dialer->lblStatus->text();
        waiting = dialer->Waiting();
    });
    folder.prompt->AnswerOk();
    QElapsedTimer clock;
    clock.start();
    dialer->cmdNewDial_Click();
    QVERIFY(clock.elapsed() >= 650);
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(waiting);
    QCOMPARE(statusWhileWaiting, QStringLiteral("Dialing..... 555-1234"));
    QVERIFY(!dialer->Waiting());
    QCOMPARE(folder.prompt->shown.size(), 1);
}

void DialerTest::disconnectEndsTheWait() {
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    FakeModem &modem = ports[3];
    modem.setReply(FakeModem::Reply::Silent);
    QCOMPARE(dialer->DialTimeLimit(), 60000);
    QTimer::singleShot(100, dialer, [dialer] { dialer->cmdHangup->click(); });
    QElapsedTimer clock;
    clock.start();
    dialer->cmdNewDial_Click();
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QTRY_COMPARE(modem.commands().last(), QByteArray("ATH"));
    QVERIFY(!modem.openByProgram());
    QVERIFY(Unloaded());
    QVERIFY(folder.prompt->shown.isEmpty());
}

void DialerTest::endingTheProgramEndsTheWait() {
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    ports[3].setReply(FakeModem::Reply::Silent);
    // The window's close button while dialling: every screen goes.
    QTimer::singleShot(100, dialer, [dialer] { dialer->close(); });
    QElapsedTimer clock;
    clock.start();
    dialer->cmdNewDial_Click();
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(folder.endRequests, 1);
    QVERIFY(Unloaded());
    QVERIFY(!ports[3].openByProgram());
}

void DialerTest::talkHangsUpAndTheNextCallReopens() {
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    FakeModem &modem = ports[3];
    dialer->cmdNewDial->click();
    QVERIFY(!dialer->cmdCancel->isHidden());
    dialer->cmdCancel->click();
    QTRY_COMPARE(modem.commands(), QList<QByteArray>({"AT", "AT#CID=1", "ATDT555-1234;", "ATH"}));
    QVERIFY(!modem.openByProgram());
    QVERIFY(Unloaded());

    // The next call opens the port again, on the number the setup screen shows.
    DialCustomer(QStringLiteral("Ann"), QStringLiteral("555-0101"));
    dialer = ScreenRegistry::Existing<frmDialer>();
    QCOMPARE(dialer->windowModality(), Qt::ApplicationModal);
    QVERIFY(QTest::qWaitForWindowActive(dialer));
    QVERIFY(modem.openByProgram());
    QCOMPARE(dialer->Text1->text(), QStringLiteral("Your Modem Comm Port Is 3."));
    dialer->cmdNewDial->click();
    QCOMPARE(modem.commands().last(), QByteArray("ATDT555-0101;"));
    dialer->cmdHangup->click();
    QTRY_COMPARE(modem.commands().last(), QByteArray("ATH"));
    QVERIFY(folder.prompt->shown.isEmpty());
}

void DialerTest::numbersWithCommandsAreRefused_data() {
    QTest::addColumn<QString>("number");
    QTest::newRow("command after the number") << QStringLiteral("555;ATZ");
    QTest::newRow("letter") << QStringLiteral("555-12A4");
    QTest::newRow("nothing") << QString();
    QTest::newRow("blanks") << QStringLiteral("   ");
}

void DialerTest::numbersWithCommandsAreRefused() {
    QFETCH(QString, number);
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports, number);
    FakeModem &modem = ports[3];
    folder.prompt->AnswerOk();
    dialer->cmdNewDial->click();
    QTest::qWait(50);
    QCOMPARE(modem.received(), QByteArray("AT\rAT#CID=1\r"));
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Number Not Dialled"));
    QVERIFY(!dialer->cmdNewDial->isHidden());
    QCOMPARE(dialer->lblStatus->text(), QStringLiteral("Ready to Dial......"));
}

void DialerTest::modemPulledOutWhileWaiting() {
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    FakeModem &modem = ports[3];
    modem.onCommand([&](const QByteArray &command) {
        if (command.startsWith("ATDT"))
            QTimer::singleShot(30, &modem, [&] { modem.vanish(); });
    });
    folder.prompt->AnswerOk();
    QElapsedTimer clock;
    clock.start();
    dialer->cmdNewDial_Click();
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Modem Disconnected"));
    QVERIFY(folder.prompt->shown[0].text.contains(QLatin1String("COM Port # 3")));
    // The program carries on: the dialer is ready, Disconnect closes it.
    QCOMPARE(dialer->lblStatus->text(), QStringLiteral("Ready to Dial......"));
    dialer->cmdHangup->click();
    QVERIFY(Unloaded());
    QCOMPARE(folder.prompt->shown.size(), 1);
}

void DialerTest::modemPulledOutDuringTheCall() {
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    dialer->cmdNewDial->click();
    QCOMPARE(dialer->lblStatus->text(), QStringLiteral("Pickup Receiver - Then Click Hangup"));
    ports[3].vanish();
    QTest::qWait(100);
    folder.prompt->AnswerOk();
    dialer->cmdHangup->click();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Modem Disconnected"));
    QVERIFY(Unloaded());
}

void DialerTest::modemGoneBeforeDialling() {
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    dialer->cmdHangup->click();
    QVERIFY(Unloaded());
    ports[3].vanish();
    DialCustomer(QStringLiteral("Ann"), QStringLiteral("555-0101"));
    dialer = ScreenRegistry::Existing<frmDialer>();
    QVERIFY(QTest::qWaitForWindowActive(dialer));
    folder.prompt->AnswerOk();
    dialer->cmdNewDial->click();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Modem Not Available"));
    QVERIFY(!dialer->cmdNewDial->isHidden());
}

void DialerTest::longDistancePrefix() {
    TestFolder folder;
    ModemPorts ports;
    frmDialer *dialer = OpenDialer(ports);
    QCOMPARE(dialer->ckDial1->text(), QStringLiteral("Dial a Prefix  1-"));
    dialer->ckDial1->click();
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("1-555-1234"));
    dialer->ckDial1->click();
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-1234"));
    // Unchecking when the number shown does not begin with 1- leaves it be.
    dialer->ckDial1->click();
    dialer->lblNumber->setText(QStringLiteral("555-9999"));
    dialer->ckDial1->click();
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-9999"));
    // The prefix is dialled as shown.
    dialer->ckDial1->click();
    dialer->cmdNewDial->click();
    QCOMPARE(ports[3].commands().last(), QByteArray("ATDT1-555-9999;"));
}

void DialerTest::dialIconChoosesTheNumber_data() {
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("answer"); // -1 no question expected
    QTest::addColumn<QString>("dialled");
    QTest::newRow("telephone only") << QStringLiteral(" 541-555-0142 ") << QString() << -1
                                    << QStringLiteral("541-555-0142");
    QTest::newRow("cell only") << QString() << QStringLiteral("541-555-0199") << -1 << QStringLiteral("541-555-0199");
    QTest::newRow("both, Yes") << QStringLiteral("541-555-0142") << QStringLiteral("541-555-0199")
                               << int(MsgAnswer::Yes) << QStringLiteral("541-555-0142");
    QTest::newRow("both, No") << QStringLiteral("541-555-0142") << QStringLiteral("541-555-0199")
                              << int(MsgAnswer::No) << QStringLiteral("541-555-0199");
    QTest::newRow("neither") << QString() << QString() << -1 << QStringLiteral("as before");
}

void DialerTest::dialIconChoosesTheNumber() {
    QFETCH(QString, phone);
    QFETCH(QString, cell);
    QFETCH(int, answer);
    QFETCH(QString, dialled);
    TestFolder folder;
    ModemPorts ports;
    ports.Put(3);
    ScreenRegistry::Get<frmSetup>();
    ScreenRegistry::Existing<frmDialer>()->lblNumber->setText(QStringLiteral("as before"));
    frmCustomer *customer = ScreenRegistry::Get<frmCustomer>();
    QVERIFY(!customer->Image2->isHidden());
    customer->txtCustomer[1]->setText(QStringLiteral("Harbor Lane Roofing"));
    customer->txtCustomer[6]->setText(phone);
    customer->txtCustomer[11]->setText(cell);
    if (answer >= 0)
        folder.prompt->Answer(MsgAnswer(answer));
    emit customer->Image2->clicked();
    frmDialer *dialer = ScreenRegistry::Existing<frmDialer>();
    QVERIFY(dialer->isVisible());
    QCOMPARE(dialer->windowModality(), Qt::ApplicationModal);
    QCOMPARE(dialer->lblName->text(), QStringLiteral("Harbor Lane Roofing"));
    QCOMPARE(dialer->lblNumber->text(), dialled);
    if (answer >= 0) {
        QCOMPARE(folder.prompt->shown.size(), 1);
        QCOMPARE(folder.prompt->shown[0].text, QStringLiteral("Click YES to dial Phone,\r\nClick NO to dial Cell"));
        QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Select Phone or Cell"));
        QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::YesNo);
    } else {
        QVERIFY(folder.prompt->shown.isEmpty());
    }
}

TAMSEL_TEST(DialerTest)
#include "tst_Dialer.moc"
