#pragma once
// The small settings files in the program's folder: business data, print
// colours, logo path and size, web-site line and the proposal counter.
// Readers apply the defaults to whatever they cannot read and tell the user
// which file is damaged; they never rewrite a file themselves, except to put
// back its copy from \Backup when the user asks for it (and then read that).
#include <QSize>
#include <QString>
#include <array>
#include <optional>

using BusinessFields = std::array<QString, 9>;

struct PrintColorSettings {
    quint32 borderColor = 0; // RGB, red in the low byte
    quint32 dataColor = 0;
    QString fontName = QStringLiteral("Arial");
    bool printInColor = true;
    quint8 numCopies = 3;
};

// Business data: nothing when the file is missing (and cannot be restored).
std::optional<BusinessFields> ReadBusinessFile();
bool WriteBusinessFile(const BusinessFields &fields);

// Print colours: nothing when the file is missing; the defaults stand in for
// lines that cannot be read.
std::optional<PrintColorSettings> ReadPrintColorsFile();
// Replaces PrintColors.txt (and drops its backup copy).
bool WritePrintColorsFile(const PrintColorSettings &settings);

std::optional<QString> ReadLogoPathFile();
bool WriteLogoPathFile(const QString &path);
std::optional<QSize> ReadLogoSizeFile(); // twips
bool WriteLogoSizeFile(const QSize &twips);

// First field of the optional MyWebSite.txt.
std::optional<QString> ReadWebSiteLine();

// Proposal counter. Reading: nothing when the file is missing; 1001 (and a
// message) when it holds no number from 1 to 32767.
inline constexpr qint16 FirstProposalNo = 1001;
std::optional<qint16> ReadProposalCounterFile();
// Writes the counter file; the number is its one line.
bool SaveProposalCounter(qint16 number);

// Both files the first-run setup must have written, each with its restore
// attempt; stops at the first one missing.
bool BusinessFilesPresent();
