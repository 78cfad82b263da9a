#pragma once
// The dialer: dials the customer on screen or a speed-dial number through the
// modem, then hands the line to the telephone behind it. It owns the serial
// port the modem was found on, so it is created (hidden) when the modem is
// looked for and unloaded after every call.
#include "common/TamselForm.h"
#include "telephone/TelephoneFiles.h"

#include <QPointer>
#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QtPictureBox;
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

    // The longest wait for the modem's OK after dialling, in milliseconds.
    void SetDialTimeLimit(int milliseconds) { dialTimeLimit_ = milliseconds; }
    int DialTimeLimit() const { return dialTimeLimit_; }
    // True while the dial command waits for the modem's answer.
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
    void EndCall();
    bool EnsurePortOpen();
    void ReportModemLost();
    void TellDroppedSpeedDials(const QByteArray &bytes, const QStringList &dropped);

    std::unique_ptr<SerialPort> port_;
    SpeedDialSlots slots_;
    int selectedSlot_ = 0;
    QString previousName_;
    QString previousNumber_;
    bool stop_ = false;
    bool waiting_ = false;
    bool hangUpAfterWait_ = false; // Disconnect pressed while dialling
    QByteArray lastAnswer_;
    int dialTimeLimit_ = 60000;
};
