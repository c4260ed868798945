#include "platform/base/numeric.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <stdlib.h>
#include <string>

#include "platform/base/formats.h"
#include "platform/base/vb_error.h"

namespace vesdra {

namespace {

std::int32_t RoundToInt32(double value)
{
    if (std::isnan(value))
        throw VbError(vberr::Overflow);
    double whole = std::floor(value);
    const double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        whole > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        throw VbError(vberr::Overflow);
    return static_cast<std::int32_t>(whole);
}

// A number written as the C locale writes it ("." the point), read alike
// whatever the C library's locale: the program runs under the user's, where
// strtod would stop at the "." of "2.5".
double ReadCNumber(const std::string& text)
{
    static const locale_t c = ::newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return ::strtod_l(text.c_str(), nullptr, c);
}

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

} // namespace

std::int32_t CInt(double value)
{
    return RoundToInt32(value);
}
std::int32_t CLng(double value)
{
    return RoundToInt32(value);
}

QString Str(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral(" 1.#INF") : QStringLiteral("-1.#INF");
    if (value == 0.0)
        return QStringLiteral(" 0");
    // Fifteen significant digits, then the shortest of them.
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    const auto e = sci.find('e');
    int exponent = std::atoi(sci.c_str() + e + 1);
    std::string digits;
    for (std::size_t i = 0; i < e; ++i)
        if (sci[i] != '.')
            digits += sci[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent >= 15 || exponent < -5) {
        out = digits.substr(0, 1);
        if (digits.size() > 1)
            out += '.' + digits.substr(1);
        char ex[16];
        std::snprintf(ex, sizeof ex, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += ex;
    } else if (exponent < 0) {
        out = '.' + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            out = digits + std::string(wholeDigits - digits.size(), '0');
        } else {
            out = digits.substr(0, wholeDigits) + '.' + digits.substr(wholeDigits);
        }
    }
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::fromLatin1(out);
}

double Val(QStringView text)
{
    std::string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        if (!IsBlank(c))
            s += c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x01';

    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
        if (base != 0) {
            long long v = 0;
            std::from_chars(s.data() + 2, s.data() + s.size(), v, base);
            return static_cast<double>(v);
        }
    }
    // The longest prefix of the form [sign] digits [. digits] [E|D [sign] digits].
    std::size_t i = 0;
    std::string num;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        num += s[i++];
    bool any = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        num += s[i++];
        any = true;
    }
    if (i < s.size() && s[i] == '.') {
        num += s[i++];
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            num += s[i++];
            any = true;
        }
    }
    if (!any)
        return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string ex = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ex += s[j++];
        bool exDigits = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            ex += s[j++];
            exDigits = true;
        }
        if (exDigits)
            num += ex;
    }
    return ReadCNumber(num);
}

double CDbl(QStringView text)
{
    const QChar decimal = DecimalSeparator();
    const QChar group = decimal == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    QStringView t = text;
    while (!t.isEmpty() && IsBlank(t.front()))
        t = t.mid(1);
    while (!t.isEmpty() && IsBlank(t.back()))
        t.chop(1);

    std::string num;
    qsizetype i = 0;
    auto digitAt = [&](qsizetype k) { return k < t.size() && t[k].isDigit() && t[k].unicode() < 128; };
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        num += static_cast<char>(t[i++].unicode());
    bool any = false;
    // Group separators are allowed between digits of the whole part.
    while (i < t.size()) {
        if (digitAt(i)) {
            num += static_cast<char>(t[i++].unicode());
            any = true;
        } else if (t[i] == group && any && digitAt(i + 1)) {
            ++i;
        } else {
            break;
        }
    }
    if (i < t.size() && t[i] == decimal) {
        num += '.';
        ++i;
        while (digitAt(i)) {
            num += static_cast<char>(t[i++].unicode());
            any = true;
        }
    }
    if (!any)
        throw VbError(vberr::TypeMismatch);
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        num += 'e';
        ++i;
        if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            num += static_cast<char>(t[i++].unicode());
        if (!digitAt(i))
            throw VbError(vberr::TypeMismatch);
        while (digitAt(i))
            num += static_cast<char>(t[i++].unicode());
    }
    if (i != t.size())
        throw VbError(vberr::TypeMismatch);
    const double v = ReadCNumber(num);
    if (std::isinf(v))
        throw VbError(vberr::Overflow);
    return v;
}

std::int32_t CIntText(QStringView text)
{
    return CInt(CDbl(text));
}

} // namespace vesdra
