#include "common/ScreenRegistry.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

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
    void screensExistOnceFromFirstTouch();
    void boxesInBetweenDoNotReactivate();
};

void ScreenLifecycleTest::screensExistOnceFromFirstTouch() {
    TestFolder folder;
    countsA = {};
    QVERIFY(!ScreenRegistry::Existing<ScreenA>());
    ScreenA *a = ScreenRegistry::Get<ScreenA>();
    QCOMPARE(ScreenRegistry::Get<ScreenA>(), a);
    QCOMPARE(countsA.loads, 1);
    QVERIFY(!a->isVisible()); // touching a screen does not show it
    ScreenRegistry::Unload<ScreenA>();
    QVERIFY(!ScreenRegistry::Existing<ScreenA>());
    ScreenRegistry::Get<ScreenA>();
    QCOMPARE(countsA.loads, 2);
    QCOMPARE(folder.endRequests, 0);
}

void ScreenLifecycleTest::boxesInBetweenDoNotReactivate() {
    TestFolder folder;
    countsA = {};
    countsB = {};
    ScreenA *a = ScreenRegistry::Get<ScreenA>();
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

TAMSEL_TEST(ScreenLifecycleTest)
#include "tst_ScreenLifecycle.moc"
