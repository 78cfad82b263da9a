#include "common/CommonRoutines.h"

#include "common/CommonVariables.h"
#include "common/FolderIndex.h"
#include "platform/UserPrompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <cerrno>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

struct OpenFile {
    std::unique_ptr<QFileDevice> device;
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

// Pushes what Qt still buffers to the disk and waits until it is there.
// QFile::close() and, in some Qt versions, QSaveFile::commit() drop the error
// of that last push, so a full disk must be caught here.
bool FlushToDisk(QFileDevice &file) {
    if (!file.flush())
        return false;
    if (::fsync(file.handle()) == 0)
        return true;
    // A file system that cannot sync has nothing more to report.
    return errno == EINVAL || errno == ENOTSUP || errno == ENOSYS;
}

// Puts a QSaveFile in place only when all of it reached the disk; otherwise
// the temporary file goes and the old file stays as it was.
bool Commit(QSaveFile &file) {
    if (!FlushToDisk(file)) {
        file.cancelWriting();
        file.commit(); // removes the temporary file
        return false;
    }
    return file.commit();
}

// Copies a file so that the target is either the old file or the whole copy.
bool CopyAtomically(const QString &from, const QString &to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        out.commit();
        return false;
    }
    return Commit(out);
}

// Full paths of the data files found damaged in this run.
QSet<QString> &DamagedFiles() {
    static QSet<QString> files;
    return files;
}

void ClearDamaged(const QString &name) {
    const QString path = DataPath(name);
    if (!path.isEmpty())
        DamagedFiles().remove(path);
}

bool Open(const QString &name, int recordLength, QIODevice::OpenMode mode, bool atomic, int &slot) {
    slot = 0;
    const QString path = DataPath(name);
    if (path.isEmpty())
        return false;
    std::unique_ptr<QFileDevice> device;
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

// Record files are written in place and unbuffered: a write that fails says
// so at once, and no failed bytes linger in a buffer to be written later.
bool OpenRandom(const QString &name, int recordLength) {
    return recordLength > 0 &&
           Open(name, recordLength, QIODevice::ReadWrite | QIODevice::Unbuffered, false, FileNo);
}

bool OpenRandom2(const QString &name, int recordLength) {
    return recordLength > 0 &&
           Open(name, recordLength, QIODevice::ReadWrite | QIODevice::Unbuffered, false, FileNo2);
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
    QFileDevice *device = it->second.device.get();
    const qint64 offset = (recordNo - 1) * length;
    const qint64 size = device->size();
    bool ok = true;
    if (size < offset)
        ok = device->seek(size) && device->write(QByteArray(offset - size, '\0')) == offset - size;
    QByteArray bytes = record.left(length);
    bytes.append(QByteArray(length - bytes.size(), '\0'));
    ok = ok && device->seek(offset) && device->write(bytes) == length && device->flush();
    // A full disk must not leave a piece of a record (or a gap) at the end.
    if (!ok && device->size() > size)
        device->resize(size);
    return ok;
}

bool CloseFile(int fileNo) {
    auto &files = OpenFiles();
    const auto it = files.find(fileNo);
    if (it == files.end())
        return true;
    bool ok = true;
    QFileDevice *device = it->second.device.get();
    if (auto *save = qobject_cast<QSaveFile *>(device)) {
        ok = Commit(*save);
    } else {
        if (device->openMode() & QIODevice::WriteOnly)
            ok = FlushToDisk(*device);
        device->close();
    }
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
    if (!CloseFile(no))
        return false;
    // What the program has just written in full is no longer damaged.
    ClearDamaged(name);
    return true;
}

bool DeleteFile(const QString &name) {
    CloseAllFiles();
    const QString path = DataPath(name);
    if (path.isEmpty())
        return false;
    if (!QFileInfo(path).isFile())
        return true;
    if (!QFile::remove(path))
        return false;
    DamagedFiles().remove(path);
    return true;
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
        // A file that could not be read must never replace the copy that still can be.
        if (IsMarkedDamaged(name))
            continue;
        // The copy replaces the old backup in one step, never leaving it half written.
        ok = CopyAtomically(data, DataPath(QStringLiteral("\\Backup") + name)) && ok;
    }
    return ok;
}

void MarkDamaged(const QString &name) {
    const QString path = DataPath(name);
    if (!path.isEmpty())
        DamagedFiles().insert(path);
}

bool IsMarkedDamaged(const QString &name) {
    const QString path = DataPath(name);
    return !path.isEmpty() && DamagedFiles().contains(path);
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

bool ReportDamagedFileWithBackup(const QString &name, const QString &consequence) {
    MarkDamaged(name);
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    const QString label = name.section(separators, -1);
    const QString backupName = QStringLiteral("/Backup") + name;
    const auto damaged = ReadWholeFile(name);
    const auto backup =
        QFileInfo(DataPath(backupName)).isFile() ? ReadWholeFile(backupName) : std::optional<QByteArray>();
    // An empty backup, or one that holds the same bytes, is no way back.
    if (!backup || backup->isEmpty() || (damaged && *damaged == *backup)) {
        ReportDamagedFile(label, consequence);
        return false;
    }
    const QString text =
        QStringLiteral(
            "The file %1 is damaged and could not be read completely.\r\n%2\r\n\r\n"
            "A copy of this file saved earlier is kept in the Backup folder. Click Yes to put that "
            "copy back in place of the damaged file, or No to keep the file as it is.")
            .arg(label, consequence);
    if (MsgBox(text, MsgButtons::YesNo, QStringLiteral("Damaged File")) != MsgAnswer::Yes)
        return false;
    if (!CopyAtomically(DataPath(backupName), DataPath(name))) {
        ReportWriteFailure(label);
        return false;
    }
    ClearDamaged(name);
    return true;
}

void ReportWriteFailure(const QString &fileName) {
    MsgBox(QStringLiteral("The file %1 could not be written (is the disk full or the folder read-only?).\r\n"
                          "The file on disk has not been changed.")
               .arg(fileName),
           MsgButtons::Ok, QStringLiteral("File not saved"));
}
