#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The folder tree the program keeps its data in, made sure of at start-up.

// The six data folders, in the order they are created.
const QStringList &DataFolderNames();

// Told after each customer record of the folder check: records done of all.
using FolderProgress = std::function<void(int done, int total)>;

// Creates the data folders that are missing, then the customers' auxiliary
// folders. On a folder that cannot be created it tells the user and returns false.
bool CreateDataFolders(const FolderProgress &progress = {});

// One folder per customer account in \AuxFiles, each with AuxFile0 to AuxFile5.
// False (after a message) when the customer file or a folder cannot be handled.
bool CheckAuxFolders(const FolderProgress &progress = {});

// The account's folder in \AuxFiles and its AuxFile0 to AuxFile5, made when
// missing. False (with the folder that failed) when one cannot be made or the
// account number cannot be a folder name.
bool EnsureAccountFolders(const QString &accountNo, QString *failed = nullptr);

// An account number as a folder name: trimmed, and empty when it could name
// something outside \AuxFiles.
QString AccountFolderName(const QString &accountNo);
