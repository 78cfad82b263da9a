#include "settings/BusinessFiles.h"

#include "common/CommonRoutines.h"
#include "common/QuotedFields.h"
#include "common/StoredText.h"
#include "platform/TextCodec.h"
#include "settings/SetupRules.h"

#include <QStringList>
#include <limits>

namespace {

const QString BusinessFile = QStringLiteral("\\MyBusinessData.txt");
const QString ColorsFile = QStringLiteral("/PrintColors.txt");
const QString LogoFile = QStringLiteral("/CompanyLogo.txt");
const QString LogoSizeFile = QStringLiteral("/LogoSettings.txt");
const QString WebSiteFile = QStringLiteral("/MyWebSite.txt");
const QString CounterFile = QStringLiteral("\\TProposalCounter.txt");

// Reads a settings file whole; nothing when it is missing after the restore attempt.
std::optional<QString> ReadSettingsText(const QString &name) {
    const auto text = ReadStoredText(name);
    if (!text.ok())
        return std::nullopt;
    return text.value;
}

bool WriteSettingsText(const QString &name, const QString &text) {
    return WriteWholeFile(name, TextCodec::Encode(text));
}

// Writes first and only then drops the backup, which could only bring back
// older settings: a failed write leaves both copies as they were.
bool WriteDroppingBackup(const QString &name, const QString &text) {
    if (!WriteSettingsText(name, text))
        return false;
    DeleteFile(QStringLiteral("/Backup") + name);
    return true;
}

QString Plain(const QString &name) { return name.mid(1); }

} // namespace

std::optional<BusinessFields> ReadBusinessFile() {
    const auto text = ReadSettingsText(BusinessFile);
    if (!text)
        return std::nullopt;
    BusinessFields fields;
    FieldReader reader(*text);
    int read = 0;
    while (read < 9 && reader.ReadText(fields[read]))
        ++read;
    if (read < 9 &&
        ReportDamagedFileWithBackup(
            BusinessFile, QStringLiteral("The business fields that could not be read are left empty. "
                                         "The file is kept as it is until you save the Setup Screen.")))
        return ReadBusinessFile(); // the copy from \Backup is in place now
    return fields;
}

bool WriteBusinessFile(const BusinessFields &fields) {
    QStringList quoted;
    for (const QString &field : fields)
        quoted << QuotedFields::Text(field);
    return WriteSettingsText(BusinessFile, QuotedFields::Line(quoted));
}

std::optional<PrintColorSettings> ReadPrintColorsFile() {
    const auto text = ReadSettingsText(ColorsFile);
    if (!text)
        return std::nullopt;
    PrintColorSettings settings;
    const PrintColorSettings defaults;
    FieldReader reader(*text);
    bool damaged = false;
    auto readColor = [&](quint32 &out, quint32 fallback) {
        qint64 value = 0;
        if (reader.ReadInteger(value) && value >= 0 && value <= 0xFFFFFF) {
            out = static_cast<quint32>(value);
        } else {
            out = fallback;
            damaged = true;
        }
    };
    readColor(settings.borderColor, defaults.borderColor);
    readColor(settings.dataColor, defaults.dataColor);
    const auto font = reader.Next();
    if (font && font->quoted && !font->text.trimmed().isEmpty())
        settings.fontName = font->text;
    else
        damaged = true;
    if (!reader.ReadBool(settings.printInColor)) {
        settings.printInColor = defaults.printInColor;
        damaged = true;
    }
    qint64 copies = 0;
    if (reader.ReadInteger(copies) && copies >= 1 && copies <= 5)
        settings.numCopies = static_cast<quint8>(copies);
    else
        damaged = true;
    if (damaged &&
        ReportDamagedFileWithBackup(
            ColorsFile, QStringLiteral("The print settings that could not be read are set to black, "
                                       "Arial, printing in colour and 3 copies. The file is kept as it "
                                       "is until you save the Setup Screen.")))
        return ReadPrintColorsFile();
    return settings;
}

bool WritePrintColorsFile(const PrintColorSettings &settings) {
    const QString text = QuotedFields::Line({QuotedFields::Number(qint64(settings.borderColor))}) +
                         QuotedFields::Line({QuotedFields::Number(qint64(settings.dataColor))}) +
                         QuotedFields::Line({QuotedFields::Text(settings.fontName)}) +
                         QuotedFields::Line({QuotedFields::Bool(settings.printInColor)}) +
                         QuotedFields::Line({QuotedFields::Number(qint64(settings.numCopies))});
    return WriteDroppingBackup(ColorsFile, text);
}

std::optional<QString> ReadLogoPathFile() {
    const auto text = ReadSettingsText(LogoFile);
    if (!text)
        return std::nullopt;
    QString path;
    if (!FieldReader(*text).ReadText(path)) {
        if (ReportDamagedFileWithBackup(
                LogoFile, QStringLiteral("No logo is shown. The file is kept as it is until you "
                                         "store a logo on the Setup Screen.")))
            return ReadLogoPathFile();
        return QString();
    }
    return path;
}

bool WriteLogoPathFile(const QString &path) {
    return WriteDroppingBackup(LogoFile, QuotedFields::Line({QuotedFields::Text(path)}));
}

std::optional<QSize> ReadLogoSizeFile() {
    const auto text = ReadSettingsText(LogoSizeFile);
    if (!text)
        return std::nullopt;
    FieldReader reader(*text);
    qint64 width = 0, height = 0;
    if (!reader.ReadInteger(width) || !reader.ReadInteger(height) || width < 1 || height < 1 ||
        width > 100000 || height > 100000) {
        if (ReportDamagedFileWithBackup(LogoSizeFile,
                                        QStringLiteral("The logo is shown at 1440 by 1440 twips.")))
            return ReadLogoSizeFile();
        return QSize(1440, 1440);
    }
    return QSize(int(width), int(height));
}

bool WriteLogoSizeFile(const QSize &twips) {
    return WriteSettingsText(LogoSizeFile, QuotedFields::Line({QuotedFields::Number(twips.width()),
                                                               QuotedFields::Number(twips.height())}));
}

std::optional<QString> ReadWebSiteLine() {
    const auto text = ReadSettingsText(WebSiteFile);
    if (!text)
        return std::nullopt;
    QString line;
    if (!FieldReader(*text).ReadText(line))
        return std::nullopt;
    return line;
}

std::optional<qint16> ReadProposalCounterFile() {
    const auto text = ReadSettingsText(CounterFile);
    if (!text)
        return std::nullopt;
    qint64 number = 0;
    if (!FieldReader(*text).ReadInteger(number) || number < LowestProposalNo ||
        number > std::numeric_limits<qint16>::max()) {
        ReportDamagedFile(Plain(CounterFile),
                          QStringLiteral("The next Proposal Number is taken as 1001 for now. "
                                         "Enter the right number on the Setup Screen and click "
                                         "Save Proposal No."));
        return FirstProposalNo;
    }
    return static_cast<qint16>(number);
}

bool SaveProposalCounter(qint16 number) {
    return WriteSettingsText(CounterFile, QuotedFields::Line({QuotedFields::Number(qint64(number))}));
}

bool BusinessFilesPresent() { return FileExists(BusinessFile) && FileExists(ColorsFile); }
