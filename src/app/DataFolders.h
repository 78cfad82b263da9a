#pragma once
#include <QString>
#include <QStringList>

// The folder tree the program keeps its data in, made sure of at start-up.

// The six data folders, in the order they are created.
const QStringList &DataFolderNames();

// Creates the data folders that are missing, then the customers' auxiliary
// folders. On a folder that cannot be created it tells the user and returns false.
bool CreateDataFolders();

// One folder per customer account in \AuxFiles, each with AuxFile0 to AuxFile5.
// False (after a message) when the customer file or a folder cannot be handled.
bool CheckAuxFolders();
