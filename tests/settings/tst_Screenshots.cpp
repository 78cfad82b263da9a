#include "LayoutCheck.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "app/frmStartup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/QtProductLogo.h"
#include "settings/frmSetup.h"
#include "settings/SettingsUi.h"

#include <QDir>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

// Every screen and tab is laid out tidily at its first size and when the
// window grows: no named control sticks out of the window, overlaps a
// neighbour or has its text cut off. With TAMSEL_SCREENSHOTS set to a
// folder, the pictures are saved there (docs/screenshots).
class ScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void screensAreTidy_data();
    void screensAreTidy();

private:
    static void FillSampleData(const TestFolder &folder);
};

void ScreenshotsTest::FillSampleData(const TestFolder &folder) {
    folder.write(QStringLiteral("MyBusinessData.txt"),
                 "\"Harbor Lane Roofing\",\"118 Harbor Lane\",\"Suite 4\",\"Springfield\",\"OR\",\"97477\","
                 "\"(541) 555-0142\",\"info@harborlane.example\",\"FEIN 12-3456789\"\r\n");
    folder.write(QStringLiteral("PrintColors.txt"), "8388608\r\n128\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n");
    ProductLogo(QSize(180, 108)).save(folder.file(QStringLiteral("Logo.png")));
    folder.write(QStringLiteral("CompanyLogo.txt"),
                 "\"" + folder.file(QStringLiteral("Logo.png")).toLocal8Bit() + "\"\r\n");
    folder.write(QStringLiteral("LogoSettings.txt"), "1440,900\r\n");
}

void ScreenshotsTest::screensAreTidy_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tab"); // -1 the main menu
    QTest::addColumn<int>("subTab");
    QTest::newRow("main menu") << QStringLiteral("main-menu") << -1 << 0;
    QTest::newRow("business") << QStringLiteral("setup-business") << int(frmSetup::BusinessTab) << 0;
    QTest::newRow("printing") << QStringLiteral("setup-options-printing") << int(frmSetup::OptionsTab)
                              << int(frmSetup::PrintingTab);
    QTest::newRow("phone") << QStringLiteral("setup-options-phone") << int(frmSetup::OptionsTab)
                           << int(frmSetup::PhoneTab);
    QTest::newRow("proposal") << QStringLiteral("setup-proposal") << int(frmSetup::ProposalTab) << 0;
    QTest::newRow("logo") << QStringLiteral("setup-logo") << int(frmSetup::LogoTab) << 0;
    QTest::newRow("help") << QStringLiteral("setup-help") << int(frmSetup::HelpTab) << 0;
}

void ScreenshotsTest::screensAreTidy() {
    QFETCH(QString, name);
    QFETCH(int, tab);
    QFETCH(int, subTab);
    TestFolder folder;
    // Screens at the size they are designed for, not as an earlier test left them.
    QSettings(QStringLiteral("TamselProposal"), QStringLiteral("TamselProposal")).clear();
    FillSampleData(folder);
    LoadBusinessData();
    LoadProposalCounter();

    TamselForm *screen = nullptr;
    if (tab < 0) {
        screen = ScreenRegistry::Get<frmStartup>();
    } else {
        screen = ScreenRegistry::Get<frmSetup>();
    }
    const QSize first = screen->size(); // as designed; the offscreen platform shows windows at its own size
    ScreenRegistry::Show(screen);
    // Arriving on screen selects the first tab, so the tab is chosen after that.
    QVERIFY(QTest::qWaitForWindowActive(screen));
    if (tab >= 0) {
        auto *setup = static_cast<frmSetup *>(screen);
        setup->tabSetup->setCurrentIndex(tab);
        setup->tabSub->setCurrentIndex(subTab);
        QCOMPARE(setup->tabSetup->currentIndex(), tab);
    }

    const QStringList faults = TidyAtBothSizes(screen, first);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QVERIFY(SaveScreenshot(screen, name));
}

TAMSEL_TEST(ScreenshotsTest)
#include "tst_Screenshots.moc"
