#include "telephone/frmDialer.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "common/StoredTextUi.h"
#include "platform/QtPictureBox.h"
#include "platform/QtSerialPort.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"
#include "settings/frmSetup.h"
#include "telephone/ModemSearch.h"
#include "telephone/Telephone.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

namespace {

const QString SpeedNumbersFile = QStringLiteral("/SpeedNumbers.txt");

QPushButton *Button(QWidget *parent, const QString &name, const QString &caption, const QString &toolTip = {}) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!toolTip.isEmpty())
        button->setToolTip(toolTip);
    return button;
}

QLabel *Note(QWidget *parent, const QString &text, bool wrap = false) {
    auto *label = new QLabel(text, parent);
    label->setWordWrap(wrap);
    return label;
}

QString Indexed(const char *name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

// A name shown on a button: an ampersand is a letter there, not a shortcut.
QString Caption(const QString &name) {
    QString caption = name;
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Speed-dial files the user has been told about in this run, so that each
// activation does not tell it again.
QSet<QByteArray> &ToldFiles() {
    static QSet<QByteArray> told;
    return told;
}

QString PortName(int port) { return QStringLiteral("COM Port # ") + QString::number(port); }

} // namespace

frmDialer::frmDialer() : TamselForm(QStringLiteral("frmDialer")), port_(std::make_unique<QtSerialPort>()) {
    setWindowTitle(QStringLiteral("Call ..............."));

    // The modem's port and status, as the search for the modem left them.
    auto *modem = new QGroupBox(this);
    modem->setObjectName(QStringLiteral("fraModem"));
    Label2[3] = new QLabel(ModemPortCaption(), modem);
    Label2[3]->setObjectName(QStringLiteral("Label2_3"));
    Text1 = new QLineEdit(ModemStatusText(), modem);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    auto *modemLayout = new QGridLayout(modem);
    modemLayout->addWidget(Note(modem, QStringLiteral("Modem is connected to")), 0, 0);
    modemLayout->addWidget(Label2[3], 0, 1);
    modemLayout->addWidget(Note(modem, QStringLiteral("(Used to auto-dial Players)")), 0, 2);
    modemLayout->addWidget(Text1, 1, 0, 1, 3);
    modemLayout->setColumnStretch(2, 1);

    // The call.
    auto *call = new QGroupBox(this);
    call->setObjectName(QStringLiteral("fraCall"));
    lblName = new QLabel(call);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setToolTip(QStringLiteral("Customer that you are Calling"));
    lblNumber = new QLabel(call);
    lblNumber->setObjectName(QStringLiteral("lblNumber"));
    QFont big = lblName->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    lblName->setFont(big);
    lblNumber->setFont(big);
    lblName->setMinimumWidth(260);
    lblNumber->setMinimumWidth(260);
    lblStatus = new QLabel(call);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setToolTip(QStringLiteral("Dailing Status"));
    lblStatus->setMinimumWidth(300);
    ckDial1 = new QCheckBox(QStringLiteral("Dial a Prefix  1-"), call);
    ckDial1->setObjectName(QStringLiteral("ckDial1"));
    ckDial1->setToolTip(QStringLiteral("Click for Long Distance Calls"));
    cmdNewDial = Button(call, QStringLiteral("cmdNewDial"), QStringLiteral("&Dial"));
    cmdCancel = Button(call, QStringLiteral("cmdCancel"), QStringLiteral("Pick up the receiver then &Click to Talk"),
                       QStringLiteral("Disconnect the Call"));
    cmdHangup = Button(call, QStringLiteral("cmdHangup"), QStringLiteral("D&isconnect/Cancel"),
                       QStringLiteral("Return to previous Screen"));
    auto *callLayout = new QGridLayout(call);
    callLayout->addWidget(lblName, 0, 0, 1, 2);
    callLayout->addWidget(lblNumber, 1, 0);
    callLayout->addWidget(ckDial1, 1, 1);
    callLayout->addWidget(lblStatus, 2, 0, 1, 2);
    auto *callButtons = new QHBoxLayout;
    callButtons->addWidget(cmdNewDial);
    callButtons->addWidget(cmdCancel);
    callButtons->addStretch();
    callButtons->addWidget(cmdHangup);
    callLayout->addLayout(callButtons, 3, 0, 1, 2);
    callLayout->addWidget(Note(call, QStringLiteral("Pick up the Receiver!")), 4, 0, 1, 2);
    callLayout->setColumnStretch(0, 1);

    // Speed dial.
    auto *speed = new QGroupBox(QStringLiteral("Speed Dialing"), this);
    speed->setObjectName(QStringLiteral("fraSpeedDialing"));
    auto *speedLayout = new QGridLayout(speed);
    for (int i = 0; i < 10; ++i) {
        cmdDialer[i] = Button(speed, Indexed("cmdDialer", i), QString(), QStringLiteral("Click to Select and Dial"));
        cmdDialer[i]->setMinimumWidth(150);
        connect(cmdDialer[i], &QPushButton::clicked, this, [this, i] { cmdDialer_Click(i); });
        speedLayout->addWidget(cmdDialer[i], i % 5, i / 5);
    }
    cmdSpeedDialer[2] = Button(speed, Indexed("cmdSpeedDialer", 2), QStringLiteral("Delete Selected Speed Dial &No"));
    cmdSpeedDialer[3] = Button(speed, Indexed("cmdSpeedDialer", 3), QStringLiteral("&Restore Original Call Recipient"));
    speedLayout->addWidget(cmdSpeedDialer[2], 5, 0);
    speedLayout->addWidget(cmdSpeedDialer[3], 5, 1);

    fraSpeedDial = new QGroupBox(QStringLiteral("Add Speed Dial Name and No."), this);
    fraSpeedDial->setObjectName(QStringLiteral("fraSpeedDial"));
    for (int i = 0; i < 2; ++i) {
        txtDialer[i] = new QLineEdit(fraSpeedDial);
        txtDialer[i]->setObjectName(Indexed("txtDialer", i));
    }
    cmdSpeedDialer[0] = Button(fraSpeedDial, Indexed("cmdSpeedDialer", 0), QStringLiteral("&Save"),
                               QStringLiteral("Saves this Data to the selected Speed dial"));
    cmdSpeedDialer[1] = Button(fraSpeedDial, Indexed("cmdSpeedDialer", 1), QStringLiteral("Ca&ncel"));
    cmdSpeedDialer[4] = Button(fraSpeedDial, Indexed("cmdSpeedDialer", 4), QStringLiteral("&Load Current Player"),
                               QStringLiteral("Load Current Player to Above"));
    auto *addLayout = new QGridLayout(fraSpeedDial);
    addLayout->addWidget(Note(fraSpeedDial, QStringLiteral("Name")), 0, 0);
    addLayout->addWidget(txtDialer[0], 0, 1, 1, 2);
    addLayout->addWidget(Note(fraSpeedDial, QStringLiteral("Number")), 1, 0);
    addLayout->addWidget(txtDialer[1], 1, 1, 1, 2);
    addLayout->addWidget(Note(fraSpeedDial, QStringLiteral("Enter a Speed Dial Name and Number Click Save")), 2, 0, 1, 3);
    addLayout->addWidget(cmdSpeedDialer[0], 3, 0);
    addLayout->addWidget(cmdSpeedDialer[1], 3, 1);
    addLayout->addWidget(cmdSpeedDialer[4], 3, 2);
    fraSpeedDial->hide();
    for (int i = 0; i < 5; ++i)
        connect(cmdSpeedDialer[i], &QPushButton::clicked, this, [this, i] { cmdSpeedDialer_Click(i); });

    // Help.
    cmdHelp = Button(this, QStringLiteral("cmdHelp"), QStringLiteral("Show Help"));
    fraHelp = new QGroupBox(QStringLiteral("Help!"), this);
    fraHelp->setObjectName(QStringLiteral("fraHelp"));
    auto *helpLayout = new QVBoxLayout(fraHelp);
    for (const char *hint : {"Connect Your Computers Modem to the Telephone Wall Outlet",
                             "Daisy-Chain a Telephone downstream from your Computers Modem",
                             "Customers Name and Number were loaded Automatically", "Or Select from Speed Dial",
                             "Click the Dial Button", "Click the Pick up the receiver Button", "Talk -------------",
                             "You can add anyone to the Speed Dial names and numbers"})
        helpLayout->addWidget(Note(fraHelp, QString::fromLatin1(hint)));
    fraHelp->hide();

    Image2 = new QtPictureBox(QStringLiteral("Image2"), this);
    Image2->hide();

    auto *left = new QVBoxLayout;
    left->addWidget(modem);
    left->addWidget(call);
    left->addWidget(fraSpeedDial);
    left->addWidget(fraHelp);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(speed);
    auto *helpRow = new QHBoxLayout;
    helpRow->addStretch();
    helpRow->addWidget(cmdHelp);
    right->addLayout(helpRow);
    right->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(Note(this,
                           QStringLiteral("Not all MODEMS can perform dialing operations. Some UPS Units may use the "
                                          "same port as your modem and a dialing error may occur."),
                           true));
    layout->addWidget(Image2);

    connect(cmdNewDial, &QPushButton::clicked, this, &frmDialer::cmdNewDial_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDialer::cmdCancel_Click);
    connect(cmdHangup, &QPushButton::clicked, this, &frmDialer::cmdHangup_Click);
    connect(ckDial1, &QCheckBox::toggled, this, &frmDialer::ckDial1_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmDialer::cmdHelp_Click);
    connect(&dialTimer_, &QTimer::timeout, this, &frmDialer::DialTimedOut);
    ShowReadyToDial();
}

frmDialer::~frmDialer() = default;

void frmDialer::SearchModem(int probeMilliseconds, std::function<void(int)> ended) {
    search_ = std::make_unique<ModemSearch>(*port_, probeMilliseconds);
    connect(search_.get(), &ModemSearch::Finished, this, [ended = std::move(ended)](int port) { ended(port); });
    search_->Start();
}

void frmDialer::Form_Activate() {
    Image2->hide();
    ShowReadyToDial();
    // The last call closed the port: it opens again on the port the setup
    // screen shows. A failure shows when a number is dialled. While the
    // search runs, the port is the search's.
    if (!port_->IsOpen() && !(search_ && search_->Running())) {
        if (frmSetup *setup = ScreenRegistry::Existing<frmSetup>())
            port_->Open(setup->txtModemPort->text().trimmed().toInt());
    }
    LoadSpeedDial();
}

void frmDialer::Form_Unload() {
    // A search or a wait for the modem ends with the screen.
    if (search_)
        search_->Stop();
    StopWaiting();
    TamselForm::Form_Unload();
}

void frmDialer::ShowReadyToDial() {
    cmdSpeedDialer[2]->setEnabled(false);
    cmdNewDial->show();
    cmdCancel->hide();
    lblStatus->setText(QStringLiteral("Ready to Dial......"));
    stop_ = false;
}

bool frmDialer::EnsurePortOpen() {
    if (port_->IsOpen() && !port_->Lost())
        return true;
    int number = port_->PortNumber();
    if (frmSetup *setup = ScreenRegistry::Existing<frmSetup>())
        number = setup->txtModemPort->text().trimmed().toInt();
    if (port_->Open(number))
        return true;
    MsgBox(QStringLiteral("The modem on %1 cannot be reached: it may be unplugged, switched off or in use by "
                          "another program.\r\nNothing was dialled.")
               .arg(PortName(number)),
           MsgButtons::Ok, QStringLiteral("Modem Not Available"));
    return false;
}

void frmDialer::ReportModemLost() {
    const int number = port_->PortNumber();
    port_->Close();
    MsgBox(QStringLiteral("The modem on %1 stopped answering: it may have been unplugged or switched off.\r\n"
                          "Check its cable, then dial again.")
               .arg(PortName(number)),
           MsgButtons::Ok, QStringLiteral("Modem Disconnected"));
}

void frmDialer::cmdNewDial_Click() {
    if (waiting_ || (search_ && search_->Running()))
        return;
    const QString number = lblNumber->text();
    // What follows ATDT is the modem's to interpret: a letter it does not dial
    // with could be taken as a command of its own, so such a number is not sent.
    const QString refused = RefusedDialCharacters(number);
    if (number.trimmed().isEmpty() || !refused.isEmpty()) {
        const QString text =
            number.trimmed().isEmpty()
                ? QStringLiteral("There is no number to dial.")
                : QStringLiteral("The number %1 cannot be dialled: the modem would take %2 in it as a command.\r\n"
                                 "A number may hold only digits, blanks, the signs - ( ) + * # , and the dialling "
                                 "letters W, P and T.")
                      .arg(number, refused);
        MsgBox(text, MsgButtons::Ok, QStringLiteral("Number Not Dialled"));
        return;
    }
    if (!EnsurePortOpen())
        return;

    cmdNewDial->hide();
    lblStatus->setText(QStringLiteral("Dialing..... ") + number);
    port_->Clear();
    lastAnswer_.clear();
    stop_ = false;
    if (!port_->Send("ATDT" + TextCodec::Encode(number) + ";\r")) {
        ReportModemLost();
        ShowReadyToDial();
        return;
    }
    // Everything received since the command counts: an answer may arrive in
    // pieces. The handler returns at once; the answer, the time limit, the
    // modem going away or Disconnect ends the wait.
    waiting_ = true;
    port_->SetActivityHandler([this] { DialAnswer(); });
    dialTimer_.setSingleShot(true);
    dialTimer_.start(dialTimeLimit_);
}

void frmDialer::StopWaiting() {
    if (!waiting_)
        return;
    waiting_ = false;
    dialTimer_.stop();
    port_->SetActivityHandler({});
}

void frmDialer::DialAnswer() {
    if (!waiting_)
        return;
    lastAnswer_ += port_->ReadAll();
    if (lastAnswer_.contains("OK")) {
        StopWaiting();
        lblStatus->setText(QStringLiteral("Pickup Receiver - Then Click Hangup"));
        cmdCancel->show();
        cmdCancel->setFocus();
        return;
    }
    if (port_->Lost()) {
        // Told once the port's own signal is over; the dial counts as
        // waiting until then, so Disconnect meanwhile still ends it.
        dialTimer_.stop();
        port_->SetActivityHandler({});
        QTimer::singleShot(0, this, [this] {
            if (!waiting_)
                return;
            waiting_ = false;
            ReportModemLost();
            ShowReadyToDial();
        });
    }
}

void frmDialer::DialTimedOut() {
    if (!waiting_)
        return;
    StopWaiting();
    // Whatever the modem is doing, it goes back on the hook.
    port_->Send("ATH\r");
    MsgBox(QStringLiteral("The modem did not answer OK within %1 seconds.\r\n"
                          "Check that it is connected to the telephone line, then dial again.")
               .arg((dialTimeLimit_ + 999) / 1000),
           MsgButtons::Ok, QStringLiteral("No Answer from the Modem"));
    ShowReadyToDial();
}

void frmDialer::cmdCancel_Click() {
    stop_ = true;
    EndCall();
}

void frmDialer::EndCall() {
    stop_ = false;
    ShowReadyToDial();
    cmdHangup_Click();
}

void frmDialer::cmdHangup_Click() {
    StopWaiting();
    const bool wasOpen = port_->IsOpen() || port_->Lost();
    if (!port_->Send("ATH\r") && wasOpen)
        ReportModemLost();
    port_->Close();
    Image2->hide();
    ScreenRegistry::Unload(this);
}

void frmDialer::ckDial1_Click() {
    const QString number = lblNumber->text();
    if (ckDial1->isChecked())
        lblNumber->setText(QStringLiteral("1-") + number);
    else if (number.startsWith(QLatin1String("1-")))
        lblNumber->setText(number.mid(2));
}

void frmDialer::cmdDialer_Click(int Index) {
    if (Index < 0 || Index > 9)
        return;
    selectedSlot_ = Index;
    previousName_ = lblName->text();
    previousNumber_ = lblNumber->text();
    cmdSpeedDialer[2]->setEnabled(false);
    if (slots_[Index].name.isEmpty()) {
        fraSpeedDial->show();
        txtDialer[0]->setFocus();
        return;
    }
    lblName->setText(slots_[Index].name);
    lblNumber->setText(slots_[Index].number);
    cmdSpeedDialer[2]->setEnabled(true);
}

void frmDialer::cmdSpeedDialer_Click(int Index) {
    switch (Index) {
    case 4:
        txtDialer[0]->setText(lblName->text());
        txtDialer[1]->setText(lblNumber->text());
        [[fallthrough]];
    case 0:
        // Asked before anything changes: at No the pair stays to be put right.
        if (!FitBoxesToCodePage({txtDialer[0], txtDialer[1]}))
            return;
        // A line break (from a customer's field) would split the pair in the file.
        slots_[selectedSlot_] = {SpeedDialText(txtDialer[0]->text()), SpeedDialText(txtDialer[1]->text())};
        cmdDialer[selectedSlot_]->setText(Caption(slots_[selectedSlot_].name));
        SaveSpeedDial();
        [[fallthrough]];
    case 1:
        txtDialer[0]->clear();
        txtDialer[1]->clear();
        fraSpeedDial->hide();
        break;
    case 2:
        if (MsgBox(QStringLiteral("This will delete SpeedDial entry  ") + slots_[selectedSlot_].name +
                       QStringLiteral("\r\nAre you Sure"),
                   MsgButtons::YesNo, QStringLiteral("Delete Speed Dial")) != MsgAnswer::Yes) {
            cmdSpeedDialer[2]->setEnabled(false);
            break;
        }
        slots_[selectedSlot_] = {};
        if (SaveSpeedDial())
            LoadSpeedDial();
        break;
    case 3:
        lblName->setText(previousName_);
        lblNumber->setText(previousNumber_);
        break;
    default:
        break;
    }
}

void frmDialer::LoadSpeedDial() {
    slots_ = {};
    // Only the start of the file is read: a file grown huge cannot hold up
    // the dialer, and the buttons show at most ten entries anyway.
    if (const std::optional<SpeedDialFile> file = ReadSpeedNumbers()) {
        slots_ = file->entries;
        TellDroppedSpeedDials(*file);
    }
    for (int i = 0; i < 10; ++i)
        cmdDialer[i]->setText(Caption(slots_[i].name));
}

void frmDialer::TellDroppedSpeedDials(const SpeedDialFile &file) {
    if (file.dropped == 0 && !file.cut)
        return;
    QByteArray key = DataPath(SpeedNumbersFile).toUtf8() + '\0';
    for (const SpeedDialEntry &entry : file.entries)
        key += entry.name.toUtf8() + '\0' + entry.number.toUtf8() + '\0';
    key += QByteArray::number(file.dropped) + (file.cut ? "+" : "");
    key = QCryptographicHash::hash(key, QCryptographicHash::Sha256);
    if (ToldFiles().contains(key))
        return;
    ToldFiles().insert(key);
    // A count, not a line per entry: the file may hold thousands.
    const QString entries = file.cut            ? QStringLiteral("more than %1 entries").arg(file.dropped)
                            : file.dropped == 1 ? QStringLiteral("1 entry")
                                                : QStringLiteral("%1 entries").arg(file.dropped);
    MsgBox(QStringLiteral("SpeedNumbers.txt holds %1 that the ten speed-dial buttons cannot show (past the tenth, "
                          "or without a name). The next time a speed-dial entry is saved or deleted, the file will "
                          "keep only what the buttons show.")
               .arg(entries),
           MsgButtons::Ok, QStringLiteral("Speed Dial"));
}

bool frmDialer::SaveSpeedDial() {
    // Written whole into a new file that replaces the old one, so a failed
    // write keeps the old speed-dial numbers.
    if (WriteWholeFile(SpeedNumbersFile, FormatSpeedNumbers(slots_)))
        return true;
    ReportWriteFailure(QStringLiteral("SpeedNumbers.txt"));
    // The buttons show what the file still holds.
    LoadSpeedDial();
    return false;
}

void frmDialer::cmdHelp_Click() {
    fraHelp->setVisible(!fraHelp->isVisible());
    cmdHelp->setText(fraHelp->isVisible() ? QStringLiteral("Hide Help") : QStringLiteral("Show Help"));
}
