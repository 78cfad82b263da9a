#include "TestFolder.h"
#include "TestMain.h"

#include "app/DataLocation.h"
#include "app/frmStartup.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/QtPictureBox.h"
#include "records/frmProposalReport.h"
#include "records/frmTerms.h"
#include "settings/frmSetup.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class MainMenuTest : public QObject {
    Q_OBJECT
private slots:
    void activationSelectsCreateAProposal();
    void startOpensTheRoutine_data();
    void startOpensTheRoutine();
    void logoShowsSetupAndExitEndsTheProgram();
    void orderItems_data();
    void orderItems();
    void helpOpensTheManualOrSaysWhereItIs_data();
    void helpOpensTheManualOrSaysWhereItIs();

private:
    static void Activate(QWidget *screen) {
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(screen, &activate);
    }
    // The pages the program opens, caught for the length of one test; with
    // opens false the desktop has nothing to open them with.
    struct OpenedPages {
        QStringList pages;
        explicit OpenedPages(bool opens = true) {
            SetUrlOpener([this, opens](const QString &address) {
                pages << address;
                return opens;
            });
        }
        ~OpenedPages() { SetUrlOpener({}); }
    };
};

void MainMenuTest::activationSelectsCreateAProposal() {
    TestFolder folder;
    auto *menu = ScreenRegistry::Get<frmStartup>();
    ScreenRegistry::Show(menu);
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    // The options from top to bottom: the numbers are the routines', not the order's.
    QList<QRadioButton *> shown;
    for (QRadioButton *option : menu->optProgramRoutine)
        if (option)
            shown << option;
    std::sort(shown.begin(), shown.end(),
              [menu](QWidget *a, QWidget *b) { return a->mapTo(menu, QPoint()).y() < b->mapTo(menu, QPoint()).y(); });
    QStringList names;
    for (QRadioButton *option : shown)
        names << option->objectName();
    QCOMPARE(names, QStringList({"optProgramRoutine_0", "optProgramRoutine_3", "optProgramRoutine_4",
                                 "optProgramRoutine_1"}));
    Activate(menu);
    QVERIFY(menu->optProgramRoutine[0]->isChecked());
    QCOMPARE(SelectedRoutine, qint16(1));

    QTest::mouseClick(menu->optProgramRoutine[4], Qt::LeftButton);
    QCOMPARE(SelectedRoutine, qint16(5));
    // A message box closing activates the window again: the choice stays.
    Activate(menu);
    QVERIFY(menu->optProgramRoutine[4]->isChecked());
    QCOMPARE(SelectedRoutine, qint16(5));
    // Coming back to the menu from another screen starts over.
    menu->hide();
    ScreenRegistry::Show(menu);
    Activate(menu);
    QVERIFY(menu->optProgramRoutine[0]->isChecked());
    QCOMPARE(SelectedRoutine, qint16(1));
}

void MainMenuTest::startOpensTheRoutine_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("routine");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("proposal") << 0 << 1 << QStringLiteral("frmCustomer") << false;
    QTest::newRow("field proposal goes to the customers") << 3 << 4 << QStringLiteral("frmCustomer") << false;
    QTest::newRow("report") << 4 << 5 << QStringLiteral("frmProposalReport") << false;
    QTest::newRow("terms") << 1 << 2 << QStringLiteral("frmTerms") << false;
    QTest::newRow("double click starts at once") << 4 << 5 << QStringLiteral("frmProposalReport") << true;
}

void MainMenuTest::startOpensTheRoutine() {
    QFETCH(int, option);
    QFETCH(int, routine);
    QFETCH(QString, screen);
    QFETCH(bool, doubleClick);
    TestFolder folder;
    auto *menu = ScreenRegistry::Get<frmStartup>();
    ScreenRegistry::Show(menu);
    menu->Form_Activate();
    if (doubleClick) {
        QTest::mouseDClick(menu->optProgramRoutine[option], Qt::LeftButton);
    } else {
        menu->optProgramRoutine[option]->setChecked(true);
        QCOMPARE(SelectedRoutine, qint16(routine));
        QTest::mouseClick(menu->cmdStart, Qt::LeftButton);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(SelectedRoutine, qint16(routine));
    QVERIFY(!ScreenRegistry::Existing<frmStartup>());
    QStringList visible;
    for (TamselForm *form : ScreenRegistry::Screens())
        if (form->isVisible())
            visible << form->objectName();
    QCOMPARE(visible, QStringList{screen});
}

void MainMenuTest::logoShowsSetupAndExitEndsTheProgram() {
    TestFolder folder;
    folder.write(QStringLiteral("MyBusinessData.txt"), "\"A\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\",\"\"\r\n");
    auto *menu = ScreenRegistry::Get<frmStartup>();
    ScreenRegistry::Show(menu);
    QTest::mouseClick(menu->Image1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(ScreenRegistry::Existing<frmStartup>(), menu);
    QVERIFY(!menu->isVisible());
    QVERIFY(ScreenRegistry::Existing<frmSetup>()->isVisible());
    QCOMPARE(folder.endRequests, 0);
    menu->mnuExit->trigger();
    QCOMPARE(folder.endRequests, 1);
    QVERIFY(folder.exists(QStringLiteral("Backup/MyBusinessData.txt")));
}

void MainMenuTest::orderItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain paper") << QStringLiteral("mnuPPaper")
                                 << QStringLiteral("Use Plain Paper for Reports (etc)\r\nClick Yes to connect to a Supplier")
                                 << QStringLiteral("Order Paper");
    QTest::newRow("shipping labels") << QStringLiteral("mnuLabels") << QStringLiteral("Click YES to Connect to a Supplier")
                                     << QStringLiteral("Order Labels");
}

void MainMenuTest::orderItems() {
    QFETCH(QString, item);
    QFETCH(QString, question);
    QFETCH(QString, title);
    TestFolder folder;
    folder.write(QStringLiteral("Manual/paper.html"), "<html></html>");
    OpenedPages opened;
    const QStringList &pages = opened.pages;
    auto *menu = ScreenRegistry::Get<frmStartup>();
    ScreenRegistry::Show(menu);
    menu->Form_Activate();
    menu->optProgramRoutine[3]->setChecked(true);
    auto *action = menu->findChild<QAction *>(item);
    QVERIFY(action);

    folder.prompt->Answer(MsgAnswer::No);
    action->trigger();
    QVERIFY(pages.isEmpty());
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].text, question);
    QCOMPARE(folder.prompt->shown[0].title, title);
    QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::YesNo);
    QVERIFY(menu->isVisible());
    QCOMPARE(SelectedRoutine, qint16(4));

    folder.prompt->Answer(MsgAnswer::Yes);
    action->trigger();
    QCOMPARE(pages, QStringList{folder.path() + QStringLiteral("/Manual/paper.html")});
}

void MainMenuTest::helpOpensTheManualOrSaysWhereItIs_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("box"); // the box's text, "@" for the manual's folder
    QTest::newRow("opened") << true << true << QString();
    QTest::newRow("nothing opens it")
        << true << false
        << QStringLiteral("The user manual could not be opened: no program to show it was found.\r\n"
                          "Open this file in your web browser:\r\n@/index.html");
    QTest::newRow("missing") << false << true
                             << QStringLiteral("The user manual was not found.\r\nIt belongs in the folder @");
}

void MainMenuTest::helpOpensTheManualOrSaysWhereItIs() {
    QFETCH(bool, present);
    QFETCH(bool, opens);
    QFETCH(QString, box);
    TestFolder folder;
    // An installed copy keeps its manual apart from the data.
    QTemporaryDir installed;
    ManualFolder = installed.path() + QStringLiteral("/manual");
    const QString manualFolder = ManualFolder;
    const auto forget = qScopeGuard([] { ManualFolder.clear(); });
    if (present)
        QVERIFY(QDir().mkpath(ManualFolder) && QFile(ManualFolder + QStringLiteral("/index.html")).open(QIODevice::WriteOnly));
    OpenedPages opened(opens);
    auto *menu = ScreenRegistry::Get<frmStartup>();
    if (!box.isEmpty())
        folder.prompt->AnswerOk();
    menu->mnuHelpContentsFile->trigger();
    QCOMPARE(opened.pages, present ? QStringList{manualFolder + QStringLiteral("/index.html")} : QStringList());
    QCOMPARE(folder.prompt->Texts(), box.isEmpty() ? QStringList() : QStringList{box.replace(QLatin1Char('@'), manualFolder)});
}

TAMSEL_TEST(MainMenuTest)
#include "tst_MainMenu.moc"
