#pragma once
// The entries of the account list: display names in sorted order, each with
// its record number as the entry's item data (Qt::UserRole).
#include "customers/CustomerSearch.h"

#include <QAbstractListModel>
#include <vector>

class AccountListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void SetEntries(std::vector<AccountEntry> entries);
    const std::vector<AccountEntry> &Entries() const { return entries_; }

    // First entry beginning with text, letter case ignored, from the top; -1 when none.
    int FindStartingWith(const QString &text) const;
    // First entry equal to text once both are trimmed and upper-cased; -1 when none.
    int FindEqual(const QString &text) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    std::vector<AccountEntry> entries_;
};
