#include "TestMain.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTest>
#include <memory>

std::vector<std::function<QObject *()>> &TestFactories() {
    static std::vector<std::function<QObject *()>> factories;
    return factories;
}

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // Window layouts go to a test location, never into the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    int failed = 0;
    for (const auto &make : TestFactories()) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
