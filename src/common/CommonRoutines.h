#pragma once
// The file routines every part of the program goes through. Data names are
// relative to AppFolder, begin with "\" or "/", may use either separator and
// match existing files and folders without regard to letter case.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QIODevice;

// Full path of a data name, following existing entries case-insensitively.
// Empty when the name has a "." or ".." component (it could leave the data
// folder) or when AppFolder is not set.
QString DataPath(const QString &name);

// True when the file exists; a file missing here but present in \Backup is
// first copied back. Folders never count as files.
bool FileExists(const QString &name);
// True when a folder of that name exists (no restore attempt).
bool FolderExists(const QString &name);

// Whole records in the file: length / record length, halves to even; 0 when
// the file is missing.
qint16 RecordCount(const QString &name, int recordLength);

// Open routines: the file's number goes to FileNo (FileNo2 for OpenRandom2).
// They return false (and leave the slot at 0) when the file cannot be opened.
// A file opened by OpenOutput is written to a temporary file that replaces the
// old one only when it is closed, so a crash never leaves it half written.
bool OpenInput(const QString &name);
bool OpenOutput(const QString &name);
bool OpenRandom(const QString &name, int recordLength);
bool OpenRandom2(const QString &name, int recordLength);
bool OpenCustomerFile();
bool OpenContractFile();
bool OpenCycleFile();

// The open file behind a file number, or null.
QIODevice *FileDevice(int fileNo);
// Record access for files opened with OpenRandom/OpenRandom2, numbers from 1.
// Reading past the end gives zero bytes; writing past it fills the gap with
// zero-filled records first.
QByteArray GetRecord(int fileNo, qint64 recordNo);
bool PutRecord(int fileNo, qint64 recordNo, const QByteArray &record);

// Closes one file; for an output file this is where it replaces the old one.
// False when the data could not be written.
bool CloseFile(int fileNo);
// Closes every open file; false when any output file could not be written.
bool CloseAllFiles();

// Whole-file helpers built on the routines above.
std::optional<QByteArray> ReadWholeFile(const QString &name);
bool WriteWholeFile(const QString &name, const QByteArray &bytes);

bool DeleteFile(const QString &name);
bool DeleteWithBackup(const QString &name);
// Creates one folder level when nothing of that name exists. False when the
// folder is not there afterwards.
bool EnsureFolder(const QString &name);

// The settings files copied into \Backup at exit, in order.
const QStringList &BackupFileNames();
// Copies each of them that exists into \Backup, except those found damaged
// in this run. False when a copy failed.
bool BackupDataFiles();

// Data files found damaged while reading in this run. Their backups are the
// way back, so BackupDataFiles never copies them; writing the file anew
// (WriteWholeFile) or deleting it clears the mark.
void MarkDamaged(const QString &name);
bool IsMarkedDamaged(const QString &name);

// Backs up the settings files, unloads every screen and ends the program.
void ExitProgram();
// The screens and the event loop are not core's business: the program
// installs how to unload every screen and how to end.
void SetExitHandlers(std::function<void()> unloadAllScreens, std::function<void()> endProcess);

// Opens an address in the user's browser (the opener is installed by the program).
bool OpenWebPage(const QString &address);
void SetUrlOpener(std::function<bool(const QString &)> opener);

// Tells the user that a stored file could not be read as it should.
void ReportDamagedFile(const QString &fileName, const QString &consequence);
// The same for a data file that \Backup may hold a copy of: marks it damaged
// and, when the backup copy differs from it, offers to put that copy back.
// True when the copy was put back (the caller reads the file again).
bool ReportDamagedFileWithBackup(const QString &name, const QString &consequence);

// Tells the user that a file could not be written and that the old one stays.
void ReportWriteFailure(const QString &fileName);
