#pragma once
// The rows of the search-result grid: one per matching customer, in file
// order, under the five column headings whose blanks set the column widths.
#include "customers/CustomerSearch.h"

#include <QAbstractTableModel>
#include <vector>

class CustomersFoundModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, PhoneColumn, StreetColumn, CityColumn, RecColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    static QString HeaderText(int column);

    void SetRows(std::vector<FoundCustomer> rows);
    void Clear() { SetRows({}); }
    const std::vector<FoundCustomer> &Rows() const { return rows_; }
    // The record number shown in a row, or 0 for no row.
    qint32 RecNoAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<FoundCustomer> rows_;
};
