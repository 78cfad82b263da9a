#include "settings/SetupRules.h"

#include "common/InputRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

AddressStyle DerivedAddressStyle(const QString &businessName, const QString &postalCode) {
    return !businessName.isEmpty() && postalCode.isEmpty() ? AddressStyle::International : AddressStyle::Usa;
}

int NextLogoSize(int twips, bool grow) {
    if (grow)
        return twips < LogoSizeMax ? std::min(LogoSizeMax, twips + LogoSizeStep) : LogoSizeMin;
    return twips > LogoSizeMin ? std::max(LogoSizeMin, twips - LogoSizeStep) : LogoSizeMax;
}

std::optional<qint16> ParseProposalNumber(const QString &text) {
    const auto value = ParseNumericText(text);
    if (!value || *value != std::floor(*value) || *value < LowestProposalNo ||
        *value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(*value);
}
