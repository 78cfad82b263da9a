#pragma once
// Ports 1 to 16 for one test: each either holds a fake modem or names a
// device that does not exist.
#include "FakeModem.h"

#include "platform/SerialPort.h"

#include <map>
#include <memory>

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
        auto &modem = modems_[port];
        modem = std::make_unique<FakeModem>(reply);
        return *modem;
    }
    FakeModem &operator[](int port) { return *modems_.at(port); }

private:
    std::map<int, std::unique_ptr<FakeModem>> modems_;
};
