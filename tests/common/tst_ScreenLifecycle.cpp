#include "common/CommonVariables.h"
#include "common/FlexGrid.h"
#include "common/ScreenRegistry.h"
#include "common/TamselForm.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QDialog>
#include <QTableView>
#include <QTest>

namespace {
int activations = 0, deactivations = 0;

class ScreenA : public TamselForm {
public:
    ScreenA() : TamselForm(QStringLiteral("ScreenA")) {}
    void Form_Activate() override { ++activations; }
    void Form_Deactivate() override { ++deactivations; }
};
class ScreenB : public TamselForm {
public:
    ScreenB() : TamselForm(QStringLiteral("ScreenB")) {}
};
} // namespace

class ScreenLifecycleTest : public QObject {
    Q_OBJECT
private slots:
    void screensExistOnceAndBoxesInBetweenDoNotReactivate();
};

// A screen activated again refills the fields being typed: only coming back
// from another screen may do that.
void ScreenLifecycleTest::screensExistOnceAndBoxesInBetweenDoNotReactivate() {
    TestFolder folder;
    ScreenA *a = ScreenRegistry::Get<ScreenA>();
    QCOMPARE(ScreenRegistry::Get<ScreenA>(), a);
    QVERIFY(!a->isVisible()); // touching a screen does not show it
    ScreenB *b = ScreenRegistry::Get<ScreenB>();
    ScreenRegistry::Show(a);
    QVERIFY(QTest::qWaitForWindowActive(a));
    QCOMPARE(activations, 1);

    // A dialog takes the focus and gives it back, the window is minimized and restored.
    QDialog box;
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.close();
    a->showMinimized();
    QTRY_VERIFY(a->isMinimized());
    a->showNormal();
    a->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(a));
    QCOMPARE(activations, 1);
    QCOMPARE(deactivations, 0);

    // Another screen: this one is deactivated, and activated again on return.
    ScreenRegistry::Show(b);
    QVERIFY(QTest::qWaitForWindowActive(b));
    QCOMPARE(deactivations, 1);
    b->hide();
    ScreenRegistry::Show(a);
    QVERIFY(QTest::qWaitForWindowActive(a));
    QCOMPARE(activations, 2);

    // A grid's wheel hook goes with the screen that set it, and is set once however often asked.
    TamselForm report(QStringLiteral("frmReportUnderTest"));
    auto *grid = new QTableView(&report);
    const auto helpers = grid->viewport()->findChildren<QObject *>(Qt::FindDirectChildrenOnly).size();
    HookWheel(&report, grid);
    HookWheel(&report, grid);
    QCOMPARE(grid->viewport()->findChildren<QObject *>(Qt::FindDirectChildrenOnly).size(), helpers + 1);
    report.Form_Deactivate();
    QVERIFY(!HookedForm);
    QVERIFY(!WheelGrid);
}

TAMSEL_TEST(ScreenLifecycleTest)
#include "tst_ScreenLifecycle.moc"
