#pragma once
// The test double for the colour, font and open-file dialogs. Each dialog
// takes the next scripted answer of its kind (nothing: the user cancelled);
// every dialog opened is recorded, and one nobody scripted is recorded as
// unexpected and answers as cancelled.
#include "platform/Dialogs.h"
#include "platform/PrintSurface.h"
#include "platform/RecordingPrintSurface.h"

#include <QList>
#include <QStringList>

class ScriptedDialogs : public Dialogs {
public:
    struct Opened {
        QString kind; // "color", "font", "file", "print" or "preview"
        QString title;
        QString filter;
        QString current; // the value the dialog started from
    };

    void AnswerColor(std::optional<quint32> color) { colors_.append(color); }
    void AnswerFont(std::optional<QString> font) { fonts_.append(font); }
    void AnswerFile(std::optional<QString> path) { files_.append(path); }
    // The print dialog hands out this surface (nullptr: the user cancelled).
    void AnswerPrinter(std::shared_ptr<PrintSurface> surface) { printers_.append(std::move(surface)); }

    std::optional<quint32> ChooseColor(quint32 current) override;
    std::optional<QString> ChooseFont(const QString &current) override;
    std::optional<QString> ChooseOpenFile(const QString &title, const QString &filter,
                                          const QString &startFolder) override;
    std::shared_ptr<PrintSurface> ChoosePrinter() override;
    // Paints the previewed pages on a recording surface kept in previews.
    void ShowPrintPreview(const QString &title, const PaintPages &paint) override;
    QList<std::shared_ptr<RecordingPrintSurface>> previews;

    QList<Opened> opened;
    QStringList unexpected; // kinds of dialogs with no scripted answer
    bool ScriptUsed() const {
        return colors_.isEmpty() && fonts_.isEmpty() && files_.isEmpty() && printers_.isEmpty();
    }

private:
    template <class T> std::optional<T> Take(QList<std::optional<T>> &answers, const QString &kind);

    QList<std::optional<quint32>> colors_;
    QList<std::optional<QString>> fonts_;
    QList<std::optional<QString>> files_;
    QList<std::shared_ptr<PrintSurface>> printers_;
};
