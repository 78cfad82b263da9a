// Runs one save path of the program against a data folder, with the program's
// own routines and in the order its screens call them, so the crash test can
// kill it part-way:
//   crash_driver <path> prepare <folder>   writes the data as it is before the save
//   crash_driver <path> save <folder>      makes the save
//   crash_driver start <folder>            what the next start does with the folder,
//                                          printing every data file a listing offers
// The date is fixed, so two runs of a save write the same bytes.
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "customers/CustomerRecords.h"
#include "customers/CustomerTextFiles.h"
#include "platform/Clock.h"
#include "platform/UserPrompt.h"
#include "proposals/InventoryFiles.h"
#include "proposals/ProposalFiles.h"
#include "proposals/ProposalState.h"
#include "proposals/Templates.h"
#include "settings/BusinessFiles.h"
#include "settings/TermsTexts.h"
#include "telephone/TelephoneFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <cstdio>
#include <functional>
#include <map>

namespace {

// Every box is answered as the user who wants the save done would.
class YesPrompt : public UserPrompt {
public:
    MsgAnswer MsgBox(const QString &, MsgButtons buttons, const QString &) override {
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    std::optional<QString> InputBox(const QString &, const QString &, const QString &) override { return {}; }
    void Beep() override {}
};

bool Put(const QString &name, const QByteArray &bytes) { return WriteWholeFile(name, bytes); }

QString Text(const char *what, int version) { return QString::fromLatin1(what) + QString::number(version); }

// ---- settings and terms ------------------------------------------------
bool Settings(int v) {
    BusinessFields fields;
    for (int i = 0; i < 9; ++i)
        fields[i] = Text("Field", v * 10 + i);
    PrintColorSettings colors;
    colors.borderColor = 0x102030u * quint32(v);
    colors.numCopies = quint8(v);
    return WriteBusinessFile(fields) && WritePrintColorsFile(colors) &&
           WriteLogoPathFile(Text("C:\\Logo", v)) && WriteLogoSizeFile(QSize(1440 * v, 720 * v));
}

bool Terms(int v) {
    return SaveCustomText(CustomTermsFile, Text("Terms\nline ", v)) &&
           SaveCustomText(CustomDisclaimerFile, Text("Disclaimer ", v));
}

// ---- customers ----------------------------------------------------------
void FillCustomer(int recNo, int v) {
    CustomerRec = {};
    CustomerRec.AcctNo = Text("A", recNo);
    CustomerRec.AcctType = QStringLiteral("Individual");
    CustomerRec.FirstName = Text("First", v);
    CustomerRec.LastName = Text("Last", recNo);
}

// A customer saved the way the customer screen saves one.
bool SaveCustomer(int recNo, int v, bool isNew) {
    FillCustomer(recNo, v);
    if (isNew)
        ApplyBillingDefaults();
    else
        LoadCompanions(recNo);
    if (!SaveCustomerRecord(recNo))
        return false;
    CustomerCount = std::max(CustomerCount, recNo);
    return SaveCompanions(recNo);
}

bool Customers() {
    CustomerCount = 0;
    for (int r = 1; r <= 3; ++r) {
        if (!SaveCustomer(r, 1, true) || !SaveAuxData(Text("A", r), {Text("Box", r)}))
            return false;
        ContractRec.Field1 = Text("Contract", r); // each customer's companions differ
        CycleRec.Field1 = Text("Cycle", r);
        if (!SaveCompanions(r))
            return false;
    }
    return EnsureFolder(QStringLiteral("/Backup")) && Put(QStringLiteral("/Backup/CycleInfo.txt"), "old") &&
           EnsureFolder(QStringLiteral("/QXActiveAccounts")) && Put(QStringLiteral("/QXActiveAccounts/A2.txt"), "x") &&
           SaveAuxHeadings({QStringLiteral("Heading")});
}

// ---- proposals ----------------------------------------------------------
bool ProposalRecord(qint16 number, int v) {
    struct ProposalRecord record; // the struct, not this function
    record.parties.price = Currency{10000 * v};
    for (int k = 1; k <= 8; ++k) {
        record.parties.lblCustomerInfo[k] = Text("Account", v * 10 + k);
        record.parties.txtCustomerInfo[k] = Text("Site", v * 10 + k);
    }
    record.body = Text("Body\nof ", v);
    record.schedule.price = record.parties.price;
    for (int k = 0; k < v; ++k)
        record.schedule.payments << Payment{Currency{5000 * (k + 1)}, QDate(2026, 1 + k, 1)};
    record.state.days = QString::number(30 * v);
    return EnsureFolder(ProposalFolder) && EnsureFolder(BodyFolder) && EnsureFolder(PaymentsFolder) &&
           RecordProposalFiles(number, record);
}

bool FieldProposal(qint16 number, int v) {
    FieldProposalParties parties;
    parties.acctNo = Text("A", v);
    for (int k = 0; k < 7; ++k)
        parties.lines[k] = Text("Line", v * 10 + k);
    return EnsureFolder(ProposalFolder) && WriteFieldProposalFile(number, parties);
}

bool State(qint16 number, ProposalStatus status) {
    ProposalState state;
    state.status = status;
    return WriteProposalState(ProposalFileName(number), state);
}

bool Proposals() {
    return ProposalRecord(1001, 1) && ProposalRecord(1002, 2) && FieldProposal(1003, 1) &&
           State(1001, ProposalStatus::Open) && State(1002, ProposalStatus::Open);
}

// The report's "Delete Selected Proposals" of two marked proposals.
bool DeleteMarked() { return DeleteProposalRecord(QStringLiteral("1001.txt")) && DeleteProposalRecord(QStringLiteral("1002.txt")); }

bool Templates(int v) {
    return EnsureFolder(QStringLiteral("/Templates")) && EnsureFolder(TemplateFolder) &&
           SaveTemplateFile(QStringLiteral("Roof"), Text("Roof body ", v)) &&
           SaveTemplateFile(QStringLiteral("Gutter"), Text("Gutter body ", v));
}

bool Inventory(const char *description) {
    return SaveItemToInventory(QString::fromLatin1(description), QStringLiteral("Roof"), Currency{120000});
}

bool SpeedDial(int v) {
    SpeedDialSlots entries;
    for (int i = 0; i < 3 + v; ++i)
        entries[i] = {Text("Name", v * 10 + i), Text("555-01", v * 10 + i)};
    return Put(QStringLiteral("/SpeedNumbers.txt"), FormatSpeedNumbers(entries));
}

// Three of the settings files the exit backup copies, each holding its version.
bool BackupSources(int v, const QString &prefix) {
    bool ok = EnsureFolder(QStringLiteral("/Backup"));
    for (const QString &base : BackupFileNames().mid(0, 3))
        ok = ok && Put(prefix + base + QStringLiteral(".txt"), Text("\"value\",", v).toLatin1() + "\r\n");
    return ok;
}

struct SavePath {
    std::function<bool()> prepare;
    std::function<bool()> save;
};

const std::map<QString, SavePath> &Paths() {
    static const std::map<QString, SavePath> paths = {
        {"settings", {[] { return Settings(1); }, [] { return Settings(2); }}},
        {"counter", {[] { return SaveProposalCounter(1001); }, [] { return SaveProposalCounter(1002); }}},
        {"customer", {Customers, [] { return SaveCustomer(2, 2, false); }}},
        {"new customer", {Customers, [] { return SaveCustomer(4, 2, true); }}},
        {"delete customer", {Customers, [] { return DeleteCustomerRecord(2, QStringLiteral("A2")); }}},
        {"aux boxes and headings",
         {Customers,
          [] {
              return SaveAuxData(QStringLiteral("A2"), {QStringLiteral("New box"), QStringLiteral("Two")}) &&
                     SaveAuxHeadings({QStringLiteral("New heading"), QStringLiteral("Second")});
          }}},
        {"proposal record", {Proposals, [] { return ProposalRecord(1002, 3); }}},
        {"field proposal", {Proposals, [] { return FieldProposal(1003, 2); }}},
        {"price quote", {Proposals, [] { return WriteProposalPrice(QStringLiteral("1003.txt"), Currency{99990000}); }}},
        {"proposal state", {Proposals, [] { return State(1002, ProposalStatus::Accepted); }}},
        {"report deletes marked", {Proposals, DeleteMarked}},
        {"template save", {[] { return Templates(1); }, [] { return Templates(2); }}},
        {"template delete",
         {[] { return Templates(1); }, [] { return DeleteTemplate(QStringLiteral("Roof.txt")); }}},
        {"terms and disclaimer", {[] { return Terms(1); }, [] { return Terms(2); }}},
        {"speed dial", {[] { return SpeedDial(1); }, [] { return SpeedDial(2); }}},
        {"inventory append",
         {[] { return Inventory("Tar"); }, [] { return Inventory("Shingles"); }}},
        {"exit backup",
         {[] { return BackupSources(1, QStringLiteral("/Backup/")) && BackupSources(2, QStringLiteral("/")); },
          BackupDataFiles}},
        {"restore from backup",
         {[] {
              return Settings(1) && EnsureFolder(QStringLiteral("/Backup")) &&
                     Put(QStringLiteral("/Backup/PrintColors.txt"), "1\r\n") &&
                     Put(QStringLiteral("/Backup/MyBusinessData.txt"), "\"Restored\"\r\n") &&
                     QFile::remove(DataPath(QStringLiteral("/MyBusinessData.txt"))) &&
                     Put(QStringLiteral("/PrintColors.txt"), "damaged");
          },
          [] {
              return FileExists(QStringLiteral("/MyBusinessData.txt")) &&
                     ReportDamagedFileWithBackup(QStringLiteral("/PrintColors.txt"), QString());
          }}},
    };
    return paths;
}

// The next start: the customer files are put right, then every listing that
// offers stored files by name is printed, one data file a line.
int Start() {
    RecoverCustomerFiles();
    FinishInterruptedRecords();
    const QString root = QDir(AppFolder).canonicalPath() + QLatin1Char('/');
    const auto show = [&](const QString &name) {
        std::printf("%s\n", qPrintable(QDir(DataPath(name)).canonicalPath().mid(root.size())));
    };
    for (const QString &name : ListProposalFiles())
        show(ProposalFolder + QLatin1Char('\\') + name);
    for (const QString &name : ListTemplates().files)
        show(TemplateFolder + QLatin1Char('\\') + name);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    Clock::SetToday([] { return QDate(2026, 3, 14); });
    SetPrompt(std::make_shared<YesPrompt>());
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("start")) {
        AppFolder = args[1];
        return Start();
    }
    const auto path = args.size() == 3 ? Paths().find(args[0]) : Paths().end();
    if (path == Paths().end()) {
        std::fprintf(stderr, "usage: crash_driver <path> prepare|save <folder> | start <folder>\n");
        return 2;
    }
    AppFolder = args[2];
    const bool ok = args[1] == QLatin1String("prepare") ? path->second.prepare() : path->second.save();
    CloseAllFiles();
    return ok ? 0 : 1;
}
