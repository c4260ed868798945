#include <QFile>
#include <algorithm>
#include <cstring>
#include <string_view>

#include "record/dat_common.h"
#include "record/dat_reader.h"
#include "record/helpers.h"
#include "record/numero.h"

namespace vesdra {
namespace {

// One line being cut into fields: [p, fin) is what is left of it.
struct Cursor {
    const char* p;
    const char* fin;

    // The next field, up to the next comma (passed over) or the line's end.
    std::string_view Campo()
    {
        const char* inicio = p;
        const char* coma = static_cast<const char*>(std::memchr(p, ',', static_cast<size_t>(fin - p)));
        if (coma == nullptr) {
            p = fin;
            return {inicio, static_cast<size_t>(fin - inicio)};
        }
        p = coma + 1;
        return {inicio, static_cast<size_t>(coma - inicio)};
    }
    std::string_view Resto()
    {
        std::string_view r(p, static_cast<size_t>(fin - p));
        p = fin;
        return r;
    }
    [[nodiscard]] bool Agotada() const { return p >= fin; }
};

// A plain integer field ("-1234", "+000025", padded with leading blanks),
// the usual content, without the general conversion; false sends the field
// to NumeroCampo.
bool EnteroSimple(std::string_view f, std::int64_t& out)
{
    size_t i = 0;
    while (i < f.size() && f[i] == ' ')
        ++i;
    const bool negativo = i < f.size() && f[i] == '-';
    if (i < f.size() && (f[i] == '-' || f[i] == '+'))
        ++i;
    if (i >= f.size() || f.size() - i > 15)
        return false;
    std::int64_t v = 0;
    for (; i < f.size(); ++i) {
        const unsigned d = static_cast<unsigned>(f[i]) - '0';
        if (d > 9)
            return false;
        v = v * 10 + d;
    }
    out = negativo ? -v : v;
    return true;
}

bool Real(std::string_view f, double& out)
{
    std::int64_t entero = 0;
    if (EnteroSimple(f, entero)) {
        out = static_cast<double>(entero);
        return true;
    }
    return NumeroCampo(f, out);
}

bool Blanco(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// [p, fin) is empty or holds nothing but blanks: no sample.
bool LineaEnBlanco(const char* p, const char* fin)
{
    for (; p < fin; ++p)
        if (!Blanco(*p))
            return false;
    return true;
}

// The next sample line of [p, fin): a line, ended by LF or by the buffer's
// end, that holds more than blanks. `linea` becomes it without its LF and p
// moves past it; false when no such line is left. Inlined into both loops
// over the lines: a call per line costs a few percent of an ASCII open.
[[gnu::always_inline]] inline bool SiguienteMuestra(const char*& p, const char* fin, Cursor& linea)
{
    while (p < fin) {
        const char* inicio = p;
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(fin - p)));
        const char* finLinea = lf != nullptr ? lf : fin;
        p = lf != nullptr ? lf + 1 : fin;
        if (!LineaEnBlanco(inicio, finLinea)) {
            linea = {inicio, finLinea};
            return true;
        }
    }
    return false;
}

// Sample lines of the buffer.
std::int64_t ContarLineas(const char* p, const char* fin)
{
    std::int64_t n = 0;
    for (Cursor linea{}; SiguienteMuestra(p, fin, linea);)
        ++n;
    return n;
}

// Fields of a line: its commas plus one.
std::int64_t Campos(const Cursor& linea)
{
    return std::count(linea.p, linea.fin, ',') + 1;
}

// Whether the file's last sample line was cut by the end of the file: it has
// no line end, and fewer fields than a sample (or than the line before it,
// when the recorder writes fewer), or just as many with the last one empty.
// A sample that is not wholly in the file is not read.
bool UltimaCortada(const char* datos, const char* fin, std::int64_t campos)
{
    // The text after the last LF: blank when the last sample line has its end.
    const char* inicio = fin;
    while (inicio > datos && inicio[-1] != '\n')
        --inicio;
    Cursor ultima{inicio, fin};
    if (LineaEnBlanco(ultima.p, ultima.fin))
        return false;
    if (ultima.fin[-1] == '\r')
        --ultima.fin;
    std::int64_t esperados = campos;
    for (const char* q = inicio; q > datos;) {
        const char* finLinea = q - 1; // its LF
        const char* p = finLinea;
        while (p > datos && p[-1] != '\n')
            --p;
        if (!LineaEnBlanco(p, finLinea)) {
            Cursor anterior{p, finLinea};
            if (anterior.fin[-1] == '\r')
                --anterior.fin;
            esperados = std::min(esperados, Campos(anterior));
            break;
        }
        q = p;
    }
    const std::int64_t hay = Campos(ultima);
    if (hay != esperados)
        return hay < esperados;
    const char* ultimoCampo = ultima.fin;
    while (ultimoCampo > ultima.p && ultimoCampo[-1] != ',')
        --ultimoCampo;
    return LineaEnBlanco(ultimoCampo, ultima.fin);
}

} // namespace

ResultadoLectura LeerDatAscii(RecordModel& r)
{
    dat::Plan plan;
    QFile fichero;
    if (ResultadoLectura res = dat::AbrirDat(r, plan, fichero); !res.Ok())
        return res;
    const std::int64_t bytes = fichero.size();
    QByteArray copia;
    const char* datos = nullptr;
    if (bytes > 0) {
        datos = reinterpret_cast<const char*>(fichero.map(0, bytes));
        if (datos == nullptr) {
            copia = fichero.readAll();
            datos = copia.constData();
        }
    }
    const char* const fin = datos + (datos != nullptr ? bytes : 0);

    // Every sample needs a line of its own, and a whole sample's line at
    // least one character per field: the file holds no more samples than
    // that, and nothing is sized beyond it.
    const std::int64_t campos = static_cast<std::int64_t>(plan.nA) + plan.nD + 2;
    std::int64_t lineas = datos != nullptr ? ContarLineas(datos, fin) : 0;
    if (lineas > 0 && UltimaCortada(datos, fin, campos))
        --lineas;
    const ResultadoLectura res = dat::Acotar(plan, std::min(lineas, bytes / campos));
    if (!res.Ok())
        return res;

    dat::CrearMatrices(r, plan, false);
    dat::ProgressTicker gasolino(plan);

    std::vector<float*> valores(static_cast<size_t>(plan.nA));
    for (std::int32_t c = 1; c <= plan.nA; ++c)
        valores[static_cast<size_t>(c - 1)] = r.Valores.Column(c).data();
    std::vector<std::uint8_t*> estados(static_cast<size_t>(plan.nD));
    for (std::int32_t d = 1; d <= plan.nD; ++d)
        estados[static_cast<size_t>(d - 1)] = r.EstadosDigitales.Column(d).data();
    double* tiempos = r.Tiempos.Data();

    const char* p = datos;
    for (std::int32_t s = 0; s < plan.nS; ++s) {
        // The file holds nS sample lines at least (the count is cut to them).
        Cursor linea{};
        if (!SiguienteMuestra(p, fin, linea))
            break;
        if (linea.fin > linea.p && linea.fin[-1] == '\r')
            --linea.fin;

        (void)linea.Campo(); // sample number
        if (!linea.Agotada()) {
            const std::string_view campoTiempo = linea.Campo();
            std::int64_t entero = 0;
            const double t =
                EnteroSimple(campoTiempo, entero) ? static_cast<double>(entero) : ValorNumero(campoTiempo);
            tiempos[s] = plan.mult != 0.0 ? t * plan.mult : t;
        }
        for (std::int32_t c = 0; c < plan.nA && !linea.Agotada(); ++c) {
            double x = 0.0;
            if (Real(linea.Campo(), x)) {
                const dat::Escala& e = plan.escalas[static_cast<size_t>(c)];
                valores[static_cast<size_t>(c)][s] = e.Valor(x);
            }
        }
        for (std::int32_t d = 0; d < plan.nD && !linea.Agotada(); ++d) {
            const std::string_view f = d + 1 < plan.nD ? linea.Campo() : linea.Resto();
            std::uint8_t estado = 0;
            if (f.size() == 1 && (f[0] == '0' || f[0] == '1')) {
                estado = static_cast<std::uint8_t>(f[0] - '0');
            } else {
                double v = 0.0;
                std::int32_t n = 0;
                if (!NumeroCampo(f, v) || !RedondearEntero(v, n) || n < 0 || n > 255)
                    continue;
                estado = static_cast<std::uint8_t>(n);
            }
            estados[static_cast<size_t>(d)][s] = estado;
        }
        if ((s & 1023) == 1023)
            gasolino.Avanzar(s + 1);
    }
    gasolino.Avanzar(plan.nS);

    // The 1997 sides follow from the values, column by column.
    for (std::int32_t c = 1; c <= plan.nA; ++c) {
        const dat::Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
        const auto v = r.Valores.Column(c);
        if (e.escribePrimario)
            std::transform(v.begin(), v.end(), r.ValoresPrimario.Column(c).begin(),
                           [f = e.factorPrimario](float x) { return dat::Lado(x, f); });
        if (e.escribeSecundario)
            std::transform(v.begin(), v.end(), r.ValoresSecundario.Column(c).begin(),
                           [f = e.factorSecundario](float x) { return dat::Lado(x, f); });
    }
    dat::ConstruirTablas(r, plan);
    dat::CalcularTasa(r);
    return res;
}

} // namespace vesdra
