#include "LayoutCheck.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
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

bool SaveScreenshot(QWidget *screen, const QString &name) {
    const QImage picture = screen->grab().toImage();
    if (picture.isNull())
        return false;
    const QString target = qEnvironmentVariable("TAMSEL_SCREENSHOTS");
    if (target.isEmpty())
        return true;
    QDir().mkpath(target);
    return picture.save(target + QLatin1Char('/') + name + QStringLiteral(".png"));
}
