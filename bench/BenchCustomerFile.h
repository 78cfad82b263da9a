#pragma once
// A customer file of the given size with varied, realistic records (business
// and individual accounts, names, towns, telephones), as the benchmarks use it.
#include "customers/CustomerRecords.h"

#include <QByteArray>
#include <QString>

namespace {

const char *LastNames[] = {"Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller", "Davis",
                           "Rodriguez", "Martinez", "Hernandez", "Lopez", "Gonzalez", "Wilson", "Anderson",
                           "Thomas", "Taylor", "Moore", "Jackson", "Martin"};
const char *Trades[] = {"Plumbing", "Roofing", "Electric", "Builders", "Landscaping", "Painting", "Heating"};

QByteArray CustomerFile(int count) {
    QByteArray bytes;
    bytes.reserve(qint64(count) * CustomerRecordLength);
    for (int i = 1; i <= count; ++i) {
        CustomerRecord rec;
        rec.AcctNo = QString::number(100000 + i);
        rec.Address1 = QStringLiteral("%1 Main Street").arg(i % 9000 + 1);
        rec.City = QStringLiteral("Town %1").arg(i % 700);
        rec.CityCopy = rec.City;
        rec.State = QStringLiteral("IL");
        rec.PostalCode = QString::number(60000 + i % 3000);
        rec.Address4 = rec.PostalCode;
        rec.Phone = QStringLiteral("217-555-%1").arg(i % 10000, 4, 10, QLatin1Char('0'));
        const QString last = QString::fromLatin1(LastNames[i % 20]) + QString::number(i % 97);
        if (i % 3 == 0) {
            rec.AcctType = QStringLiteral("Business");
            rec.AcctName = last + QLatin1Char(' ') + QString::fromLatin1(Trades[i % 7]);
        } else {
            rec.AcctType = QStringLiteral("Individual");
            rec.Title = QStringLiteral("Mr.");
            rec.FirstName = QStringLiteral("Pat%1").arg(i % 50);
            rec.LastName = last;
        }
        bytes += CustomerLayout().Write(rec);
    }
    return bytes;
}

} // namespace
