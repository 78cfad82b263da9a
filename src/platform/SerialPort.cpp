#include "platform/SerialPort.h"

#include <QEventLoop>
#include <QList>
#include <QTimer>

namespace {
std::function<QString(int)> &Mapping() {
    static std::function<QString(int)> mapping;
    return mapping;
}

// The waits running now, innermost last, each with its way to look again.
struct RunningWait {
    QEventLoop *loop;
    SerialPort *port; // null once the port is destroyed
    std::function<bool()> finished;
};
QList<RunningWait *> &RunningWaits() {
    static QList<RunningWait *> waits;
    return waits;
}
} // namespace

QString MappedSerialDevice(const QString &setting, int portNumber) {
    QString found;
    for (const QString &entry : setting.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        bool ok = false;
        const int number = entry.left(equals).trimmed().toInt(&ok);
        const QString device = entry.mid(equals + 1).trimmed();
        // The last entry for a port wins, as a later setting does.
        if (ok && number == portNumber && !device.isEmpty())
            found = device;
    }
    return found;
}

QString SerialDeviceName(int portNumber) {
    if (portNumber < 1 || portNumber > 16)
        return {};
    if (Mapping())
        return Mapping()(portNumber);
    const QString mapped = MappedSerialDevice(qEnvironmentVariable("TAMSEL_SERIAL_PORTS"), portNumber);
    if (!mapped.isEmpty())
        return mapped;
    return QStringLiteral("/dev/ttyS") + QString::number(portNumber - 1);
}

void SetSerialDeviceNames(std::function<QString(int)> mapping) { Mapping() = std::move(mapping); }

SerialPort::~SerialPort() {
    for (RunningWait *wait : RunningWaits())
        if (wait->port == this) {
            wait->port = nullptr;
            wait->loop->quit();
        }
}

bool WaitForSerial(SerialPort &port, int milliseconds, const std::function<bool()> &done,
                   const std::function<bool()> &stop) {
    if (done() || (stop && stop()) || port.Lost())
        return done();
    QEventLoop loop;
    RunningWait self{&loop, &port, {}};
    // The owner of the port (and of done and stop) may be gone by the time a
    // wake-up comes: then nothing of it is called any more.
    auto finished = [&] { return !self.port || done() || (stop && stop()) || port.Lost(); };
    self.finished = finished;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    port.SetActivityHandler([&] {
        if (finished())
            loop.quit();
    });
    RunningWaits().append(&self);
    deadline.start(milliseconds);
    loop.exec();
    RunningWaits().removeAll(&self);
    if (!self.port)
        return false;
    port.SetActivityHandler({});
    return done();
}

void WakeSerialWaits() {
    for (RunningWait *wait : RunningWaits())
        if (wait->finished())
            wait->loop->quit();
}
