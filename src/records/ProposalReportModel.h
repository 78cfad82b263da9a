#pragma once
// The rows of the proposals report: one per proposal file in
// "\TamselProposals", in the order of the proposal numbers (ordinary and
// field proposals together), with the grid's columns, headings and
// alignment. A file that does not read whole is one row marked unreadable
// that shows what could be read.
#include "common/Currency.h"
#include "proposals/ProposalState.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <QString>
#include <functional>

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

    // Reads every proposal file anew; selections are cleared. The progress
    // function, when given, hears (files read, files in all) now and then.
    // Returns the number of rows.
    using Progress = std::function<void(int done, int total)>;
    int Fill(const Progress &progress = {});
    // One row from its file, as Fill reads it.
    static Row ReadRow(const QString &fileName);
    // A row from the stored texts of its proposal file and state file.
    static Row ParseRow(const QString &fileName, const ReadBack<QString> &proposal, const ReadBack<QString> &state);

    const Row &RowAt(int row) const { return rows_.at(row); }
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
    QList<Row> rows_;
};
