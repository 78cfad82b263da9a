#include "platform/SerialPort.h"

#include <QStringList>

namespace {
std::function<QString(int)> &Mapping() {
    static std::function<QString(int)> mapping;
    return mapping;
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

SerialPort::~SerialPort() = default;
