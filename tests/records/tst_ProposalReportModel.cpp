#include "ProposalFixtures.h"
#include "TestMain.h"

#include "proposals/ProposalState.h"
#include "records/ProposalReportModel.h"
#include "records/StoredProposal.h"

#include <QTest>

namespace {

QString Cell(const ProposalReportModel &model, int row, int column) {
    return model.data(model.index(row, column)).toString();
}

QStringList RowTexts(const ProposalReportModel &model, int row) {
    QStringList texts;
    for (int c = 0; c < model.columnCount(); ++c)
        texts << Cell(model, row, c);
    return texts;
}

} // namespace

class ProposalReportModelTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Clock::SetToday({}); }
    void columnsHeadingsAndAlignment_data();
    void columnsHeadingsAndAlignment();
    void rowsInNumericOrderWithBothKinds();
    void damagedFileIsOneRowWithWhatCouldBeRead_data();
    void damagedFileIsOneRowWithWhatCouldBeRead();
    void stateColumn_data();
    void stateColumn();
    void selectionTogglesAndRefillClearsIt();
    void stateFileRoundTrip();
    void storedProposalFillsTheDocument();
    void fieldProposalName_data();
    void fieldProposalName();
};

void ProposalReportModelTest::columnsHeadingsAndAlignment_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("alignment");
    QTest::newRow("select") << 0 << "Select" << 6 << int(Qt::AlignHCenter);
    QTest::newRow("date") << 1 << "Creation Date" << 13 << int(Qt::AlignHCenter);
    QTest::newRow("number") << 2 << "Proposal No" << 13 << int(Qt::AlignHCenter);
    QTest::newRow("account") << 3 << "Account No" << 16 << int(Qt::AlignHCenter);
    QTest::newRow("name") << 4 << "Name" << 48 << int(Qt::AlignLeft);
    QTest::newRow("amount") << 5 << "Amount" << 11 << int(Qt::AlignRight);
    QTest::newRow("state") << 6 << "State" << 12 << int(Qt::AlignHCenter);
}

void ProposalReportModelTest::columnsHeadingsAndAlignment() {
    QFETCH(int, column);
    QFETCH(QString, heading);
    QFETCH(int, width);
    QFETCH(int, alignment);
    ProposalReportModel model;
    QCOMPARE(model.columnCount(), 7);
    QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), heading);
    QCOMPARE(ProposalReportModel::Columns()[column].widthChars, width);
    const int shown = model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt();
    QCOMPARE(shown & int(Qt::AlignHorizontal_Mask), alignment);
}

void ProposalReportModelTest::rowsInNumericOrderWithBothKinds() {
    TestFolder folder;
    MakeProposalFolders(folder);
    // Listed by name these would come 1001, 10000, 1002, 999.
    folder.write(ProposalPath(1002), OrdinaryProposal(1002, "1250.5", "2026-11-20", "John Smith"));
    folder.write(ProposalPath(999), OrdinaryProposal(999, "80", "2026-10-01", "Ann Lee"));
    folder.write(ProposalPath(10000), OrdinaryProposal(10000, "1234.5678", "2026-12-01", "Big Job"));
    folder.write(ProposalPath(1001), FieldProposal(1001, "0", "2026-12-05", "A-100", "Harbor Lane Roofing"));
    folder.write(QStringLiteral("TamselProposals/notes.txt"), OrdinaryProposal(5, "1", "2026-01-01", "x"));
    folder.write(QStringLiteral("TamselProposals/ProposalBody/1003.txt"), "not a proposal\r\n");
    ProposalReportModel model;
    QCOMPARE(model.Fill(), 5);
    QCOMPARE(model.RowAt(0).fileName, QStringLiteral("999.txt"));
    QCOMPARE(model.RowAt(1).fileName, QStringLiteral("1001.txt"));
    QCOMPARE(model.RowAt(2).fileName, QStringLiteral("1002.txt"));
    QCOMPARE(model.RowAt(3).fileName, QStringLiteral("10000.txt"));
    QCOMPARE(model.RowAt(4).fileName, QStringLiteral("notes.txt"));
    QCOMPARE(RowTexts(model, 1), QStringList({"", "12/5/2026", "FP1001", "A-100", "Harbor Lane Roofing", "$0.00", "open"}));
    // An ordinary proposal keeps its telephone as shown on line 2.
    QCOMPARE(RowTexts(model, 2),
             QStringList({"", "11/20/2026", "1002", "(217) 555-0100 ", "John Smith", "$1,250.50", "open"}));
    QCOMPARE(Cell(model, 3, ProposalReportModel::AmountColumn), QStringLiteral("$1,234.57"));
    QVERIFY(model.RowAt(1).IsFieldProposal());
    QVERIFY(!model.RowAt(2).IsFieldProposal());
    QVERIFY(!model.RowAt(2).unreadable);
    const int alignment = model.data(model.index(0, ProposalReportModel::AmountColumn), Qt::TextAlignmentRole).toInt();
    QVERIFY(alignment & Qt::AlignRight);

    int lastDone = -1, calls = 0;
    model.Fill([&](int done, int total) {
        QCOMPARE(total, 5);
        QVERIFY(done >= lastDone);
        lastDone = done;
        ++calls;
    });
    QVERIFY(calls >= 1);
    QCOMPARE(lastDone, 5);
}

void ProposalReportModelTest::damagedFileIsOneRowWithWhatCouldBeRead_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("shown");
    QByteArray full = OrdinaryProposal(1001, "1250.5", "2026-11-02", "John Smith");
    QTest::newRow("missing lines") << full.left(full.indexOf("\"Springfield\""))
                                   << QStringList({"", "11/2/2026", "1001", "(217) 555-0100 ", "John Smith",
                                                   "$1,250.50", "unreadable file"});
    QByteArray wrongKind = full;
    wrongKind.replace("1250.5", "\"lots\"");
    QTest::newRow("price of the wrong kind")
        << wrongKind << QStringList({"", "", "1001", "", "", "", "unreadable file"});
    QByteArray badDate = full;
    badDate.replace("#2026-11-02#", "#2026-13-45#");
    QTest::newRow("bad date") << badDate
                              << QStringList({"", "", "1001", "", "", "$1,250.50", "unreadable file"});
    QTest::newRow("empty file") << QByteArray() << QStringList({"", "", "", "", "", "", "unreadable file"});
    QTest::newRow("short field proposal")
        << FieldProposal(1001, "0", "2026-12-05", "A-100", "Harbor").left(60)
        << QStringList({"", "12/5/2026", "FP1001", "A-100", "Harbor", "$0.00", "unreadable file"});
}

void ProposalReportModelTest::damagedFileIsOneRowWithWhatCouldBeRead() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, shown);
    TestFolder folder;
    MakeProposalFolders(folder);
    folder.write(ProposalPath(1000), OrdinaryProposal(1000, "10", "2026-11-01", "Before"));
    folder.write(ProposalPath(1001), bytes);
    folder.write(ProposalPath(1002), FieldProposal(1002, "0", "2026-11-03", "B-2", "After"));
    ProposalReportModel model;
    QCOMPARE(model.Fill(), 3);
    QVERIFY(model.RowAt(1).unreadable);
    QCOMPARE(RowTexts(model, 1), shown);
    QVERIFY(model.data(model.index(1, 4), Qt::ToolTipRole).toString().contains(QStringLiteral("1001.txt")));
    // The rows around it read as ever.
    QVERIFY(!model.RowAt(0).unreadable && !model.RowAt(2).unreadable);
    QCOMPARE(Cell(model, 2, ProposalReportModel::NameColumn), QStringLiteral("After"));
    QCOMPARE(folder.read(ProposalPath(1001)), bytes);
}

void ProposalReportModelTest::stateColumn_data() {
    QTest::addColumn<QByteArray>("stateFile"); // empty: none
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("shown");
    // The proposal is dated 2 November 2026.
    QTest::newRow("no file, within 30 days") << QByteArray() << QDate(2026, 12, 2) << "open";
    QTest::newRow("no file, day 31") << QByteArray() << QDate(2026, 12, 3) << "expired";
    QTest::newRow("10 days, on the last day")
        << QByteArray("\"10\",\"open\",1,#TRUE#,8,#TRUE#\r\n") << QDate(2026, 11, 12) << "open";
    QTest::newRow("10 days, after") << QByteArray("\"10\",\"open\",1,#TRUE#,8,#TRUE#\r\n") << QDate(2026, 11, 13)
                                    << "expired";
    QTest::newRow("accepted never expires")
        << QByteArray("\"10\",\"accepted\",2,#FALSE#,10,#TRUE#\r\n") << QDate(2027, 6, 1) << "accepted";
    QTest::newRow("declined") << QByteArray("\"60\",\"declined\",0,#TRUE#,6,#FALSE#\r\n") << QDate(2026, 11, 3)
                              << "declined";
    QTest::newRow("typed days that are no number stay open")
        << QByteArray("\"ninety\",\"open\",1,#TRUE#,8,#TRUE#\r\n") << QDate(2030, 1, 1) << "open";
    QTest::newRow("damaged state file") << QByteArray("\"30\",\"maybe\",1,#TRUE#,8,#TRUE#\r\n")
                                        << QDate(2026, 11, 3) << "unreadable";
    QTest::newRow("print size out of range")
        << QByteArray("\"30\",\"open\",1,#TRUE#,9,#TRUE#\r\n") << QDate(2026, 11, 3) << "unreadable";
}

void ProposalReportModelTest::stateColumn() {
    QFETCH(QByteArray, stateFile);
    QFETCH(QDate, today);
    QFETCH(QString, shown);
    TestFolder folder;
    MakeProposalFolders(folder);
    Clock::SetToday([today] { return today; });
    folder.write(ProposalPath(1001), OrdinaryProposal(1001, "10", "2026-11-02", "John Smith"));
    if (!stateFile.isEmpty())
        folder.write(StatePath(1001), stateFile);
    ProposalReportModel model;
    QCOMPARE(model.Fill(), 1);
    QCOMPARE(Cell(model, 0, ProposalReportModel::StateColumn), shown);
    QVERIFY(!model.RowAt(0).unreadable); // a damaged state file leaves the proposal readable
}

void ProposalReportModelTest::selectionTogglesAndRefillClearsIt() {
    TestFolder folder;
    MakeProposalFolders(folder);
    for (int n : {1001, 1002, 1003})
        folder.write(ProposalPath(n), OrdinaryProposal(n, "10", "2026-11-02", "Name"));
    ProposalReportModel model;
    model.Fill();
    model.ToggleSelection(0);
    model.ToggleSelection(2);
    model.ToggleSelection(0);
    model.ToggleSelection(2);
    model.ToggleSelection(2);
    QCOMPARE(Cell(model, 0, 0), QString());
    QCOMPARE(Cell(model, 2, 0), QString(QChar(0xAB)) + QStringLiteral("  "));
    QCOMPARE(model.MarkedFiles(), QStringList({"1003.txt"}));
    model.ToggleSelection(7); // no such row: nothing happens
    model.Fill();
    QVERIFY(model.MarkedFiles().isEmpty());
}

void ProposalReportModelTest::stateFileRoundTrip() {
    TestFolder folder;
    MakeProposalFolders(folder);
    ProposalState state;
    QCOMPARE(ProposalStateBytes(state), QByteArray("\"30\",\"open\",1,#TRUE#,8,#TRUE#\r\n"));
    QCOMPARE(ReadProposalState(QStringLiteral("1001.txt")).outcome, ReadOutcome::Missing);
    QCOMPARE(ReadProposalState(QStringLiteral("1001.txt")).value, ProposalState());

    ProposalDocument document;
    document.days = QStringLiteral("45");
    document.plan = 2;
    document.genericDisclaimer = false;
    document.printSize = 12;
    document.usaStyle = false;
    QVERIFY(WriteProposalState(qint16(1001), document)); // makes the folder
    QCOMPARE(folder.read(StatePath(1001)), QByteArray("\"45\",\"open\",2,#FALSE#,12,#FALSE#\r\n"));
    auto back = ReadProposalState(QStringLiteral("1001.txt"));
    QVERIFY(back.ok());
    QCOMPARE(back.value, StateOfDocument(document));
    back.value.status = ProposalStatus::Declined;
    QVERIFY(WriteProposalState(QStringLiteral("1001.txt"), back.value));
    QCOMPARE(ReadProposalState(QStringLiteral("1001.txt")).value.status, ProposalStatus::Declined);
    QVERIFY(!WriteProposalState(QStringLiteral("../1001.txt"), back.value));
    QVERIFY(DeleteProposalState(QStringLiteral("1001.txt")));
    QVERIFY(!folder.exists(StatePath(1001)));
}

void ProposalReportModelTest::storedProposalFillsTheDocument() {
    TestFolder folder;
    MakeProposalFolders(folder);
    folder.write(ProposalPath(1001), OrdinaryProposal(1001, "1250.5", "2026-11-02", "John Smith"));
    folder.write(PaymentsPath(1001), "$1,250.50\r\n2\r\n$625.25\r\n11/2/2026\r\n$625.25\r\n12/2/2026\r\n");
    folder.write(StatePath(1001), "\"45\",\"accepted\",2,#FALSE#,10,#TRUE#\r\n");
    auto stored = StoredProposalDocument(QStringLiteral("1001.txt"));
    QVERIFY(stored.ok());
    const ProposalDocument &doc = stored.value;
    QVERIFY(!doc.isField);
    QCOMPARE(doc.number, qint16(1001));
    QCOMPARE(doc.date, QDate(2026, 11, 2));
    QCOMPARE(doc.customer[1], QStringLiteral("John Smith"));
    QCOMPARE(doc.customer[7], QStringLiteral("(217) 555-0100"));
    QCOMPARE(doc.jobSite[1], QStringLiteral("Smith Barn"));
    QCOMPARE(doc.jobSite[6], QStringLiteral("62629"));
    QCOMPARE(doc.bodyName, QStringLiteral("\\TamselProposals\\ProposalBody\\1001.txt"));
    QCOMPARE(doc.priceText, QStringLiteral("$1,250.50"));
    QCOMPARE(doc.payments.size(), 2);
    QCOMPARE(doc.payments[1].amount, Money(625.25));
    QCOMPARE(doc.payments[1].dueText, QStringLiteral("12/2/2026"));
    QCOMPARE(doc.days, QStringLiteral("45"));
    QCOMPARE(doc.plan, 2);
    QVERIFY(!doc.genericDisclaimer);
    QCOMPARE(doc.printSize, 10);

    // Without payments and state files: the stored price, open for 30 days.
    folder.write(ProposalPath(1002), FieldProposal(1002, "0", "2026-12-05", "A-100", "Harbor"));
    auto field = StoredProposalDocument(QStringLiteral("1002.txt"));
    QVERIFY(field.ok());
    QVERIFY(field.value.isField);
    QCOMPARE(field.value.number, qint16(1002));
    QCOMPARE(field.value.customer[1], QStringLiteral("Harbor"));
    QCOMPARE(field.value.internationalLines[0], QStringLiteral("Salem"));
    QCOMPARE(field.value.internationalLines[1], QStringLiteral("97301"));
    QCOMPARE(field.value.days, QStringLiteral("30"));
    QVERIFY(field.value.bodyName.isEmpty());

    // Nothing prints from a half-read proposal.
    folder.write(PaymentsPath(1001), "$1,250.50\r\n3\r\n$625.25\r\n11/2/2026\r\n");
    QCOMPARE(StoredProposalDocument(QStringLiteral("1001.txt")).outcome, ReadOutcome::Unreadable);
    folder.write(PaymentsPath(1001), "$1,250.50\r\n0\r\n");
    folder.write(StatePath(1001), "\"45\"\r\n");
    QCOMPARE(StoredProposalDocument(QStringLiteral("1001.txt")).outcome, ReadOutcome::Unreadable);
    folder.write(ProposalPath(1003), "\"1003\",1,#2026-01-01#\r\n");
    QCOMPARE(StoredProposalDocument(QStringLiteral("1003.txt")).outcome, ReadOutcome::Unreadable);
    QCOMPARE(StoredProposalDocument(QStringLiteral("1004.txt")).outcome, ReadOutcome::Missing);
}

void ProposalReportModelTest::fieldProposalName_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("name");
    QTest::newRow("title, no middle initial") << "Individual" << "Mr." << "" << "Mr. John Smith";
    QTest::newRow("title and middle initial") << "Individual" << "Mr." << "Q" << "Mr. John Q Smith";
    QTest::newRow("no title") << "Individual" << "" << "" << " John Smith";
    QTest::newRow("no title, middle initial") << "Individual" << "" << "Q" << " John Q Smith";
    QTest::newRow("business") << "Business" << "Mr." << "Q" << "Harbor Lane Roofing";
}

void ProposalReportModelTest::fieldProposalName() {
    QFETCH(QString, type);
    QFETCH(QString, title);
    QFETCH(QString, middle);
    QFETCH(QString, name);
    CustomerRecord rec;
    rec.AcctType = type;
    rec.AcctName = QStringLiteral(" Harbor Lane Roofing  ");
    rec.Title = title;
    rec.FirstName = QStringLiteral("John  ");
    rec.MiddleInitial = middle;
    rec.LastName = QStringLiteral(" Smith");
    QCOMPARE(FieldProposalName(rec), name);
}

TAMSEL_TEST(ProposalReportModelTest)
#include "tst_ProposalReportModel.moc"
