#include "records/ProposalReportModel.h"

#include "common/CommonRoutines.h"
#include "common/FolderIndex.h"
#include "common/LocaleTexts.h"
#include "common/QuotedFields.h"
#include "platform/Clock.h"
#include "platform/TextCodec.h"
#include "proposals/ProposalFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {

// The six columns as the report always had them, and the state.
const QString ReportFormat = QStringLiteral("^Select|^Creation Date|^Proposal No  |^Account No      |"
                                            "<Name                                            |>     Amount|"
                                            "^State       ");

constexpr int OrdinaryTexts = 15; // lines 2 to 16
constexpr int FieldTexts = 8;     // lines 2 to 9

// The number in a file name, for the order of the rows; names that are not
// numbers come after all numbers.
struct SortKey {
    bool numeric = false;
    qint64 number = 0;
    quint32 entry = 0; // where the name is in the listing
};

bool EndsWithTxt(const char *name, size_t length) {
    return length >= 4 && name[length - 4] == '.' && (name[length - 3] | 0x20) == 't' &&
           (name[length - 2] | 0x20) == 'x' && (name[length - 1] | 0x20) == 't';
}

// A name of plain digits is read here; anything else ("+12", " 7") is read
// as QString::toLongLong reads it, which a listing of thousands of numbered
// files would wait for.
SortKey KeyOf(const char *name, size_t length, quint32 entry) {
    SortKey key;
    key.entry = entry;
    const size_t digits = length - 4; // without ".txt"
    bool plain = digits > 0 && digits <= 18;
    for (size_t i = 0; plain && i < digits; ++i) {
        plain = name[i] >= '0' && name[i] <= '9';
        key.number = key.number * 10 + (name[i] - '0');
    }
    if (plain) {
        key.numeric = true;
        return key;
    }
    const QString text = QFile::decodeName(QByteArray::fromRawData(name, qsizetype(length)));
    key.number = QStringView(text).left(text.size() - 4).toLongLong(&key.numeric);
    return key;
}

QString InFolder(const QString &folder, const QString &fileName) { return folder + QLatin1Char('\\') + fileName; }

ReadBack<QString> ReadDirect(const QString &path) {
    ReadBack<QString> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.outcome = file.exists() ? ReadOutcome::Unreadable : ReadOutcome::Missing;
        return result;
    }
    result.outcome = ReadOutcome::Read;
    result.value = TextCodec::Decode(file.readAll());
    return result;
}

// Each file in a folder (hidden ones too, and links to files) that `wanted`
// accepts by name, handed to `take` as the folder spells it. As QDir::Files
// lists them, but without looking at each entry again: the folder's own
// listing says which are files, and only entries it leaves in doubt are
// looked at. Several times quicker with tens of thousands of files.
template <typename Wanted, typename Take> void ForEachFileIn(const QString &folder, Wanted wanted, Take take) {
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = folder.isEmpty() ? nullptr : ::opendir(path.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const size_t length = strlen(entry->d_name);
        if (!wanted(entry->d_name, length))
            continue;
        bool file = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            file = ::stat((path + '/' + entry->d_name).constData(), &info) == 0 && S_ISREG(info.st_mode);
        }
        if (file)
            take(entry->d_name, length);
    }
    ::closedir(dir);
}

QStringList FileNamesIn(const QString &folder) {
    QStringList names;
    ForEachFileIn(
        folder, [](const char *, size_t) { return true; },
        [&names](const char *name, size_t) { names << QFile::decodeName(name); });
    return names;
}

} // namespace

QList<GridColumn> ParseGridFormat(const QString &format) {
    QList<GridColumn> columns;
    for (const QString &piece : format.split(QLatin1Char('|'))) {
        GridColumn column;
        QString text = piece;
        if (text.startsWith(QLatin1Char('^')))
            column.alignment = Qt::AlignHCenter;
        else if (text.startsWith(QLatin1Char('>')))
            column.alignment = Qt::AlignRight;
        if (text.startsWith(QLatin1Char('^')) || text.startsWith(QLatin1Char('<')) || text.startsWith(QLatin1Char('>')))
            text.remove(0, 1);
        column.widthChars = int(text.size());
        column.heading = text.trimmed();
        columns << column;
    }
    return columns;
}

QString SelectionMark() { return QString(QChar(0xAB)) + QStringLiteral("  "); }

ProposalReportModel::ProposalReportModel(QObject *parent) : QAbstractTableModel(parent) {}

const QList<GridColumn> &ProposalReportModel::Columns() {
    static const QList<GridColumn> columns = ParseGridFormat(ReportFormat);
    return columns;
}

ProposalReportModel::Row ProposalReportModel::ReadRow(const QString &fileName) {
    return ParseRow(fileName, ReadStoredText(InFolder(ProposalFolder, fileName)),
                    ReadStoredText(InFolder(ProposalStateFolder, fileName)));
}

ProposalReportModel::Row ProposalReportModel::ParseRow(const QString &fileName, const ReadBack<QString> &stored,
                                                       const ReadBack<QString> &state) {
    Row row;
    row.fileName = fileName;
    // Each field is kept as soon as it reads; the first that does not ends
    // the reading and marks the row.
    const auto read = [&] {
        if (!stored.ok())
            return false;
        FieldReader reader(stored.value);
        if (!reader.ReadText(row.number))
            return false;
        Currency price;
        if (!reader.ReadMoney(price))
            return false;
        row.price = price;
        row.priceRead = true;
        QDate saved;
        if (!reader.ReadDate(saved))
            return false;
        row.saved = saved;
        if (!reader.ReadText(row.account) || !reader.ReadText(row.name))
            return false;
        // The rest is not shown but must be there: a short file is damaged.
        const int remaining = (row.IsFieldProposal() ? FieldTexts : OrdinaryTexts) - 2;
        QString skipped;
        for (int i = 0; i < remaining; ++i)
            if (!reader.ReadText(skipped))
                return false;
        return true;
    };
    row.unreadable = !read();
    row.stateOutcome = state.outcome;
    if (state.ok() && !ParseProposalState(state.value, row.state)) {
        row.stateOutcome = ReadOutcome::Unreadable;
        row.state = ProposalState();
    }
    return row;
}

QString ProposalReportModel::FileNameOf(const Entry &entry) const {
    return QFile::decodeName(QByteArray::fromRawData(names_.constData() + entry.at, entry.length));
}

int ProposalReportModel::Fill() {
    // Listed here rather than sorted by name first: the numbers give the
    // order. The names stay as the folder gives them, in one buffer, and are
    // made texts only for the rows shown.
    const QString folder = DataPath(ProposalFolder);
    QByteArray names;
    std::vector<Entry> listed;
    std::vector<SortKey> keys;
    ForEachFileIn(folder, EndsWithTxt, [&](const char *name, size_t length) {
        keys.push_back(KeyOf(name, length, quint32(listed.size())));
        listed.push_back({quint32(names.size()), quint16(length), false});
        names.append(name, qsizetype(length));
    });
    // Equal numbers ("12.txt", "012.txt") and names that are no numbers go by
    // name, letter case aside.
    const auto nameOf = [&](const SortKey &key) {
        const Entry &entry = listed[key.entry];
        return QFile::decodeName(QByteArray::fromRawData(names.constData() + entry.at, entry.length)).toLower();
    };
    std::stable_sort(keys.begin(), keys.end(), [&nameOf](const SortKey &a, const SortKey &b) {
        if (a.numeric != b.numeric)
            return a.numeric;
        if (a.numeric && a.number != b.number)
            return a.number < b.number;
        return nameOf(a) < nameOf(b);
    });

    beginResetModel();
    folder_ = folder;
    stateFolder_ = DataPath(ProposalStateFolder);
    stateFiles_.clear();
    stateFilesListed_ = false;
    spellingsTried_ = 0;
    names_ = std::move(names);
    entries_.clear();
    entries_.reserve(keys.size());
    for (const SortKey &key : keys)
        entries_.push_back(listed[key.entry]);
    rows_.clear();
    rows_.resize(entries_.size());
    rowsRead_ = 0;
    endResetModel();
    return int(entries_.size());
}

// The files are read straight from the folders as listed: looking the name
// up through DataPath (and, for the many proposals without a state file, in
// the backup) would search the folders for every row shown.
ReadBack<QString> ProposalReportModel::ReadState(const QString &fileName) const {
    if (stateFolder_.isEmpty())
        return {};
    const QString path = stateFolder_ + QLatin1Char('/') + fileName;
    // A folder of that name is no state file, as the listing below sees it.
    if (auto exact = ReadDirect(path); exact.ok() || (exact.outcome == ReadOutcome::Unreadable && QFileInfo(path).isFile()))
        return exact;
    // A state file spelt in other letter case still belongs to the proposal.
    // A numbered proposal's name has few letters, so few spellings, each
    // looked for on its own while the rows read are a few screens' worth;
    // past that, or for any other name, the folder's listing, made once per
    // fill, costs less.
    if (!stateFilesListed_ && ++spellingsTried_ <= 256)
        if (const auto spelling = FolderIndex::OtherSpelling(stateFolder_, fileName, true))
            return spelling->isEmpty() ? ReadBack<QString>() : ReadDirect(stateFolder_ + QLatin1Char('/') + *spelling);
    if (!stateFilesListed_) {
        stateFilesListed_ = true;
        for (const QString &name : FileNamesIn(stateFolder_))
            stateFiles_.insert(name.toLower(), name);
    }
    if (const auto it = stateFiles_.constFind(fileName.toLower()); it != stateFiles_.constEnd())
        return ReadDirect(stateFolder_ + QLatin1Char('/') + *it);
    return {};
}

const ProposalReportModel::Row &ProposalReportModel::RowAt(int row) const {
    const Entry &entry = entries_.at(size_t(row));
    std::unique_ptr<Row> &cached = rows_[size_t(row)];
    if (!cached) {
        const QString fileName = FileNameOf(entry);
        cached = std::make_unique<Row>(
            ParseRow(fileName, ReadDirect(folder_ + QLatin1Char('/') + fileName), ReadState(fileName)));
        ++rowsRead_;
    }
    cached->selected = entry.selected;
    return *cached;
}

int ProposalReportModel::RowOfFile(const QString &fileName) const {
    for (size_t r = 0; r < entries_.size(); ++r)
        if (FileNameOf(entries_[r]).compare(fileName, Qt::CaseInsensitive) == 0)
            return int(r);
    return -1;
}

void ProposalReportModel::ToggleSelection(int row) {
    if (row < 0 || row >= rowCount())
        return;
    entries_[size_t(row)].selected = !entries_[size_t(row)].selected;
    EmitRowChanged(row);
}

QStringList ProposalReportModel::MarkedFiles() const {
    QStringList names;
    for (const Entry &entry : entries_)
        if (entry.selected)
            names << FileNameOf(entry);
    return names;
}

void ProposalReportModel::SetPrice(int row, Currency price) {
    if (row < 0 || row >= rowCount())
        return;
    RowAt(row);
    rows_[size_t(row)]->price = price;
    rows_[size_t(row)]->priceRead = true;
    EmitRowChanged(row);
}

void ProposalReportModel::SetState(int row, const ProposalState &state) {
    if (row < 0 || row >= rowCount())
        return;
    RowAt(row);
    rows_[size_t(row)]->state = state;
    rows_[size_t(row)]->stateOutcome = ReadOutcome::Read;
    EmitRowChanged(row);
}

QString ProposalReportModel::StateText(const Row &row, const QDate &today) {
    if (row.stateOutcome == ReadOutcome::Unreadable)
        return QStringLiteral("unreadable");
    if (row.state.status == ProposalStatus::Open) {
        const QDate last = LastValidDay(row.saved, row.state.days);
        if (last.isValid() && today > last)
            return QStringLiteral("expired");
    }
    return StatusText(row.state.status);
}

void ProposalReportModel::EmitRowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int ProposalReportModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

int ProposalReportModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(Columns().size());
}

QVariant ProposalReportModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= Columns().size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Columns()[index.column()].alignment | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const Row &row = RowAt(index.row());
    if (role == Qt::ToolTipRole && row.unreadable)
        return QStringLiteral("The file %1 is damaged; the row shows what could be read.").arg(row.fileName);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case SelectColumn:
        return row.selected ? SelectionMark() : QString();
    case DateColumn:
        return row.saved.isValid() ? ShortDateText(row.saved) : QString();
    case NumberColumn:
        return row.number;
    case AccountColumn:
        return row.account;
    case NameColumn:
        return row.name;
    case AmountColumn:
        return row.priceRead ? CurrencyText(row.price) : QString();
    case StateColumn:
        return row.unreadable ? QStringLiteral("unreadable file") : StateText(row, Clock::Today());
    }
    return {};
}

QVariant ProposalReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns().size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return Columns()[section].heading;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Columns()[section].alignment | Qt::AlignVCenter);
    return {};
}
