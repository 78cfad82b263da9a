#include "shell/TamselForm.h"

#include "shell/CommonRoutines.h"
#include "shell/FlexGrid.h"

#include <QCloseEvent>
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

bool TamselForm::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    else if (event->type() == QEvent::WindowDeactivate)
        Form_Deactivate();
    return QWidget::event(event);
}

void TamselForm::hideEvent(QHideEvent *event) {
    arrived_ = false;
    QWidget::hideEvent(event);
}

bool TamselForm::ArrivedOnScreen() {
    const bool first = !arrived_;
    arrived_ = true;
    return first;
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
