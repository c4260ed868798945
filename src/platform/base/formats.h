#pragma once
#include <QAnyStringView>
#include <QChar>
#include <QString>
#include <QTime>
#include <concepts>

namespace vesdra {

// Format(value, pattern) for digit patterns: "0.000", "0.00", "0.0", "0",
// "#.###", "#.##", and any mix of '0' (digit always written) and '#' (digit
// written only when significant) around one optional '.'.
//  - Rounds half away from zero at the last decimal of the pattern, once, on
//    the value's 15 significant decimal digits, so 0.0005 -> "0.001" and
//    2.675 -> "2.68". A Single is taken at its exact binary value (widened to
//    a Double), never at its shortest text: 2566.43945f (2566.439453125)
//    gives "2566.439", 0.1235f (0.12349999...) "0.123".
//  - "#" before the separator: no "0" when the whole part is 0 (.5, and 0 is
//    the separator alone); "#" after it: no trailing zeros.
//  - A pattern with a '.' always writes the separator (12 -> "12." with "#.##"),
//    and the separator is the user's (DecimalSeparator()).
//  - A value that rounds to 0 is written without a minus sign.
// Any other pattern writes the number as Str does, without the sign blank.
[[nodiscard]] QString Format(double value, QAnyStringView pattern);
[[nodiscard]] QString Format(float value, QAnyStringView pattern);
template <std::integral T> [[nodiscard]] QString Format(T value, QAnyStringView pattern)
{
    return Format(static_cast<double>(value), pattern);
}

// The user's decimal separator, from the locale (QLocale().decimalPoint())
// unless a test has fixed it.
[[nodiscard]] QChar DecimalSeparator();
// A null QChar goes back to the locale's separator.
void SetDecimalSeparatorForTests(QChar separator);

// The clock's "hh:mm AM/PM": twelve-hour, two digits each ("12:05 AM" just
// after midnight, "01:30 PM").
[[nodiscard]] QString HoraAmPm(const QTime& time);

} // namespace vesdra
