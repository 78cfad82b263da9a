#include "customers/AccountListModel.h"

void AccountListModel::SetEntries(std::vector<AccountEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int AccountListModel::FindStartingWith(const QString &text) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name.startsWith(text, Qt::CaseInsensitive))
            return static_cast<int>(i);
    return -1;
}

int AccountListModel::FindEqual(const QString &text) const {
    const QString wanted = text.trimmed().toUpper();
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name.trimmed().toUpper() == wanted)
            return static_cast<int>(i);
    return -1;
}

int AccountListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant AccountListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(entries_.size()))
        return {};
    const AccountEntry &entry = entries_[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return entry.name;
    if (role == Qt::UserRole)
        return entry.recNo;
    return {};
}
