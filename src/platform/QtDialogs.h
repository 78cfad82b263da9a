#pragma once
// Qt's colour, font and file dialogs behind the Dialogs seam.
#include "platform/Dialogs.h"

#include <QColor>

// Stored colours hold RGB with red in the low byte.
QColor ColorFromRgb(quint32 rgb);
quint32 RgbFromColor(const QColor &color);

class QtDialogs : public Dialogs {
public:
    std::optional<quint32> ChooseColor(quint32 current) override;
    std::optional<QString> ChooseFont(const QString &current) override;
    std::optional<QString> ChooseOpenFile(const QString &title, const QString &filter,
                                          const QString &startFolder) override;
    // Qt's print dialog with "Print to File (PDF)" beside the installed
    // printers. It offers no copies (the labelled copies are set on the setup
    // screen) and keeps the paper chosen when the pages fit on it; a smaller
    // paper is refused with a message and counts as cancelled.
    std::shared_ptr<PrintSurface> ChoosePrinter() override;
    // Qt's print preview window.
    void ShowPrintPreview(const QString &title, const PaintPages &paint) override;
};
