#include "ProposalFixtures.h"
#include "TestMain.h"

#include "records/ProposalReportModel.h"
#include "records/StoredProposal.h"

#include <QTest>

namespace {

QStringList RowTexts(const ProposalReportModel &model, int row) {
    QStringList texts;
    for (int c = 0; c < model.columnCount(); ++c)
        texts << model.data(model.index(row, c)).toString();
    return texts;
}

ReadOutcome OutcomeOf(int number) { return StoredProposalDocument(QStringLiteral("%1.txt").arg(number)).outcome; }

} // namespace

class ProposalReportModelTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Clock::SetToday({}); }
    void rowsInNumericOrderReadWhenShownAndRefilled();
    void damagedFileIsOneRowWithWhatCouldBeRead_data();
    void damagedFileIsOneRowWithWhatCouldBeRead();
    void stateColumn_data();
    void stateColumn();
    void storedProposalFillsTheDocument();
};

void ProposalReportModelTest::rowsInNumericOrderReadWhenShownAndRefilled() {
    TestFolder folder;
    MakeProposalFolders(folder);
    // Listed by name these would come 1001, 10000, 1002, 999.
    folder.write(ProposalPath(1002), OrdinaryProposal(1002, "1250.5", "2026-11-20", "John Smith"));
    folder.write(ProposalPath(999), OrdinaryProposal(999, "80", "2026-10-01", "Ann Lee"));
    folder.write(ProposalPath(10000), OrdinaryProposal(10000, "1234.5678", "2026-12-01", "Big Job"));
    folder.write(ProposalPath(1001), FieldProposal(1001, "0", "2026-12-05", "A-100", "Harbor Lane Roofing"));
    folder.write(BodyPath(1003), "not a proposal\r\n");
    ProposalReportModel model;
    QCOMPARE(model.Fill(), 4);
    // The order comes from the names alone; no file is read before its row is shown.
    QCOMPARE(model.RowOfFile(QStringLiteral("10000.TXT")), 3);
    // A row marked before it is read keeps its mark once read; a second click
    // unmarks, and a row past the last is no row.
    for (int row : {0, 2, 0, 7})
        model.ToggleSelection(row);
    QCOMPARE(model.RowsRead(), 0);
    QCOMPARE(RowTexts(model, 1),
             QStringList({"", "12/5/2026", "FP1001", "A-100", "Harbor Lane Roofing", "$0.00", "open"}));
    // An ordinary proposal keeps its telephone as shown on line 2.
    QCOMPARE(RowTexts(model, 2), QStringList({SelectionMark(), "11/20/2026", "1002", "(217) 555-0100 ",
                                              "John Smith", "$1,250.50", "open"}));
    QCOMPARE(RowTexts(model, 3)[ProposalReportModel::AmountColumn], QStringLiteral("$1,234.57"));
    QCOMPARE(model.MarkedFiles(), QStringList({"1002.txt"}));
    // Deleted, added and rewritten on disk since: the refill shows them so, and no mark stays.
    QVERIFY(DeleteProposalRecord(QStringLiteral("1002.txt")));
    folder.write(ProposalPath(999), OrdinaryProposal(999, "80", "2026-10-01", "Renamed"));
    folder.write(ProposalPath(1005), "\"1005\",\"lots\"\r\n");
    QCOMPARE(model.Fill(), 4);
    QCOMPARE(RowTexts(model, 0)[ProposalReportModel::NameColumn], QStringLiteral("Renamed"));
    QCOMPARE(RowTexts(model, 2), QStringList({"", "", "1005", "", "", "", "unreadable file"}));
    QVERIFY(model.MarkedFiles().isEmpty());
}

void ProposalReportModelTest::damagedFileIsOneRowWithWhatCouldBeRead_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("shown");
    const QByteArray full = OrdinaryProposal(1001, "1250.5", "2026-11-02", "John Smith");
    const QString bad = QStringLiteral("unreadable file");
    QTest::newRow("missing lines") << full.left(full.indexOf("\"Springfield\""))
                                   << QStringList({"", "11/2/2026", "1001", "(217) 555-0100 ", "John Smith",
                                                   "$1,250.50", bad});
    QTest::newRow("bad date") << QByteArray(full).replace("#2026-11-02#", "#2026-13-45#")
                              << QStringList({"", "", "1001", "", "", "$1,250.50", bad});
    QTest::newRow("short field proposal") << FieldProposal(1001, "0", "2026-12-05", "A-100", "Harbor").left(60)
                                          << QStringList({"", "12/5/2026", "FP1001", "A-100", "Harbor", "$0.00", bad});
}

void ProposalReportModelTest::damagedFileIsOneRowWithWhatCouldBeRead() {
    QFETCH(QByteArray, bytes);
    TestFolder folder;
    MakeProposalFolders(folder);
    folder.write(ProposalPath(1001), bytes);
    folder.write(ProposalPath(1002), FieldProposal(1002, "0", "2026-11-03", "B-2", "After"));
    ProposalReportModel model;
    QCOMPARE(model.Fill(), 2);
    QTEST(RowTexts(model, 0), "shown");
    QVERIFY(model.data(model.index(0, 4), Qt::ToolTipRole).toString().contains(QStringLiteral("1001.txt")));
    // The row after it reads as ever; the damaged file is left as it is.
    QVERIFY(model.RowAt(0).unreadable && !model.RowAt(1).unreadable);
    QCOMPARE(RowTexts(model, 1)[ProposalReportModel::NameColumn], QStringLiteral("After"));
    QCOMPARE(folder.read(ProposalPath(1001)), bytes);
}

void ProposalReportModelTest::stateColumn_data() {
    QTest::addColumn<QByteArray>("stateFile"); // empty: none
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("shown");
    // The proposal is dated 2 November 2026.
    const QByteArray tenDays = "\"10\",\"open\",1,#TRUE#,8,#TRUE#\r\n";
    QTest::newRow("no file, within 30 days") << QByteArray() << QDate(2026, 12, 2) << "open";
    QTest::newRow("no file, day 31") << QByteArray() << QDate(2026, 12, 3) << "expired";
    QTest::newRow("10 days, on the last day") << tenDays << QDate(2026, 11, 12) << "open";
    QTest::newRow("10 days, after") << tenDays << QDate(2026, 11, 13) << "expired";
    QTest::newRow("accepted never expires")
        << QByteArray("\"10\",\"accepted\",2,#FALSE#,10,#TRUE#\r\n") << QDate(2027, 6, 1) << "accepted";
    QTest::newRow("typed days that are no number stay open")
        << QByteArray("\"ninety\",\"open\",1,#TRUE#,8,#TRUE#\r\n") << QDate(2030, 1, 1) << "open";
    QTest::newRow("damaged state file") << QByteArray("\"30\",\"maybe\",1,#TRUE#,8,#TRUE#\r\n")
                                        << QDate(2026, 11, 3) << "unreadable";
    QTest::newRow("payment plan out of range")
        << QByteArray("\"30\",\"open\",3,#TRUE#,8,#TRUE#\r\n") << QDate(2026, 11, 3) << "unreadable";
}

void ProposalReportModelTest::stateColumn() {
    QFETCH(QByteArray, stateFile);
    QFETCH(QDate, today);
    TestFolder folder;
    MakeProposalFolders(folder);
    Clock::SetToday([today] { return today; });
    folder.write(ProposalPath(1001), OrdinaryProposal(1001, "10", "2026-11-02", "John Smith"));
    if (!stateFile.isEmpty())
        folder.write(StatePath(1001), stateFile);
    ProposalReportModel model;
    QCOMPARE(model.Fill(), 1);
    QTEST(RowTexts(model, 0)[ProposalReportModel::StateColumn], "shown");
    QVERIFY(!model.RowAt(0).unreadable); // a damaged state file leaves the proposal readable
}

// What a reprint prints: the stored files, all of them sound, or nothing.
void ProposalReportModelTest::storedProposalFillsTheDocument() {
    TestFolder folder;
    MakeProposalFolders(folder);
    folder.write(ProposalPath(1001), OrdinaryProposal(1001, "1250.5", "2026-11-02", "John Smith"));
    folder.write(PaymentsPath(1001), "$1,250.50\r\n2\r\n$625.25\r\n11/2/2026\r\n$625.25\r\n12/2/2026\r\n");
    folder.write(StatePath(1001), "\"45\",\"accepted\",2,#FALSE#,10,#TRUE#\r\n");
    auto stored = StoredProposalDocument(QStringLiteral("1001.txt"));
    QVERIFY(stored.ok());
    const ProposalDocument &doc = stored.value;
    QVERIFY(!doc.isField && doc.date == QDate(2026, 11, 2));
    QCOMPARE(doc.customer[7], QStringLiteral("(217) 555-0100")); // trimmed, unlike the report's column
    QCOMPARE(doc.jobSite[6], QStringLiteral("62629"));
    QCOMPARE(doc.bodyName, QStringLiteral("\\TamselProposals\\ProposalBody\\1001.txt"));
    QCOMPARE(doc.priceText, QStringLiteral("$1,250.50"));
    QCOMPARE(doc.payments.size(), 2);
    QCOMPARE(doc.payments[1].amount, Money(625.25));
    QCOMPARE(doc.payments[1].dueText, QStringLiteral("12/2/2026"));
    QVERIFY(doc.days == QStringLiteral("45") && doc.plan == 2 && !doc.genericDisclaimer && doc.printSize == 10);
    // Without payments and state files: the stored price, open for 30 days.
    folder.write(ProposalPath(1002), FieldProposal(1002, "0", "2026-12-05", "A-100", "Harbor"));
    auto field = StoredProposalDocument(QStringLiteral("1002.txt"));
    QVERIFY(field.ok() && field.value.isField && field.value.days == QStringLiteral("30"));
    QCOMPARE(field.value.customer[1], QStringLiteral("Harbor"));
    QCOMPARE(field.value.internationalLines[1], QStringLiteral("97301"));
    // Nothing prints from a half-read proposal.
    folder.write(StatePath(1001), "\"45\"\r\n");
    QCOMPARE(OutcomeOf(1001), ReadOutcome::Unreadable);
    folder.write(ProposalPath(1003), "\"1003\",1,#2026-01-01#\r\n");
    QCOMPARE(OutcomeOf(1003), ReadOutcome::Unreadable);
    QCOMPARE(OutcomeOf(1004), ReadOutcome::Missing);
}

TAMSEL_TEST(ProposalReportModelTest)
#include "tst_ProposalReportModel.moc"
