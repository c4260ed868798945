#include "record/numero.h"

#include <charconv>
#include <cmath>
#include <limits>

#include <QByteArray>

#include "record/helpers.h"

namespace vesdra {
namespace {

bool EsBlanco(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EsDigito(char c)
{
    return c >= '0' && c <= '9';
}

// from_chars takes no leading '+' and would take "inf" / "nan": both are
// screened here so that only plain decimal numbers pass.
bool ConvertirExacto(std::string_view s, double& out)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    const char first = s.front() == '-' && s.size() > 1 ? s[1] : s.front();
    if (!EsDigito(first) && first != '.')
        return false;
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec != std::errc{} || end != s.data() + s.size())
        return false;
    out = v;
    return true;
}

} // namespace

std::string_view RecortarCampo(std::string_view field)
{
    while (!field.empty() && EsBlanco(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && EsBlanco(field.back()))
        field.remove_suffix(1);
    return field;
}

bool NumeroCampo(std::string_view field, double& out)
{
    return ConvertirExacto(RecortarCampo(field), out);
}

bool RedondearEntero(double v, std::int32_t& out)
{
    if (!std::isfinite(v))
        return false;
    const double r = std::nearbyint(v); // the default rounding mode: halves to even
    if (r < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        r > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return false;
    out = static_cast<std::int32_t>(r);
    return true;
}

bool EnteroCampo(std::string_view field, std::int32_t& out)
{
    double v = 0.0;
    return NumeroCampo(field, v) && RedondearEntero(v, out);
}

bool ValorNumero(std::string_view text, double& v)
{
    text = RecortarCampo(text);
    // Fast path for the usual field, a plain number.
    v = 0.0;
    if (ConvertirExacto(text, v))
        return true;

    // No "." in the text: its first "," is the decimal point.
    const bool sinPunto = text.find('.') == std::string_view::npos;
    bool comaUsada = !sinPunto;

    // The leading number, blanks skipped wherever they are, collected into a
    // compact text: sign, digits, one point, then an exponent with digits.
    std::string num;
    num.reserve(text.size());
    enum class Fase { Signo, Entera, Fraccion, ExpSigno, Exponente } fase = Fase::Signo;
    size_t antesExp = 0;
    for (char c : text) {
        if (EsBlanco(c))
            continue;
        if (c == ',' && !comaUsada) {
            comaUsada = true;
            c = '.';
        }
        if (fase == Fase::Signo && (c == '+' || c == '-')) {
            num.push_back(c);
            fase = Fase::Entera;
        } else if (EsDigito(c) && fase != Fase::ExpSigno) {
            num.push_back(c);
            if (fase == Fase::Signo)
                fase = Fase::Entera;
        } else if (EsDigito(c)) {
            num.push_back(c);
            fase = Fase::Exponente;
        } else if (c == '.' && (fase == Fase::Signo || fase == Fase::Entera)) {
            num.push_back(c);
            fase = Fase::Fraccion;
        } else if ((c == 'E' || c == 'e' || c == 'D' || c == 'd') &&
                   (fase == Fase::Entera || fase == Fase::Fraccion)) {
            antesExp = num.size();
            num.push_back('e');
            fase = Fase::ExpSigno;
        } else if ((c == '+' || c == '-') && fase == Fase::ExpSigno && num.back() == 'e') {
            num.push_back(c);
        } else {
            break;
        }
    }
    // An exponent without digits is no exponent ("1E" is 1).
    if (fase == Fase::ExpSigno)
        num.resize(antesExp);
    if (!num.empty() && (num.back() == '.'))
        num.pop_back();
    if (!num.empty() && num.front() == '.')
        num.insert(num.begin(), '0');
    if (num.size() >= 2 && (num[0] == '-' || num[0] == '+') && num[1] == '.')
        num.insert(num.begin() + 1, '0');
    if (ConvertirExacto(num, v))
        return true;
    v = 0.0;
    return false;
}

double ValorNumero(std::string_view text)
{
    double v = 0.0;
    (void)ValorNumero(text, v);
    return v;
}

double ValorNumero(QStringView text)
{
    const QByteArray latin = text.toLatin1();
    return ValorNumero(std::string_view(latin.constData(), static_cast<size_t>(latin.size())));
}

bool TextoEsNumero(const QString& text)
{
    QByteArray compacto = text.trimmed().toLatin1();
    if (!compacto.contains('.'))
        compacto.replace(',', '.');
    double v = 0.0;
    return NumeroCampo(std::string_view(compacto.constData(), static_cast<size_t>(compacto.size())), v);
}

} // namespace vesdra
