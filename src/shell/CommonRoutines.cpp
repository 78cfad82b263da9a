#include "shell/CommonRoutines.h"

#include "platform/UserPrompt.h"
#include "shell/CommonVariables.h"
#include "shell/FolderIndex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <map>
#include <memory>

namespace {

struct OpenFile {
    std::unique_ptr<QIODevice> device;
    int recordLength = 0; // 0 for sequential files
};

std::map<int, OpenFile> &OpenFiles() {
    static std::map<int, OpenFile> files;
    return files;
}

int FreeFileNumber() {
    int no = 1;
    while (OpenFiles().count(no))
        ++no;
    return no;
}

std::function<void()> &UnloadAllHandler() {
    static std::function<void()> handler;
    return handler;
}

std::function<void()> &EndProcessHandler() {
    static std::function<void()> handler;
    return handler;
}

std::function<bool(const QString &)> &UrlOpener() {
    static std::function<bool(const QString &)> opener;
    return opener;
}

// Copies a file so that the target is either the old file or the whole copy.
bool CopyAtomically(const QString &from, const QString &to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(in.readAll()) < 0) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool Open(const QString &name, int recordLength, QIODevice::OpenMode mode, bool atomic, int &slot) {
    slot = 0;
    const QString path = DataPath(name);
    if (path.isEmpty())
        return false;
    std::unique_ptr<QIODevice> device;
    if (atomic)
        device = std::make_unique<QSaveFile>(path);
    else
        device = std::make_unique<QFile>(path);
    if (!device->open(mode))
        return false;
    const int no = FreeFileNumber();
    OpenFiles()[no] = OpenFile{std::move(device), recordLength};
    slot = no;
    return true;
}

} // namespace

QString DataPath(const QString &name) {
    if (AppFolder.isEmpty())
        return {};
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    const QStringList parts = name.split(separators, Qt::SkipEmptyParts);
    QString path = AppFolder;
    bool following = true; // while every component so far exists on disk
    for (const QString &part : parts) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return {};
        QString next = path + QLatin1Char('/') + part;
        if (following && !QFileInfo::exists(next)) {
            const QString entry = FolderIndex::MatchingEntry(path, part);
            following = !entry.isNull();
            if (following)
                next = path + QLatin1Char('/') + entry;
        }
        path = next;
    }
    return path;
}

bool FileExists(const QString &name) {
    const QString path = DataPath(name);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).isFile())
        return true;
    const QString backup = DataPath(QStringLiteral("/Backup/") + name);
    if (backup.isEmpty() || !QFileInfo(backup).isFile() || QFileInfo::exists(path))
        return false;
    return CopyAtomically(backup, path);
}

bool FolderExists(const QString &name) {
    const QString path = DataPath(name);
    return !path.isEmpty() && QFileInfo(path).isDir();
}

qint16 RecordCount(const QString &name, int recordLength) {
    if (recordLength <= 0 || !FileExists(name))
        return 0;
    const qint64 length = QFileInfo(DataPath(name)).size();
    qint64 count = length / recordLength;
    const qint64 rest = length % recordLength;
    if (2 * rest > recordLength || (2 * rest == recordLength && rest != 0 && (count % 2) == 1))
        ++count;
    return static_cast<qint16>(std::min<qint64>(count, 32767));
}

bool OpenInput(const QString &name) { return Open(name, 0, QIODevice::ReadOnly, false, FileNo); }

bool OpenOutput(const QString &name) { return Open(name, 0, QIODevice::WriteOnly, true, FileNo); }

bool OpenRandom(const QString &name, int recordLength) {
    return recordLength > 0 && Open(name, recordLength, QIODevice::ReadWrite, false, FileNo);
}

bool OpenRandom2(const QString &name, int recordLength) {
    return recordLength > 0 && Open(name, recordLength, QIODevice::ReadWrite, false, FileNo2);
}

bool OpenCustomerFile() { return OpenRandom(QStringLiteral("\\CustomerData.txt"), 328); }
bool OpenContractFile() { return OpenRandom2(QStringLiteral("\\ContractInfo.txt"), 386); }
bool OpenCycleFile() { return OpenRandom2(QStringLiteral("/CycleInfo.txt"), 69); }

QIODevice *FileDevice(int fileNo) {
    const auto it = OpenFiles().find(fileNo);
    return it == OpenFiles().end() ? nullptr : it->second.device.get();
}

QByteArray GetRecord(int fileNo, qint64 recordNo) {
    const auto it = OpenFiles().find(fileNo);
    if (it == OpenFiles().end() || it->second.recordLength <= 0 || recordNo < 1)
        return {};
    const int length = it->second.recordLength;
    QIODevice *device = it->second.device.get();
    QByteArray record;
    if (device->seek((recordNo - 1) * length))
        record = device->read(length);
    record.append(QByteArray(length - record.size(), '\0'));
    return record;
}

bool PutRecord(int fileNo, qint64 recordNo, const QByteArray &record) {
    const auto it = OpenFiles().find(fileNo);
    if (it == OpenFiles().end() || it->second.recordLength <= 0 || recordNo < 1)
        return false;
    const int length = it->second.recordLength;
    QIODevice *device = it->second.device.get();
    const qint64 offset = (recordNo - 1) * length;
    const qint64 size = device->size();
    if (size < offset) {
        if (!device->seek(size) || device->write(QByteArray(offset - size, '\0')) != offset - size)
            return false;
    }
    QByteArray bytes = record.left(length);
    bytes.append(QByteArray(length - bytes.size(), '\0'));
    return device->seek(offset) && device->write(bytes) == length;
}

bool CloseFile(int fileNo) {
    auto &files = OpenFiles();
    const auto it = files.find(fileNo);
    if (it == files.end())
        return true;
    bool ok = true;
    if (auto *save = qobject_cast<QSaveFile *>(it->second.device.get()))
        ok = save->commit();
    else
        it->second.device->close();
    files.erase(it);
    if (FileNo == fileNo)
        FileNo = 0;
    if (FileNo2 == fileNo)
        FileNo2 = 0;
    return ok;
}

bool CloseAllFiles() {
    bool ok = true;
    while (!OpenFiles().empty())
        ok = CloseFile(OpenFiles().begin()->first) && ok;
    return ok;
}

std::optional<QByteArray> ReadWholeFile(const QString &name) {
    QFile file(DataPath(name));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool WriteWholeFile(const QString &name, const QByteArray &bytes) {
    if (!OpenOutput(name))
        return false;
    const int no = FileNo;
    if (FileDevice(no)->write(bytes) != bytes.size()) {
        qobject_cast<QSaveFile *>(FileDevice(no))->cancelWriting();
        CloseFile(no);
        return false;
    }
    return CloseFile(no);
}

bool DeleteFile(const QString &name) {
    CloseAllFiles();
    const QString path = DataPath(name);
    if (path.isEmpty())
        return false;
    if (!QFileInfo(path).isFile())
        return true;
    return QFile::remove(path);
}

bool DeleteWithBackup(const QString &name) {
    const bool backupGone = DeleteFile(QStringLiteral("/Backup") + name);
    return DeleteFile(name) && backupGone;
}

bool EnsureFolder(const QString &name) {
    const QString path = DataPath(name);
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.exists())
        return info.isDir();
    return QDir().mkdir(path);
}

const QStringList &BackupFileNames() {
    static const QStringList names = {
        QStringLiteral("CompanyLogo"),      QStringLiteral("TamselProposalSettings"),
        QStringLiteral("TamselProposalPremierSettings"), QStringLiteral("CustomTerms"),
        QStringLiteral("CustomDisclaimer"), QStringLiteral("LogoSettings"),
        QStringLiteral("MyBusinessData"),   QStringLiteral("MyCustomerData"),
        QStringLiteral("NextProposal"),     QStringLiteral("PrintColors"),
        QStringLiteral("ProposalCounter")};
    return names;
}

bool BackupDataFiles() {
    DataFolder = AppFolder + QLatin1Char('\\');
    BackupFolder = AppFolder + QStringLiteral("\\Backup\\");
    CloseAllFiles();
    if (!EnsureFolder(QStringLiteral("\\Backup")))
        return false;
    bool ok = true;
    for (const QString &base : BackupFileNames()) {
        const QString name = QLatin1Char('\\') + base + QStringLiteral(".txt");
        const QString data = DataPath(name);
        if (data.isEmpty() || !QFileInfo(data).isFile())
            continue;
        // The copy replaces the old backup in one step, never leaving it half written.
        ok = CopyAtomically(data, DataPath(QStringLiteral("\\Backup") + name)) && ok;
    }
    return ok;
}

void SetExitHandlers(std::function<void()> unloadAllScreens, std::function<void()> endProcess) {
    UnloadAllHandler() = std::move(unloadAllScreens);
    EndProcessHandler() = std::move(endProcess);
}

void ExitProgram() {
    if (!BackupDataFiles())
        MsgBox(QStringLiteral("Some settings files could not be copied into the Backup folder.\r\n"
                              "Your data files themselves are unchanged."),
               MsgButtons::Ok, QStringLiteral("Backup"));
    if (UnloadAllHandler())
        UnloadAllHandler()();
    CloseAllFiles();
    if (EndProcessHandler())
        EndProcessHandler()();
}

void SetUrlOpener(std::function<bool(const QString &)> opener) { UrlOpener() = std::move(opener); }

bool OpenWebPage(const QString &address) { return UrlOpener() && UrlOpener()(address); }

void ReportDamagedFile(const QString &fileName, const QString &consequence) {
    MsgBox(QStringLiteral("The file %1 is damaged and could not be read completely.\r\n%2")
               .arg(fileName, consequence),
           MsgButtons::Ok, QStringLiteral("Damaged File"));
}

void ReportWriteFailure(const QString &fileName) {
    MsgBox(QStringLiteral("The file %1 could not be written (is the disk full or the folder read-only?).\r\n"
                          "The file on disk has not been changed.")
               .arg(fileName),
           MsgButtons::Ok, QStringLiteral("File not saved"));
}
