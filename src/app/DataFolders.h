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
