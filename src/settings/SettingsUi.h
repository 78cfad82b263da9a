#pragma once
// Loading the settings files into the screens that show them.

// Reads MyBusinessData.txt into BusinessData and shows it on the setup
// screen; a missing file changes nothing.
void LoadBusinessData();
// BusinessData into the setup screen's txtBusiness fields.
void ShowBusinessData();
// Reads the next proposal number (1001, written at once, when there is no
// counter file) and shows it on the setup and field proposal screens.
// False (after a message) when a new counter file cannot be written.
bool LoadProposalCounter();
// Moves the counter on after a confirmed proposal. The number never passes
// 32767: at that limit the user is told and nothing changes.
bool AdvanceProposalNo();
