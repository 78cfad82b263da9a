#include "platform/QtPictureBox.h"

#include <QMouseEvent>
#include <QPixmap>

QtPictureBox::QtPictureBox(const QString &name, QWidget *parent) : QLabel(parent) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    Refresh();
}

void QtPictureBox::setPicture(const QImage &picture) {
    picture_ = picture;
    Refresh();
}

void QtPictureBox::clearPicture() {
    picture_ = QImage();
    Refresh();
}

void QtPictureBox::setTwipsSize(const QSize &twips) {
    twips_ = twips;
    Refresh();
}

void QtPictureBox::Refresh() {
    const QSize pixels(qMax(1, twips_.width() / 15), qMax(1, twips_.height() / 15));
    setFixedSize(pixels);
    if (picture_.isNull())
        setPixmap(QPixmap());
    else
        setPixmap(QPixmap::fromImage(
            picture_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void QtPictureBox::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void QtPictureBox::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}
