#pragma once
#include <QString>

// The program's start entry: installs the real dialogs and the exit, then
// runs StartUp in the folder that holds the executable. False when the
// program must end at once (another copy runs, or its folders cannot be made).
bool StartTamselProposal();

// The start-up sequence in the given data folder: splash, single-copy check,
// data folders, business data, customer screen, proposal counter; then the
// search for the modem begins, and runs on after this returns.
bool StartUp(const QString &appFolder);
