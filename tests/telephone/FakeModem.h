#pragma once
// A modem on a pseudo-terminal pair: the program opens the terminal side by
// its device name through the real serial port code; the test holds the
// other side, sees every byte the program sends and answers like a modem.
#include "platform/SerialPort.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTest>
#include <functional>
#include <map>
#include <memory>

class QSocketNotifier;

class FakeModem : public QObject {
    Q_OBJECT
public:
    enum class Reply {
        Silent,   // a device that never answers (a port with no modem)
        Ok,       // "OK" after every command, as a modem with echo off
    };

    explicit FakeModem(Reply reply = Reply::Ok);
    ~FakeModem() override;

    bool valid() const { return master_ >= 0; }
    // False on a machine without pseudo-terminals (no /dev/pts, openpty fails).
    static bool Available();
    QString device() const { return device_; }
    // Everything the program has sent so far, and its commands split at CR.
    QByteArray received() const { return received_; }
    QList<QByteArray> commands() const;
    // The last whole command; empty before the first.
    QByteArray lastCommand() const { return commands().value(commands().size() - 1); }
    bool openByProgram() const;

    void setReply(Reply reply) { reply_ = reply; }
    // Answers a whole command (without its CR) in place of the standard reply.
    void onCommand(std::function<void(const QByteArray &command)> handler) { handler_ = std::move(handler); }
    void write(const QByteArray &bytes);
    // The device goes away, as a USB modem pulled out.
    void vanish();

private:
    void readMaster();
    int master_ = -1;
    int slave_ = -1; // held so the terminal outlives the program's closing it
    QString device_;
    QByteArray received_;
    QByteArray pending_; // the command being received
    Reply reply_;
    std::function<void(const QByteArray &)> handler_;
    QSocketNotifier *notifier_ = nullptr;
};

// A test of the fake modem skips, saying why, where it cannot run.
#define REQUIRE_FAKE_MODEM()                                                                                    \
    do {                                                                                                       \
        if (!FakeModem::Available())                                                                           \
            QSKIP("This machine has no pseudo-terminals (openpty failed), so there is no fake modem.");       \
    } while (false)

// Starts the search for the modem and waits until it has ended; false when it
// did not end in time.
bool SearchModemNow(int timeoutMs = 15000);

// Ports 1 to 16 for one test: each either holds a fake modem or names a
// device that does not exist.
class ModemPorts {
public:
    ModemPorts() {
        SetSerialDeviceNames([this](int p) {
            const auto it = modems_.find(p);
            return it != modems_.end() ? it->second->device() : QStringLiteral("/dev/tamsel-no-port-%1").arg(p);
        });
    }
    ~ModemPorts() { SetSerialDeviceNames([](int) { return QString(); }); }
    FakeModem &Put(int port, FakeModem::Reply reply = FakeModem::Reply::Ok) {
        return *(modems_[port] = std::make_unique<FakeModem>(reply));
    }

private:
    std::map<int, std::unique_ptr<FakeModem>> modems_;
};
