// The writer's texts reach the code-page files only as the user agreed, and
// documents from elsewhere are read in the encoding they were written in.
#include "TestFolder.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/CustomerRecords.h"
#include "proposals/ItemWindow.h"
#include "proposals/Templates.h"
#include "proposals/frmWriteProposal.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

class StoredCharactersTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void documentsReadInTheirEncoding_data();
    void documentsReadInTheirEncoding();
    void writerAsksBeforeLosingCharacters_data();
    void writerAsksBeforeLosingCharacters();
};

void StoredCharactersTest::documentsReadInTheirEncoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray utf8 = QStringLiteral("Café — 5 m²").toUtf8();
    QTest::newRow("UTF-8") << utf8;
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + utf8;
    QTest::newRow("Windows-1252") << QByteArray("Caf\xE9 \x97 5 m\xB2");
}

void StoredCharactersTest::documentsReadInTheirEncoding() {
    QFETCH(QByteArray, bytes);
    TestFolder folder;
    folder.write(QStringLiteral("doc.txt"), bytes + "\r\nLine two");
    QCOMPARE(LoadDocument(folder.file(QStringLiteral("doc.txt"))).value,
             QStringLiteral("Café — 5 m²\r\nLine two\r\n"));
}

void StoredCharactersTest::writerAsksBeforeLosingCharacters_data() {
    QTest::addColumn<int>("site"); // 0 record the proposal, 1 save a template, 2 save an inventory item
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("file");   // what is stored where, or nothing written
    QTest::addColumn<QByteArray>("bytes");
    const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No);
    QTest::newRow("proposal kept for changing") << 0 << no << QStringLiteral("TamselProposals") << QByteArray();
    QTest::newRow("template with stand-ins") << 1 << yes << QStringLiteral("Templates/Proposals/Roof.txt")
                                             << QByteArray("Lazienka < 30 cm ?\r\n");
    QTest::newRow("item kept for changing") << 2 << no << QStringLiteral("QXInventoriedItems.txt") << QByteArray();
    QTest::newRow("item with stand-ins") << 2 << yes << QStringLiteral("QXInventoriedItems.txt")
                                         << QByteArray("Lazienka < 30 cm ?");
}

void StoredCharactersTest::writerAsksBeforeLosingCharacters() {
    QFETCH(int, site);
    QFETCH(int, answer);
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    const QString typed = QStringLiteral("Łazienka ≤ 30 cm ✓");
    TestFolder folder;
    for (const char *dir : {"TamselProposals/ProposalBody", "TamselProposals/ProposalPayments", "Templates/Proposals"})
        QVERIFY(QDir().mkpath(folder.file(QLatin1String(dir))));
    CustomerRecord customer;
    customer.AcctNo = customer.LastName = QStringLiteral("Lee");
    customer.AcctType = QStringLiteral("Individual");
    folder.write(QStringLiteral("CustomerData.txt"), CustomerLayout().Write(customer));
    CustomerRecNo = 1;
    ProposalNo = 1001;
    auto *w = ScreenRegistry::Get<frmWriteProposal>();
    w->Form_Activate();
    QPlainTextEdit body;
    ItemWindow items(&body);
    QLineEdit *box = site == 2 ? items.txtItem[0] : site == 1 ? nullptr : w->txtCustomerInfo[2];
    if (box)
        box->setText(typed);
    w->txtBody->setPlainText(site == 1 ? typed : QStringLiteral("Replace the roof."));

    folder.prompt->Answer(MsgAnswer(answer));
    if (site == 0) {
        w->cmdProposalContinue_Click();
    } else if (site == 1) {
        folder.prompt->Type(QStringLiteral("Roof"));
        w->cmdSave_Click();
    } else {
        items.txtItem[1]->setText(QStringLiteral("$5.00"));
        if (answer == int(MsgAnswer::Yes))
            folder.prompt->AnswerOk(2); // the item is saved
        items.cmdItem_Click(4);
    }
    QVERIFY(folder.prompt->ScriptUsed());
    QVERIFY(folder.prompt->shown[0].text.startsWith(QStringLiteral("These characters cannot be kept in the file: ")));
    // The box shows what is stored, or still what was typed.
    const QString shown = box ? box->text() : w->txtBody->toPlainText();
    QVERIFY(shown.startsWith(answer == int(MsgAnswer::Yes) ? QStringLiteral("Lazienka < 30 cm ?") : typed));
    if (bytes.isEmpty())
        QVERIFY(!folder.exists(file) || QDir(folder.file(file)).entryList(QDir::Files).isEmpty());
    else
        QVERIFY2(folder.read(file).startsWith(bytes), folder.read(file).left(40).constData());
}

TAMSEL_TEST(StoredCharactersTest)
#include "tst_StoredCharacters.moc"
