#include "common/WindowPlacement.h"

#include <algorithm>

QRect FitOnScreen(const QRect &window, const QMargins &frame, const QRect &available) {
    QRect outer = window.marginsAdded(frame);
    outer.setWidth(std::min(outer.width(), available.width()));
    outer.setHeight(std::min(outer.height(), available.height()));
    // Shrinking first means the moves below always land inside the area.
    if (outer.right() > available.right())
        outer.moveRight(available.right());
    if (outer.bottom() > available.bottom())
        outer.moveBottom(available.bottom());
    if (outer.left() < available.left())
        outer.moveLeft(available.left());
    if (outer.top() < available.top())
        outer.moveTop(available.top());
    return outer.marginsRemoved(frame);
}
