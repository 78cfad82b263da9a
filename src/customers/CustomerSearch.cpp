#include "customers/CustomerSearch.h"

#include <QSet>
#include <algorithm>

QString SearchText(const CustomerRecord &rec, int mode) {
    const QString *field = nullptr;
    switch (mode) {
    case 0: field = &rec.AcctName; break;
    case 1: field = &rec.Address1; break;
    case 2: field = &rec.Address2; break;
    case 3: field = &rec.City; break;
    case 4: field = &rec.State; break;
    case 5: field = &rec.Address4; break;
    case 6: field = &rec.Phone; break;
    case 7: field = &rec.LastName; break;
    case 8: field = &rec.AcctNo; break;
    default: return {};
    }
    return field->trimmed().toUpper();
}

bool MatchesSearch(const CustomerRecord &rec, int mode, const QString &key) {
    if (mode == CustomerListMode)
        return true;
    return SearchText(rec, mode).contains(key);
}

FoundCustomer FoundRow(const CustomerRecord &rec, qint32 recNo) {
    return {GridName(rec), rec.Phone.trimmed(), rec.Address1.trimmed(), rec.City.trimmed(), recNo};
}

std::vector<FoundCustomer> SearchCustomers(int mode, const QString &key, qint32 count) {
    std::vector<FoundCustomer> found;
    ScanCustomers(count, [&](qint32 recNo, const CustomerRecord &rec) {
        if (MatchesSearch(rec, mode, key))
            found.push_back(FoundRow(rec, recNo));
    });
    return found;
}

bool ListBoxLess(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

qsizetype ListBoxInsertPosition(const QStringList &list, const QString &text) {
    return std::upper_bound(list.begin(), list.end(), text, ListBoxLess) - list.begin();
}

AccountLists BuildAccountLists(qint32 count) {
    AccountLists lists;
    QSet<QString> cities;
    ScanCustomers(count, [&](qint32 recNo, const CustomerRecord &rec) {
        const QString city = rec.City.trimmed();
        if (!city.isEmpty() && !cities.contains(city)) {
            cities.insert(city);
            lists.cities << city;
        }
        lists.accounts.push_back({DisplayName(rec), recNo});
    });
    std::stable_sort(lists.accounts.begin(), lists.accounts.end(),
                     [](const AccountEntry &a, const AccountEntry &b) { return ListBoxLess(a.name, b.name); });
    std::stable_sort(lists.cities.begin(), lists.cities.end(), ListBoxLess);
    return lists;
}
