#include "printing/PageSettingsUi.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "settings/BusinessFiles.h"
#include "settings/SetupRules.h"
#include "settings/TermsTexts.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {
// The setup screen shows a picture at 96 pixels to the inch.
constexpr double TwipsPerPixel = 15;
} // namespace

void LoadPageLogo(PageSettings &settings, const QString &path) {
    settings.logo.clear();
    settings.logoNaturalWidth = 0;
    settings.logoUnreadable = false;
    if (path.isEmpty() || !QFileInfo(path).exists())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        settings.logoUnreadable = true;
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        settings.logoUnreadable = true;
        return;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid()) {
        settings.logoUnreadable = true;
        return;
    }
    settings.logo = bytes;
    settings.logoNaturalWidth = size.width() * TwipsPerPixel;
}

PageSettings CurrentPageSettings() {
    PageSettings settings;
    settings.business = BusinessData;
    settings.usaStyle = DerivedAddressStyle(BusinessData[0], BusinessData[5]) == AddressStyle::Usa;
    if (const auto colors = ReadPrintColorsFile())
        settings.fontName = colors->fontName;
    settings.printInColor = PrintInColor;
    settings.colorMode = PrintInColor;
    settings.copies = NumCopies >= 1 && NumCopies <= 5 ? NumCopies : 3;

    if (const auto path = ReadLogoPathFile())
        LoadPageLogo(settings, *path);
    if (!settings.logo.isEmpty()) {
        const QSize size = ReadLogoSizeFile().value_or(QSize(1440, 1440));
        settings.logoWidth = size.width();
        settings.logoHeight = size.height();
    }

    settings.genericDisclaimer = GenericDisclaimer();
    const auto custom = ReadCustomDisclaimer();
    if (custom.ok())
        settings.customDisclaimer = custom.value;
    settings.webSite = ReadWebSiteLine();
    CloseAllFiles();
    return settings;
}
