#pragma once
#include <QImage>

// The program's own logo, drawn rather than shipped as a file.
QImage ProductLogo(const QSize &pixels);
