#include "records/ProposalReportModel.h"

#include "common/CommonRoutines.h"
#include "common/LocaleTexts.h"
#include "common/QuotedFields.h"
#include "platform/Clock.h"
#include "platform/TextCodec.h"
#include "proposals/ProposalFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <algorithm>

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
    QString name;
};

SortKey KeyOf(const QString &fileName) {
    SortKey key;
    key.name = fileName.toLower();
    const QString base = fileName.left(fileName.size() - 4); // without ".txt"
    key.number = base.toLongLong(&key.numeric);
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

bool Before(const SortKey &a, const SortKey &b) {
    if (a.numeric != b.numeric)
        return a.numeric;
    if (a.numeric && a.number != b.number)
        return a.number < b.number;
    return a.name < b.name;
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

int ProposalReportModel::Fill(const Progress &progress) {
    // Listed here rather than sorted by name first: the numbers give the order.
    const QString folder = DataPath(ProposalFolder);
    QList<std::pair<SortKey, QString>> keyed;
    if (!folder.isEmpty())
        for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted))
            if (name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
                keyed.append({KeyOf(name), name});
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return Before(a.first, b.first); });

    // The files are read straight from the folders as listed: looking each
    // name up again (and, for the many proposals without a state file, in
    // the backup) would search the folders once per proposal.
    const QString stateFolder = DataPath(ProposalStateFolder);
    QHash<QString, QString> stateFiles; // lower case -> as stored
    if (!stateFolder.isEmpty())
        for (const QString &name : QDir(stateFolder).entryList(QDir::Files | QDir::Hidden))
            stateFiles.insert(name.toLower(), name);

    QList<Row> rows;
    rows.reserve(keyed.size());
    const int total = int(keyed.size());
    QElapsedTimer sinceReport;
    sinceReport.start();
    for (const auto &[key, name] : keyed) {
        ReadBack<QString> state;
        if (const auto it = stateFiles.constFind(name.toLower()); it != stateFiles.constEnd())
            state = ReadDirect(stateFolder + QLatin1Char('/') + *it);
        rows << ParseRow(name, ReadDirect(folder + QLatin1Char('/') + name), state);
        if (progress && sinceReport.elapsed() >= 50) {
            progress(int(rows.size()), total);
            sinceReport.restart();
        }
    }
    if (progress)
        progress(total, total);
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    return int(rows_.size());
}

int ProposalReportModel::RowOfFile(const QString &fileName) const {
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_[r].fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return r;
    return -1;
}

void ProposalReportModel::ToggleSelection(int row) {
    if (row < 0 || row >= rows_.size())
        return;
    rows_[row].selected = !rows_[row].selected;
    EmitRowChanged(row);
}

QStringList ProposalReportModel::MarkedFiles() const {
    QStringList names;
    for (const Row &row : rows_)
        if (row.selected)
            names << row.fileName;
    return names;
}

void ProposalReportModel::SetPrice(int row, Currency price) {
    if (row < 0 || row >= rows_.size())
        return;
    rows_[row].price = price;
    rows_[row].priceRead = true;
    EmitRowChanged(row);
}

void ProposalReportModel::SetState(int row, const ProposalState &state) {
    if (row < 0 || row >= rows_.size())
        return;
    rows_[row].state = state;
    rows_[row].stateOutcome = ReadOutcome::Read;
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
    return parent.isValid() ? 0 : int(rows_.size());
}

int ProposalReportModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(Columns().size());
}

QVariant ProposalReportModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size() || index.column() >= Columns().size())
        return {};
    const Row &row = rows_[index.row()];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Columns()[index.column()].alignment | Qt::AlignVCenter);
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
