#include "LayoutCheck.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QWidget>

QStringList LayoutFaults(QWidget *window) {
    QStringList faults;
    const QRect bounds = window->rect();
    QList<QWidget *> named; // the visible controls with names of ours
    for (QWidget *w : window->findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) && w->isVisible())
            named << w;
    for (QWidget *w : named) {
        const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!bounds.contains(inWindow))
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

QStringList TidyAtBothSizes(QWidget *screen, QSize first) {
    QStringList faults;
    for (const QSize size : {first * 1.3, first}) {
        screen->resize(size);
        QCoreApplication::processEvents();
        for (const QString &fault : LayoutFaults(screen))
            if (!faults.contains(fault))
                faults << fault;
    }
    return faults;
}

namespace {

QString SizeText(QSize size) { return QStringLiteral("%1x%2").arg(size.width()).arg(size.height()); }

void ButtonsInside(QWidget *window, const QString &when, QStringList &faults) {
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (!button->isVisible() || button->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect inWindow(button->mapTo(window, QPoint(0, 0)), button->size());
        if (!window->rect().contains(inWindow)) {
            const QString name = button->objectName().isEmpty() ? button->text() : button->objectName();
            faults << name + QStringLiteral(" lies outside the window ") + when;
        }
    }
}

} // namespace

QStringList FitFaults(QWidget *window) {
    QStringList faults;
    if (QLayout *layout = window->layout())
        layout->activate(); // a stage just shown raises the minimum only once laid out
    const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
    if (minimum.width() > SmallWindow.width() || minimum.height() > SmallWindow.height())
        faults << QStringLiteral("minimum size %1 exceeds %2").arg(SizeText(minimum), SizeText(SmallWindow));
    const QSize present = window->size();
    if (present.width() > SmallWindow.width() || present.height() > SmallWindow.height())
        faults << QStringLiteral("size %1 exceeds %2").arg(SizeText(present), SizeText(SmallWindow));
    ButtonsInside(window, QStringLiteral("at ") + SizeText(present), faults);
    window->resize(minimum);
    QCoreApplication::processEvents();
    ButtonsInside(window, QStringLiteral("at its minimum ") + SizeText(window->size()), faults);
    window->resize(present);
    QCoreApplication::processEvents();
    return faults;
}
