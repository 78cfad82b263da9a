#include "common/StoredText.h"

#include "common/CommonRoutines.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"

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

// A character as the question names it; one that shows as nothing (a space,
// a mark, a zero-width character) by its code.
QString Named(const QString &character) {
    const QChar c = character.at(0);
    if (character.size() == 1 && (!c.isPrint() || c.isSpace() || c.isMark()))
        return QStringLiteral("U+") + QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QLatin1Char('"') + character + QLatin1Char('"');
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

bool AcceptStoredText(const QStringList &texts) {
    QStringList lacking;
    for (const QString &text : texts)
        for (const QString &character : TextCodec::Unstorable(text))
            if (!lacking.contains(character))
                lacking << character;
    if (lacking.isEmpty())
        return true;
    // A long paste of another script would make a box taller than the screen.
    constexpr qsizetype Listed = 12;
    QStringList pairs;
    for (qsizetype i = 0; i < std::min(Listed, lacking.size()); ++i)
        pairs << Named(lacking[i]) + QStringLiteral(" as ") + Named(QString(TextCodec::StandIn(lacking[i])));
    QString list = pairs.join(QStringLiteral(", "));
    if (lacking.size() > Listed)
        list += QStringLiteral(" and %1 more").arg(lacking.size() - Listed);
    return MsgBox(QStringLiteral("These characters cannot be kept in the file: ") + list + QStringLiteral(".\r\n") +
                      QStringLiteral("Click Yes to store them as shown, or No to change the text first."),
                  MsgButtons::YesNo, QStringLiteral("Characters not Kept")) == MsgAnswer::Yes;
}
