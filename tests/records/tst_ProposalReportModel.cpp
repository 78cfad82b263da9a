#include "ProposalFixtures.h"
#include "TestMain.h"

#include "proposals/ProposalFiles.h"
#include "records/ProposalReportModel.h"

#include <QTest>

namespace {

QStringList RowTexts(const ProposalReportModel &model, int row) {
    QStringList texts;
    for (int c = 0; c < model.columnCount(); ++c)
        texts << model.data(model.index(row, c)).toString();
    return texts;
}

} // namespace

class ProposalReportModelTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Clock::SetToday({}); }
    void rowsInNumericOrderReadWhenShown();
    void stateColumn_data();
    void stateColumn();
};

void ProposalReportModelTest::rowsInNumericOrderReadWhenShown() {
    TestFolder folder;
    MakeProposalFolders(folder);
    // Listed by name these would come 1001, 10000, 999.
    folder.write(ProposalPath(999), OrdinaryProposal(999, "1234.5678", "2026-10-01", "Ann Lee"));
    folder.write(ProposalPath(10000), "\"10000\",\"lots\"\r\n");
    folder.write(ProposalPath(1001), FieldProposal(1001, "0", "2026-12-05", "A-100", "Harbor Lane Roofing"));
    folder.write(BodyPath(1003), "not a proposal\r\n");
    // Leading zeros count for nothing; a name that is no number comes last,
    // and finds its state file in other letter case as a numbered one does.
    folder.write(QStringLiteral("TamselProposals/01002.txt"), OrdinaryProposal(1002, "1", "2026-10-02", "Cy Ode"));
    folder.write(QStringLiteral("TamselProposals/Roof-Notes.TXT"), OrdinaryProposal(5, "1", "2026-10-02", "Di Roe"));
    folder.write(QStringLiteral("TamselProposals/ProposalState/roof-notes.txt"),
                 "\"10\",\"accepted\",2,#FALSE#,10,#TRUE#\r\n");
    folder.write(QStringLiteral("TamselProposals/ProposalState/999.TXT"), "\"10\",\"declined\",2,#FALSE#,10,#TRUE#\r\n");
    ProposalReportModel model;
    QCOMPARE(model.Fill(), 5);
    // No file is read before its row is shown; a row marked before keeps its mark.
    model.ToggleSelection(1);
    QCOMPARE(model.RowsRead(), 0);
    QCOMPARE(RowTexts(model, 1), QStringList({SelectionMark(), "12/5/2026", "FP1001", "A-100",
                                              "Harbor Lane Roofing", "$0.00", "open"}));
    QCOMPARE(RowTexts(model, 0)[ProposalReportModel::AmountColumn], QStringLiteral("$1,234.57"));
    QCOMPARE(RowTexts(model, 0)[ProposalReportModel::StateColumn], QStringLiteral("declined"));
    // A damaged file is one row, said to be unreadable.
    QCOMPARE(RowTexts(model, 3), QStringList({"", "", "10000", "", "", "", "unreadable file"}));
    QCOMPARE(RowTexts(model, 2)[ProposalReportModel::NumberColumn], QStringLiteral("1002"));
    QCOMPARE(RowTexts(model, 4)[ProposalReportModel::StateColumn], QStringLiteral("accepted"));
    QCOMPARE(model.MarkedFiles(), QStringList({"1001.txt"}));
    // Deleted, added and rewritten on disk since: the refill shows them so,
    // reads nothing before it is shown, and the marks are gone.
    QVERIFY(DeleteProposalRecord(QStringLiteral("1001.txt")));
    folder.write(ProposalPath(999), OrdinaryProposal(999, "10", "2026-10-01", "Renamed"));
    folder.write(ProposalPath(1005), FieldProposal(1005, "0", "2026-12-05", "A-5", "Added"));
    QCOMPARE(model.Fill(), 5);
    QCOMPARE(model.RowsRead(), 0);
    QVERIFY(model.MarkedFiles().isEmpty());
    QCOMPARE(model.RowOfFile(QStringLiteral("1001.TXT")), -1);
    QCOMPARE(RowTexts(model, 0)[ProposalReportModel::NameColumn], QStringLiteral("Renamed"));
    QCOMPARE(RowTexts(model, 2)[ProposalReportModel::NumberColumn], QStringLiteral("FP1005"));
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

TAMSEL_TEST(ProposalReportModelTest)
#include "tst_ProposalReportModel.moc"
