#include "ModemPorts.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "common/ScreenRegistry.h"
#include "settings/frmSetup.h"
#include "settings/SettingsUi.h"
#include "telephone/Telephone.h"
#include "telephone/frmDialer.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

// The dialer and the phone sub-tab with a modem found are laid out tidily at
// their first size and when the window grows. With TAMSEL_SCREENSHOTS set to
// a folder, the pictures are saved there (docs/screenshots).
class TelephoneScreensTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void screensAreTidy_data();
    void screensAreTidy();
};

namespace {
QStringList LayoutFaults(QWidget *window) {
    QStringList faults;
    QList<QWidget *> named;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) && w->isVisible())
            named << w;
    for (QWidget *w : named) {
        if (!window->rect().contains(QRect(w->mapTo(window, QPoint(0, 0)), w->size())))
            faults << w->objectName() + QStringLiteral(" sticks out of the window");
        int wanted = 0;
        if (auto *label = qobject_cast<QLabel *>(w); label && !label->wordWrap() && label->pixmap().isNull())
            wanted = label->minimumSizeHint().width();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            wanted = button->minimumSizeHint().width();
        if (wanted > w->width())
            faults << w->objectName() + QStringLiteral(" cuts its text off");
        for (QWidget *other : named)
            if (other != w && other->parentWidget() == w->parentWidget() &&
                w->geometry().intersects(other->geometry()) && w->objectName() < other->objectName())
                faults << w->objectName() + QStringLiteral(" overlaps ") + other->objectName();
    }
    return faults;
}
} // namespace

void TelephoneScreensTest::screensAreTidy_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("helpShown");
    QTest::newRow("dialer") << QStringLiteral("dialer") << false;
    QTest::newRow("dialer with help") << QStringLiteral("dialer-help") << true;
    QTest::newRow("phone sub-tab") << QStringLiteral("setup-options-phone-modem") << false;
}

void TelephoneScreensTest::screensAreTidy() {
    QFETCH(QString, name);
    QFETCH(bool, helpShown);
    TestFolder folder;
    ModemPorts ports;
    ports.Put(3);
    QSettings(QStringLiteral("TamselProposal"), QStringLiteral("TamselProposal")).clear();
    folder.write(QStringLiteral("MyBusinessData.txt"),
                 "\"Harbor Lane Roofing\",\"118 Harbor Lane\",\"Suite 4\",\"Springfield\",\"OR\",\"97477\","
                 "\"(541) 555-0142\",\"info@harborlane.example\",\"FEIN 12-3456789\"\r\n");
    folder.write(QStringLiteral("Phone.txt"), "#TRUE#,3\r\n");
    folder.write(QStringLiteral("CallID.txt"), "#TRUE#\r\n");
    folder.write(QStringLiteral("SpeedNumbers.txt"), "Supply House\r\n541-555-0170\r\nLumber Yard\r\n541-555-0181\r\n"
                                                     "Office\r\n541-555-0142\r\n");
    LoadBusinessData();
    LoadProposalCounter();

    TamselForm *screen = nullptr;
    if (name.startsWith(QLatin1String("dialer"))) {
        DialCustomer(QStringLiteral("Maple Street Bakery"), QStringLiteral("541-555-0123"));
        screen = ScreenRegistry::Existing<frmDialer>();
    } else {
        screen = ScreenRegistry::Get<frmSetup>();
        ScreenRegistry::Show(screen);
    }
    const QSize first = screen->size();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    if (auto *setup = qobject_cast<frmSetup *>(screen)) {
        setup->tabSetup->setCurrentIndex(frmSetup::OptionsTab);
        setup->tabSub->setCurrentIndex(frmSetup::PhoneTab);
        QVERIFY(setup->tabSub->isTabEnabled(frmSetup::PhoneTab));
    }
    if (helpShown)
        static_cast<frmDialer *>(screen)->cmdHelp->click();
    for (const QSize size : {first, first * 1.3}) {
        screen->resize(size);
        QCoreApplication::processEvents();
        const QStringList faults = LayoutFaults(screen);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
    screen->resize(first);
    QCoreApplication::processEvents();
    const QImage picture = screen->grab().toImage();
    QVERIFY(!picture.isNull());
    const QString target = qEnvironmentVariable("TAMSEL_SCREENSHOTS");
    if (!target.isEmpty()) {
        QDir().mkpath(target);
        QVERIFY(picture.save(target + QLatin1Char('/') + name + QStringLiteral(".png")));
    }
}

TAMSEL_TEST(TelephoneScreensTest)
#include "tst_TelephoneScreens.moc"
