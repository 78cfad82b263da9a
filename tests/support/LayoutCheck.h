#pragma once
// The tidiness check of a screen: no named control sticks out of the window,
// overlaps a sibling or has its caption cut off.
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

QStringList LayoutFaults(QWidget *window);

// The faults at the screen's first size and at 1.3 times that size (each
// size's faults once); the screen is left at its first size.
QStringList TidyAtBothSizes(QWidget *screen, QSize first);
// The screen's picture saved as name.png in the folder TAMSEL_SCREENSHOTS
// names, when it names one; false when the picture could not be made or saved.
bool SaveScreenshot(QWidget *screen, const QString &name);
