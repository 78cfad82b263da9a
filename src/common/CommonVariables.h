#pragma once
// The state the screens and routines share for the whole run. Everything
// starts empty, zero or false; ResetSharedVariables puts it back (tests).
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>

// The folder that holds the program; every data name is relative to it.
inline QString AppFolder;
// Set only while the settings files are backed up.
inline QString DataFolder;
inline QString BackupFolder;

// Slots of the files opened last by the open routines.
inline int FileNo = 0;
inline int FileNo2 = 0;

inline qint16 ProposalNo = 0;      // the next proposal number
inline qint16 SelectedRoutine = 0; // 1 proposal, 2 terms, 4 field proposal, 5 report
inline qint32 CustomerRecNo = 0;   // current customer's record number

inline std::array<QString, 9> BusinessData;

inline bool PrintInColor = false;
inline quint32 BorderColor = 0; // RGB with red in the low byte
inline quint8 NumCopies = 0;
inline int PageNo = 0; // an int: a long body runs past 255 pages
inline bool IsFieldProposal = false;
inline qint16 NextRuleY = 0;

inline qint16 ModemPort = 0;
inline bool PhoneDaisyChained = false;
inline bool CallerIdEnabled = false;

// Mouse-wheel hook of the report grid: the screen that holds it and the grid.
inline QPointer<QObject> HookedForm;
inline QPointer<QObject> WheelGrid;

// The current customer's record buffers (CustomerRec, ContractRec, CycleRec)
// belong to the customer files, in customers/CustomerRecords.h.

void ResetSharedVariables();
