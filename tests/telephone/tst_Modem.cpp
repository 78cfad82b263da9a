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
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

// Looking for the modem when the setup screen loads, against fake modems on
// pseudo-terminals behind port numbers.
class ModemTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void modemOnPortThree();
    void whatCountsAsAnAnswer_data();
    void whatCountsAsAnAnswer();
    void portInUseIsSkipped();
    void silentPortNeverFreezesTheScreen();
    void noModemSwitchesOffOnlyTheTelephone();
    void phoneAndCallerIdFiles_data();
    void phoneAndCallerIdFiles();
    void damagedPhoneFileIsReported();
};

void ModemTest::modemOnPortThree() {
    TestFolder folder;
    ModemPorts ports;
    FakeModem &one = ports.Put(1, FakeModem::Reply::Silent);
    FakeModem &two = ports.Put(2, FakeModem::Reply::Silent);
    FakeModem &modem = ports.Put(3);
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();

    // Ports 1 and 2 were opened, probed and closed.
    QCOMPARE(one.received(), QByteArray("AT\r"));
    QCOMPARE(two.received(), QByteArray("AT\r"));
    QVERIFY(!one.openByProgram());
    QVERIFY(!two.openByProgram());
    // Port 3 stays open, and caller ID was the last thing asked for.
    QVERIFY(modem.openByProgram());
    QTRY_COMPARE(modem.received(), QByteArray("AT\rAT#CID=1\r"));
    QCOMPARE(ModemPort, qint16(3));

    frmDialer *dialer = ScreenRegistry::Existing<frmDialer>();
    QVERIFY(dialer);
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
    QTest::newRow("numeric result code") << QByteArray("0\r") << 0 << true;
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
        if (command != "AT")
            return;
        QTimer::singleShot(delay, &modem, [&] {
            modem.write(answer);
            if (answer == "O")
                QTimer::singleShot(30, &modem, [&] { modem.write("K"); });
        });
    });
    ScreenRegistry::Get<frmSetup>();
    QCOMPARE(ModemPort, qint16(found ? 1 : 0));
    QCOMPARE(modem.openByProgram(), found);
    QCOMPARE(ScreenRegistry::Existing<frmDialer>()->Text1->text(),
             found ? QStringLiteral("Your Modem Comm Port Is 1.") : QStringLiteral("Modem Not Detected Or In Use."));
}

void ModemTest::portInUseIsSkipped() {
    TestFolder folder;
    ModemPorts ports;
    FakeModem &busy = ports.Put(1);
    FakeModem &modem = ports.Put(2);
    // Another program has port 1 open.
    QSerialPort other(busy.device());
    QVERIFY(other.open(QIODevice::ReadWrite));
    ScreenRegistry::Get<frmSetup>();
    QCOMPARE(busy.received(), QByteArray());
    QCOMPARE(ModemPort, qint16(2));
    QVERIFY(modem.openByProgram());
    QCOMPARE(ScreenRegistry::Existing<frmDialer>()->Text1->text(), QStringLiteral("Your Modem Comm Port Is 2."));
}

void ModemTest::silentPortNeverFreezesTheScreen() {
    TestFolder folder;
    ModemPorts ports;
    FakeModem &silent = ports.Put(1, FakeModem::Reply::Silent);
    FakeModem &modem = ports.Put(2);
    bool eventsRan = false;
    QTimer::singleShot(50, this, [&] { eventsRan = true; });
    QElapsedTimer clock;
    clock.start();
    ScreenRegistry::Get<frmSetup>();
    // One short probe for the silent port, and the event loop ran meanwhile.
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(eventsRan);
    QCOMPARE(silent.received(), QByteArray("AT\r"));
    QCOMPARE(ModemPort, qint16(2));
    QVERIFY(modem.openByProgram());
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

    QCOMPARE(ScreenRegistry::Existing<frmDialer>()->Text1->text(), QStringLiteral("Modem Not Detected Or In Use."));
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
    QTest::addColumn<QByteArray>("phone");  // null: no file
    QTest::addColumn<QByteArray>("callerId");
    QTest::addColumn<bool>("daisyChained");
    QTest::addColumn<int>("modemPort");
    QTest::addColumn<bool>("callerIdOn");
    QTest::newRow("no files") << QByteArray() << QByteArray() << false << 3 << false;
    QTest::newRow("false and port 5") << QByteArray("#FALSE#,5") << QByteArray() << false << 5 << false;
    QTest::newRow("true and port 3") << QByteArray("#TRUE#,3\r\n") << QByteArray("#TRUE#\r\n") << true << 3 << true;
    QTest::newRow("caller id off") << QByteArray("#TRUE#,7\r\n") << QByteArray("#FALSE#\r\n") << true << 7 << false;
}

void ModemTest::phoneAndCallerIdFiles() {
    QFETCH(QByteArray, phone);
    QFETCH(QByteArray, callerId);
    QFETCH(bool, daisyChained);
    QFETCH(int, modemPort);
    QFETCH(bool, callerIdOn);
    TestFolder folder;
    ModemPorts ports;
    FakeModem &modem = ports.Put(3);
    if (!phone.isNull())
        folder.write(QStringLiteral("Phone.txt"), phone);
    if (!callerId.isNull())
        folder.write(QStringLiteral("CallID.txt"), callerId);
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QCOMPARE(PhoneDaisyChained, daisyChained);
    QCOMPARE(setup->ckPhone->isChecked(), daisyChained);
    QCOMPARE(int(ModemPort), modemPort);
    QCOMPARE(CallerIdEnabled, callerIdOn);
    QCOMPARE(setup->ckCallerID->isChecked(), callerIdOn);
    QCOMPARE(setup->lblCallid->isHidden(), !callerIdOn);
    // The port found stays the one open and shown.
    QVERIFY(modem.openByProgram());
    QCOMPARE(setup->txtModemPort->text(), QStringLiteral("3"));
    QCOMPARE(ScreenRegistry::Existing<frmDialer>()->Text1->text(), QStringLiteral("Your Modem Comm Port Is 3."));
    // Read only: neither file is written, not even when the boxes change.
    setup->ckPhone->click();
    setup->ckCallerID->click();
    CloseAllScreens();
    QCOMPARE(folder.exists(QStringLiteral("Phone.txt")), !phone.isNull());
    QCOMPARE(folder.read(QStringLiteral("Phone.txt")), phone.isNull() ? QByteArray() : phone);
    QCOMPARE(folder.read(QStringLiteral("CallID.txt")), callerId.isNull() ? QByteArray() : callerId);
}

void ModemTest::damagedPhoneFileIsReported() {
    TestFolder folder;
    ModemPorts ports;
    ports.Put(3);
    folder.write(QStringLiteral("Phone.txt"), "#YES#,4\r\n");
    folder.prompt->AnswerOk();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QLatin1String("Phone.txt")));
    QVERIFY(!PhoneDaisyChained);
    QVERIFY(!setup->ckPhone->isChecked());
    QCOMPARE(ModemPort, qint16(3));
    QCOMPARE(folder.read(QStringLiteral("Phone.txt")), QByteArray("#YES#,4\r\n"));
}

TAMSEL_TEST(ModemTest)
#include "tst_Modem.moc"
