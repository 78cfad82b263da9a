#pragma once
// The customer file CustomerData.txt and its two companions ContractInfo.txt
// and CycleInfo.txt, kept record for record beside it: record layouts, the
// billing defaults, rebuilding a missing companion and deleting a customer.
#include "customers/RecordLayout.h"

#include <QString>
#include <functional>

inline constexpr int CustomerRecordLength = 328;
inline constexpr int ContractRecordLength = 386;
inline constexpr int CycleRecordLength = 69;
// Record numbers are 16-bit wherever the files are counted.
inline constexpr qint32 MaxCustomers = 32767;

struct CustomerRecord {
    QString AcctNo;
    QString AcctName;
    QString Address1;
    QString Address2;
    QString City;
    QString CityCopy;
    QString State;
    QString PostalCode;
    QString Address4;
    QString Phone;
    QString Cell;
    QString Other;
    QString Title;
    QString FirstName;
    QString MiddleInitial;
    QString LastName;
    QString AcctType;
    qint16 Reserved1 = 0;
    qint16 Reserved2 = 0;
};

// The program gives the companions' fields no meaning of its own; they are
// named by their place in the record.
struct ContractRecord {
    QString Field1;
    QString Field2;
    Currency Field3;
    QString Field4; // a weekday's name
    QString Field5;
    double Field6 = 0; // date
    double Field7 = 0; // date
    qint16 Field8 = 0;
    qint16 Field9 = 0; // boolean
    qint16 Field10 = 0;
    QString Field11;
    QString Field12;
    QString Field13;
    QString Field14;
    QString Field15;
    QString Field16;
    QString Field17;
    QString Field18;
    QString Field19;
    QString Field20;
    qint16 Field21 = 0;
    QString Field22;
};

struct CycleRecord {
    QString Field1;
    Currency Field2;
    qint16 Field3 = 0;
    QString Field4;
    qint16 Field5 = 0;
    qint16 Field6 = 0; // boolean
};

// The current customer's records, one of each file, and the number of customer
// records (owned by the customer screen; one more while a new one is entered).
inline CustomerRecord CustomerRec;
inline ContractRecord ContractRec;
inline CycleRecord CycleRec;
inline qint32 CustomerCount = 0;
// Puts them back to empty (tests).
void ResetCustomerVariables();

const RecordLayout<CustomerRecord> &CustomerLayout();
const RecordLayout<ContractRecord> &ContractLayout();
const RecordLayout<CycleRecord> &CycleLayout();

// How the account list and the reports name a customer.
QString DisplayName(const CustomerRecord &rec);
// How the search-result grid names a customer.
QString GridName(const CustomerRecord &rec);
bool IsBusiness(const CustomerRecord &rec);

// Whole customer records in the file (a missing file has none). An
// incomplete record at the end is never counted, read or written over.
struct CustomerFileSize {
    qint32 records = 0;
    qint64 tailBytes = 0; // bytes after the last whole record
};
CustomerFileSize CustomerFileSizeNow();

// Record access through the shared file routines (the file must be open).
CustomerRecord GetCustomerRecord(int fileNo, qint64 recNo);
bool PutCustomerRecord(int fileNo, qint64 recNo, const CustomerRecord &rec);

// Reads every whole record from 1 to count (at most what the file holds),
// in file order, as stored bytes (read fields with CustomerLayout()) or
// decoded. False when the file cannot be read.
bool ScanCustomerRecords(qint32 count, const std::function<void(qint32 recNo, const QByteArray &)> &visit);
bool ScanCustomers(qint32 count, const std::function<void(qint32 recNo, const CustomerRecord &)> &visit);

// Writes CustomerRec as record recNo and closes all files. A new record goes
// before an incomplete end of the file, which is kept as it was. False when
// the file does not hold the record afterwards; it then keeps its old length.
bool SaveCustomerRecord(qint32 recNo);

// The first record other than except whose account number is accountNo,
// blanks around it and letter case ignored (such numbers share one folder),
// or 0 when there is none.
qint32 OtherHolderOfAccount(const QString &accountNo, qint32 except);

// Companions of record recNo: read into ContractRec and CycleRec (zero-filled
// when beyond the end), and written from them (checked as SaveCustomerRecord).
void LoadCompanions(qint32 recNo);
bool SaveCompanions(qint32 recNo);

// Fills the listed fields of ContractRec and CycleRec with the defaults of a
// new customer (dates and weekday from today).
void ApplyBillingDefaults();

// Rebuild a missing companion file (messages as the user knows them).
void BuildContractInfo(qint32 &RecPointer);
void BuildCycleInfo(qint32 &RecPointer);

// Removes record d from the three record files and the account's file in
// QXActiveAccounts (kept while another record has the same number). The three
// files are replaced together: all are written aside first, and a failure
// (reported) leaves every file as it was and returns false.
bool DeleteCustomerRecord(qint32 d, const QString &accountNo);

// Puts right what a save or a delete ended part-way (the program killed or
// the machine stopped) left, before the customer files are read again: a
// delete whose customer file was already replaced has its companions
// replaced too (any other left-over delete is dropped), and companions that
// stop short of the customer file get the new customer's default records.
// False when a file could not be put right (the user is told).
bool RecoverCustomerFiles();

// Why an account number cannot be saved, or empty when it can. The number
// names the customer's folder, so it may not hold the refused characters of
// the key filter (unless it is a number) and may not be "." or "..".
QString AccountNoProblem(const QString &accountNo);
