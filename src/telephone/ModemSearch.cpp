#include "telephone/ModemSearch.h"

#include "platform/SerialPort.h"

namespace {
constexpr int LastPort = 16;
}

ModemSearch::ModemSearch(SerialPort &port, int probeMilliseconds) : port_(port) {
    probe_.setSingleShot(true);
    probe_.setInterval(probeMilliseconds);
    connect(&probe_, &QTimer::timeout, this, &ModemSearch::TimedOut);
}

ModemSearch::~ModemSearch() {
    if (running_) {
        probe_.stop();
        port_.SetActivityHandler({});
    }
}

void ModemSearch::Start() {
    Stop();
    running_ = true;
    current_ = 0;
    ProbeNext();
}

void ModemSearch::Stop() {
    if (!running_)
        return;
    running_ = false;
    probe_.stop();
    port_.SetActivityHandler({});
    port_.Close();
}

void ModemSearch::ProbeNext() {
    port_.SetActivityHandler({});
    while (++current_ <= LastPort) {
        if (!port_.Open(current_))
            continue;
        port_.SetActivityHandler([this] { Answered(); });
        if (!port_.Send("AT\r")) {
            port_.SetActivityHandler({});
            port_.Close();
            continue;
        }
        probe_.start();
        return;
    }
    End(0);
}

void ModemSearch::Answered() {
    // A device that failed is judged when its time is up, so the next port is
    // never opened from inside the failing one's own signal.
    if (running_ && port_.BytesWaiting() >= 2) {
        probe_.stop();
        End(current_);
    }
}

void ModemSearch::TimedOut() {
    if (!running_)
        return;
    if (port_.BytesWaiting() >= 2) {
        End(current_);
        return;
    }
    port_.Close();
    ProbeNext();
}

void ModemSearch::End(int port) {
    port_.SetActivityHandler({});
    running_ = false;
    emit Finished(port);
}
