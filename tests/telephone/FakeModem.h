#pragma once
// A modem on a pseudo-terminal pair: the program opens the terminal side by
// its device name through the real serial port code; the test holds the
// other side, sees every byte the program sends and answers like a modem.
#include "platform/SerialPort.h"
#include "telephone/Telephone.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTest>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

class FakeModem : public QObject {
public:
    // "OK" after every command, as a modem with echo off; a silent one never
    // answers, as a port with no modem.
    explicit FakeModem(bool silent = false) : silent_(silent) {
        termios raw{};
        cfmakeraw(&raw);
        char name[128] = {};
        if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
            master_ = slave_ = -1;
            return;
        }
        device_ = QString::fromLocal8Bit(name);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &FakeModem::readMaster);
    }
    ~FakeModem() override {
        delete notifier_;
        for (int fd : {master_, slave_})
            if (fd >= 0)
                ::close(fd);
    }
    // False on a machine without pseudo-terminals (no /dev/pts, openpty fails).
    static bool Available() {
        static const bool available = FakeModem().master_ >= 0;
        return available;
    }
    QString device() const { return device_; }
    // Everything the program has sent so far.
    QByteArray received() const { return received_; }
    // Whether the program holds the terminal side: in this process beside our
    // own descriptor, or the program started as process pid.
    bool openByProgram(qint64 pid = 0) const {
        int holders = 0;
        const QDir fds(pid ? QStringLiteral("/proc/%1/fd").arg(pid) : QStringLiteral("/proc/self/fd"));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
            holders += fd.symLinkTarget() == device_;
        return holders > (pid ? 0 : 1);
    }
    // Answers a whole command (without its CR) in place of the standard reply.
    void onCommand(std::function<void(const QByteArray &command)> handler) { handler_ = std::move(handler); }
    void write(const QByteArray &bytes) {
        if (master_ >= 0)
            (void)::write(master_, bytes.constData(), bytes.size());
    }
    // The device goes away, as a USB modem pulled out.
    void vanish() {
        delete notifier_;
        notifier_ = nullptr;
        ::close(master_);
        master_ = -1;
    }

private:
    void readMaster() {
        char buffer[256];
        for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;)
            received_.append(buffer, n);
        const qsizetype end = received_.lastIndexOf('\r');
        const QList<QByteArray> whole = received_.left(end + 1).mid(handled_).split('\r');
        handled_ = end + 1;
        for (qsizetype i = 0; i + 1 < whole.size(); ++i) {
            if (handler_)
                handler_(whole[i]);
            else if (!silent_)
                write("\r\nOK\r\n");
        }
    }
    int master_ = -1;
    int slave_ = -1; // held so the terminal outlives the program's closing it
    QString device_;
    QByteArray received_;
    qsizetype handled_ = 0; // the bytes of received_ up to the last whole command
    bool silent_;
    std::function<void(const QByteArray &)> handler_;
    QSocketNotifier *notifier_ = nullptr;
};

// Starts the search for the modem and waits until it has ended; false when it
// did not end in time.
inline bool SearchModemNow(int timeoutMs = 15000) {
    StartModemSearch();
    return QTest::qWaitFor([] { return ModemSearchDone(); }, timeoutMs);
}

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
    FakeModem &Put(int port, bool silent = false) {
        return *(modems_[port] = std::make_unique<FakeModem>(silent));
    }

private:
    std::map<int, std::unique_ptr<FakeModem>> modems_;
};
