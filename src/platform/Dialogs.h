#pragma once
// The common dialogs (colour, font, open file) as the rest of the program
// sees them. The running program shows Qt's dialogs (QtDialogs); tests
// install a double that answers from a script. Every dialog returns nothing
// when the user cancels, so the caller keeps its current value.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class PrintSurface;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A colour as an RGB value with red in the low byte.
    virtual std::optional<quint32> ChooseColor(quint32 current) = 0;
    // A font family name.
    virtual std::optional<QString> ChooseFont(const QString &current) = 0;
    // The full path of an existing file; the filter is in Qt's form
    // ("Pictures (*.png *.jpg);;All (*)"), its first entry selected; the
    // dialog starts in the given folder.
    virtual std::optional<QString> ChooseOpenFile(const QString &title, const QString &filter,
                                                  const QString &startFolder) = 0;
    // The print dialog: a surface on the printer the user chose, or on the
    // PDF file named there, ready for a new document; nothing when the user
    // cancels. The surface is shared so that a test can look at what was
    // printed on it after the caller has let it go.
    virtual std::shared_ptr<PrintSurface> ChoosePrinter() = 0;
    // The print preview: a window showing the pages that paint() draws on
    // the surface it is given; it records and prints nothing by itself.
    using PaintPages = std::function<void(PrintSurface &)>;
    virtual void ShowPrintPreview(const QString &title, const PaintPages &paint) = 0;
};

// The dialogs in use; there is always one (until one is set, every dialog
// answers as if cancelled, so nothing can block).
Dialogs &Dialog();
void SetDialogs(std::shared_ptr<Dialogs> dialogs);

std::optional<quint32> ChooseColor(quint32 current);
std::optional<QString> ChooseFont(const QString &current);
std::optional<QString> ChooseOpenFile(const QString &title, const QString &filter, const QString &startFolder);
std::shared_ptr<PrintSurface> ChoosePrinter();
void ShowPrintPreview(const QString &title, const Dialogs::PaintPages &paint);

// An open-file filter offering every picture format in the list (as image
// readers name them: "png", "jpeg", ...) in lower and upper case, then all files.
QString PictureFileFilter(const QList<QByteArray> &formats);
