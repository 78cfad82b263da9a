#include "common/StoredText.h"

#include "common/CommonRoutines.h"
#include "platform/TextCodec.h"

namespace {

QString WithLineEnds(const QString &text, const QString &lineEnd) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            out.append(lineEnd);
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace

QString StoredLineEnds(const QString &text) { return WithLineEnds(text, QStringLiteral("\r\n")); }

QString BoxLineEnds(const QString &text) { return WithLineEnds(text, QStringLiteral("\n")); }

ReadBack<QString> ReadStoredText(const QString &name) {
    ReadBack<QString> result;
    if (!FileExists(name))
        return result;
    const auto bytes = ReadWholeFile(name);
    if (!bytes) {
        result.outcome = ReadOutcome::Unreadable;
        return result;
    }
    result.outcome = ReadOutcome::Read;
    result.value = TextCodec::Decode(*bytes);
    return result;
}

bool IsPlainFileName(const QString &fileName) {
    return !fileName.isEmpty() && fileName != QLatin1String(".") && fileName != QLatin1String("..") &&
           !fileName.contains(QLatin1Char('/')) && !fileName.contains(QLatin1Char('\\'));
}
