#include "common/CommonVariables.h"
#include "common/FlexGrid.h"
#include "common/ScreenRegistry.h"
#include "common/TamselForm.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {
struct Counts {
    int loads = 0, activations = 0, deactivations = 0;
};
Counts countsA, countsB;

class ScreenA : public TamselForm {
public:
    ScreenA() : TamselForm(QStringLiteral("ScreenA")) {}
    void Form_Load() override { ++countsA.loads; }
    void Form_Activate() override { ++countsA.activations; }
    void Form_Deactivate() override { ++countsA.deactivations; }
};
class ScreenB : public TamselForm {
public:
    ScreenB() : TamselForm(QStringLiteral("ScreenB")) {}
    void Form_Activate() override { ++countsB.activations; }
    void Form_Deactivate() override { ++countsB.deactivations; }
};
} // namespace

class ScreenLifecycleTest : public QObject {
    Q_OBJECT
private slots:
    void screensExistOnceAndBoxesInBetweenDoNotReactivate();
    void pageRows_data();
    void pageRows();
    void topRow_data();
    void topRow();
    void oneStepMovesOnePageUntilTheScreenIsDeactivated();

private:
    // A screen with a 200-row grid, shown.
    struct Report {
        TamselForm screen{QStringLiteral("frmReportUnderTest")};
        QTableView *grid = new QTableView(&screen);
        QStandardItemModel model{200, 3};
        Report() {
            grid->setModel(&model);
            auto *layout = new QVBoxLayout(&screen);
            layout->addWidget(grid);
            screen.resize(400, 360);
            screen.show();
            QVERIFY(QTest::qWaitForWindowExposed(&screen));
        }
        int Top() const { return grid->rowAt(0) + 1; } // grid rows count the heading as row 0
        int Page() const { return WheelPageRows(grid->height(), grid->horizontalHeader()->height()); }
        void Wheel(int delta) {
            const QPointF at(20, 40);
            QWheelEvent event(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(grid->viewport(), &event);
        }
    };
};

void ScreenLifecycleTest::screensExistOnceAndBoxesInBetweenDoNotReactivate() {
    TestFolder folder;
    countsA = {};
    countsB = {};
    QVERIFY(!ScreenRegistry::Existing<ScreenA>());
    ScreenA *a = ScreenRegistry::Get<ScreenA>();
    QCOMPARE(ScreenRegistry::Get<ScreenA>(), a);
    QCOMPARE(countsA.loads, 1);
    QVERIFY(!a->isVisible()); // touching a screen does not show it
    ScreenRegistry::Unload<ScreenA>();
    QVERIFY(!ScreenRegistry::Existing<ScreenA>());
    a = ScreenRegistry::Get<ScreenA>();
    QCOMPARE(countsA.loads, 2);
    QCOMPARE(folder.endRequests, 0);
    ScreenB *b = ScreenRegistry::Get<ScreenB>();
    ScreenRegistry::Show(a);
    QVERIFY(QTest::qWaitForWindowActive(a));
    QCOMPARE(countsA.activations, 1);

    // A dialog takes the focus and gives it back: no second activation.
    QDialog box;
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.close();
    a->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(a));
    QCOMPARE(countsA.activations, 1);
    QCOMPARE(countsA.deactivations, 0);

    // Nor does minimizing and restoring the window (the fields being typed
    // would be refilled).
    a->showMinimized();
    QTRY_VERIFY(a->isMinimized());
    a->showNormal();
    a->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(a));
    QCOMPARE(countsA.activations, 1);
    QCOMPARE(countsA.deactivations, 0);

    // Another screen: this one is deactivated, and activated again on return.
    ScreenRegistry::Show(b);
    QVERIFY(QTest::qWaitForWindowActive(b));
    QCOMPARE(countsB.activations, 1);
    QCOMPARE(countsA.deactivations, 1);
    b->hide();
    QCOMPARE(countsB.deactivations, 1);
    ScreenRegistry::Show(a);
    QVERIFY(QTest::qWaitForWindowActive(a));
    QCOMPARE(countsA.activations, 2);
}

void ScreenLifecycleTest::pageRows_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("rowHeight");
    QTest::addColumn<int>("page");
    QTest::newRow("12 rows fit") << 3000 << 240 << 12;
    QTest::newRow("7 fit, at least 10") << 3000 << 400 << 10;
    QTest::newRow("part of a row does not count") << 3000 << 230 << 13;
    QTest::newRow("no row height") << 3000 << 0 << 10;
}

void ScreenLifecycleTest::pageRows() {
    QFETCH(int, height);
    QFETCH(int, rowHeight);
    QFETCH(int, page);
    QCOMPARE(WheelPageRows(height, rowHeight), page);
}

void ScreenLifecycleTest::topRow_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("newTop");
    // A page of 12 rows in a grid of 100 rows (heading and rows 1 to 99).
    QTest::newRow("towards the user") << 1 << -1 << 13;
    QTest::newRow("away from the user") << 40 << 1 << 28;
    QTest::newRow("away, stops at row 1") << 5 << 1 << 1;
    QTest::newRow("towards, stops at rows - 1") << 95 << -1 << 99;
    QTest::newRow("towards, at the end already") << 99 << -1 << 99;
}

void ScreenLifecycleTest::topRow() {
    QFETCH(int, top);
    QFETCH(int, rotation);
    QFETCH(int, newTop);
    QCOMPARE(WheelTopRow(top, rotation, 12, 100), newTop);
}

void ScreenLifecycleTest::oneStepMovesOnePageUntilTheScreenIsDeactivated() {
    TestFolder folder;
    Report report;
    const auto helpers = [&report] {
        return report.grid->viewport()->findChildren<QObject *>(Qt::FindDirectChildrenOnly).size();
    };
    const auto before = helpers();
    HookWheel(&report.screen, report.grid);
    HookWheel(&report.screen, report.grid);
    QCOMPARE(helpers(), before + 1);
    QCOMPARE(report.Top(), 1);
    const int page = report.Page();
    QVERIFY(page >= 10);
    report.Wheel(-120);
    QCOMPARE(report.Top(), 1 + page);
    report.Wheel(-120);
    QCOMPARE(report.Top(), 1 + 2 * page);
    for (int i = 0; i < 3; ++i)
        report.Wheel(120);
    QCOMPARE(report.Top(), 1);
    // Fractions of a step add up to a whole one.
    report.Wheel(-40);
    report.Wheel(-40);
    QCOMPARE(report.Top(), 1);
    report.Wheel(-40);
    QCOMPARE(report.Top(), 1 + page);
    report.Wheel(120);
    report.screen.Form_Deactivate();
    QVERIFY(!HookedForm);
    QVERIFY(!WheelGrid);
    // The view scrolls by itself again, a few rows a step rather than a page.
    report.Wheel(-120);
    QVERIFY(report.Top() > 1);
    QVERIFY(report.Top() < 1 + report.Page());
    // An empty grid ignores the wheel.
    report.model.setRowCount(0);
    HookWheel(&report.screen, report.grid);
    report.Wheel(-120);
    ScrollGridByWheel(0, 1, 0, 0, nullptr);
    QCOMPARE(report.grid->rowAt(0), -1);
    UnhookWheel();
    QVERIFY(!HookedForm);
}

TAMSEL_TEST(ScreenLifecycleTest)
#include "tst_ScreenLifecycle.moc"
