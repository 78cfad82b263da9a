#pragma once
// The search for the modem on ports 1 to 16, driven by the port's own
// signals and a timer: each port in turn is opened and sent "AT" and CR; the
// first whose device answers with two characters or more within the probe
// time is the modem's. Nothing waits in a loop of its own, so the program
// goes on running (and can end) while the search lasts.
#include <QObject>
#include <QTimer>

class SerialPort;

class ModemSearch : public QObject {
    Q_OBJECT
public:
    // The port must outlive the search.
    ModemSearch(SerialPort &port, int probeMilliseconds);
    ~ModemSearch() override;

    // Closes the port and begins with port 1. Devices that are missing or in
    // use are skipped at once.
    void Start();
    // Ends the search without a result: the port is closed, no signal follows.
    void Stop();
    bool Running() const { return running_; }

signals:
    // The port number the modem answered on, its port left open; 0 (and the
    // port closed) when none answered.
    void Finished(int port);

private:
    void ProbeNext();
    void Answered();
    void TimedOut();
    void End(int port);

    SerialPort &port_;
    QTimer probe_;
    int current_ = 0;
    bool running_ = false;
};
