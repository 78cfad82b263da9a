#pragma once
#include <QString>
#include <functional>

// Where this copy of the program keeps its data and finds its manual.
//
// A portable copy (a folder of its own, as the README's run command makes)
// keeps its data beside itself. A system-wide install sits in a bin folder
// that ordinary users cannot write, so its data go to the user's data folder
// ($XDG_DATA_HOME/TamselProposal, else ~/.local/share/TamselProposal) with the
// same layout. TAMSEL_DATA names another data folder for either kind.
struct ProgramFolders {
    QString data;   // becomes AppFolder
    QString manual; // holds the manual's pages (index.html, paper.html)
};

// Reads one environment variable; empty when it is not set.
using EnvironmentLookup = std::function<QString(const char *name)>;

// The package's name: the system-wide install keeps the manual in
// <prefix>/share/doc/<this>/manual.
inline const QString PackageName = QStringLiteral("tamselproposal");

// True when programFolder is the bin folder of a system-wide install (the
// package's layout), or a folder this user cannot write.
bool IsSystemInstall(const QString &programFolder);

ProgramFolders ChooseProgramFolders(const QString &programFolder, const EnvironmentLookup &environment);

// Makes the data folder and its parents; tells the user and returns false
// when that fails.
bool MakeDataFolder(const QString &folder);

// The manual's folder as the running program found it; empty before start-up
// has chosen it, and then the Manual folder in AppFolder (tests).
inline QString ManualFolder;
QString ManualPath(const QString &page);
