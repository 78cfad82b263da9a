#include "ScriptedDialogs.h"

template <class T>
std::optional<T> ScriptedDialogs::Take(QList<std::optional<T>> &answers, const QString &kind) {
    if (answers.isEmpty()) {
        unexpected.append(kind);
        return std::nullopt;
    }
    return answers.takeFirst();
}

std::optional<quint32> ScriptedDialogs::ChooseColor(quint32 current) {
    opened.append(Opened{QStringLiteral("color"), {}, {}, QString::number(current)});
    return Take(colors_, QStringLiteral("color"));
}

std::optional<QString> ScriptedDialogs::ChooseFont(const QString &current) {
    opened.append(Opened{QStringLiteral("font"), {}, {}, current});
    return Take(fonts_, QStringLiteral("font"));
}

std::optional<QString> ScriptedDialogs::ChooseOpenFile(const QString &title, const QString &filter,
                                                       const QString &) {
    opened.append(Opened{QStringLiteral("file"), title, filter, {}});
    return Take(files_, QStringLiteral("file"));
}

std::shared_ptr<PrintSurface> ScriptedDialogs::ChoosePrinter() {
    opened.append(Opened{QStringLiteral("print"), {}, {}, {}});
    if (printers_.isEmpty()) {
        unexpected.append(QStringLiteral("print"));
        return nullptr;
    }
    return printers_.takeFirst();
}

void ScriptedDialogs::ShowPrintPreview(const QString &title, const PaintPages &paint) {
    opened.append(Opened{QStringLiteral("preview"), title, {}, {}});
    auto surface = std::make_shared<RecordingPrintSurface>();
    paint(*surface);
    previews.append(surface);
}
