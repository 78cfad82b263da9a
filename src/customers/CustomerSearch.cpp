#include "customers/CustomerSearch.h"

#include <QSet>
#include <algorithm>

QString CustomerRecord::*SearchField(int mode) {
    using R = CustomerRecord;
    static QString R::*const fields[] = {&R::AcctName, &R::Address1, &R::Address2, &R::City,    &R::State,
                                         &R::Address4, &R::Phone,    &R::LastName, &R::AcctNo};
    return mode >= 0 && mode <= 8 ? fields[mode] : nullptr;
}

namespace {
QString Field(const QByteArray &record, QString CustomerRecord::*member) {
    return CustomerLayout().ReadText(record, member);
}

// Only the fields that name the customer, for the lists and the grid.
CustomerRecord NameFields(const QByteArray &record) {
    using R = CustomerRecord;
    R names;
    names.AcctType = Field(record, &R::AcctType);
    if (IsBusiness(names)) {
        names.AcctName = Field(record, &R::AcctName);
    } else {
        names.Title = Field(record, &R::Title);
        names.FirstName = Field(record, &R::FirstName);
        names.MiddleInitial = Field(record, &R::MiddleInitial);
        names.LastName = Field(record, &R::LastName);
    }
    return names;
}
} // namespace

FoundCustomer FoundRow(const QByteArray &record, qint32 recNo) {
    using R = CustomerRecord;
    return {GridName(NameFields(record)), Field(record, &R::Phone).trimmed(), Field(record, &R::Address1).trimmed(),
            Field(record, &R::City).trimmed(), recNo};
}

std::vector<FoundCustomer> SearchCustomers(int mode, const QString &key, qint32 count) {
    std::vector<FoundCustomer> found;
    QString CustomerRecord::*field = SearchField(mode);
    if (mode != CustomerListMode && !field)
        return found;
    ScanCustomerRecords(count, [&](qint32 recNo, const QByteArray &record) {
        if (mode == CustomerListMode || Field(record, field).trimmed().toUpper().contains(key))
            found.push_back(FoundRow(record, recNo));
    });
    return found;
}

bool ListBoxLess(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

qsizetype ListBoxInsertPosition(const QStringList &list, const QString &text) {
    return std::upper_bound(list.begin(), list.end(), text, ListBoxLess) - list.begin();
}

AccountLists BuildAccountLists(qint32 count) {
    using R = CustomerRecord;
    AccountLists lists;
    QSet<QString> cities;
    ScanCustomerRecords(count, [&](qint32 recNo, const QByteArray &record) {
        const QString city = Field(record, &R::City).trimmed();
        if (!city.isEmpty() && !cities.contains(city)) {
            cities.insert(city);
            lists.cities << city;
        }
        lists.accounts.push_back({DisplayName(NameFields(record)), recNo});
    });
    std::stable_sort(lists.accounts.begin(), lists.accounts.end(),
                     [](const AccountEntry &a, const AccountEntry &b) { return ListBoxLess(a.name, b.name); });
    std::stable_sort(lists.cities.begin(), lists.cities.end(), ListBoxLess);
    return lists;
}
