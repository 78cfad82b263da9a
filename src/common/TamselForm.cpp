#include "common/TamselForm.h"

#include "common/CommonRoutines.h"
#include "common/FlexGrid.h"
#include "common/WindowPlacement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <QSettings>

TamselForm::TamselForm(const QString &name, QWidget *parent) : QWidget(parent) { setObjectName(name); }

void TamselForm::Form_Load() { RestoreLayout(); }

void TamselForm::Form_Deactivate() {
    // The report's wheel paging lives only while the report is the active screen.
    UnhookWheel();
    SaveLayout();
}

void TamselForm::Form_Unload() { SaveLayout(); }

void TamselForm::RestoreLayout() {
    QSettings settings(QStringLiteral("TamselProposal"), LayoutApplication());
    const QByteArray saved = settings.value(objectName() + QStringLiteral("/geometry")).toByteArray();
    if (saved.isEmpty() || !restoreGeometry(saved))
        return;
    // A size kept from a bigger screen, or a position on a screen that is gone,
    // would leave buttons out of reach: bring the window back onto this screen.
    KeepOnScreen();
}

void TamselForm::KeepOnScreen() {
    if (isMaximized() || isFullScreen())
        return;
    if (layout())
        layout()->activate(); // a part just shown may have raised the minimum
    QScreen *target = QGuiApplication::screenAt(geometry().center());
    if (!target)
        target = screen();
    if (!target)
        return;
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull())
        frame = DecorationAllowance; // not yet shown: the window manager's frame is unknown
    const QRect fitted = FitOnScreen(geometry(), frame, target->availableGeometry());
    if (fitted != geometry())
        setGeometry(fitted);
}

void TamselForm::SaveLayout() {
    QSettings settings(QStringLiteral("TamselProposal"), LayoutApplication());
    settings.setValue(objectName() + QStringLiteral("/geometry"), saveGeometry());
}

namespace {
// The screen that was activated last; dialogs in between do not change it.
QPointer<TamselForm> &ActiveScreen() {
    static QPointer<TamselForm> screen;
    return screen;
}
} // namespace

void TamselForm::BecomeActive() {
    if (ActiveScreen() == this)
        return;
    if (TamselForm *previous = ActiveScreen())
        previous->Form_Deactivate();
    ActiveScreen() = this;
    Form_Activate();
}

bool TamselForm::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate)
        BecomeActive();
    return QWidget::event(event);
}

void TamselForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // A window shown again may still count as the active one, without a new
    // activation event: arriving on screen is an activation all the same.
    if (isActiveWindow())
        BecomeActive();
}

void TamselForm::hideEvent(QHideEvent *event) {
    // Hidden by the window system (minimized): the screen stays the program's
    // active one, so restoring it is no new activation that would refill the
    // fields being typed.
    if (event->spontaneous()) {
        QWidget::hideEvent(event);
        return;
    }
    if (ActiveScreen() == this) {
        ActiveScreen() = nullptr;
        Form_Deactivate();
    }
    QWidget::hideEvent(event);
}

void TamselForm::closeEvent(QCloseEvent *event) {
    if (unloading_) {
        event->accept();
        return;
    }
    // The user closed the window: that ends the program, after the backup.
    event->ignore();
    ExitProgram();
}
