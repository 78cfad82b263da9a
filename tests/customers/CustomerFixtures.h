#pragma once
// Customer files written byte for byte for the tests, through the record layouts.
#include "TestFolder.h"
#include "customers/CustomerRecords.h"

#include <QByteArray>
#include <QString>

inline CustomerRecord Customer(const QString &type, const QString &acct, const QString &city) {
    CustomerRecord rec;
    rec.AcctNo = acct;
    rec.City = city;
    rec.CityCopy = city; // as every save writes it
    rec.AcctType = type;
    return rec;
}

inline CustomerRecord Individual(const QString &acct, const QString &first, const QString &last,
                                 const QString &city = {}) {
    CustomerRecord rec = Customer(QStringLiteral("Individual"), acct, city);
    rec.FirstName = first;
    rec.LastName = last;
    return rec;
}

inline CustomerRecord Business(const QString &acct, const QString &name, const QString &city = {}) {
    CustomerRecord rec = Customer(QStringLiteral("Business"), acct, city);
    rec.AcctName = name;
    return rec;
}

inline QByteArray CustomerBytes(const QList<CustomerRecord> &records) {
    QByteArray bytes;
    for (const CustomerRecord &rec : records)
        bytes += CustomerLayout().Write(rec);
    return bytes;
}

// The three record files with one record per customer; companions numbered
// by their first text field so their order can be checked.
inline void WriteCustomers(const TestFolder &folder, const QList<CustomerRecord> &records) {
    folder.write(QStringLiteral("CustomerData.txt"), CustomerBytes(records));
    QByteArray contracts, cycles;
    for (int i = 0; i < records.size(); ++i) {
        ContractRecord contract;
        contract.Field1 = QStringLiteral("contract %1").arg(i + 1);
        contracts += ContractLayout().Write(contract);
        CycleRecord cycle;
        cycle.Field1 = QStringLiteral("cycle %1").arg(i + 1);
        cycles += CycleLayout().Write(cycle);
    }
    folder.write(QStringLiteral("ContractInfo.txt"), contracts);
    folder.write(QStringLiteral("CycleInfo.txt"), cycles);
}

inline CustomerRecord StoredCustomer(const TestFolder &folder, int recNo) {
    return CustomerLayout().Read(
        folder.read(QStringLiteral("CustomerData.txt")).mid((recNo - 1) * CustomerRecordLength, CustomerRecordLength));
}
