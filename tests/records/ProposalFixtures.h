#pragma once
// Recorded proposals written byte for byte for the report's tests.
#include "TestFolder.h"
#include "app/frmStartup.h"
#include "common/ScreenRegistry.h"
#include "platform/Clock.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTest>

inline void ShowActive(TamselForm *screen) {
    ScreenRegistry::Show(screen);
    QVERIFY(QTest::qWaitForWindowActive(screen));
}

inline bool MainMenuShown() {
    auto *menu = ScreenRegistry::Existing<frmStartup>();
    return menu && menu->isVisible();
}

// The proposal folders, and today fixed at 5 December 2026.
inline void MakeProposalFolders(const TestFolder &folder) {
    QDir().mkpath(folder.file(QStringLiteral("TamselProposals/ProposalBody")));
    QDir().mkpath(folder.file(QStringLiteral("TamselProposals/ProposalPayments")));
    Clock::SetToday([] { return QDate(2026, 12, 5); });
}

// An ordinary proposal file: 16 quoted lines.
inline QByteArray OrdinaryProposal(int number, const QByteArray &price, const QByteArray &date,
                                   const QByteArray &name) {
    QByteArray bytes = "\"" + QByteArray::number(number) + "\"," + price + ",#" + date + "#\r\n";
    bytes += "\"(217) 555-0100 \"\r\n\"" + name + "\"\r\n\"12 Oak St\"\r\n\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n"
             "\"62701\"\r\n\"(217) 555-0100\"\r\n\"Smith Barn\"\r\n\"400 Farm Rd\"\r\n\"\"\r\n\"Chatham\"\r\n"
             "\"IL\"\r\n\"62629\"\r\n\"\"\r\n";
    return bytes;
}

// A field proposal file: 9 quoted lines.
inline QByteArray FieldProposal(int number, const QByteArray &price, const QByteArray &date,
                                const QByteArray &account, const QByteArray &name) {
    return "\"FP" + QByteArray::number(number) + "\"," + price + ",#" + date + "#\r\n\"" + account + "\"\r\n\"" +
           name + "\"\r\n\"5 Elm St\"\r\n\"\"\r\n\"Salem\"\r\n\"OR\"\r\n\"97301\"\r\n\"503-555-0199\"\r\n";
}

inline QString ProposalPath(int number) { return QStringLiteral("TamselProposals/%1.txt").arg(number); }
inline QString BodyPath(int number) { return QStringLiteral("TamselProposals/ProposalBody/%1.txt").arg(number); }
inline QString PaymentsPath(int number) {
    return QStringLiteral("TamselProposals/ProposalPayments/%1.txt").arg(number);
}
inline QString StatePath(int number) { return QStringLiteral("TamselProposals/ProposalState/%1.txt").arg(number); }
