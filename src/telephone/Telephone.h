#pragma once
// The modem: found once when the setup screen loads, its port left open for
// the dialer; the telephone settings shown on the setup screen; and the
// hand-over from the customer screen to the dialer.
#include <QString>
#include <optional>

// One probe per port waits at most this long for the modem's answer.
inline constexpr int ModemProbeMilliseconds = 300;

// DetectModem, then Phone.txt, then LoadCallerIdSetting.
void LoadPhoneSettings();
// Looks for the modem on ports 1 to 16, keeps its port open on ModemPort and
// asks it to report caller identification; without one, DisableTelephone.
void DetectModem();
// CallID.txt into CallerIdEnabled and the setup screen's caller-ID box.
void LoadCallerIdSetting();
// No modem: the dial icon and the setup screen's phone sub-tab are switched
// off. The printing options beside it stay, since most machines have no modem.
void DisableTelephone();

// The modem's status and port texts of the last detection, which a dialer
// created again after a call shows once more.
QString ModemStatusText();
QString ModemPortCaption();

// The customer screen's dial icon: the dialer, shown modally with the name
// and number (the number as it was when none is given).
void DialCustomer(const QString &name, const std::optional<QString> &number);

// Installs the telephone's hooks into the setup and customer screens.
void InstallTelephone();
