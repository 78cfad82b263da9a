#include "FakeModem.h"
#include "TestMain.h"

#include "platform/QtSerialPort.h"
#include "platform/SerialPort.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QTest>
#include <QTimer>

// The serial port seam on a pseudo-terminal: the same QSerialPort code the
// program runs on a real modem.
class SerialPortTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void deviceNames_data();
    void deviceNames();
    void environmentMapsPorts();
    void sendsAndReadsWhole();
    void missingOrBusyDeviceIsNotOpened();
    void waitEndsOnAnswerTimeOrWakeUp();
    void deviceThatGoesAwayIsLost();
};

void SerialPortTest::cleanup() {
    SetSerialDeviceNames({});
    qunsetenv("TAMSEL_SERIAL_PORTS");
}

void SerialPortTest::deviceNames_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("device");
    QTest::newRow("port 1 is the first device") << QString() << 1 << QStringLiteral("/dev/ttyS0");
    QTest::newRow("port 16 the last") << QString() << 16 << QStringLiteral("/dev/ttyS15");
    QTest::newRow("port 0 is none") << QString() << 0 << QString();
    QTest::newRow("port 17 is none") << QString() << 17 << QString();
    QTest::newRow("mapped") << QStringLiteral("3=/dev/ttyUSB0,4=/dev/ttyACM0") << 4 << QStringLiteral("/dev/ttyACM0");
    QTest::newRow("others keep theirs") << QStringLiteral("3=/dev/ttyUSB0,4=/dev/ttyACM0") << 2
                                        << QStringLiteral("/dev/ttyS1");
    QTest::newRow("blanks around") << QStringLiteral(" 3 = /dev/ttyUSB0 , 4=/dev/ttyACM0") << 3
                                   << QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("nonsense skipped") << QStringLiteral("x=/dev/a,=/dev/b,3,3=,3=/dev/ttyUSB1") << 3
                                      << QStringLiteral("/dev/ttyUSB1");
    QTest::newRow("port 10 is not port 1") << QStringLiteral("10=/dev/ttyUSB0") << 1 << QStringLiteral("/dev/ttyS0");
    QTest::newRow("mapping cannot add a port 17") << QStringLiteral("17=/dev/ttyUSB0") << 17 << QString();
}

void SerialPortTest::deviceNames() {
    QFETCH(QString, setting);
    QFETCH(int, port);
    QFETCH(QString, device);
    if (!setting.isNull())
        qputenv("TAMSEL_SERIAL_PORTS", setting.toLocal8Bit());
    QCOMPARE(SerialDeviceName(port), device);
}

void SerialPortTest::environmentMapsPorts() {
    // The mapping is read when a port is opened, so a user's setting reaches
    // the real device.
    FakeModem modem;
    QVERIFY(modem.valid());
    qputenv("TAMSEL_SERIAL_PORTS", ("5=" + modem.device()).toLocal8Bit());
    QtSerialPort port;
    QVERIFY(port.Open(5));
    QVERIFY(modem.openByProgram());
    port.Close();
    QVERIFY(!modem.openByProgram());
}

void SerialPortTest::sendsAndReadsWhole() {
    FakeModem modem(FakeModem::Reply::Silent);
    SetSerialDeviceNames([&](int) { return modem.device(); });
    QtSerialPort port;
    QVERIFY(port.Open(2));
    QCOMPARE(port.PortNumber(), 2);
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
    QVERIFY(!port.Send("AT\r"));
}

void SerialPortTest::missingOrBusyDeviceIsNotOpened() {
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

void SerialPortTest::waitEndsOnAnswerTimeOrWakeUp() {
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
}

void SerialPortTest::deviceThatGoesAwayIsLost() {
    FakeModem modem(FakeModem::Reply::Silent);
    SetSerialDeviceNames([&](int) { return modem.device(); });
    QtSerialPort port;
    QVERIFY(port.Open(1));
    QVERIFY(!port.Lost());
    QTimer::singleShot(20, this, [&] { modem.vanish(); });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!WaitForSerial(port, 5000, [&] { return port.BytesWaiting() >= 2; }));
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY(port.Lost());
    QVERIFY(!port.Send("ATH\r"));
}

TAMSEL_TEST(SerialPortTest)
#include "tst_SerialPort.moc"
