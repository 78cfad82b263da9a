#include "platform/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSpinBox>

#include "platform/QtPrintSurface.h"
#include "platform/UserPrompt.h"

namespace {

// The printer lives as long as the surface that paints on it.
struct PrinterHolder {
    std::unique_ptr<QPrinter> printer;
};

class ChosenPrinterSurface : private PrinterHolder, public QtPrintSurface {
public:
    explicit ChosenPrinterSurface(std::unique_ptr<QPrinter> chosen)
        : PrinterHolder{std::move(chosen)}, QtPrintSurface(*printer, PrintPaper::AsChosen) {}
};

} // namespace

QColor ColorFromRgb(quint32 rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

quint32 RgbFromColor(const QColor &color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

std::optional<quint32> QtDialogs::ChooseColor(quint32 current) {
    const QColor chosen = QColorDialog::getColor(ColorFromRgb(current), QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return RgbFromColor(chosen);
}

std::optional<QString> QtDialogs::ChooseFont(const QString &current) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, QFont(current), QApplication::activeWindow());
    if (!ok)
        return std::nullopt;
    return chosen.family();
}

std::optional<QString> QtDialogs::ChooseOpenFile(const QString &title, const QString &filter,
                                                 const QString &startFolder) {
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), title, startFolder, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::shared_ptr<PrintSurface> QtDialogs::ChoosePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // Every job prints its own labelled copies (Original, Duplicate, ...), as
    // many as the setup screen says; copies made by the print system would
    // repeat the whole set, so the dialog offers none.
    if (auto *copies = dialog.findChild<QSpinBox *>(QStringLiteral("copies")))
        copies->parentWidget()->hide();
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    printer->setCopyCount(1);
    // The paper chosen is used when the pages fit on it (A4 as well as Letter).
    const QString printerName =
        printer->outputFormat() == QPrinter::NativeFormat ? printer->printerName() : QString();
    auto surface = std::make_shared<ChosenPrinterSurface>(std::move(printer));
    surface->SetPrinterName(printerName);
    if (!surface->HoldsPages()) {
        MsgBox(QStringLiteral("The paper chosen is too small for this page. Please choose Letter, A4 or a "
                              "larger paper."),
               MsgButtons::Ok, QStringLiteral("Paper Size"));
        return nullptr;
    }
    return surface;
}

void QtDialogs::ShowPrintPreview(const QString &title, const PaintPages &paint) {
    QPrintPreviewDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("dlgPreview"));
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter *printer) {
        QtPrintSurface surface(*printer);
        paint(surface);
    });
    dialog.exec();
}
