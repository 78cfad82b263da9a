#pragma once
// A picture control: holds a picture, shows it at a size given in twips
// (1440 to the inch, 15 to a pixel on a 96-dpi screen) and reports clicks.
#include <QImage>
#include <QLabel>

class QtPictureBox : public QLabel {
    Q_OBJECT
public:
    explicit QtPictureBox(const QString &name, QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }
    void clearPicture();

    // The size the picture is shown (and printed) at.
    void setTwipsSize(const QSize &twips);
    QSize twipsSize() const { return twips_; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void Refresh();
    QImage picture_;
    QSize twips_{1440, 1440};
};
