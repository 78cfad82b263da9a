#include "proposals/ProposalState.h"

#include "common/CommonRoutines.h"
#include "common/QuotedFields.h"
#include "platform/TextCodec.h"

namespace {

QString StatePath(const QString &fileName) { return ProposalStateFolder + QLatin1Char('\\') + fileName; }

std::optional<ProposalStatus> StatusOfText(const QString &text) {
    for (ProposalStatus status : {ProposalStatus::Open, ProposalStatus::Accepted, ProposalStatus::Declined})
        if (text.compare(StatusText(status), Qt::CaseInsensitive) == 0)
            return status;
    return std::nullopt;
}

bool IsPrintSize(qint64 size) { return size == 6 || size == 8 || size == 10 || size == 12; }

} // namespace

bool ParseProposalState(const QString &text, ProposalState &state) {
    FieldReader reader(text);
    QString statusText;
    qint64 plan = 0, size = 0;
    if (!reader.ReadText(state.days) || !reader.ReadText(statusText) || !reader.ReadInteger(plan) ||
        !reader.ReadBool(state.genericDisclaimer) || !reader.ReadInteger(size) || !reader.ReadBool(state.usaStyle))
        return false;
    const auto status = StatusOfText(statusText);
    if (!status || plan < 0 || plan > 2 || !IsPrintSize(size))
        return false;
    // A seventh field holds the custom disclaimer's text; older files end here.
    state.customDisclaimer.clear();
    if (!reader.AtEnd() && !reader.ReadText(state.customDisclaimer))
        return false;
    // Kept only with a custom disclaimer, and with the line ends it is written with.
    state.customDisclaimer = state.genericDisclaimer ? QString() : StoredLineEnds(state.customDisclaimer);
    state.status = *status;
    state.plan = int(plan);
    state.printSize = int(size);
    return true;
}

QString StatusText(ProposalStatus status) {
    switch (status) {
    case ProposalStatus::Accepted:
        return QStringLiteral("accepted");
    case ProposalStatus::Declined:
        return QStringLiteral("declined");
    case ProposalStatus::Open:
        break;
    }
    return QStringLiteral("open");
}

ProposalState StateOfDocument(const ProposalDocument &document) {
    ProposalState state;
    state.days = document.days;
    state.plan = document.plan;
    state.genericDisclaimer = document.genericDisclaimer;
    state.printSize = document.printSize;
    state.usaStyle = document.usaStyle;
    if (!document.genericDisclaimer)
        state.customDisclaimer = document.customDisclaimer;
    return state;
}

QByteArray ProposalStateBytes(const ProposalState &state) {
    using namespace QuotedFields;
    QStringList fields = {Text(state.days),        Text(StatusText(state.status)), Number(state.plan),
                          Bool(state.genericDisclaimer), Number(state.printSize),       Bool(state.usaStyle)};
    // Only a custom disclaimer adds a field, so every other state file stays as it always was.
    if (!state.genericDisclaimer && !state.customDisclaimer.isEmpty())
        fields << Text(StoredLineEnds(state.customDisclaimer));
    return TextCodec::Encode(Line(fields));
}

ReadBack<ProposalState> ReadProposalState(const QString &fileName) {
    ReadBack<ProposalState> result;
    if (!IsPlainFileName(fileName))
        return result;
    const auto stored = ReadStoredText(StatePath(fileName));
    result.outcome = stored.outcome;
    ProposalState parsed;
    if (stored.ok() && !ParseProposalState(stored.value, parsed))
        result.outcome = ReadOutcome::Unreadable;
    if (result.ok())
        result.value = parsed;
    return result;
}

bool WriteProposalState(const QString &fileName, const ProposalState &state) {
    if (!IsPlainFileName(fileName) || !EnsureFolder(ProposalStateFolder))
        return false;
    return WriteWholeFile(StatePath(fileName), ProposalStateBytes(state));
}

bool WriteProposalState(qint16 number, const ProposalDocument &document) {
    return WriteProposalState(QString::number(number) + QStringLiteral(".txt"), StateOfDocument(document));
}

bool DeleteProposalState(const QString &fileName) {
    return IsPlainFileName(fileName) && DeleteFile(StatePath(fileName));
}

QDate LastValidDay(const QDate &saved, const QString &days) {
    bool ok = false;
    const int count = days.trimmed().toInt(&ok);
    if (!ok || count < 0 || !saved.isValid())
        return {};
    return saved.addDays(count);
}
