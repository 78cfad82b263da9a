#include "settings/TermsTexts.h"

#include "common/CommonRoutines.h"
#include "common/QuotedFields.h"
#include "platform/TextCodec.h"

const QStringList &GenericTermsPieces() {
    static const QStringList pieces = {
        QStringLiteral("All material is guaranteed to be as "
                       "specified, and the work to be performed"),
        QStringLiteral(" in accordance with the drawings and specifications submitted"),
        QStringLiteral(" for above work and completed in substantial workmanlike manner")};
    return pieces;
}

const QStringList &GenericDisclaimerPieces() {
    static const QStringList pieces = {
        QStringLiteral("Any alteration or deviation from above specifications "),
        QStringLiteral("involving extra costs, will be executed only upon "),
        QStringLiteral("written orders, and will become an extra charge "),
        QStringLiteral("over and above the Proposed Price. "),
        QStringLiteral("All agreements contingent upon strikes, accidents or "),
        QStringLiteral("delays beyond our control. Owner to carry fire, tornado "),
        QStringLiteral("and other necessary insurance upon above work. "),
        QStringLiteral("Workmen's Compensation and Public Liability Insurance "),
        QStringLiteral("on above work to be provided by: ")};
    return pieces;
}

QString GenericTerms() { return GenericTermsPieces().join(QString()); }

QString GenericDisclaimer() { return GenericDisclaimerPieces().join(QString()); }

bool SaveCustomText(const QString &name, const QString &text) {
    const QString line = QuotedFields::Line({QuotedFields::Text(StoredLineEnds(text))});
    if (!WriteWholeFile(name, TextCodec::Encode(line)))
        return false;
    // A backup left behind could only ever bring back an older text.
    DeleteFile(QStringLiteral("/Backup") + name);
    return true;
}

ReadBack<QString> LoadCustomText(const QString &name) {
    auto result = ReadStoredText(name);
    QString text;
    // Control characters never come from a box; random bytes would otherwise read as terms.
    if (result.ok() && (TextCodec::HoldsControlBytes(TextCodec::Encode(result.value)) ||
                        !FieldReader(result.value).ReadText(text))) {
        result.outcome = ReadOutcome::Unreadable;
        text.clear();
    }
    // Never copied over its backup at exit while it cannot be read.
    if (result.outcome == ReadOutcome::Unreadable)
        MarkDamaged(name);
    result.value = text;
    return result;
}

bool CustomTermsExist() { return FileExists(CustomTermsFile); }

ReadBack<QString> ReadCustomTerms() { return LoadCustomText(CustomTermsFile); }

ReadBack<QString> ReadCustomDisclaimer() { return LoadCustomText(CustomDisclaimerFile); }
