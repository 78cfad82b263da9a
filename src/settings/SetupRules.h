#pragma once
// The setup screen's rules, apart from its controls.
#include <QString>
#include <optional>

enum class AddressStyle { Usa, International };

// The style the business fields are shown in. A business name without a
// postal code is an international address; everything else is shown in USA
// style, the only style that shows (and so keeps) a postal code.
AddressStyle DerivedAddressStyle(const QString &businessName, const QString &postalCode);

// Logo sizing in twips: a step of 50 within 360..1800; a step past either end
// wraps round to the other end.
inline constexpr int LogoSizeMin = 360;
inline constexpr int LogoSizeMax = 1800;
inline constexpr int LogoSizeStep = 50;
int NextLogoSize(int twips, bool grow);

// A proposal number as typed: a whole number from 1 to 32767 (grouping and
// blanks as the user's locale writes them; a point is a decimal point, see
// ParseNumericText); nothing for anything else. The number names the
// proposal's files and is written without a sign.
inline constexpr qint16 LowestProposalNo = 1;
// The proposal number box: "32,767" with room for blanks.
inline constexpr int ProposalNoBoxLength = 12;

// The serial ports a modem can be named on (COM Port # 1 to 16).
inline constexpr int LowestModemPort = 1;
inline constexpr int HighestModemPort = 16;
std::optional<qint16> ParseProposalNumber(const QString &text);
