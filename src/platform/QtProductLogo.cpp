#include "platform/QtProductLogo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

QImage ProductLogo(const QSize &pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(image.rect()).adjusted(2, 2, -2, -2);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    fill.setColorAt(1, QColor(0x2e, 0x75, 0xb6));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0x14, 0x33, 0x50), 2));
    painter.drawRoundedRect(box, box.height() * 0.12, box.height() * 0.12);
    painter.setPen(Qt::white);
    QFont big(QStringLiteral("Arial"));
    big.setBold(true);
    big.setPixelSize(int(box.height() * 0.30));
    painter.setFont(big);
    painter.drawText(box.adjusted(0, 0, 0, -box.height() * 0.35), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Tamsel"));
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(int(box.height() * 0.17));
    small.setLetterSpacing(QFont::PercentageSpacing, 130);
    painter.setFont(small);
    painter.drawText(box.adjusted(0, box.height() * 0.62, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("PROPOSAL"));
    return image;
}
