#pragma once
// Proposal files and an inventory file at the formats' largest sizes, as the
// benchmarks make them in a temporary folder.
#include "proposals/InventoryFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtEndian>

// The most proposals and inventory items the 16-bit numbers allow.
inline constexpr int MaxProposals = 32767;
inline constexpr int MaxItems = 32767;

inline bool WriteBenchFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every fifth proposal a field proposal, the rest ordinary ones.
inline QByteArray ProposalBytes(int n) {
    if (n % 5 == 0)
        return "\"FP" + QByteArray::number(n) + "\",0,#2026-12-05#\r\n\"A-" + QByteArray::number(n) +
               "\"\r\n\"Harbor Lane Roofing\"\r\n\"5 Elm St\"\r\n\"\"\r\n\"Salem\"\r\n\"OR\"\r\n\"97301\"\r\n"
               "\"(503) 555-0199\"\r\n";
    QByteArray bytes = "\"" + QByteArray::number(n) + "\",1250.5,#2026-11-02#\r\n\"(217) 555-0100 \"\r\n";
    for (int i = 0; i < 14; ++i)
        bytes += "\"Line " + QByteArray::number(i) + " of proposal " + QByteArray::number(n) + "\"\r\n";
    return bytes;
}

// count proposal files in dataFolder/TamselProposals, a state file beside
// every other one, a body and payments file beside every ordinary one.
inline bool MakeProposalFiles(const QString &dataFolder, int count) {
    const QString folder = dataFolder + QStringLiteral("/TamselProposals");
    for (const char *sub : {"/ProposalBody", "/ProposalPayments", "/ProposalState"})
        QDir().mkpath(folder + QLatin1String(sub));
    for (int n = 1; n <= count; ++n) {
        const QString name = QStringLiteral("/%1.txt").arg(n);
        if (!WriteBenchFile(folder + name, ProposalBytes(n)))
            return false;
        if (n % 2 == 0 &&
            !WriteBenchFile(folder + QStringLiteral("/ProposalState") + name, "\"30\",\"open\",1,#TRUE#,8,#TRUE#\r\n"))
            return false;
        if (n % 5 != 0 &&
            (!WriteBenchFile(folder + QStringLiteral("/ProposalBody") + name, "Replace the roof.\r\n") ||
             !WriteBenchFile(folder + QStringLiteral("/ProposalPayments") + name, "$1,250.50\r\n0\r\n")))
            return false;
    }
    return true;
}

// Descriptions in no order, so sorting has work to do.
inline QByteArray InventoryFileBytes(int count) {
    QByteArray bytes;
    bytes.reserve(qint64(count) * InventoryItemLength);
    for (int i = 0; i < count; ++i) {
        const int key = int((quint64(i) * 7919) % quint64(count));
        QByteArray r = ("Item " + QByteArray::number(key) + " roofing material").leftJustified(50) +
                       ("Category " + QByteArray::number(i % 40)).leftJustified(20);
        r.append(QByteArray(34, '\0'));
        qToLittleEndian<qint64>(qint64(key) * 2500, r.data() + 70);
        bytes += r;
    }
    return bytes;
}
