#pragma once
// Where a window goes when it comes back: a size or position kept from an
// earlier run (or from a bigger screen) may no longer fit the screen.
#include <QMargins>
#include <QRect>

// The window's inner geometry moved and shrunk so that, with its frame (title
// bar and borders), it lies wholly inside the available area of the screen.
// A window that fits keeps its geometry.
QRect FitOnScreen(const QRect &window, const QMargins &frame, const QRect &available);
