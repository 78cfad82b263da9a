#include "platform/Dialogs.h"

#include <QStringList>

namespace {

class CancelledDialogs : public Dialogs {
public:
    std::optional<quint32> ChooseColor(quint32) override { return std::nullopt; }
    std::optional<QString> ChooseFont(const QString &) override { return std::nullopt; }
    std::optional<QString> ChooseOpenFile(const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
    std::shared_ptr<PrintSurface> ChoosePrinter() override { return nullptr; }
    void ShowPrintPreview(const QString &, const PaintPages &) override {}
};

std::shared_ptr<Dialogs> &Current() {
    static std::shared_ptr<Dialogs> dialogs = std::make_shared<CancelledDialogs>();
    return dialogs;
}

} // namespace

Dialogs &Dialog() { return *Current(); }

void SetDialogs(std::shared_ptr<Dialogs> dialogs) {
    Current() = dialogs ? std::move(dialogs) : std::make_shared<CancelledDialogs>();
}

std::optional<quint32> ChooseColor(quint32 current) { return Dialog().ChooseColor(current); }
std::optional<QString> ChooseFont(const QString &current) { return Dialog().ChooseFont(current); }
std::optional<QString> ChooseOpenFile(const QString &title, const QString &filter, const QString &startFolder) {
    return Dialog().ChooseOpenFile(title, filter, startFolder);
}
std::shared_ptr<PrintSurface> ChoosePrinter() { return Dialog().ChoosePrinter(); }
void ShowPrintPreview(const QString &title, const Dialogs::PaintPages &paint) {
    Dialog().ShowPrintPreview(title, paint);
}

QString PictureFileFilter(const QList<QByteArray> &formats) {
    QStringList patterns;
    for (const QByteArray &format : formats) {
        const QString lower = QString::fromLatin1(format).toLower();
        if (lower.isEmpty())
            continue;
        for (const QString &pattern : {QStringLiteral("*.") + lower, QStringLiteral("*.") + lower.toUpper()})
            if (!patterns.contains(pattern))
                patterns << pattern;
    }
    return QStringLiteral("Pictures (%1);;All (*)").arg(patterns.join(QLatin1Char(' ')));
}
