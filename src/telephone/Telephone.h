#pragma once
// The modem: looked for once, after start-up, its port left open for the
// dialer; the telephone settings shown on the setup screen; and the
// hand-over from the customer screen to the dialer.
#include <QString>
#include <optional>

// One probe per port waits at most this long for the modem's answer.
inline constexpr int ModemProbeMilliseconds = 300;

// Phone.txt and CallID.txt into the setup screen, and the modem's port as far
// as the search has come. Run when the setup screen loads; it does not wait
// for the modem.
void LoadPhoneSettings();
// Starts the search for the modem on ports 1 to 16 (once per run). The
// program goes on meanwhile: the dialer and the setup screen's phone sub-tab
// show that it is searching, and the dial icon does not dial. When it ends,
// the port found is kept open on ModemPort, the modem is asked to report
// caller identification and the screens are filled; without a modem,
// DisableTelephone.
void StartModemSearch();
// True from StartModemSearch until the search has ended.
bool ModemSearchRunning();
// True once a search has ended (found or not).
bool ModemSearchDone();
// CallID.txt into CallerIdEnabled and the setup screen's caller-ID box.
void LoadCallerIdSetting();
// No modem: the setup screen's phone sub-tab is switched off (the printing
// options beside it stay, since most machines have no modem), and the dial
// icon offers the number to the desktop's telephone program instead.
void DisableTelephone();
// The dial icon without a modem: after the user agrees, the number goes to
// the desktop's handler of tel: links through the URL opener; the user is
// told when there is none.
void DialThroughDesktop(const QString &name, const std::optional<QString> &number);

// The modem's status and port texts, which a dialer created again after a
// call shows once more.
QString ModemStatusText();
QString ModemPortCaption();

// The customer screen's dial icon: the dialer, shown modally with the name
// and number (the number as it was when none is given). While the modem is
// still looked for, the user is told so and nothing is dialled.
void DialCustomer(const QString &name, const std::optional<QString> &number);

// Installs the telephone's hooks into the setup and customer screens; a new
// run of the program looks for the modem anew.
void InstallTelephone();
