#pragma once
// Each customer account has a folder of its own in \AuxFiles, named by its
// account number, holding AuxFile0 to AuxFile5.
#include <QString>

class FolderIndex;

// The account's folder in \AuxFiles and its AuxFile0 to AuxFile5, made when
// missing. False (with the folder that failed) when one cannot be made or the
// account number cannot be a folder name.
bool EnsureAccountFolders(const QString &accountNo, QString *failed = nullptr);

// An account number as a folder name: trimmed, and empty when it could name
// something outside \AuxFiles.
QString AccountFolderName(const QString &accountNo);

// The same for an account number already made a folder name, looked up in an
// index of \AuxFiles kept for a whole pass over the customers.
bool EnsureAccountFoldersIn(FolderIndex &auxFiles, const QString &account, QString *failed);
