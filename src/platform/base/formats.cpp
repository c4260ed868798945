#include "platform/base/formats.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/base/numeric.h"

namespace vesdra {

namespace {

QChar& SeparatorOverride()
{
    static QChar separator;
    return separator;
}

// A digit pattern: '0' and '#' around at most one '.'.
struct DigitPattern {
    int MinWhole{0};    // '0's before the separator
    int MinDecimals{0}; // '0's after it
    int MaxDecimals{0}; // placeholders after it
    bool Separator{false};
};

bool ParsePattern(const QString& pattern, DigitPattern& out)
{
    if (pattern.isEmpty())
        return false;
    bool afterDot = false;
    for (QChar c : pattern) {
        if (c == QLatin1Char('.')) {
            if (afterDot)
                return false;
            afterDot = true;
            out.Separator = true;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterDot) {
                ++out.MaxDecimals;
                if (c == QLatin1Char('0'))
                    out.MinDecimals = out.MaxDecimals; // zeros written up to the last '0'
            } else if (c == QLatin1Char('0')) {
                ++out.MinWhole;
            }
        } else {
            return false;
        }
    }
    return true;
}

// The decimal digits of |value| and the power of ten of the first one:
// |value| = d0.d1d2... x 10^exponent.
struct Decimal {
    std::string Digits;
    int Exponent{0};
};

Decimal FromScientific(const char* first, const char* last)
{
    Decimal d;
    const std::string sci(first, last);
    const auto e = sci.find('e');
    d.Exponent = std::atoi(sci.c_str() + e + 1);
    for (std::size_t i = 0; i < e; ++i)
        if (sci[i] != '.')
            d.Digits += sci[i];
    return d;
}

QString FormatDecimal(const Decimal& dec, bool negative, const DigitPattern& p)
{
    // Keep the digits down to the last decimal of the pattern; round half
    // away from zero on the first digit dropped.
    const long long keep = static_cast<long long>(dec.Exponent) + 1 + p.MaxDecimals;
    std::string n;
    bool roundUp = false;
    if (keep > 0) {
        for (long long i = 0; i < keep; ++i)
            n +=
                i < static_cast<long long>(dec.Digits.size()) ? dec.Digits[static_cast<std::size_t>(i)] : '0';
        if (keep < static_cast<long long>(dec.Digits.size()))
            roundUp = dec.Digits[static_cast<std::size_t>(keep)] >= '5';
    } else if (keep == 0) {
        roundUp = !dec.Digits.empty() && dec.Digits[0] >= '5';
    }
    if (n.empty())
        n.push_back('0');
    if (roundUp) {
        int i = static_cast<int>(n.size()) - 1;
        while (i >= 0 && n[static_cast<std::size_t>(i)] == '9')
            n[static_cast<std::size_t>(i--)] = '0';
        if (i < 0)
            n.insert(n.begin(), '1');
        else
            ++n[static_cast<std::size_t>(i)];
    }
    // n is |value| x 10^MaxDecimals, rounded.
    if (static_cast<int>(n.size()) < p.MaxDecimals + 1)
        n.insert(0, static_cast<std::size_t>(p.MaxDecimals + 1) - n.size(), '0');
    std::string whole = n.substr(0, n.size() - static_cast<std::size_t>(p.MaxDecimals));
    std::string decimals = n.substr(n.size() - static_cast<std::size_t>(p.MaxDecimals));
    const bool isZero = n.find_first_not_of('0') == std::string::npos;

    const auto firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? std::string() : whole.substr(firstNonZero);
    if (static_cast<int>(whole.size()) < p.MinWhole)
        whole.insert(0, static_cast<std::size_t>(p.MinWhole) - whole.size(), '0');
    while (static_cast<int>(decimals.size()) > p.MinDecimals && decimals.back() == '0')
        decimals.pop_back();

    QString out;
    if (negative && !isZero)
        out += QLatin1Char('-');
    out += QString::fromLatin1(whole);
    if (p.Separator) {
        out += DecimalSeparator();
        out += QString::fromLatin1(decimals);
    }
    return out;
}

QString NonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

QString Unformatted(double value)
{
    QString s = Str(value);
    if (s.startsWith(QLatin1Char(' ')))
        s.remove(0, 1);
    return s;
}

} // namespace

QString Format(double value, QAnyStringView pattern)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    DigitPattern p;
    if (!ParsePattern(pattern.toString(), p))
        return Unformatted(value);
    if (value == 0.0)
        return FormatDecimal(Decimal{"0", 0}, false, p);
    // Fifteen significant digits: what the value shows as a decimal number.
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    return FormatDecimal(FromScientific(buf, res.ptr), value < 0, p);
}

QString Format(float value, QAnyStringView pattern)
{
    // The Single's own binary value, widened exactly: 2566.43945f is
    // 2566.439453125 and shows "2566.439", not its shortest text rounded
    // again.
    return Format(static_cast<double>(value), pattern);
}

QChar DecimalSeparator()
{
    if (!SeparatorOverride().isNull())
        return SeparatorOverride();
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

void SetDecimalSeparatorForTests(QChar separator)
{
    SeparatorOverride() = separator;
}

QString HoraAmPm(const QTime& time)
{
    const int h = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

} // namespace vesdra
