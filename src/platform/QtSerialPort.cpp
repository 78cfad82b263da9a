#include "platform/QtSerialPort.h"

#include <QSerialPort>

QtSerialPort::QtSerialPort() : port_(new QSerialPort(this)) {
    connect(port_, &QSerialPort::readyRead, this, &QtSerialPort::Activity);
    connect(port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // A device that went away (pulled out, its other end closed) reads
        // nothing but errors from then on: it is closed at once, so it does
        // not keep the event loop spinning, and stays lost until opened anew.
        // A timeout or a framing error is not worth ending a call for.
        switch (error) {
        case QSerialPort::ResourceError:
        case QSerialPort::PermissionError:
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
            if (port_->isOpen()) {
                lost_ = true;
                port_->close();
            }
            break;
        default:
            break;
        }
        Activity();
    });
}

QtSerialPort::~QtSerialPort() {
    // The wait that might call back is gone with its caller.
    activity_ = {};
    Close();
}

bool QtSerialPort::Open(int portNumber) {
    Close();
    portNumber_ = portNumber;
    lost_ = false;
    const QString device = SerialDeviceName(portNumber);
    if (device.isEmpty())
        return false;
    port_->setPortName(device);
    if (!port_->open(QIODevice::ReadWrite))
        return false;
    const bool set = port_->setBaudRate(QSerialPort::Baud9600) && port_->setDataBits(QSerialPort::Data8) &&
                     port_->setParity(QSerialPort::NoParity) && port_->setStopBits(QSerialPort::OneStop) &&
                     port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        port_->close();
        return false;
    }
    port_->clearError();
    return true;
}

void QtSerialPort::Close() {
    if (port_->isOpen())
        port_->close();
    lost_ = false;
}

bool QtSerialPort::IsOpen() const { return port_->isOpen(); }

bool QtSerialPort::Send(const QByteArray &bytes) {
    if (!port_->isOpen() || lost_)
        return false;
    if (port_->write(bytes) != bytes.size())
        return false;
    // Handed to the device now, as the modem expects the command at once.
    port_->flush();
    return !lost_;
}

qint64 QtSerialPort::BytesWaiting() { return port_->isOpen() ? port_->bytesAvailable() : 0; }

QByteArray QtSerialPort::ReadAll() { return port_->isOpen() ? port_->readAll() : QByteArray(); }

void QtSerialPort::Clear() {
    if (!port_->isOpen())
        return;
    port_->readAll();
    port_->clear(QSerialPort::Input);
}

void QtSerialPort::Activity() {
    if (activity_)
        activity_();
}
