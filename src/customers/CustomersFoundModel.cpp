#include "customers/CustomersFoundModel.h"

QString CustomersFoundModel::HeaderText(int column) {
    switch (column) {
    case NameColumn: return QStringLiteral("Customer") + QString(26, QLatin1Char(' '));
    case PhoneColumn: return QStringLiteral("Phone") + QString(11, QLatin1Char(' '));
    case StreetColumn: return QStringLiteral("Street") + QString(14, QLatin1Char(' '));
    case CityColumn: return QStringLiteral("City") + QString(16, QLatin1Char(' '));
    case RecColumn: return QStringLiteral("Rec");
    default: return {};
    }
}

void CustomersFoundModel::SetRows(std::vector<FoundCustomer> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

qint32 CustomersFoundModel::RecNoAt(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].recNo : 0;
}

int CustomersFoundModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CustomersFoundModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant CustomersFoundModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const FoundCustomer &row = rows_[index.row()];
    if (role == Qt::TextAlignmentRole) {
        const bool centred = index.column() == PhoneColumn || index.column() == RecColumn;
        return QVariant::fromValue(Qt::Alignment(centred ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter)));
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NameColumn: return row.name;
    case PhoneColumn: return row.phone;
    case StreetColumn: return row.street;
    case CityColumn: return row.city;
    case RecColumn: return QString::number(row.recNo);
    default: return {};
    }
}

QVariant CustomersFoundModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return HeaderText(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(section == PhoneColumn || section == RecColumn
                                                     ? Qt::AlignCenter
                                                     : (Qt::AlignLeft | Qt::AlignVCenter)));
    return {};
}
