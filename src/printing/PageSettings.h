#pragma once
// The business's side of a printed page: letterhead data, print font, colours,
// copies, logo and the disclaimer texts, as plain values. CurrentPageSettings
// (PageSettingsUi.h) fills it from the settings the program has loaded; tests
// fill it by hand.
#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

struct PageSettings {
    // BusinessData 0 to 8: name, address 1, address 2, city or address 3,
    // state or address 4, postal code, telephone, other line, tax number.
    std::array<QString, 9> business;
    // The business's address style: city, state and zip on one line.
    bool usaStyle = true;

    QString fontName = QStringLiteral("Arial"); // the print font
    bool printInColor = true;                   // blue and navy text and frames
    bool colorMode = true;                      // the printer's colour mode
    int copies = 3;                             // 1 to 5

    // The logo as the bytes of its picture file (empty: no logo), its own
    // width on screen (pixels at 15 twips each), which centres it, and the
    // size it is printed at, in twips.
    QByteArray logo;
    double logoNaturalWidth = 0;
    double logoWidth = 1440;
    double logoHeight = 1440;
    // A logo is named but its file could not be read or is no picture.
    bool logoUnreadable = false;

    QString genericDisclaimer;
    // The custom disclaimer (lines joined by CR LF); none when its file is missing.
    std::optional<QString> customDisclaimer;
    // The first field of MyWebSite.txt, when the file is there.
    std::optional<QString> webSite;
};
