#include "ScriptedDialogs.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "../records/ProposalFixtures.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/CustomerRecords.h"
#include "customers/frmCustomer.h"
#include "platform/Dialogs.h"
#include "proposals/frmWriteProposal.h"
#include "records/frmFieldProposal.h"
#include "records/frmProposalReport.h"
#include "records/frmTerms.h"
#include "settings/frmSetup.h"
#include "telephone/frmDialer.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

TamselForm *OpenScreen(const QString &name) {
    if (name == QLatin1String("setup"))
        return ScreenRegistry::Get<frmSetup>();
    if (name == QLatin1String("customer"))
        return ScreenRegistry::Get<frmCustomer>();
    if (name == QLatin1String("writer"))
        return ScreenRegistry::Get<frmWriteProposal>();
    if (name == QLatin1String("dialer"))
        return ScreenRegistry::Get<frmDialer>();
    if (name == QLatin1String("report"))
        return ScreenRegistry::Get<frmProposalReport>();
    return ScreenRegistry::Get<frmTerms>();
}

// The widget the user types into: an editable combo box's own line.
QWidget *TypedBox(TamselForm *screen, const QString &name) {
    auto *box = screen->findChild<QWidget *>(name);
    if (auto *combo = qobject_cast<QComboBox *>(box))
        return combo->lineEdit();
    return box;
}

QString BoxText(QWidget *box) {
    if (auto *edit = qobject_cast<QPlainTextEdit *>(box))
        return edit->toPlainText();
    return qobject_cast<QLineEdit *>(box)->text();
}

const QString Megabyte(1 << 20, QLatin1Char('x'));

} // namespace

class FieldLimitsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void pasteKeepsToTheBox_data();
    void pasteKeepsToTheBox();
    void unstorableCharactersAreAskedAbout_data();
    void unstorableCharactersAreAskedAbout();
};

void FieldLimitsTest::pasteKeepsToTheBox_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit"); // -1: a multi-line body, kept whole
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("message");

    const QString cut = QStringLiteral("This box holds at most %1 characters.\r\nThe text was cut to fit.");
    const struct {
        const char *screen, *box;
        int limit;
    } boxes[] = {{"setup", "txtBusiness_0", 32767},
                 {"setup", "txtBusiness_4", 2},
                 {"setup", "txtProposalNo", 12},
                 {"customer", "txtCustomer_0", 20},
                 {"customer", "cboCity", 25},
                 {"customer", "txtHeading_0", 32767},
                 {"writer", "txtCustomerInfo_1", 32767},
                 {"writer", "txtItem_0", 50},
                 {"writer", "cboCategories", 20},
                 {"dialer", "txtDialer_0", 32767},
                 {"report", "txtQuote", 32767},
                 {"writer", "txtBody", -1},
                 {"customer", "txtAux_0", -1},
                 {"terms", "Text1_0", -1}};
    for (const auto &b : boxes) {
        const QString screen = QLatin1String(b.screen), box = QLatin1String(b.box);
        const auto row = [&](const char *size, const QString &pasted) {
            const bool over = b.limit >= 0 && pasted.size() > b.limit;
            QTest::addRow("%s %s", b.box, size)
                << screen << box << b.limit << pasted << (over ? pasted.left(b.limit) : pasted)
                << (over ? cut.arg(b.limit) : QString());
        };
        if (b.limit >= 0) {
            row("at the limit", Megabyte.left(b.limit));
            row("one over", Megabyte.left(b.limit + 1));
        }
        row("1 MB", Megabyte);
    }
    const QString port =
        QStringLiteral("This box takes a whole number from 1 to 16.\r\nThe text was not taken.");
    QTest::newRow("modem port in range") << "setup"
                                         << "txtModemPort" << 2 << "16"
                                         << "16" << QString();
    QTest::newRow("modem port too high") << "setup"
                                         << "txtModemPort" << 2 << "17" << QString() << port;
    QTest::newRow("modem port not a number") << "setup"
                                             << "txtModemPort" << 2 << "COM3" << QString() << port;
}

void FieldLimitsTest::pasteKeepsToTheBox() {
    QFETCH(QString, screen);
    QFETCH(QString, box);
    QFETCH(int, limit);
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    QFETCH(QString, message);
    TestFolder folder;
    QWidget *typed = TypedBox(OpenScreen(screen), box);
    QVERIFY2(typed, qPrintable(box));
    if (auto *line = qobject_cast<QLineEdit *>(typed)) {
        line->setReadOnly(false); // the modem search may still hold the port box
        line->clear();
    } else {
        qobject_cast<QPlainTextEdit *>(typed)->clear();
    }
    if (!message.isEmpty())
        folder.prompt->AnswerOk();

    QGuiApplication::clipboard()->setText(pasted);
    QTest::keySequence(typed, QKeySequence::Paste);
    QCoreApplication::sendPostedEvents(); // the message comes after the paste
    QCOMPARE(BoxText(typed).size(), kept.size());
    QCOMPARE(BoxText(typed), kept);
    QCOMPARE(folder.prompt->Texts(), message.isEmpty() ? QStringList() : QStringList{message});

    // The next key is taken at once; a line that is full, or takes no such
    // key, refuses it with a beep.
    const int beeps = folder.prompt->beeps;
    QTest::keyClick(typed, Qt::Key_Z);
    QCOMPARE(BoxText(typed), limit < 0 ? kept + QLatin1Char('z') : kept);
    QCOMPARE(folder.prompt->beeps, limit < 0 ? beeps : beeps + 1);
}

void FieldLimitsTest::unstorableCharactersAreAskedAbout_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("file");
    QTest::newRow("business data") << "setup"
                                   << "MyBusinessData.txt";
    QTest::newRow("speed-dial name") << "dialer"
                                     << "SpeedNumbers.txt";
    QTest::newRow("field proposal's account") << "field"
                                              << "TamselProposals/1001.txt";
}

void FieldLimitsTest::unstorableCharactersAreAskedAbout() {
    QFETCH(QString, where);
    QFETCH(QString, file);
    TestFolder folder;
    const QString typed = QStringLiteral("Ω Roofing");
    folder.prompt->Answer(MsgAnswer::No);
    QLineEdit *box = nullptr;
    if (where == QLatin1String("setup")) {
        auto *setup = ScreenRegistry::Get<frmSetup>();
        box = setup->txtBusiness[0];
        box->setText(typed);
        setup->txtBusiness[5]->setText(QStringLiteral("97301"));
        setup->cmdMenu_Click();
    } else if (where == QLatin1String("dialer")) {
        auto *dialer = ScreenRegistry::Get<frmDialer>();
        dialer->cmdDialer[0]->click();
        box = dialer->txtDialer[0];
        box->setText(typed);
        dialer->txtDialer[1]->setText(QStringLiteral("555-0101"));
        dialer->cmdSpeedDialer[0]->click();
    } else {
        MakeProposalFolders(folder);
        folder.write(QStringLiteral("TProposalCounter.txt"), "1001\r\n");
        CustomerRecord customer;
        customer.AcctNo = customer.LastName = QStringLiteral("Lee");
        customer.AcctType = QStringLiteral("Individual");
        folder.write(QStringLiteral("CustomerData.txt"), CustomerLayout().Write(customer));
        CustomerRecNo = 1;
        ProposalNo = 1001;
        box = ScreenRegistry::Get<frmCustomer>()->txtCustomer[0];
        box->setText(typed);
        auto dialogs = std::make_shared<ScriptedDialogs>(); // no print dialog may open
        SetDialogs(dialogs);
        ScreenRegistry::Get<frmFieldProposal>()->cmdField[1]->click();
        SetDialogs(nullptr);
        QVERIFY(dialogs->unexpected.isEmpty());
    }
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Characters not Kept"));
    QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::YesNo);
    QVERIFY(!folder.exists(file));
    QCOMPARE(box->text(), typed);
}

TAMSEL_TEST(FieldLimitsTest)
#include "tst_FieldLimits.moc"
