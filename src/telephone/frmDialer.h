#pragma once
// The dialer: dials the customer on screen or a speed-dial number through the
// modem, then hands the line to the telephone behind it. It owns the serial
// port the modem is looked for on, so it is created (hidden) when the search
// starts and unloaded after every call.
#include "common/TamselForm.h"
#include "telephone/TelephoneFiles.h"

#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QtPictureBox;
class ModemSearch;
class SerialPort;

class frmDialer : public TamselForm {
    Q_OBJECT
public:
    frmDialer();
    ~frmDialer() override;

    void Form_Activate() override;
    void Form_Unload() override;

    // The serial port (the port object of the modem).
    SerialPort &MSComm1() { return *port_; }
    // Looks for the modem on this screen's port; ended is told the port found
    // (0 for none). The search ends with the screen.
    void SearchModem(int probeMilliseconds, std::function<void(int port)> ended);

    // The longest wait for the modem's OK after dialling, in milliseconds.
    void SetDialTimeLimit(int milliseconds) { dialTimeLimit_ = milliseconds; }
    int DialTimeLimit() const { return dialTimeLimit_; }
    // True while the dial command waits for the modem's answer; the wait
    // runs in the program's own event loop and ends on the answer, the time
    // limit, the modem going away or Disconnect.
    bool Waiting() const { return waiting_; }
    // Everything the modem answered since the last dial command.
    QByteArray LastAnswer() const { return lastAnswer_; }
    const SpeedDialSlots &SpeedDial() const { return slots_; }
    int SelectedSlot() const { return selectedSlot_; }

    QLabel *lblName = nullptr;
    QLabel *lblNumber = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdNewDial = nullptr;
    QPushButton *cmdCancel = nullptr; // talk: shown once the number is dialled
    QPushButton *cmdHangup = nullptr;
    QCheckBox *ckDial1 = nullptr;
    std::array<QPushButton *, 10> cmdDialer{};
    QGroupBox *fraSpeedDial = nullptr;
    std::array<QLineEdit *, 2> txtDialer{}; // 0 name, 1 number
    std::array<QPushButton *, 5> cmdSpeedDialer{};
    QPushButton *cmdHelp = nullptr;
    QGroupBox *fraHelp = nullptr;
    QLineEdit *Text1 = nullptr;             // the modem's status
    std::array<QLabel *, 4> Label2{};       // 3: the port number
    QtPictureBox *Image2 = nullptr;

public slots:
    void ShowReadyToDial();
    void LoadSpeedDial();
    bool SaveSpeedDial();
    void cmdNewDial_Click();
    void cmdCancel_Click();
    void cmdHangup_Click();
    void ckDial1_Click();
    void cmdDialer_Click(int Index);
    void cmdSpeedDialer_Click(int Index);
    void cmdHelp_Click();

private:
    void DialAnswer();
    void DialTimedOut();
    void StopWaiting();
    void EndCall();
    bool EnsurePortOpen();
    void ReportModemLost();
    void TellDroppedSpeedDials(const SpeedDialFile &file);

    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<ModemSearch> search_; // after port_: ends before the port goes
    QTimer dialTimer_;
    SpeedDialSlots slots_;
    int selectedSlot_ = 0;
    QString previousName_;
    QString previousNumber_;
    bool stop_ = false;
    bool waiting_ = false;
    QByteArray lastAnswer_;
    int dialTimeLimit_ = 60000;
};
