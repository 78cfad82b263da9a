#pragma once
// The rows of the proposals report: one per proposal file in
// "\TamselProposals", in the order of the proposal numbers (ordinary and
// field proposals together), with the grid's columns, headings and
// alignment. A file that does not read whole is one row marked unreadable
// that shows what could be read. Filling only lists the folder; a row's
// files are read when the row is first asked for and kept until the next
// fill, so the report opens as fast with tens of thousands of proposals as
// with a few.
#include "common/Currency.h"
#include "proposals/ProposalState.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

// One column of a grid format text such as "^Select|<Name   |>  Amount":
// "^" centres, "<" aligns left, ">" right; the heading's text, spaces
// included, sets the column's width in characters.
struct GridColumn {
    QString heading; // trimmed, as shown
    int widthChars = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};
QList<GridColumn> ParseGridFormat(const QString &format);

// The selection mark of column 0: « and two spaces.
QString SelectionMark();

class ProposalReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SelectColumn, DateColumn, NumberColumn, AccountColumn, NameColumn, AmountColumn, StateColumn };

    struct Row {
        QString fileName; // "1001.txt": the three files of the row
        QString number;   // "1001" or "FP1001"
        QDate saved;
        QString account;
        QString name;
        Currency price;
        bool priceRead = false;
        bool unreadable = false; // the proposal file did not read whole
        bool selected = false;
        ProposalState state;
        ReadOutcome stateOutcome = ReadOutcome::Missing;
        bool IsFieldProposal() const { return number.startsWith(QLatin1String("FP")); }
    };

    explicit ProposalReportModel(QObject *parent = nullptr);

    // The six columns of the original grid and the state column after them.
    static const QList<GridColumn> &Columns();

    // Lists the proposal files anew; rows read before are forgotten and
    // selections cleared. Returns the number of rows.
    int Fill();
    // One row from its file, as Fill reads it.
    static Row ReadRow(const QString &fileName);
    // A row from the stored texts of its proposal file and state file.
    static Row ParseRow(const QString &fileName, const ReadBack<QString> &proposal, const ReadBack<QString> &state);

    // The row, read from its files the first time it is asked for.
    const Row &RowAt(int row) const;
    // Rows read from their files since the last fill.
    int RowsRead() const { return rowsRead_; }
    int RowOfFile(const QString &fileName) const;
    void ToggleSelection(int row);
    QStringList MarkedFiles() const;
    void SetPrice(int row, Currency price);
    void SetState(int row, const ProposalState &state);

    // The state column: open, accepted, declined; expired once an open
    // proposal's date plus its days lies before today; "unreadable" when
    // the state file does not read.
    static QString StateText(const Row &row, const QDate &today);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void EmitRowChanged(int row);
    ReadBack<QString> ReadState(const QString &fileName) const;

    QString folder_;
    QString stateFolder_;
    // Every listed file in the order of the rows, with its selection; a row's
    // files are read into rows_ when it is first asked for. The names are
    // kept as the folder listed them, one after another in names_.
    struct Entry {
        quint32 at = 0;
        quint16 length = 0;
        bool selected = false;
    };
    QString FileNameOf(const Entry &entry) const;
    QByteArray names_;
    std::vector<Entry> entries_;
    mutable std::vector<std::unique_ptr<Row>> rows_;
    mutable int rowsRead_ = 0;
    // The state folder's names by lower case, listed only when a state file
    // is not found under the proposal file's own spelling.
    mutable QHash<QString, QString> stateFiles_;
    mutable bool stateFilesListed_ = false;
    mutable int spellingsTried_ = 0; // missing state files looked for spelling by spelling

};
