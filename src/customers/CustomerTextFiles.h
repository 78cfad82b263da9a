#pragma once
// The customers' plain-text files: the six auxiliary headings shared by all
// accounts, each account's six auxiliary data boxes and the list of states.
#include <QString>
#include <QStringList>
#include <array>

inline constexpr int AuxBoxes = 6;
using AuxTexts = std::array<QString, AuxBoxes>;

// Up to six lines of AuxHeadings.txt; empty when the file is missing.
QStringList LoadAuxHeadings();
// Replaces AuxHeadings.txt (and drops its backup copy). False when it could not be written.
bool SaveAuxHeadings(const AuxTexts &headings);

// "/AuxFiles/<account>/AuxFile<k>/Data.txt", or empty when the account number
// cannot be a folder name.
QString AuxDataFileName(const QString &accountNo, int box);
// The six boxes of an account; a missing file is an empty box. Lines are
// joined with "\n", and the line end every file ends with is not part of the box.
AuxTexts LoadAuxData(const QString &accountNo);
// Writes each box followed by CR LF, making the account's folders first when
// they are missing. False when the account number cannot be a folder name or a
// file could not be written.
bool SaveAuxData(const QString &accountNo, const AuxTexts &boxes);

// Up to 50 state codes from StatesList.txt, in file order.
QStringList LoadStatesList();
