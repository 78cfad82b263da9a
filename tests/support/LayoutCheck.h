#pragma once
// The tidiness check of a screen: no named control sticks out of the window,
// overlaps a sibling or has its caption cut off.
#include <QStringList>

class QWidget;

QStringList LayoutFaults(QWidget *window);
