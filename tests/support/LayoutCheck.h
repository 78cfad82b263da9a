#pragma once
// The tidiness check of a screen: no named control sticks out of the window,
// overlaps a sibling or has its caption cut off.
#include <QMargins>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

QStringList LayoutFaults(QWidget *window);

// The faults at the screen's first size and at 1.3 times that size (each
// size's faults once); the screen is left at its first size.
QStringList TidyAtBothSizes(QWidget *screen, QSize first);

// The smallest desktop the program is made for: 1280x800 less a 40-pixel
// panel, and a window manager's title bar and borders around each window.
inline constexpr QSize SmallDesktop(1280, 760);
inline constexpr QMargins WindowFrame(4, 32, 4, 4);
// What a window of the program may take inside its frame on that desktop.
inline constexpr QSize SmallWindow(SmallDesktop.width() - 8, SmallDesktop.height() - 36);

// What keeps the window from fitting the small desktop: a minimum or a size
// larger than SmallWindow, or a visible button outside the window at its
// present size or at its minimum size (the window is left at its present size).
QStringList FitFaults(QWidget *window);
