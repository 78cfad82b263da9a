#include "TestFolder.h"
#include "TestMain.h"

#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "proposals/frmWriteProposal.h"
#include "settings/frmSetup.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

TamselForm *OpenScreen(const QString &name) {
    if (name == QLatin1String("setup"))
        return ScreenRegistry::Get<frmSetup>();
    if (name == QLatin1String("customer"))
        return ScreenRegistry::Get<frmCustomer>();
    return ScreenRegistry::Get<frmWriteProposal>();
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

} // namespace

// What is pasted or typed into a box is kept to what its field can store,
// and the user is told what was cut or refused.
class FieldLimitsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void pasteKeepsToTheBox_data();
    void pasteKeepsToTheBox();
    void unstorableCharactersAreAskedAbout();
};

void FieldLimitsTest::pasteKeepsToTheBox_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("message");

    const QString megabyte(1 << 20, QLatin1Char('x'));
    const QString cut = QStringLiteral("This box holds at most %1 characters.\r\nThe text was cut to fit.");
    const struct {
        const char *screen, *box;
        int limit;
    } boxes[] = {{"setup", "txtBusiness_4", 2},   {"customer", "txtCustomer_0", 20}, {"customer", "cboCity", 25},
                 {"writer", "txtItem_0", 50},     {"setup", "txtBusiness_0", 32767}, {"writer", "txtBody", -1}};
    for (const auto &b : boxes) {
        const auto row = [&](const char *size, const QString &pasted) {
            const bool over = b.limit >= 0 && pasted.size() > b.limit;
            QTest::addRow("%s %s", b.box, size)
                << QString::fromLatin1(b.screen) << QString::fromLatin1(b.box) << pasted
                << (over ? pasted.left(b.limit) : pasted) << (over ? cut.arg(b.limit) : QString());
        };
        if (b.limit >= 0) {
            row("at the limit", megabyte.left(b.limit));
            row("one over", megabyte.left(b.limit + 1));
        }
        row("1 MB", megabyte);
    }
}

void FieldLimitsTest::pasteKeepsToTheBox() {
    QFETCH(QString, screen);
    QFETCH(QString, box);
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    QFETCH(QString, message);
    TestFolder folder;
    QWidget *typed = TypedBox(OpenScreen(screen), box);
    QVERIFY2(typed, qPrintable(box));
    if (auto *line = qobject_cast<QLineEdit *>(typed))
        line->clear();
    else
        qobject_cast<QPlainTextEdit *>(typed)->clear();
    if (!message.isEmpty())
        folder.prompt->AnswerOk();

    QGuiApplication::clipboard()->setText(pasted);
    QTest::keySequence(typed, QKeySequence::Paste);
    QCoreApplication::sendPostedEvents(); // the message comes after the paste
    QCOMPARE(BoxText(typed).size(), kept.size());
    QCOMPARE(BoxText(typed), kept);
    QCOMPARE(folder.prompt->Texts(), message.isEmpty() ? QStringList() : QStringList{message});
}

// Business data the settings file cannot hold is asked about, and not saved
// unless the user agrees.
void FieldLimitsTest::unstorableCharactersAreAskedAbout() {
    TestFolder folder;
    const QString typed = QStringLiteral("Ω Roofing");
    folder.prompt->Answer(MsgAnswer::No);
    auto *setup = ScreenRegistry::Get<frmSetup>();
    setup->txtBusiness[0]->setText(typed);
    setup->txtBusiness[5]->setText(QStringLiteral("97301"));
    setup->cmdMenu_Click();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Characters not Kept"));
    QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::YesNo);
    QVERIFY(!folder.exists(QStringLiteral("MyBusinessData.txt")));
    QCOMPARE(setup->txtBusiness[0]->text(), typed);
}

TAMSEL_TEST(FieldLimitsTest)
#include "tst_FieldLimits.moc"
