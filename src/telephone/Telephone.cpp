#include "telephone/Telephone.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/SerialPort.h"
#include "platform/UserPrompt.h"
#include "settings/frmSetup.h"
#include "telephone/TelephoneFiles.h"
#include "telephone/frmDialer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace {
enum class Search { NotStarted, Running, Done };

struct TelephoneState {
    Search search = Search::NotStarted;
    int found = 0;                     // the port the search found the modem on
    std::optional<qint16> phoneFilePort; // Phone.txt's port, which replaces the found one
    QString status;
    QString caption = QStringLiteral("COM Port #");
};
TelephoneState &State() {
    static TelephoneState state;
    return state;
}

const QString Searching = QStringLiteral("Looking for the modem\u2026");

// The setup screen's port box: the port found, or a note while searching.
void ShowModemOnSetup(frmSetup *setup) {
    if (!setup)
        return;
    const bool done = State().search == Search::Done;
    setup->txtModemPort->setText(done ? QString::number(State().found) : QString());
    // The box is narrow: an ellipsis, and the whole note as its tip.
    setup->txtModemPort->setPlaceholderText(done ? QString() : QStringLiteral("\u2026"));
    setup->txtModemPort->setToolTip(done ? QString() : Searching);
    setup->txtModemPort->setReadOnly(!done);
}

void SearchEnded(int found) {
    TelephoneState &state = State();
    state.search = Search::Done;
    state.found = found;
    frmDialer *dialer = ScreenRegistry::Existing<frmDialer>();
    if (found == 0) {
        state.status = QStringLiteral("Modem Not Detected Or In Use.");
        DisableTelephone();
    } else {
        state.status = QStringLiteral("Your Modem Comm Port Is ") + QString::number(found) + QLatin1Char('.');
    }
    ModemPort = static_cast<qint16>(found);
    state.caption = QStringLiteral("COM Port # ") + QString::number(found);
    if (dialer) {
        dialer->Text1->setText(state.status);
        dialer->Label2[3]->setText(state.caption);
    }
    ShowModemOnSetup(ScreenRegistry::Existing<frmSetup>());
    // The port read from Phone.txt replaces the one found; the open port and
    // the numbers shown stay as they are.
    if (state.phoneFilePort)
        ModemPort = *state.phoneFilePort;
    // Errors here are no one's concern: without a modem nothing is sent.
    if (dialer && found != 0) {
        SerialPort &port = dialer->MSComm1();
        port.Clear();
        port.Send("AT#CID=1\r");
    }
}
} // namespace

QString ModemStatusText() { return State().status; }
QString ModemPortCaption() { return State().caption; }
bool ModemSearchRunning() { return State().search == Search::Running; }
bool ModemSearchDone() { return State().search == Search::Done; }

void StartModemSearch() {
    if (State().search != Search::NotStarted)
        return;
    State().search = Search::Running;
    State().status = Searching;
    frmDialer *dialer = ScreenRegistry::Get<frmDialer>();
    dialer->Text1->setText(State().status);
    ShowModemOnSetup(ScreenRegistry::Existing<frmSetup>());
    dialer->SearchModem(ModemProbeMilliseconds, SearchEnded);
}

void DisableTelephone() {
    // The dial icon stays: it offers the number to the desktop's telephone
    // program instead (a softphone or a paired mobile).
    frmCustomer::SetDialHandler(DialThroughDesktop);
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    if (setup->tabSub->currentIndex() == frmSetup::PhoneTab)
        setup->tabSub->setCurrentIndex(frmSetup::PrintingTab);
    setup->tabSub->setTabEnabled(frmSetup::PhoneTab, false);
}

void LoadPhoneSettings() {
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    ShowModemOnSetup(setup);
    if (State().search == Search::Done && State().found == 0)
        DisableTelephone();
    const ReadBack<PhoneSettings> phone = ReadPhoneFile();
    if (phone.outcome == ReadOutcome::Unreadable)
        ReportDamagedFile(QStringLiteral("Phone.txt"),
                          QStringLiteral("No telephone is taken to be connected behind the modem."));
    PhoneDaisyChained = phone.ok() && phone.value.daisyChained;
    State().phoneFilePort.reset();
    if (phone.ok()) {
        State().phoneFilePort = phone.value.modemPort;
        ModemPort = phone.value.modemPort;
    }
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

void DialThroughDesktop(const QString &name, const std::optional<QString> &number) {
    const QString dial = number.value_or(QString()).trimmed();
    const QString refused = RefusedDialCharacters(dial);
    if (dial.isEmpty() || !refused.isEmpty()) {
        MsgBox(dial.isEmpty() ? QStringLiteral("There is no number to dial.")
                              : QStringLiteral("The number %1 cannot be dialled: it holds %2.").arg(dial, refused),
               MsgButtons::Ok, QStringLiteral("Number Not Dialled"));
        return;
    }
    if (MsgBox(QStringLiteral("No modem was found, so the program cannot dial %1 itself.\r\n"
                              "Hand the number to your computer's telephone program?")
                   .arg(name.trimmed().isEmpty() ? dial : name.trimmed() + QStringLiteral(" at ") + dial),
               MsgButtons::YesNo, QStringLiteral("Dial")) != MsgAnswer::Yes)
        return;
    // A telephone link holds no blanks; the other signs of a number are kept.
    QString link = dial;
    link.remove(QLatin1Char(' '));
    if (!OpenWebPage(QStringLiteral("tel:") + link))
        MsgBox(QStringLiteral("No program on this computer takes telephone numbers. Please dial %1 by hand.").arg(dial),
               MsgButtons::Ok, QStringLiteral("Dial"));
}

void DialCustomer(const QString &name, const std::optional<QString> &number) {
    // The ports are being probed: a dial command now would go to a device
    // that may not be the modem, and upset the search.
    if (ModemSearchRunning()) {
        MsgBox(QStringLiteral("The program is still looking for the modem. Try again in a few seconds."),
               MsgButtons::Ok, QStringLiteral("Dial"));
        return;
    }
    frmDialer *dialer = ScreenRegistry::Get<frmDialer>();
    dialer->lblName->setText(name);
    if (number)
        dialer->lblNumber->setText(*number);
    dialer->setWindowModality(Qt::ApplicationModal);
    ScreenRegistry::Show(dialer);
}

void InstallTelephone() {
    State() = {};
    frmSetup::PhoneSettingsLoader = LoadPhoneSettings;
    frmCustomer::SetDialHandler(DialCustomer);
}
