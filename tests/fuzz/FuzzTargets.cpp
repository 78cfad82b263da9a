// libFuzzer targets for every reader of stored data. One source, one table:
// each executable is linked with a one-line file that names its target.
// Besides running the readers on any bytes, a target checks what must hold
// for every input: what a writer makes reads back the same.
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/LocaleTexts.h"
#include "common/QuotedFields.h"
#include "customers/CustomerRecords.h"
#include "customers/CustomerTextFiles.h"
#include "platform/TextCodec.h"
#include "proposals/InventoryFiles.h"
#include "proposals/ProposalFiles.h"
#include "proposals/ProposalState.h"
#include "proposals/Templates.h"
#include "records/ProposalReportModel.h"
#include "records/StoredProposal.h"
#include "settings/BusinessFiles.h"
#include "settings/TermsTexts.h"
#include "telephone/TelephoneFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

// Set by the one-line file of each fuzzer, or by the replay program from its arguments.
extern const char *TamselFuzzTarget;

namespace {

// A failed check is a finding: abort so that libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                                        \
    do {                                                                                                       \
        if (!(cond)) {                                                                                         \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);                     \
            std::abort();                                                                                      \
        }                                                                                                      \
    } while (0)

QTemporaryDir *Folder = nullptr;
QStringList Written; // files the last input left in the data folder

// The data folder holds only what this input wrote. Files are removed one by
// one: listing and removing the whole tree for every input costs more than the readers.
void Reset() {
    CloseAllFiles();
    for (const QString &name : std::as_const(Written))
        QFile::remove(name);
    Written.clear();
    for (const char *made : {"TamselProposals/1002.txt", "TamselProposals/ProposalPayments/1002.txt",
                             "Backup/CustomTerms.txt"})
        QFile::remove(Folder->path() + QLatin1Char('/') + QLatin1String(made));
}

void Put(const QString &relative, const QByteArray &bytes) {
    const QString full = Folder->path() + QLatin1Char('/') + relative;
    QDir().mkpath(full.section(QLatin1Char('/'), 0, -2));
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    Written << full;
}

// The first byte picks a variant, the rest is the content.
struct Input {
    quint8 pick = 0;
    QByteArray rest;
};
Input Split(const QByteArray &data) {
    if (data.isEmpty())
        return {};
    return {quint8(data[0]), data.mid(1)};
}

// Cut in two at a place the first two bytes choose.
std::pair<QByteArray, QByteArray> Halves(const QByteArray &data) {
    if (data.size() < 2)
        return {data, {}};
    const int at = (quint8(data[0]) | quint8(data[1]) << 8) % (int(data.size()) - 1);
    return {data.mid(2, at), data.mid(2 + at)};
}

void Codec(const QByteArray &data) {
    // Every byte survives a read and a write.
    FUZZ_CHECK(TextCodec::Encode(TextCodec::Decode(data)) == data);
    // Any text: each character is kept or becomes '?'.
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(data.constData()), data.size() / 2);
    const QString back = TextCodec::Decode(TextCodec::Encode(text));
    FUZZ_CHECK(back.size() == text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        FUZZ_CHECK(back[i] == text[i] || back[i] == u'?');
    TextCodec::SplitLines(TextCodec::Decode(data));
}

void Fields(const QByteArray &data) {
    const Input in = Split(data);
    const QString text = TextCodec::Decode(in.rest);
    FieldReader reader(text);
    // The first byte's bits choose the kind of each read, as the file readers mix them.
    for (int i = 0; i < 64 && !reader.AtEnd(); ++i) {
        QString s;
        double d;
        Currency c;
        qint64 n;
        bool b;
        QDate date;
        switch (((in.pick >> (i % 4 * 2)) + i) % 8) {
        case 0: reader.ReadText(s); break;
        case 1: reader.ReadNumber(d); break;
        case 2: reader.ReadMoney(c); break;
        case 3: reader.ReadInteger(n); break;
        case 4: reader.ReadBool(b); break;
        case 5: reader.ReadDate(date); break;
        case 6: reader.ReadLine(s); break;
        default: reader.Next(); break;
        }
    }
    // Any text written as a quoted field reads back whole, and so does the field after it.
    FieldReader back(QuotedFields::Line({QuotedFields::Text(text), QuotedFields::Number(qint64(in.pick))}));
    QString read;
    qint64 number = -1;
    FUZZ_CHECK(back.ReadText(read) && read == text);
    FUZZ_CHECK(back.ReadInteger(number) && number == in.pick);
}

void Settings(const QByteArray &data) {
    static const std::vector<std::pair<QString, std::function<void()>>> files = {
        {"MyBusinessData.txt", [] { ReadBusinessFile(); }},
        {"PrintColors.txt", [] { ReadPrintColorsFile(); }},
        {"CompanyLogo.txt", [] { ReadLogoPathFile(); }},
        {"LogoSettings.txt", [] { ReadLogoSizeFile(); }},
        {"MyWebSite.txt", [] { ReadWebSiteLine(); }},
        {"TProposalCounter.txt", [] { ReadProposalCounterFile(); }},
        {"CustomTerms.txt", [] { ReadCustomTerms(); }},
        {"CustomDisclaimer.txt", [] { ReadCustomDisclaimer(); }},
        {"AuxHeadings.txt", [] { LoadAuxHeadings(); }},
        {"StatesList.txt", [] { LoadStatesList(); }},
        {"AuxFiles/A1/AuxFile3/Data.txt", [] { LoadAuxData(QStringLiteral("A1")); }},
    };
    const Input in = Split(data);
    const auto &[name, read] = files[in.pick % files.size()];
    Put(name, in.rest);
    read();
    // A custom text saved is read back as saved (line breaks as CR LF).
    if (in.pick % files.size() == 6) {
        const auto stored = ReadCustomTerms();
        if (stored.ok() && SaveCustomText(CustomTermsFile, stored.value)) {
            const auto again = ReadCustomTerms();
            FUZZ_CHECK(again.ok() && again.value == StoredLineEnds(stored.value));
        }
    }
}

// The same bytes after one more read and write: a reader keeps what it was given.
template <class Rec> void Stable(const RecordLayout<Rec> &layout, const QByteArray &bytes) {
    const QByteArray once = layout.Write(layout.Read(bytes));
    FUZZ_CHECK(once.size() == layout.Length());
    FUZZ_CHECK(layout.Write(layout.Read(once)) == once);
}

void Records(const QByteArray &data) {
    const Input in = Split(data);
    switch (in.pick % 5) {
    case 0: Stable(CustomerLayout(), in.rest); break;
    case 1: Stable(ContractLayout(), in.rest); break;
    case 2: Stable(CycleLayout(), in.rest); break;
    case 3: Stable(InventoryItemLayout(), in.rest); break;
    default: Stable(CustomItemLayout(), in.rest); break;
    }
}

void CustomerFiles(const QByteArray &data) {
    const Input in = Split(data);
    const auto [customers, companions] = Halves(in.rest);
    Put(QStringLiteral("CustomerData.txt"), customers);
    Put(in.pick & 1 ? QStringLiteral("ContractInfo.txt") : QStringLiteral("CycleInfo.txt"), companions);
    CustomerFileSizeNow();
    QString first;
    ScanCustomers(MaxCustomers, [&](qint32 recNo, const CustomerRecord &rec) {
        if (recNo == 1)
            first = rec.AcctNo;
        DisplayName(rec);
        GridName(rec);
    });
    OtherHolderOfAccount(first, 0);
    LoadCompanions(1 + in.pick % 4);
}

void Inventory(const QByteArray &data) {
    const auto [inventory, custom] = Halves(data);
    Put(QStringLiteral("QXInventoriedItems.txt"), inventory);
    Put(QStringLiteral("CustomItems.txt"), custom);
    const ItemLists lists = LoadItems();
    FUZZ_CHECK(lists.Unsorted.size() == qsizetype(lists.ItemPrices.size()));
    FUZZ_CHECK(lists.Sorted.size() == lists.Unsorted.size());
}

// Locales whose money and dates differ in every way the payments file meets:
// separators, symbol place, symbols beyond the code page, other digits, other calendars' order.
const char *const PaymentLocales[] = {"en_US", "de_DE", "fr_FR", "pl_PL", "ja_JP", "ar_EG",
                                      "fa_IR", "hi_IN", "de_CH", "en_IN", "nl_NL", "es_MX"};

void Payments(const QByteArray &data) {
    const Input in = Split(data);
    QLocale::setDefault(QLocale(QString::fromLatin1(PaymentLocales[in.pick % std::size(PaymentLocales)])));
    Put(QStringLiteral("TamselProposals/ProposalPayments/1001.txt"), in.rest);
    const auto read = ReadPaymentsFile(QStringLiteral("1001.txt"));
    if (read.ok()) {
        // What was read, written again, reads back as the screen showed it
        // (the file keeps the screen's forms, so amounts at its currency digits).
        const auto shown = [](Currency c) { return CurrencyAmount(CurrencyText(c)).value_or(c); };
        PaymentSchedule schedule{read.value.price, {}};
        for (const PaymentLine &line : read.value.payments)
            schedule.payments << Payment{line.amount, line.due};
        FUZZ_CHECK(WritePaymentsFile(1002, schedule));
        const auto again = ReadPaymentsFile(QStringLiteral("1002.txt"));
        FUZZ_CHECK(again.ok() && again.value.price == shown(schedule.price) &&
                   again.value.payments.size() == schedule.payments.size());
        for (qsizetype i = 0; i < schedule.payments.size(); ++i)
            FUZZ_CHECK(again.value.payments[i].amount == shown(schedule.payments[i].amount) &&
                       again.value.payments[i].due == schedule.payments[i].due);
    }
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
}

void Proposal(const QByteArray &data) {
    const Input in = Split(data);
    const auto [proposal, state] = Halves(in.rest);
    Put(QStringLiteral("TamselProposals/1001.txt"), proposal);
    Put(QStringLiteral("TamselProposals/ProposalBody/1001.txt"), proposal);
    if (in.pick & 1)
        Put(QStringLiteral("TamselProposals/ProposalState/1001.txt"), state);
    const QString name = QStringLiteral("1001.txt");
    ReadBodyFile(name);
    StoredProposalDocument(name);
    const auto file = ReadProposalFile(name);
    // A quote entered later changes the price and nothing else.
    const Currency price{qint64(in.pick) * 12345};
    if (file.ok() && WriteProposalPrice(name, price)) {
        const auto again = ReadProposalFile(name);
        FUZZ_CHECK(again.ok() && again.value.price == price && again.value.number == file.value.number &&
                   again.value.saved == file.value.saved && again.value.texts == file.value.texts);
    }
}

void State(const QByteArray &data) {
    ProposalState state;
    if (!ParseProposalState(TextCodec::Decode(data), state))
        return;
    ProposalState again;
    FUZZ_CHECK(ParseProposalState(TextCodec::Decode(ProposalStateBytes(state)), again) && again == state);
    LastValidDay(QDate(2020, 1, 1), state.days);
}

void SpeedNumbers(const QByteArray &data) {
    const SpeedDialFile file = ParseSpeedNumbers(data);
    // The used slots, saved and read again, are the same entries in the same order.
    QList<SpeedDialEntry> kept, back;
    for (const SpeedDialEntry &e : file.entries)
        if (!e.name.isEmpty())
            kept << e;
    for (const SpeedDialEntry &e : ParseSpeedNumbers(FormatSpeedNumbers(file.entries)).entries)
        if (!e.name.isEmpty())
            back << e;
    FUZZ_CHECK(kept == back);
}

void Phone(const QByteArray &data) {
    const Input in = Split(data);
    Put(in.pick & 1 ? QStringLiteral("Phone.txt") : QStringLiteral("CallID.txt"), in.rest);
    ReadPhoneFile();
    ReadCallerIdFile();
}

// Names of files in the proposals and templates folders, one a line, then the
// text every file holds; the report lists them in the order of their numbers.
void Report(const QByteArray &data) {
    const qsizetype end = data.indexOf("\n\n");
    const QByteArray names = end < 0 ? data : data.left(end);
    const QByteArray text = end < 0 ? QByteArray() : data.mid(end + 2);
    QDir().mkpath(Folder->path() + QStringLiteral("/TamselProposals"));
    int made = 0;
    for (QByteArray name : names.split('\n')) {
        name.replace('/', '_').replace('\0', '_');
        if (made == 12 || name.isEmpty() || name == "." || name == ".." || name.size() > 200)
            continue;
        Put(QStringLiteral("TamselProposals/") + QString::fromUtf8(name), text);
        Put(QStringLiteral("Templates/Proposals/") + QString::fromUtf8(name), text);
        ++made;
    }
    // The template list comes from a folder's names too; every template it
    // offers loads (a name with a backslash is a path to the program).
    for (const QString &name : ListTemplates().files)
        FUZZ_CHECK(name.contains(QLatin1Char('\\')) || LoadTemplate(name).ok());
    ProposalReportModel model;
    const int rows = model.Fill();
    for (int r = 0; r < rows; ++r) {
        const auto &row = model.RowAt(r);
        FUZZ_CHECK(row.fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive));
        ProposalReportModel::StateText(row, QDate(2024, 6, 1));
        for (int c = 0; c < model.columnCount(); ++c)
            model.data(model.index(r, c));
        // Numbered files first, in the order of their numbers.
        if (r > 0) {
            bool prevNumeric = false, numeric = false;
            const auto &prev = model.RowAt(r - 1).fileName;
            const qint64 a = prev.left(prev.size() - 4).toLongLong(&prevNumeric);
            const qint64 b = row.fileName.left(row.fileName.size() - 4).toLongLong(&numeric);
            FUZZ_CHECK(prevNumeric || !numeric);
            FUZZ_CHECK(!(prevNumeric && numeric) || a <= b);
        }
    }
    ListProposalFiles();
}

using Target = void (*)(const QByteArray &);
// The targets, by the name their executable is built under.
const std::map<std::string, std::pair<Target, bool>> &Targets() {
    // The flag says whether the target writes files (a fresh data folder per input).
    static const std::map<std::string, std::pair<Target, bool>> table = {
        {"codec", {Codec, false}},           {"quoted_fields", {Fields, false}},
        {"settings", {Settings, true}},      {"records", {Records, false}},
        {"customer_files", {CustomerFiles, true}}, {"inventory", {Inventory, true}},
        {"payments", {Payments, true}},      {"proposal", {Proposal, true}},
        {"state", {State, false}},           {"speed_numbers", {SpeedNumbers, false}},
        {"phone", {Phone, true}},            {"report", {Report, true}},
    };
    return table;
}

const std::pair<Target, bool> *Chosen = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    const auto it = Targets().find(TamselFuzzTarget);
    if (it == Targets().end()) {
        std::fprintf(stderr, "unknown fuzz target %s\n", TamselFuzzTarget);
        std::exit(2);
    }
    Chosen = &it->second;
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    // In memory where the machine allows: the file targets write every input.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    Folder = new QTemporaryDir(base + QStringLiteral("/tamsel-fuzz-XXXXXX"));
    AppFolder = Folder->path();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (Chosen->second)
        Reset();
    Chosen->first(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
