#pragma once
// The serial port the modem sits on, as the telephone code sees it: opened
// by port number (1 to 16), written, read whole. The running program talks
// to a real device (QtSerialPort); the port number to device mapping can be
// replaced so a test drives a fake modem on a pseudo-terminal.
#include <QByteArray>
#include <QString>
#include <functional>

class SerialPort {
public:
    virtual ~SerialPort();

    // Opens the device behind the port number at 9600 baud, 8 data bits, no
    // parity, 1 stop bit, no handshaking. False when it does not exist or is
    // in use; an open port is closed first.
    virtual bool Open(int portNumber) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // The number last given to Open (0 before that).
    virtual int PortNumber() const = 0;
    // False when the port is not open or not everything could be handed over.
    virtual bool Send(const QByteArray &bytes) = 0;
    // Received characters waiting to be read.
    virtual qint64 BytesWaiting() = 0;
    virtual QByteArray ReadAll() = 0;
    // Drops what was received and not read yet.
    virtual void Clear() = 0;
    // True once the open device has gone away (a USB modem pulled out) or
    // failed beyond repair; only closing and opening again helps.
    virtual bool Lost() const = 0;
    // Called whenever characters arrive or the device fails: what waits for
    // the modem is driven by it (and a timer), never by a loop of its own.
    virtual void SetActivityHandler(std::function<void()> handler) = 0;
};

// The device of a port number: /dev/ttyS0 for port 1 and so on, unless
// TAMSEL_SERIAL_PORTS maps it ("3=/dev/ttyUSB0,4=/dev/ttyACM0"), or a test
// replaced the mapping. Empty for a number outside 1 to 16.
QString SerialDeviceName(int portNumber);
// Replaces the mapping; an empty function puts the usual one back.
void SetSerialDeviceNames(std::function<QString(int portNumber)> mapping);
// The mapping a TAMSEL_SERIAL_PORTS value gives for one port; empty when the
// value does not name it. Entries that cannot be understood are skipped.
QString MappedSerialDevice(const QString &setting, int portNumber);
