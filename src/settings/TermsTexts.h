#pragma once
// The terms and the disclaimer of a proposal: the generic texts fixed in the
// program, and the custom texts the user keeps in CustomTerms.txt and
// CustomDisclaimer.txt (one quoted field each, which may span lines).
#include "common/StoredText.h"

#include <QString>
#include <QStringList>

inline const QString CustomTermsFile = QStringLiteral("/CustomTerms.txt");
inline const QString CustomDisclaimerFile = QStringLiteral("/CustomDisclaimer.txt");

// The generic texts and the pieces they are joined from, in order.
const QStringList &GenericTermsPieces();
const QStringList &GenericDisclaimerPieces();
QString GenericTerms();
QString GenericDisclaimer();

// Replaces the file with the text as one quoted field (line breaks as CR LF,
// a double quote kept whole) and drops the backup copy, which would be
// stale. When the write fails the old file and its backup stay.
bool SaveCustomText(const QString &name, const QString &text);
// The one quoted field of the file, line breaks as CR LF. A file holding
// control characters other than line ends and tabs is unreadable (damaged).
ReadBack<QString> LoadCustomText(const QString &name);

// For the writer and the printing.
bool CustomTermsExist();
ReadBack<QString> ReadCustomTerms();
ReadBack<QString> ReadCustomDisclaimer();
