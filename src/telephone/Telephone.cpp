#include "telephone/Telephone.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/SerialPort.h"
#include "settings/frmSetup.h"
#include "telephone/TelephoneFiles.h"
#include "telephone/frmDialer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace {
QString &StatusText() {
    static QString text;
    return text;
}
QString &PortCaption() {
    static QString caption = QStringLiteral("COM Port #");
    return caption;
}
} // namespace

QString ModemStatusText() { return StatusText(); }
QString ModemPortCaption() { return PortCaption(); }

void DetectModem() {
    frmDialer *dialer = ScreenRegistry::Get<frmDialer>();
    SerialPort &port = dialer->MSComm1();
    const int found = FindModem(port, ModemProbeMilliseconds);
    if (found == 0) {
        StatusText() = QStringLiteral("Modem Not Detected Or In Use.");
        DisableTelephone();
    } else {
        ModemPort = static_cast<qint16>(found);
        StatusText() = QStringLiteral("Your Modem Comm Port Is ") + QString::number(ModemPort) + QLatin1Char('.');
    }
    PortCaption() = QStringLiteral("COM Port # ") + QString::number(ModemPort);
    dialer->Text1->setText(StatusText());
    dialer->Label2[3]->setText(PortCaption());
    ScreenRegistry::Get<frmSetup>()->txtModemPort->setText(QString::number(ModemPort));
    // Errors here are no one's concern: without a modem nothing is sent.
    if (!port.IsOpen())
        port.Open(ModemPort);
    port.Clear();
    port.Send("AT#CID=1\r");
}

void DisableTelephone() {
    frmCustomer::SetDialHandler({});
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    if (setup->tabSub->currentIndex() == frmSetup::PhoneTab)
        setup->tabSub->setCurrentIndex(frmSetup::PrintingTab);
    setup->tabSub->setTabEnabled(frmSetup::PhoneTab, false);
}

void LoadPhoneSettings() {
    DetectModem();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    const ReadBack<PhoneSettings> phone = ReadPhoneFile();
    if (phone.outcome == ReadOutcome::Unreadable)
        ReportDamagedFile(QStringLiteral("Phone.txt"),
                          QStringLiteral("No telephone is taken to be connected behind the modem."));
    PhoneDaisyChained = phone.ok() && phone.value.daisyChained;
    // The port read replaces the detected one; the open port and the numbers
    // shown stay as they are.
    if (phone.ok())
        ModemPort = phone.value.modemPort;
    setup->ckPhone->setChecked(PhoneDaisyChained);
    LoadCallerIdSetting();
}

void LoadCallerIdSetting() {
    const ReadBack<bool> callerId = ReadCallerIdFile();
    if (callerId.outcome == ReadOutcome::Unreadable)
        ReportDamagedFile(QStringLiteral("CallID.txt"), QStringLiteral("Caller ID is taken to be off."));
    CallerIdEnabled = callerId.ok() && callerId.value;
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    setup->ckCallerID->setChecked(CallerIdEnabled);
    setup->lblCallid->setVisible(CallerIdEnabled);
}

void DialCustomer(const QString &name, const std::optional<QString> &number) {
    frmDialer *dialer = ScreenRegistry::Get<frmDialer>();
    dialer->lblName->setText(name);
    if (number)
        dialer->lblNumber->setText(*number);
    dialer->setWindowModality(Qt::ApplicationModal);
    ScreenRegistry::Show(dialer);
}

void InstallTelephone() {
    frmSetup::PhoneSettingsLoader = LoadPhoneSettings;
    frmCustomer::SetDialHandler(DialCustomer);
}
