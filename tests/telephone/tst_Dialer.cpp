#include "FileSizeLimit.h"
#include "LayoutCheck.h"
#include "FakeModem.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/QtPictureBox.h"
#include "settings/SettingsUi.h"
#include "settings/frmSetup.h"
#include "telephone/Telephone.h"
#include "telephone/frmDialer.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
const QString Ready = QStringLiteral("Ready to Dial......");
const QString Talking = QStringLiteral("Pickup Receiver - Then Click Hangup");

// The modem found on port 3 at start-up, the dialer opened for a customer.
struct Call {
    TestFolder folder;
    ModemPorts ports;
    FakeModem &modem;
    frmDialer *dialer;
    explicit Call(const QString &number = QStringLiteral("555-1234"),
                  const QString &name = QStringLiteral("Harbor Lane Roofing"))
        : modem(ports.Put(3)), dialer(nullptr) {
        ScreenRegistry::Get<frmSetup>();
        if (!SearchModemNow())
            qWarning("the search for the modem did not end");
        Redial(name, number);
    }
    // Activation as the user's window system delivers it, before any click.
    void Redial(const QString &name, const QString &number) {
        DialCustomer(name, number);
        dialer = ScreenRegistry::Existing<frmDialer>();
        if (!QTest::qWaitForWindowActive(dialer))
            qWarning("the dialer was not activated");
    }
    // Dials and waits until the dial is over (answered, refused, timed out or
    // ended); returns the milliseconds that took.
    qint64 Dial() {
        QElapsedTimer clock;
        clock.start();
        const QPointer<frmDialer> screen = dialer;
        dialer->cmdNewDial_Click();
        if (!QTest::qWaitFor([&] { return !screen || !screen->Waiting(); }, 10000))
            qWarning("the dial did not end");
        return clock.elapsed();
    }
    QString Title(int i = 0) const { return folder.prompt->shown.value(i).title; }
};

bool Unloaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ScreenRegistry::Existing<frmDialer>() == nullptr;
}

const QString File = QStringLiteral("SpeedNumbers.txt");
const QByteArray TwoPairs = "Ann\r\n555-0101\r\nBob\r\n555-0102\r\n";
enum { Save, Cancel, Delete, Restore, LoadCurrent }; // the cmdSpeedDialer buttons

frmDialer *OpenSpeedDialer() {
    frmDialer *dialer = ScreenRegistry::Get<frmDialer>();
    dialer->lblName->setText(QStringLiteral("Harbor Lane Roofing"));
    dialer->lblNumber->setText(QStringLiteral("555-1234"));
    ScreenRegistry::Show(dialer);
    if (!QTest::qWaitForWindowActive(dialer))
        qWarning("the dialer was not activated");
    return dialer;
}

// The ten slot captions, empty ones as "".
QStringList Captions(const frmDialer *dialer) {
    QStringList captions;
    for (const QPushButton *button : dialer->cmdDialer)
        captions << button->text();
    return captions;
}
QStringList Padded(QStringList captions) {
    while (captions.size() < 10)
        captions << QString();
    return captions;
}
} // namespace

// The dialer through the fake modem: dialling, the wait for OK, talk and
// hang-up, the modem going away, the speed-dial slots and the tidy layout
// (with TAMSEL_SCREENSHOTS set to a folder, the pictures are saved there).
class DialerTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void dialWaitsForOk_data();
    void dialWaitsForOk();
    void waitKeepsTheScreenResponsiveAndEnds();
    void disconnectOrClosingEndsTheWait_data();
    void disconnectOrClosingEndsTheWait();
    void talkHangsUpAndTheNextCallReopens();
    void numbersWithCommandsAreRefused_data();
    void numbersWithCommandsAreRefused();
    void modemPulledOutWhileWaiting();
    void modemPulledOutDuringTheCall();
    void modemGoneBeforeDialling();
    void longDistancePrefix();
    void dialIconChoosesTheNumber_data();
    void dialIconChoosesTheNumber();
    void saveCancelAndRestore();
    void deleteAsksFirst();
    void overlongFileIsToldOnce_data();
    void overlongFileIsToldOnce();
    void lineBreaksDoNotSplitAnEntry();
    void failedSaveKeepsTheOldFile();
    void screensAreTidy_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("dialer") << QStringLiteral("dialer");
        QTest::newRow("dialer with help") << QStringLiteral("dialer-help");
        QTest::newRow("phone sub-tab") << QStringLiteral("setup-options-phone-modem");
    }
    void screensAreTidy();
};

void DialerTest::dialWaitsForOk_data() {
    QTest::addColumn<QList<QByteArray>>("pieces"); // sent 40 ms apart after the dial command
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << QList<QByteArray>{"\r\nOK\r\n"} << true;
    QTest::newRow("O then K") << QList<QByteArray>{"O", "K\r\n"} << true;
    QTest::newRow("OK then line end") << QList<QByteArray>{"\r\nOK", "\r\n"} << true;
    QTest::newRow("echo then OK") << QList<QByteArray>{"ATDT555-1234;\r", "\r\nOK\r\n"} << true;
    QTest::newRow("lower case") << QList<QByteArray>{"ok\r\n"} << false;
    QTest::newRow("mixed case") << QList<QByteArray>{"\r\nOk\r\n"} << false;
    QTest::newRow("nothing") << QList<QByteArray>{} << false;
}

void DialerTest::dialWaitsForOk() {
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, ok);
    REQUIRE_FAKE_MODEM();
    Call call;
    FakeModem &modem = call.modem;
    call.dialer->SetDialTimeLimit(800);
    modem.onCommand([&modem, pieces](const QByteArray &command) {
        if (command.startsWith("ATDT"))
            for (int i = 0; i < pieces.size(); ++i)
                QTimer::singleShot(40 * (i + 1), &modem, [&modem, piece = pieces[i]] { modem.write(piece); });
    });
    if (!ok)
        call.folder.prompt->AnswerOk();
    QCOMPARE(call.dialer->lblStatus->text(), Ready);
    call.Dial();

    // Everything received since the command, up to the piece completing OK.
    QByteArray expected;
    for (const QByteArray &piece : pieces)
        if (!expected.contains("OK"))
            expected += piece;
    QCOMPARE(call.dialer->LastAnswer(), expected);
    QVERIFY(modem.commands().contains("ATDT555-1234;"));
    QCOMPARE(call.folder.prompt->shown.size(), ok ? 0 : 1);
    QCOMPARE(call.dialer->cmdCancel->isHidden(), !ok);
    QCOMPARE(call.dialer->cmdNewDial->isHidden(), ok);
    if (ok) {
        QCOMPARE(call.dialer->lblStatus->text(), Talking);
        QCOMPARE(modem.lastCommand(), QByteArray("ATDT555-1234;"));
    } else {
        QCOMPARE(call.Title(), QStringLiteral("No Answer from the Modem"));
        // Back on the hook and ready to try again.
        QTRY_COMPARE(modem.lastCommand(), QByteArray("ATH"));
        QCOMPARE(call.dialer->lblStatus->text(), Ready);
    }
}

void DialerTest::waitKeepsTheScreenResponsiveAndEnds() {
    REQUIRE_FAKE_MODEM();
    Call call;
    call.modem.setReply(FakeModem::Reply::Silent);
    call.dialer->SetDialTimeLimit(700);
    QString statusWhileWaiting;
    bool waiting = false;
    // The look ends with this test, even one that failed early: a timer on
    // the test object would touch this test's locals during the next one.
    QObject scope;
    QTimer::singleShot(100, &scope, [&] {
        statusWhileWaiting = call.dialer->lblStatus->text();
        waiting = call.dialer->Waiting();
    });
    call.folder.prompt->AnswerOk();
    const qint64 took = call.Dial();
    QVERIFY2(took >= 650 && took < 3000, qPrintable(QString::number(took)));
    QVERIFY(waiting);
    QCOMPARE(statusWhileWaiting, QStringLiteral("Dialing..... 555-1234"));
    QVERIFY(!call.dialer->Waiting());
    QCOMPARE(call.folder.prompt->shown.size(), 1);
}

void DialerTest::disconnectOrClosingEndsTheWait_data() {
    QTest::addColumn<bool>("close"); // the window's close button, else Disconnect
    QTest::newRow("disconnect") << false;
    QTest::newRow("close button ends the program") << true;
}

void DialerTest::disconnectOrClosingEndsTheWait() {
    QFETCH(bool, close);
    REQUIRE_FAKE_MODEM();
    Call call;
    call.modem.setReply(FakeModem::Reply::Silent);
    QCOMPARE(call.dialer->DialTimeLimit(), 60000);
    frmDialer *dialer = call.dialer;
    QTimer::singleShot(100, dialer, [=] { close ? (void)dialer->close() : dialer->cmdHangup->click(); });
    const qint64 took = call.Dial();
    QVERIFY2(took < 3000, qPrintable(QString::number(took)));
    QCOMPARE(call.folder.endRequests, close ? 1 : 0);
    if (!close)
        QTRY_COMPARE(call.modem.lastCommand(), QByteArray("ATH"));
    QVERIFY(Unloaded());
    QVERIFY(!call.modem.openByProgram());
    QVERIFY(call.folder.prompt->shown.isEmpty());
}

void DialerTest::talkHangsUpAndTheNextCallReopens() {
    REQUIRE_FAKE_MODEM();
    Call call;
    call.Dial();
    call.dialer->cmdCancel->click();
    QTRY_COMPARE(call.modem.commands(), QList<QByteArray>({"AT", "AT#CID=1", "ATDT555-1234;", "ATH"}));
    QVERIFY(!call.modem.openByProgram());
    QVERIFY(Unloaded());

    // The next call opens the port again, on the number the setup screen shows.
    call.Redial(QStringLiteral("Ann"), QStringLiteral("555-0101"));
    QVERIFY(call.modem.openByProgram());
    QCOMPARE(call.dialer->Text1->text(), QStringLiteral("Your Modem Comm Port Is 3."));
    call.Dial();
    QCOMPARE(call.modem.lastCommand(), QByteArray("ATDT555-0101;"));
    call.dialer->cmdHangup->click();
    QTRY_COMPARE(call.modem.lastCommand(), QByteArray("ATH"));
    QVERIFY(call.folder.prompt->shown.isEmpty());
}

void DialerTest::numbersWithCommandsAreRefused_data() {
    QTest::addColumn<QString>("number");
    QTest::newRow("command after the number") << QStringLiteral("555;ATZ");
    QTest::newRow("blanks") << QStringLiteral("   ");
}

void DialerTest::numbersWithCommandsAreRefused() {
    QFETCH(QString, number);
    REQUIRE_FAKE_MODEM();
    Call call(number);
    call.folder.prompt->AnswerOk();
    call.dialer->cmdNewDial->click();
    QTest::qWait(50);
    QCOMPARE(call.modem.received(), QByteArray("AT\rAT#CID=1\r"));
    QCOMPARE(call.Title(), QStringLiteral("Number Not Dialled"));
    QVERIFY(!call.dialer->cmdNewDial->isHidden());
    QCOMPARE(call.dialer->lblStatus->text(), Ready);
}

void DialerTest::modemPulledOutWhileWaiting() {
    REQUIRE_FAKE_MODEM();
    Call call;
    FakeModem &modem = call.modem;
    modem.onCommand([&](const QByteArray &command) {
        if (command.startsWith("ATDT"))
            QTimer::singleShot(30, &modem, [&] { modem.vanish(); });
    });
    call.folder.prompt->AnswerOk();
    QVERIFY(call.Dial() < 3000);
    QCOMPARE(call.Title(), QStringLiteral("Modem Disconnected"));
    QVERIFY(call.folder.prompt->shown[0].text.contains(QLatin1String("COM Port # 3")));
    // The program carries on: the dialer is ready, Disconnect closes it.
    QCOMPARE(call.dialer->lblStatus->text(), Ready);
    call.dialer->cmdHangup->click();
    QVERIFY(Unloaded());
    QCOMPARE(call.folder.prompt->shown.size(), 1);
}

void DialerTest::modemPulledOutDuringTheCall() {
    REQUIRE_FAKE_MODEM();
    Call call;
    call.Dial();
    QCOMPARE(call.dialer->lblStatus->text(), Talking);
    call.modem.vanish();
    QTest::qWait(100);
    call.folder.prompt->AnswerOk();
    call.dialer->cmdHangup->click();
    QCOMPARE(call.folder.prompt->shown.size(), 1);
    QCOMPARE(call.Title(), QStringLiteral("Modem Disconnected"));
    QVERIFY(Unloaded());
}

void DialerTest::modemGoneBeforeDialling() {
    REQUIRE_FAKE_MODEM();
    Call call;
    call.dialer->cmdHangup->click();
    QVERIFY(Unloaded());
    call.modem.vanish();
    call.Redial(QStringLiteral("Ann"), QStringLiteral("555-0101"));
    call.folder.prompt->AnswerOk();
    call.dialer->cmdNewDial->click();
    QCOMPARE(call.folder.prompt->shown.size(), 1);
    QCOMPARE(call.Title(), QStringLiteral("Modem Not Available"));
    QVERIFY(!call.dialer->cmdNewDial->isHidden());
}

void DialerTest::longDistancePrefix() {
    REQUIRE_FAKE_MODEM();
    Call call;
    frmDialer *dialer = call.dialer;
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
    call.Dial();
    QCOMPARE(call.modem.lastCommand(), QByteArray("ATDT1-555-9999;"));
}

void DialerTest::dialIconChoosesTheNumber_data() {
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("answer"); // -1 no question expected
    QTest::addColumn<QString>("dialled");
    const QString phone = QStringLiteral("541-555-0142"), cell = QStringLiteral("541-555-0199");
    QTest::newRow("telephone only") << QStringLiteral(" 541-555-0142 ") << QString() << -1 << phone;
    QTest::newRow("cell only") << QString() << cell << -1 << cell;
    QTest::newRow("both, Yes") << phone << cell << int(MsgAnswer::Yes) << phone;
    QTest::newRow("both, No") << phone << cell << int(MsgAnswer::No) << cell;
    QTest::newRow("neither") << QString() << QString() << -1 << QStringLiteral("as before");
}

void DialerTest::dialIconChoosesTheNumber() {
    QFETCH(QString, phone);
    QFETCH(QString, cell);
    QFETCH(int, answer);
    REQUIRE_FAKE_MODEM();
    TestFolder folder;
    ModemPorts ports;
    ports.Put(3);
    ScreenRegistry::Get<frmSetup>();
    QVERIFY(SearchModemNow());
    ScreenRegistry::Existing<frmDialer>()->lblNumber->setText(QStringLiteral("as before"));
    frmCustomer *customer = ScreenRegistry::Get<frmCustomer>();
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
    QTEST(dialer->lblNumber->text(), "dialled");
    QCOMPARE(folder.prompt->shown.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0)
        QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::YesNo);
}

void DialerTest::saveCancelAndRestore() {
    TestFolder folder;
    frmDialer *dialer = OpenSpeedDialer();
    // Cancel leaves the file alone: none is made.
    dialer->cmdDialer[0]->click();
    dialer->txtDialer[0]->setText(QStringLiteral("Ann"));
    dialer->cmdSpeedDialer[Cancel]->click();
    QVERIFY(dialer->fraSpeedDial->isHidden());
    QVERIFY(dialer->txtDialer[0]->text().isEmpty());
    QVERIFY(!folder.exists(File));

    folder.write(File, TwoPairs);
    dialer->LoadSpeedDial();
    QCOMPARE(Captions(dialer), Padded({"Ann", "Bob"}));
    // A filled slot loads its recipient; Restore brings the customer back.
    dialer->cmdDialer[0]->click();
    QCOMPARE(dialer->lblName->text(), QStringLiteral("Ann"));
    dialer->cmdSpeedDialer[Restore]->click();
    QCOMPARE(dialer->lblName->text(), QStringLiteral("Harbor Lane Roofing"));
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-1234"));

    // A free slot leaves the recipient as it was; typed entries are saved.
    dialer->cmdDialer[4]->click();
    QCOMPARE(dialer->SelectedSlot(), 4);
    QVERIFY(!dialer->fraSpeedDial->isHidden());
    QVERIFY(!dialer->cmdSpeedDialer[Delete]->isEnabled());
    QCOMPARE(dialer->lblName->text(), QStringLiteral("Harbor Lane Roofing"));
    dialer->txtDialer[0]->setText(QStringLiteral("Cy & Sons"));
    dialer->txtDialer[1]->setText(QStringLiteral("555-0103"));
    dialer->cmdSpeedDialer[Save]->click();
    const QByteArray three = TwoPairs + "Cy & Sons\r\n555-0103\r\n";
    QCOMPARE(folder.read(File), three);
    QVERIFY(dialer->fraSpeedDial->isHidden());
    QVERIFY(dialer->txtDialer[0]->text().isEmpty() && dialer->txtDialer[1]->text().isEmpty());
    QCOMPARE(dialer->cmdDialer[4]->text(), QStringLiteral("Cy && Sons"));

    // The customer on screen goes into a free slot as they are.
    dialer->cmdDialer[7]->click();
    dialer->cmdSpeedDialer[LoadCurrent]->click();
    QCOMPARE(folder.read(File), three + "Harbor Lane Roofing\r\n555-1234\r\n");
    QCOMPARE(dialer->cmdDialer[7]->text(), QStringLiteral("Harbor Lane Roofing"));
    // Read again, the slots close up in file order.
    dialer->LoadSpeedDial();
    QCOMPARE(Captions(dialer), Padded({"Ann", "Bob", "Cy && Sons", "Harbor Lane Roofing"}));
    QCOMPARE(dialer->SpeedDial()[2], (SpeedDialEntry{QStringLiteral("Cy & Sons"), QStringLiteral("555-0103")}));
    QVERIFY(folder.prompt->shown.isEmpty());
}

void DialerTest::deleteAsksFirst() {
    TestFolder folder;
    const QByteArray threePairs = TwoPairs + "Cy\r\n555-0103\r\n";
    folder.write(File, threePairs);
    frmDialer *dialer = OpenSpeedDialer();
    dialer->cmdDialer[1]->click();
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-0102"));
    QVERIFY(dialer->cmdSpeedDialer[Delete]->isEnabled());

    folder.prompt->Answer(MsgAnswer::No);
    dialer->cmdSpeedDialer[Delete]->click();
    QCOMPARE(folder.prompt->shown[0].text, QStringLiteral("This will delete SpeedDial entry  Bob\r\nAre you Sure"));
    QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::YesNo);
    QCOMPARE(folder.read(File), threePairs);
    QVERIFY(!dialer->cmdSpeedDialer[Delete]->isEnabled());

    dialer->cmdDialer[1]->click();
    folder.prompt->Answer(MsgAnswer::Yes);
    dialer->cmdSpeedDialer[Delete]->click();
    QCOMPARE(folder.read(File), QByteArray("Ann\r\n555-0101\r\nCy\r\n555-0103\r\n"));
    QCOMPARE(Captions(dialer), Padded({"Ann", "Cy"}));
    QCOMPARE(dialer->SpeedDial()[1].number, QStringLiteral("555-0103"));

    // The last one deleted leaves an empty file behind.
    for (int i = 0; i < 2; ++i) {
        dialer->cmdDialer[0]->click();
        folder.prompt->Answer(MsgAnswer::Yes);
        dialer->cmdSpeedDialer[Delete]->click();
    }
    QVERIFY(folder.exists(File));
    QCOMPARE(folder.read(File), QByteArray());
    QCOMPARE(Captions(dialer), Padded({}));
}

void DialerTest::overlongFileIsToldOnce_data() {
    QTest::addColumn<int>("pairs");
    QTest::addColumn<QString>("told");
    QTest::newRow("twelve pairs") << 12 << QStringLiteral("holds 2 entries");
    QTest::newRow("200,000 pairs: only the start is read") << 200000 << QStringLiteral("holds more than ");
}

void DialerTest::overlongFileIsToldOnce() {
    QFETCH(int, pairs);
    QFETCH(QString, told);
    TestFolder folder;
    QByteArray file, firstTen;
    for (int i = 0; i < pairs; ++i) {
        file += "Name" + QByteArray::number(i) + "\r\n555-" + QByteArray::number(100000 + i) + "\r\n";
        if (i == 9)
            firstTen = file;
    }
    folder.write(File, file);
    folder.prompt->AnswerOk();
    QElapsedTimer clock;
    clock.start();
    frmDialer *dialer = OpenSpeedDialer();
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(folder.prompt->shown.size(), 1);
    // The count, not a line per entry.
    QVERIFY2(folder.prompt->shown[0].text.contains(told), qPrintable(folder.prompt->shown[0].text));
    QVERIFY(folder.prompt->shown[0].text.size() < 400);
    QCOMPARE(dialer->cmdDialer[9]->text(), QStringLiteral("Name9"));

    // Coming back to the dialer does not tell it again.
    ScreenRegistry::Unload(dialer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    dialer = OpenSpeedDialer();
    QCOMPARE(folder.prompt->shown.size(), 1);

    // Saving writes the ten shown.
    dialer->cmdDialer[9]->click();
    dialer->cmdSpeedDialer[Restore]->click();
    dialer->cmdDialer[9]->click();
    dialer->cmdSpeedDialer[LoadCurrent]->click();
    QCOMPARE(folder.read(File), firstTen);
}

void DialerTest::lineBreaksDoNotSplitAnEntry() {
    TestFolder folder;
    frmDialer *dialer = OpenSpeedDialer();
    // A customer's name and number as the customer screen hands them over.
    dialer->lblName->setText(QStringLiteral("Harbor\r\n5551234;ATZ"));
    dialer->lblNumber->setText(QStringLiteral("555-0101\n"));
    dialer->cmdDialer[0]->click();
    dialer->cmdSpeedDialer[LoadCurrent]->click();
    QCOMPARE(folder.read(File), QByteArray("Harbor 5551234;ATZ\r\n555-0101\r\n"));
    QCOMPARE(dialer->cmdDialer[0]->text(), QStringLiteral("Harbor 5551234;ATZ"));
}

void DialerTest::failedSaveKeepsTheOldFile() {
    TestFolder folder;
    folder.write(File, TwoPairs);
    frmDialer *dialer = OpenSpeedDialer();
    dialer->cmdDialer[2]->click();
    dialer->txtDialer[0]->setText(QStringLiteral("Cy"));
    dialer->txtDialer[1]->setText(QStringLiteral("555-0103"));
    folder.prompt->AnswerOk();
    {
        FileSizeLimit full(8);
        QVERIFY(full.active());
        dialer->cmdSpeedDialer[Save]->click();
    }
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QLatin1String("SpeedNumbers.txt could not be written")));
    QCOMPARE(folder.read(File), TwoPairs);
    QCOMPARE(Captions(dialer), Padded({"Ann", "Bob"})); // the buttons show what the file holds
}

void DialerTest::screensAreTidy() {
    QFETCH(QString, name);
    REQUIRE_FAKE_MODEM();
    TestFolder folder;
    ModemPorts ports;
    ports.Put(3);
    QSettings(QStringLiteral("TamselProposal"), QStringLiteral("TamselProposal")).clear();
    folder.write(QStringLiteral("MyBusinessData.txt"),
                 "\"Harbor Lane Roofing\",\"118 Harbor Lane\",\"Suite 4\",\"Springfield\",\"OR\",\"97477\","
                 "\"(541) 555-0142\",\"info@harborlane.example\",\"FEIN 12-3456789\"\r\n");
    folder.write(QStringLiteral("Phone.txt"), "#TRUE#,3\r\n");
    folder.write(QStringLiteral("CallID.txt"), "#TRUE#\r\n");
    folder.write(QStringLiteral("SpeedNumbers.txt"),
                 "Supply House\r\n541-555-0170\r\nLumber Yard\r\n541-555-0181\r\nOffice\r\n541-555-0142\r\n");
    LoadBusinessData();
    LoadProposalCounter();
    QVERIFY(SearchModemNow());

    TamselForm *screen = nullptr;
    if (name.startsWith(QLatin1String("dialer"))) {
        DialCustomer(QStringLiteral("Maple Street Bakery"), QStringLiteral("541-555-0123"));
        screen = ScreenRegistry::Existing<frmDialer>();
    } else {
        screen = ScreenRegistry::Get<frmSetup>();
        ScreenRegistry::Show(screen);
    }
    const QSize first = screen->size();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    if (auto *setup = qobject_cast<frmSetup *>(screen)) {
        setup->tabSetup->setCurrentIndex(frmSetup::OptionsTab);
        setup->tabSub->setCurrentIndex(frmSetup::PhoneTab);
        QVERIFY(setup->tabSub->isTabEnabled(frmSetup::PhoneTab));
    }
    if (name == QLatin1String("dialer-help")) {
        static_cast<frmDialer *>(screen)->cmdHelp->click();
        QVERIFY(static_cast<frmDialer *>(screen)->fraHelp->isVisible());
    }
    const QStringList faults = TidyAtBothSizes(screen, first);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QVERIFY(SaveScreenshot(screen, name));
}

TAMSEL_TEST(DialerTest)
#include "tst_Dialer.moc"
