#pragma once
// The serial port over QSerialPort, on the device SerialDeviceName gives.
#include "platform/SerialPort.h"

#include <QObject>

class QSerialPort;

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
public:
    QtSerialPort();
    ~QtSerialPort() override;

    bool Open(int portNumber) override;
    void Close() override;
    bool IsOpen() const override;
    int PortNumber() const override { return portNumber_; }
    bool Send(const QByteArray &bytes) override;
    qint64 BytesWaiting() override;
    QByteArray ReadAll() override;
    void Clear() override;
    bool Lost() const override { return lost_; }
    void SetActivityHandler(std::function<void()> handler) override { activity_ = std::move(handler); }

private:
    void Activity();
    QSerialPort *port_;
    int portNumber_ = 0;
    bool lost_ = false;
    std::function<void()> activity_;
};
