#include "customers/CustomerRecords.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/InputRules.h"
#include "customers/AccountFolders.h"
#include "platform/Clock.h"
#include "platform/UserPrompt.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <array>
#include <filesystem>
#include <unistd.h>

namespace {

const QString CustomerFile = QStringLiteral("\\CustomerData.txt");
const QString ContractFile = QStringLiteral("/ContractInfo.txt");
const QString CycleFile = QStringLiteral("/CycleInfo.txt");

// Writes whole records of a file except record skip into temp and flushes it
// to the disk; the file itself is not touched. Bytes after the last whole
// record go along unchanged. False when temp could not be written (it is
// then removed).
bool PrepareCompacted(const QString &path, const QString &tempPath, int length, qint32 skip) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile out(tempPath);
    if (tempPath.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const qint64 whole = in.size() / length;
    bool ok = true;
    for (qint64 i = 1; i <= whole && ok; ++i) {
        const QByteArray record = in.read(length);
        if (i != skip)
            ok = record.size() == length && out.write(record) == length;
    }
    const QByteArray tail = in.readAll();
    ok = ok && out.write(tail) == tail.size() && out.flush() && ::fsync(out.handle()) == 0;
    out.close();
    in.close();
    if (!ok)
        QFile::remove(tempPath);
    return ok;
}

// Writes one record through the shared routines, which leave the file at its
// old length when a write fails; a file that the failed write created goes again.
bool WriteRecordChecked(const QString &name, qint64 recNo, const QByteArray &record,
                        const std::function<bool()> &open, const int &fileNo) {
    const QString path = DataPath(name);
    if (path.isEmpty())
        return false;
    const bool existed = QFileInfo(path).isFile();
    bool ok = open() && PutRecord(fileNo, recNo, record);
    ok = CloseAllFiles() && ok;
    if (!ok && !existed)
        QFile::remove(path);
    return ok;
}

} // namespace

const RecordLayout<CustomerRecord> &CustomerLayout() {
    using R = CustomerRecord;
    static const RecordLayout<R> layout(
        CustomerRecordLength, {{"AcctNo", 0, 20, &R::AcctNo},
                               {"AcctName", 20, 45, &R::AcctName},
                               {"Address1", 65, 35, &R::Address1},
                               {"Address2", 100, 25, &R::Address2},
                               {"City", 125, 25, &R::City},
                               {"CityCopy", 150, 20, &R::CityCopy},
                               {"State", 170, 2, &R::State},
                               {"PostalCode", 172, 10, &R::PostalCode},
                               {"Address4", 182, 25, &R::Address4},
                               {"Phone", 207, 13, &R::Phone},
                               {"Cell", 220, 13, &R::Cell},
                               {"Other", 233, 30, &R::Other},
                               {"Title", 263, 10, &R::Title},
                               {"FirstName", 273, 15, &R::FirstName},
                               {"MiddleInitial", 288, 1, &R::MiddleInitial},
                               {"LastName", 289, 25, &R::LastName},
                               {"AcctType", 314, 10, &R::AcctType},
                               {"Reserved1", 324, 2, &R::Reserved1},
                               {"Reserved2", 326, 2, &R::Reserved2}});
    return layout;
}

const RecordLayout<ContractRecord> &ContractLayout() {
    using R = ContractRecord;
    static const RecordLayout<R> layout(
        ContractRecordLength, {{"Field1", 0, 35, &R::Field1},     {"Field2", 35, 15, &R::Field2},
                               {"Field3", 50, 8, &R::Field3},     {"Field4", 58, 9, &R::Field4},
                               {"Field5", 67, 40, &R::Field5},    {"Field6", 107, 8, &R::Field6},
                               {"Field7", 115, 8, &R::Field7},    {"Field8", 123, 2, &R::Field8},
                               {"Field9", 125, 2, &R::Field9},    {"Field10", 127, 2, &R::Field10},
                               {"Field11", 129, 20, &R::Field11}, {"Field12", 149, 20, &R::Field12},
                               {"Field13", 169, 30, &R::Field13}, {"Field14", 199, 35, &R::Field14},
                               {"Field15", 234, 25, &R::Field15}, {"Field16", 259, 20, &R::Field16},
                               {"Field17", 279, 2, &R::Field17},  {"Field18", 281, 10, &R::Field18},
                               {"Field19", 291, 13, &R::Field19}, {"Field20", 304, 30, &R::Field20},
                               {"Field21", 334, 2, &R::Field21},  {"Field22", 336, 50, &R::Field22}});
    return layout;
}

const RecordLayout<CycleRecord> &CycleLayout() {
    using R = CycleRecord;
    static const RecordLayout<R> layout(CycleRecordLength,
                                        {{"Field1", 0, 35, &R::Field1},
                                         {"Field2", 35, 8, &R::Field2},
                                         {"Field3", 43, 2, &R::Field3},
                                         {"Field4", 45, 20, &R::Field4},
                                         {"Field5", 65, 2, &R::Field5},
                                         {"Field6", 67, 2, &R::Field6}});
    return layout;
}

bool IsBusiness(const CustomerRecord &rec) { return rec.AcctType.trimmed() == QLatin1String("Business"); }

QString DisplayName(const CustomerRecord &rec) {
    if (IsBusiness(rec))
        return rec.AcctName.trimmed();
    return rec.LastName.trimmed() + QStringLiteral(", ") + rec.FirstName.trimmed() + QLatin1Char(' ') +
           rec.MiddleInitial;
}

QString GridName(const CustomerRecord &rec) {
    if (IsBusiness(rec))
        return rec.AcctName.trimmed();
    return rec.Title.trimmed() + QLatin1Char(' ') + rec.FirstName.trimmed() + QLatin1Char(' ') +
           rec.LastName.trimmed();
}

CustomerFileSize CustomerFileSizeNow() {
    if (!FileExists(CustomerFile))
        return {};
    const qint64 bytes = QFileInfo(DataPath(CustomerFile)).size();
    return {static_cast<qint32>(std::min<qint64>(bytes / CustomerRecordLength, MaxCustomers)),
            bytes % CustomerRecordLength};
}

CustomerRecord GetCustomerRecord(int fileNo, qint64 recNo) {
    return CustomerLayout().Read(GetRecord(fileNo, recNo));
}

bool PutCustomerRecord(int fileNo, qint64 recNo, const CustomerRecord &rec) {
    return PutRecord(fileNo, recNo, CustomerLayout().Write(rec));
}

bool ScanCustomerRecords(qint32 count, const std::function<void(qint32, const QByteArray &)> &visit) {
    // A missing file has no records (and opening it would create it).
    if (!FileExists(CustomerFile))
        return true;
    // One read of the whole file: a scan touches every record.
    const auto bytes = ReadWholeFile(CustomerFile);
    if (!bytes)
        return false;
    const qint32 last = std::min<qint64>({count, bytes->size() / CustomerRecordLength, MaxCustomers});
    for (qint32 i = 1; i <= last; ++i)
        visit(i, QByteArray::fromRawData(bytes->constData() + qint64(i - 1) * CustomerRecordLength,
                                         CustomerRecordLength));
    return true;
}

bool ScanCustomers(qint32 count, const std::function<void(qint32, const CustomerRecord &)> &visit) {
    return ScanCustomerRecords(count, [&](qint32 recNo, const QByteArray &record) {
        visit(recNo, CustomerLayout().Read(record));
    });
}

bool SaveCustomerRecord(qint32 recNo) {
    if (recNo < 1 || recNo > MaxCustomers)
        return false;
    const CustomerFileSize size = CustomerFileSizeNow();
    if (size.tailBytes > 0 && recNo > size.records) {
        // Keep the incomplete end intact behind the new record.
        const auto bytes = ReadWholeFile(CustomerFile);
        if (!bytes)
            return false;
        const qint64 whole = qint64(size.records) * CustomerRecordLength;
        QByteArray out = bytes->left(whole);
        out.append(QByteArray(qint64(recNo - 1 - size.records) * CustomerRecordLength, '\0'));
        out.append(CustomerLayout().Write(CustomerRec));
        out.append(bytes->mid(whole));
        return WriteWholeFile(CustomerFile, out);
    }
    return WriteRecordChecked(CustomerFile, recNo, CustomerLayout().Write(CustomerRec),
                              OpenCustomerFile, FileNo);
}

qint32 OtherHolderOfAccount(const QString &accountNo, qint32 except) {
    const QString wanted = accountNo.trimmed();
    if (wanted.isEmpty())
        return 0;
    qint32 holder = 0;
    ScanCustomerRecords(MaxCustomers, [&](qint32 recNo, const QByteArray &record) {
        if (holder == 0 && recNo != except &&
            CustomerLayout()
                    .ReadText(record, &CustomerRecord::AcctNo)
                    .trimmed()
                    .compare(wanted, Qt::CaseInsensitive) == 0)
            holder = recNo;
    });
    return holder;
}

void LoadCompanions(qint32 recNo) {
    if (FileExists(ContractFile) && OpenContractFile()) {
        ContractRec = ContractLayout().Read(GetRecord(FileNo2, recNo));
        CloseAllFiles();
    }
    if (FileExists(CycleFile) && OpenCycleFile()) {
        CycleRec = CycleLayout().Read(GetRecord(FileNo2, recNo));
        CloseAllFiles();
    }
}

bool SaveCompanions(qint32 recNo) {
    const bool contract = WriteRecordChecked(ContractFile, recNo,
                                             ContractLayout().Write(ContractRec), OpenContractFile, FileNo2);
    const bool cycle = WriteRecordChecked(CycleFile, recNo, CycleLayout().Write(CycleRec),
                                          OpenCycleFile, FileNo2);
    return contract && cycle;
}

namespace {
void ApplyCycleDefaults() {
    CycleRec.Field1 = QStringLiteral("None Selected");
    CycleRec.Field2 = Currency{0};
    CycleRec.Field3 = 0;
    CycleRec.Field4.clear();
    CycleRec.Field5 = 0;
    CycleRec.Field6 = -1;
}
} // namespace

void ApplyBillingDefaults() {
    const QDate today = Clock::Today();
    ContractRec.Field1 = QStringLiteral("None Selected");
    ContractRec.Field2 = QStringLiteral("None");
    ContractRec.Field3 = Currency{0};
    ContractRec.Field4 = QLocale().dayName(today.dayOfWeek(), QLocale::LongFormat);
    ContractRec.Field5 = QStringLiteral("None Selected");
    ContractRec.Field6 = RecordFields::DateToDays(today);
    ContractRec.Field7 = RecordFields::DateToDays(today);
    ContractRec.Field8 = 0;
    ContractRec.Field9 = -1;
    ContractRec.Field10 = 0;
    ContractRec.Field11 = QStringLiteral("None");
    for (QString *blank : {&ContractRec.Field12, &ContractRec.Field13, &ContractRec.Field15,
                           &ContractRec.Field16, &ContractRec.Field17, &ContractRec.Field18,
                           &ContractRec.Field19, &ContractRec.Field20, &ContractRec.Field22})
        blank->clear();
    ContractRec.Field21 = 0;
    ApplyCycleDefaults();
}

void BuildContractInfo(qint32 &RecPointer) {
    if (!FileExists(QStringLiteral("/CustomerData.txt"))) {
        MsgBox(QStringLiteral("Your Customer Information File is missing\r\nThe Contract File can not be rebuilt"),
               MsgButtons::Ok, QStringLiteral("No Customer File Found"));
        return;
    }
    DeleteWithBackup(ContractFile);
    const qint32 n = CustomerFileSizeNow().records;
    bool ok = OpenContractFile();
    const QByteArray record = ContractLayout().Write(ContractRec);
    for (qint32 i = n; ok && i >= RecPointer && i >= 1; --i)
        ok = PutRecord(FileNo2, i, record);
    if (!CloseAllFiles() || !ok)
        ReportWriteFailure(QStringLiteral("ContractInfo.txt"));
}

void BuildCycleInfo(qint32 &) {
    if (!FileExists(QStringLiteral("/CustomerData.txt"))) {
        MsgBox(QStringLiteral("Your Customer Information File is missing\r\nThe Cycle File can not be rebuilt"),
               MsgButtons::Ok, QStringLiteral("No Customer File Found"));
        return;
    }
    DeleteWithBackup(CycleFile);
    MsgBox(QStringLiteral("Your Billing Information File will be Built with Default Values"), MsgButtons::Ok,
           QStringLiteral("Building Billing Info"));
    ApplyCycleDefaults();
    bool ok = OpenCycleFile();
    const QByteArray record = CycleLayout().Write(CycleRec);
    for (qint32 i = CustomerCount; ok && i >= 1; --i)
        ok = PutRecord(FileNo2, i, record);
    if (!CloseAllFiles() || !ok)
        ReportWriteFailure(QStringLiteral("CycleInfo.txt"));
}

namespace {

struct Compaction {
    QString name;
    QString temp;
    int length;
    bool deleteBackup;
    QString path = {};
    QString tempPath = {};
};

// The customer file comes first and is put in place first: while its
// temporary file exists no file has been replaced yet, and once it is gone
// the companions' temporary files are complete and must follow it.
std::array<Compaction, 3> CompactionFiles() {
    return {{{CustomerFile, QStringLiteral("\\CUSTOMER.TMP"), CustomerRecordLength, false},
             {QStringLiteral("\\CycleInfo.txt"), QStringLiteral("\\Temp.txt"), CycleRecordLength, true},
             {QStringLiteral("\\ContractInfo.txt"), QStringLiteral("\\CONTRACT.TMP"), ContractRecordLength,
              true}}};
}

bool IsFile(const QString &name) {
    const QString path = DataPath(name);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool FinishCompaction() {
    auto files = CompactionFiles();
    const bool replacing = IsFile(CustomerFile) && !IsFile(files[0].temp);
    for (const Compaction &file : files) {
        if (!IsFile(file.temp))
            continue;
        if (!replacing) {
            DeleteFile(file.temp);
            continue;
        }
        if (file.deleteBackup)
            DeleteFile(QStringLiteral("/Backup") + file.name);
        std::error_code error;
        std::filesystem::rename(DataPath(file.temp).toStdString(), DataPath(file.name).toStdString(), error);
        if (error) {
            ReportWriteFailure(file.name.mid(1));
            return false;
        }
    }
    return true;
}

// Companion records past the end of their file are read as zeros; a new
// customer whose companions were not written yet gets them now.
bool CompleteCompanion(const QString &name, int length, qint32 records, bool (*open)(), QByteArray record) {
    if (!IsFile(name))
        return true; // rebuilt with the user's knowledge when the customer screen opens
    const qint64 size = QFileInfo(DataPath(name)).size();
    if (size % length != 0 || size / length >= records)
        return true;
    bool ok = open();
    for (qint64 i = size / length + 1; ok && i <= records; ++i)
        ok = PutRecord(FileNo2, i, record);
    ok = CloseAllFiles() && ok;
    if (!ok)
        ReportWriteFailure(name.mid(1));
    return ok;
}

} // namespace

bool RecoverCustomerFiles() {
    CloseAllFiles();
    if (!FinishCompaction())
        return false;
    const qint32 records = CustomerFileSizeNow().records;
    const ContractRecord contract = ContractRec;
    const CycleRecord cycle = CycleRec;
    // Defaults on empty records: nothing of the customer on screen goes along.
    ContractRec = {};
    CycleRec = {};
    ApplyBillingDefaults();
    bool ok = CompleteCompanion(ContractFile, ContractRecordLength, records, OpenContractFile,
                                ContractLayout().Write(ContractRec));
    ok = CompleteCompanion(CycleFile, CycleRecordLength, records, OpenCycleFile, CycleLayout().Write(CycleRec)) &&
         ok;
    ContractRec = contract;
    CycleRec = cycle;
    return ok;
}

bool DeleteCustomerRecord(qint32 d, const QString &accountNo) {
    // A delete ended part-way is finished first; its temporary files are not
    // to be thrown away while a companion still waits for its own.
    if (!RecoverCustomerFiles() || !FileExists(CustomerFile))
        return false;
    auto files = CompactionFiles();
    // The active-accounts file goes only when no other customer has the number.
    const QString account = AccountFolderName(accountNo);
    const bool shared = !account.isEmpty() && OtherHolderOfAccount(account, d) != 0;

    // All three compacted files are written before any is put in place, so a
    // failure leaves the customers and their companions as they were.
    const auto removeTemps = [&] {
        for (const Compaction &file : files)
            DeleteFile(file.temp);
    };
    removeTemps();
    for (Compaction &file : files) {
        // A missing file stays missing.
        if (!FileExists(file.name))
            continue;
        file.path = DataPath(file.name);
        file.tempPath = DataPath(file.temp);
        if (file.path.isEmpty() || !PrepareCompacted(file.path, file.tempPath, file.length, d)) {
            removeTemps();
            ReportWriteFailure(file.name.mid(1));
            return false;
        }
    }
    // A backup of a companion would no longer line up with the customers.
    for (const Compaction &file : files)
        if (file.deleteBackup && !file.tempPath.isEmpty())
            DeleteFile(QStringLiteral("/Backup") + file.name);
    for (const Compaction &file : files) {
        if (file.tempPath.isEmpty())
            continue;
        std::error_code error;
        std::filesystem::rename(file.tempPath.toStdString(), file.path.toStdString(), error);
        if (error) {
            // Before the customer file is replaced nothing has changed; after
            // it, the companions' temporary files stay for RecoverCustomerFiles.
            if (&file == &files[0])
                removeTemps();
            ReportWriteFailure(file.name.mid(1));
            return false;
        }
    }
    if (!account.isEmpty() && !shared)
        DeleteWithBackup(QStringLiteral("/QXActiveAccounts/") + account + QStringLiteral(".txt"));
    if (CustomerCount > 1)
        CustomerCount = CustomerCount - 1;
    CustomerRecNo = 1;
    return true;
}

QString AccountNoProblem(const QString &accountNo) {
    const QString account = accountNo.trimmed();
    if (account == QLatin1String(".") || account == QLatin1String(".."))
        return QStringLiteral("The Account Number cannot be \"%1\"\r\nEnter a different Number").arg(account);
    if (IsNumericText(account))
        return {};
    for (QChar c : account) {
        if (IsRefusedKey(c))
            return QStringLiteral("This character, (%1) is invalid for the Account Number\r\n"
                                  "Enter a different Number")
                .arg(c);
    }
    return {};
}

void ResetCustomerVariables() {
    CustomerRec = {};
    ContractRec = {};
    CycleRec = {};
    CustomerCount = 0;
}
