#include "common/CommonRoutines.h"
#include "common/QuotedFields.h"
#include "platform/Clock.h"
#include "proposals/ProposalFiles.h"
#include "proposals/ProposalState.h"
#include "ProposalsFixtures.h"
#include "SyncFault.h"
#include "TestMain.h"

#include <QFile>
#include <QTest>

namespace {

ProposalParties SmithParties() {
    ProposalParties p;
    p.price = Money(1250.50);
    p.lblCustomerInfo = {QString(),           QStringLiteral(" John Smith "), QStringLiteral("12 Oak St"),
                         QString(),           QStringLiteral("Springfield"),  QStringLiteral("IL"),
                         QStringLiteral("62701"), QStringLiteral("(217) 555-0100 "), QStringLiteral("cell")};
    p.txtCustomerInfo = {QString(),  QStringLiteral("Smith Barn"), QStringLiteral(" 400 Farm Rd"),
                         QStringLiteral("Unit 2"), QStringLiteral("Chatham"), QStringLiteral("IL"),
                         QStringLiteral("62629"), QString(), QStringLiteral("cell")};
    return p;
}

QByteArray PaymentsFileOf(const TestFolder &folder, int number) {
    return folder.read(QStringLiteral("TamselProposals/ProposalPayments/%1.txt").arg(number));
}

// The four files of one record of 1001.
const QStringList RecordFiles = {"TamselProposals/1001.txt", "TamselProposals/ProposalBody/1001.txt",
                                 "TamselProposals/ProposalPayments/1001.txt",
                                 "TamselProposals/ProposalState/1001.txt"};

} // namespace

class ProposalFilesTest : public QObject {
    Q_OBJECT
private slots:
    void moneyIsWrittenWithoutTrailingZeros_data();
    void moneyIsWrittenWithoutTrailingZeros();
    void proposalFilesReadBack();
    void quoteKeepsEveryOtherByte_data();
    void quoteKeepsEveryOtherByte();
    void damagedOrForeignProposalFiles();
    void paymentsFileOfOneToEightPayments();
    void paymentsFileReadsBackUnderItsLocale_data();
    void paymentsFileReadsBackUnderItsLocale();
    void paymentsFilesAsFound_data();
    void paymentsFilesAsFound();
    void failedPlacementPutsTheOldFilesBack();
    void stateFileKeepsACustomDisclaimer_data();
    void stateFileKeepsACustomDisclaimer();
};

void ProposalFilesTest::moneyIsWrittenWithoutTrailingZeros_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");
    QTest::newRow("rounded to the ten-thousandth") << 1234.56789 << "1234.5679";
    QTest::newRow("negative that rounds to zero") << -0.00001 << "0";
    QTest::newRow("a credit keeps its sign") << -12.5 << "-12.5";
}

void ProposalFilesTest::moneyIsWrittenWithoutTrailingZeros() {
    QFETCH(double, amount);
    QFETCH(QString, text);
    QCOMPARE(QuotedFields::Money(amount), text);
}

// The proposal file (sixteen quoted lines), the field proposal file (nine) and
// the body file, byte for byte, and what reads back from them.
void ProposalFilesTest::proposalFilesReadBack() {
    ProposalsFolder folder;
    QVERIFY(WriteProposalFile(1001, SmithParties()));
    QCOMPARE(folder.read(QStringLiteral("TamselProposals/1001.txt")),
             "\"1001\",1250.5,#2026-12-05#\r\n\"(217) 555-0100 \"\r\n\"John Smith\"\r\n\"12 Oak St\"\r\n"
             "\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n\"(217) 555-0100\"\r\n\"Smith Barn\"\r\n"
             "\"400 Farm Rd\"\r\n\"Unit 2\"\r\n\"Chatham\"\r\n\"IL\"\r\n\"62629\"\r\n\"\"\r\n");
    ProposalParties parties = SmithParties();
    parties.price = Money(1234.5678);
    parties.lblCustomerInfo[1] = QStringLiteral("Joe \"The Roofer\" Smith, Jr.");
    parties.txtCustomerInfo[2] = QStringLiteral("Caf\u00e9 Rd");
    QVERIFY(WriteProposalFile(1001, parties));
    auto read = ReadProposalFile(QStringLiteral("1001.txt"));
    QVERIFY(read.ok() && !read.value.IsFieldProposal());
    QCOMPARE(read.value.price, Money(1234.5678));
    QCOMPARE(read.value.texts.size(), 15);
    QCOMPARE(read.value.texts[1], QStringLiteral("Joe \"The Roofer\" Smith, Jr."));
    // The one character outside ASCII is a single Windows-1252 byte.
    QVERIFY(folder.read(QStringLiteral("TamselProposals/1001.txt")).contains("\"Caf\xe9 Rd\""));

    FieldProposalParties field;
    field.acctNo = QStringLiteral("SMI001");
    field.lines = {QStringLiteral("Mr. John Smith"), QStringLiteral("12 Oak St"), QString(),
                   QStringLiteral("Springfield"), QStringLiteral("IL"), QStringLiteral("62701"),
                   QStringLiteral("(217) 555-0100")};
    QVERIFY(WriteFieldProposalFile(1002, field));
    QCOMPARE(folder.read(QStringLiteral("TamselProposals/1002.txt")),
             "\"FP1002\",0,#2026-12-05#\r\n\"SMI001\"\r\n\"Mr. John Smith\"\r\n\"12 Oak St\"\r\n"
             "\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n\"(217) 555-0100\"\r\n");
    read = ReadProposalFile(QStringLiteral("1002.txt"));
    QVERIFY(read.ok() && read.value.IsFieldProposal());
    QCOMPARE(read.value.texts.size(), 8);

    // A text box gives LF between lines; the file holds CR LF after every line,
    // blank lines inside the body survive and quotes and commas are plain text.
    QVERIFY(WriteBodyFile(1001, QStringLiteral("Tear off old roof\nNew shingles")));
    QCOMPARE(folder.read(QStringLiteral("TamselProposals/ProposalBody/1001.txt")),
             QByteArray("Tear off old roof\r\nNew shingles\r\n"));
    QVERIFY(WriteBodyFile(1002, QStringLiteral("A, \"B\"\r\n\r\nC\r\n")));
    QCOMPARE(ReadBodyFile(QStringLiteral("1002.txt")).value, QStringLiteral("A, \"B\"\r\n\r\nC\r\n\r\n"));
}

void ProposalFilesTest::quoteKeepsEveryOtherByte_data() {
    QTest::addColumn<QByteArray>("firstLine");
    QTest::newRow("lone CR") << QByteArray("\"FP7\",0,#2026-12-05#\r");
    QTest::newRow("line end in the number") << QByteArray("\"FP\r\n7\",0,#2026-12-05#\r\n");
}

// Only the price changes, however the first line is ended; the date stays when the quote comes later.
void ProposalFilesTest::quoteKeepsEveryOtherByte() {
    QFETCH(QByteArray, firstLine);
    ProposalsFolder folder;
    Clock::SetToday([] { return QDate(2027, 1, 9); });
    const QByteArray rest = "\"SMI001\"\r\n\"Smith\"\r\n\"12 Oak St\"\r\n\"\"\r\n\"Springfield\"\r\n"
                            "\"IL\"\r\n\"62701\"\r\n\"555-0100\"\r\n";
    folder.write(QStringLiteral("TamselProposals/7.txt"), firstLine + rest);
    QVERIFY(WriteProposalPrice(QStringLiteral("7.txt"), Money(1250)));
    QCOMPARE(folder.read(QStringLiteral("TamselProposals/7.txt")),
             QByteArray(firstLine).replace(",0,", ",1250,") + rest);
}

void ProposalFilesTest::damagedOrForeignProposalFiles() {
    ProposalsFolder folder;
    folder.write(QStringLiteral("TamselProposals/1.txt"), "\"1\",12.5,#2026-12-05#\r\n\"555\"\r\n\"Name\"\r\n");
    folder.write(QStringLiteral("TamselProposals/2.txt"), "\"2\",twelve,#2026-12-05#\r\n");
    folder.write(QStringLiteral("TamselProposals/3.txt"), "\"3\",12,#2026-13-45#\r\n");
    folder.write(QStringLiteral("MyBusinessData.txt"), "\"Biz\"\r\n");
    for (const char *name : {"1.txt", "2.txt", "3.txt"})
        QCOMPARE(ReadProposalFile(QLatin1String(name)).outcome, ReadOutcome::Unreadable);
    // Names are bare file names inside the proposals folder, never a way out of it.
    QCOMPARE(ReadProposalFile(QStringLiteral("../MyBusinessData.txt")).outcome, ReadOutcome::Missing);
    QCOMPARE(ReadPaymentsFile(QStringLiteral("ProposalBody/1.txt")).outcome, ReadOutcome::Missing);
    QVERIFY(!WriteProposalPrice(QStringLiteral("9999.txt"), Money(10)));
    QVERIFY(!folder.exists(QStringLiteral("TamselProposals/9999.txt")));
    for (const char *name : {"1010.txt", "999.txt", "1001.TXT", "notes.doc"})
        folder.write(QStringLiteral("TamselProposals/") + QLatin1String(name), "x");
    QCOMPARE(ListProposalFiles(), (QStringList{"1.txt", "2.txt", "3.txt", "999.txt", "1001.TXT", "1010.txt"}));
}

void ProposalFilesTest::paymentsFileOfOneToEightPayments() {
    ProposalsFolder folder;
    PaymentSchedule schedule{Money(1250.50),
                             {{Money(625.25), QDate(2026, 12, 15)}, {Money(625.25), QDate(2027, 1, 5)}}};
    QVERIFY(WritePaymentsFile(1001, schedule));
    QCOMPARE(PaymentsFileOf(folder, 1001), "$1,250.50\r\n2\r\n$625.25\r\n12/15/2026\r\n$625.25\r\n1/5/2027\r\n");
    // One to eight payments read back; a ninth, or a payment without its date, writes nothing.
    for (int count : {1, 8, 9}) {
        schedule = {Money(100.0 * count), {}};
        for (int i = 0; i < count; ++i)
            schedule.payments.append({Money(100), QDate(2027, 1, 1).addMonths(i)});
        QCOMPARE(WritePaymentsFile(1002, schedule), count < 9);
        QCOMPARE(ReadPaymentsFile(QStringLiteral("1002.txt")).value.payments.size(), count < 9 ? count : 8);
    }
    schedule.payments = {{Money(10), QDate()}};
    QVERIFY(!WritePaymentsFile(1003, schedule));
    QVERIFY(!folder.exists(QStringLiteral("TamselProposals/ProposalPayments/1003.txt")));
}

void ProposalFilesTest::paymentsFileReadsBackUnderItsLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QByteArray>("amountLine");
    QTest::addColumn<QByteArray>("dueLine");
    // Windows-1252 has the no-break space (A0) and the euro (80), but neither
    // the narrow no-break space of the French grouping nor "zł" nor "￥":
    // those become a no-break space and the currency's ISO code.
    QTest::newRow("fr_FR millions") << "fr_FR" << 1234567.5 << QByteArray("1\xA0" "234\xA0" "567,50\xA0\x80")
                                    << QByteArray("15/12/2026");
    QTest::newRow("pl_PL") << "pl_PL" << 1250.5 << QByteArray("1250,50\xA0PLN") << QByteArray("15.12.2026");
    QTest::newRow("ja_JP") << "ja_JP" << 125000.0 << QByteArray("JPY125,000") << QByteArray("2026/12/15");
    // Swedish writes a minus sign (U+2212) the code page lacks: a hyphen stands in.
    QTest::newRow("sv_SE negative") << "sv_SE" << -1250.5 << QByteArray("-1\xA0" "250,50\xA0kr")
                                    << QByteArray("2026-12-15");
}

// Each file reads back under the locale that wrote it, and under no other.
void ProposalFilesTest::paymentsFileReadsBackUnderItsLocale() {
    QFETCH(QString, locale);
    QFETCH(double, amount);
    QFETCH(QByteArray, amountLine);
    QFETCH(QByteArray, dueLine);
    ProposalsFolder folder;
    {
        LocaleForTest inLocale(locale);
        const PaymentSchedule schedule{Money(amount), {{Money(amount), QDate(2026, 12, 15)}}};
        QVERIFY(WritePaymentsFile(1001, schedule));
        QCOMPARE(PaymentsFileOf(folder, 1001), amountLine + "\r\n1\r\n" + amountLine + "\r\n" + dueLine + "\r\n");
        const auto read = ReadPaymentsFile(QStringLiteral("1001.txt"));
        QCOMPARE(read.outcome, ReadOutcome::Read);
        QCOMPARE(read.value.payments[0].amount, Money(amount));
        QCOMPARE(read.value.payments[0].due, QDate(2026, 12, 15));
    }
    QCOMPARE(ReadPaymentsFile(QStringLiteral("1001.txt")).outcome, ReadOutcome::Unreadable);
}

void ProposalFilesTest::paymentsFilesAsFound_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("payments"); // -1: unreadable
    const QString us = QStringLiteral("en_US");
    // Earlier versions wrote a question mark for what the code page lacks.
    QTest::newRow("fr_FR of an earlier version")
        << "fr_FR" << QByteArray("1?250,50\xA0\x80\r\n1\r\n1?250,50\xA0\x80\r\n15/12/2026\r\n") << 1;
    QTest::newRow("pl_PL of an earlier version")
        << "pl_PL" << QByteArray("1250,50\xA0z?\r\n1\r\n1250,50\xA0z?\r\n15.12.2026\r\n") << 1;
    QTest::newRow("no payments") << us << QByteArray("$0.00\r\n0\r\n") << 0;
    QTest::newRow("two-digit year of an older file")
        << us << QByteArray("$1,250.50\r\n1\r\n$1,250.50\r\n12/15/26\r\njunk\r\n") << 1;
    QTest::newRow("a pair missing") << us << QByteArray("$20.00\r\n2\r\n$10.00\r\n12/5/2026\r\n") << -1;
    QTest::newRow("date not a date") << us << QByteArray("$10.00\r\n1\r\n$10.00\r\ndue Date # 1\r\n") << -1;
    // Day and month swapped by another date order: 5 December then 12 May.
    QTest::newRow("dates that do not rise")
        << us << QByteArray("$20.00\r\n2\r\n$10.00\r\n12/5/2026\r\n$10.00\r\n5/12/2026\r\n") << -1;
}

void ProposalFilesTest::paymentsFilesAsFound() {
    QFETCH(QString, locale);
    QFETCH(QByteArray, bytes);
    QFETCH(int, payments);
    ProposalsFolder folder;
    LocaleForTest inLocale(locale);
    folder.write(QStringLiteral("TamselProposals/ProposalPayments/7.txt"), bytes);
    const auto read = ReadPaymentsFile(QStringLiteral("7.txt"));
    QCOMPARE(read.outcome, payments < 0 ? ReadOutcome::Unreadable : ReadOutcome::Read);
    if (payments < 0)
        return;
    QCOMPARE(read.value.payments.size(), payments);
    if (payments > 0) {
        QCOMPARE(read.value.payments[0].amount, Money(1250.5));
        QCOMPARE(read.value.payments[0].due, QDate(2026, 12, 15));
    }
}

// The payments cannot go in place after the proposal and body have: every old file comes back.
void ProposalFilesTest::failedPlacementPutsTheOldFilesBack() {
    ProposalsFolder folder;
    for (const QString &file : RecordFiles)
        folder.write(file, "old");
    ProposalRecord record;
    record.parties = SmithParties();
    record.body = QStringLiteral("New roof\r\n");
    {
        const RenameFault refused("ProposalPayments/1001.txt");
        QVERIFY(!RecordProposalFiles(1001, record));
    }
    for (const QString &file : RecordFiles) {
        QCOMPARE(folder.read(file), QByteArray("old"));
        QVERIFY(!folder.exists(file + QStringLiteral(".new")) && !folder.exists(file + QStringLiteral(".old")));
    }
    QVERIFY(!folder.exists(QStringLiteral("TamselProposals/1001.record")));
}

void ProposalFilesTest::stateFileKeepsACustomDisclaimer_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("generic");
    QTest::addColumn<QString>("disclaimer");
    QTest::newRow("generic, as it always was") << QByteArray("\"30\",\"open\",1,#TRUE#,8,#TRUE#\r\n") << true
                                               << QString();
    QTest::newRow("custom, with a quote and two lines")
        << QByteArray("\"30\",\"open\",1,#FALSE#,8,#TRUE#,\"Sold \"\"as is\"\".\r\nNo refunds.\"\r\n") << false
        << QStringLiteral("Sold \"as is\".\r\nNo refunds.");
    QTest::newRow("custom, kept before its words were") << QByteArray("\"30\",\"open\",1,#FALSE#,8,#TRUE#\r\n")
                                                       << false << QString();
}

void ProposalFilesTest::stateFileKeepsACustomDisclaimer() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, generic);
    QFETCH(QString, disclaimer);
    ProposalsFolder folder;
    ProposalState state;
    state.genericDisclaimer = generic;
    state.customDisclaimer = disclaimer;
    QCOMPARE(ProposalStateBytes(state), bytes);
    folder.write(QStringLiteral("TamselProposals/ProposalState/1001.txt"), bytes);
    const auto back = ReadProposalState(QStringLiteral("1001.txt"));
    QVERIFY(back.ok());
    QCOMPARE(back.value, state);
    // Words kept beside the generic disclaimer are none of its own.
    if (!generic)
        return;
    folder.write(QStringLiteral("TamselProposals/ProposalState/1001.txt"), bytes.chopped(2) + ",\"stray\"\r\n");
    QCOMPARE(ReadProposalState(QStringLiteral("1001.txt")).value.customDisclaimer, QString());
}

TAMSEL_TEST(ProposalFilesTest)
#include "tst_ProposalFiles.moc"
