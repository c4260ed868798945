#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>

namespace vesdra {

// Conversions of the original runtime, widened to 32 bits.
//
// CInt and CLng round to the nearest integer, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); a value outside the 32-bit range or a
// NaN throws VbError 6 (overflow).
[[nodiscard]] std::int32_t CInt(double value);
[[nodiscard]] std::int32_t CLng(double value);

// Str$: a blank in the sign place before a non-negative number, "." as the
// separator whatever the locale, no leading "0" before the separator, no
// trailing zeros, up to 15 significant digits ( 12, -3.5,  .25, 1E+16).
[[nodiscard]] QString Str(double value);

// Val: the number at the start of the text, blanks, tabs and line feeds
// skipped anywhere, "." as separator, "&H"/"&O" prefixes; 0 when there is none.
[[nodiscard]] double Val(QStringView text);

// The locale's ordinary conversion of a text to a number (CDbl of a String):
// blanks round it ignored, the user's decimal separator (DecimalSeparator()),
// an optional sign and exponent. Empty or non-numeric text throws VbError 13
// (type mismatch).
[[nodiscard]] double CDbl(QStringView text);

// CInt of a text: CDbl then CInt (13 for non-numeric text, 6 out of range).
[[nodiscard]] std::int32_t CIntText(QStringView text);

} // namespace vesdra
