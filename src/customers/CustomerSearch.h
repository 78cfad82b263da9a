#pragma once
// Finding customers in the customer file: the criteria search, the full
// customer list and the sorted account and city lists.
#include "customers/CustomerRecords.h"

#include <QString>
#include <QStringList>
#include <vector>

// Search modes 0 to 8 look in one field; mode 10 lists every customer.
inline constexpr int CustomerListMode = 10;

struct FoundCustomer {
    QString name; // as the result grid names the customer
    QString phone;
    QString street;
    QString city;
    qint32 recNo = 0;
};

// The field a search mode looks in (0 to 8), or null.
QString CustomerRecord::*SearchField(int mode);
// A grid row of a stored record, decoding only the fields it shows.
FoundCustomer FoundRow(const QByteArray &record, qint32 recNo);
// Every match among records 1 to count, in file order: the mode's field,
// trimmed and upper-cased, holds key (already trimmed and upper-cased; an
// empty key matches everything). Mode 10 matches every record.
std::vector<FoundCustomer> SearchCustomers(int mode, const QString &key, qint32 count);

struct AccountEntry {
    QString name; // the display name
    qint32 recNo = 0;
};
struct AccountLists {
    std::vector<AccountEntry> accounts; // sorted by name, letter case ignored
    QStringList cities;                 // distinct non-blank cities, sorted the same way
};
// The lists of records 1 to count (never beyond the whole records of the file).
AccountLists BuildAccountLists(qint32 count);

// The order of a sorted list box: letter case ignored, ties in insertion order.
bool ListBoxLess(const QString &a, const QString &b);
// Where a text goes in a list kept in that order.
qsizetype ListBoxInsertPosition(const QStringList &list, const QString &text);
