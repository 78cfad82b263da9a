#include "common/TamselForm.h"

#include "common/CommonRoutines.h"
#include "common/FlexGrid.h"

#include <QCloseEvent>
#include <QPointer>
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
    const QByteArray geometry = settings.value(objectName() + QStringLiteral("/geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
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
