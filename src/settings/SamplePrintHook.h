#pragma once
// The setup screen's "Print Sample": the logo at its adjusted size and the
// page's frames on one page. The printing lies above the settings, so the
// program installs it here when it starts (none installed: nothing prints).
#include <QImage>
#include <QSize>
#include <functional>

enum class SamplePrintOutcome { Printed, Cancelled, Failed };

// The logo as the setup screen shows it (a null picture: no logo) and the
// size it is printed at, in twips.
inline std::function<SamplePrintOutcome(const QImage &logo, const QSize &twips)> PrintSampleHook;
