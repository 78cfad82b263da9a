#pragma once
// Fixtures shared by the proposal tests.
#include "TestFolder.h"
#include "platform/Clock.h"

#include <QByteArray>
#include <QDir>
#include <QLocale>
#include <QtEndian>

// A data folder with the proposal folders, and today fixed at 5 December 2026.
struct ProposalsFolder : TestFolder {
    ProposalsFolder() {
        QDir().mkpath(file(QStringLiteral("TamselProposals/ProposalBody")));
        QDir().mkpath(file(QStringLiteral("TamselProposals/ProposalPayments")));
        Clock::SetToday([] { return QDate(2026, 12, 5); });
    }
};

// The locale of one test case; the tests' own locale comes back afterwards.
struct LocaleForTest {
    explicit LocaleForTest(const QString &name) { QLocale::setDefault(QLocale(name)); }
    explicit LocaleForTest(const QLocale &locale) { QLocale::setDefault(locale); }
    ~LocaleForTest() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
};

// An inventory record built by hand, byte by byte, as the other program writes it.
inline QByteArray InventoryBytes(const QByteArray &description, const QByteArray &category, qint64 price) {
    QByteArray r = description.leftJustified(50, ' ', true) + category.leftJustified(20, ' ', true);
    r.append(QByteArray(34, '\0'));
    qToLittleEndian<qint64>(price, r.data() + 70);
    qToLittleEndian<qint64>(7, r.data() + 78); // fields this program never reads
    qToLittleEndian<qint32>(-1, r.data() + 96);
    return r;
}

inline QByteArray CustomBytes(const QByteArray &description, qint64 price) {
    QByteArray r = description.leftJustified(50, ' ', true);
    r.append(QByteArray(20, '\0'));
    qToLittleEndian<qint64>(price, r.data() + 50);
    return r;
}
