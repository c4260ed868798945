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

// One line being cut into fields: [p, fin) is what is left of it, and
// `quedan` says whether a field is left (after a last comma, an empty one).
struct Cursor {
    const char* p;
    const char* fin;
    bool quedan{true};

    // The next field, up to the next comma (passed over) or the line's end.
    // Fields are short: the first characters are looked at here, the rest
    // of a long one by memchr.
    [[gnu::always_inline]] inline std::string_view Campo()
    {
        const char* inicio = p;
        const char* corto = fin - p > 16 ? p + 16 : fin;
        for (const char* q = p; q < corto; ++q) {
            if (*q == ',') {
                p = q + 1;
                return {inicio, static_cast<size_t>(q - inicio)};
            }
        }
        if (corto == fin) {
            p = fin;
            quedan = false;
            return {inicio, static_cast<size_t>(fin - inicio)};
        }
        const char* coma =
            static_cast<const char*>(std::memchr(corto, ',', static_cast<size_t>(fin - corto)));
        if (coma == nullptr) {
            p = fin;
            quedan = false;
            return {inicio, static_cast<size_t>(fin - inicio)};
        }
        p = coma + 1;
        return {inicio, static_cast<size_t>(coma - inicio)};
    }
    [[nodiscard]] bool Agotada() const { return !quedan; }
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
// moves past it; `lineasLeidas` counts every line passed, blank ones too, so
// that it ends as the sample line's number in the file. False when no such
// line is left. Inlined into both loops over the lines: a call per line
// costs a few percent of an ASCII open.
[[gnu::always_inline]] inline bool SiguienteMuestra(const char*& p, const char* fin, Cursor& linea,
                                                    std::int64_t& lineasLeidas)
{
    while (p < fin) {
        const char* inicio = p;
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(fin - p)));
        const char* finLinea = lf != nullptr ? lf : fin;
        p = lf != nullptr ? lf + 1 : fin;
        ++lineasLeidas;
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
    std::int64_t lineas = 0;
    for (Cursor linea{}; SiguienteMuestra(p, fin, linea, lineas);)
        ++n;
    return n;
}

// Whether the file's lines end in CR alone: then its first sample line,
// without the CR of a CR LF end, still holds a CR.
bool FinesDeLineaCR(const char* p, const char* fin)
{
    Cursor linea{};
    std::int64_t lineas = 0;
    if (!SiguienteMuestra(p, fin, linea, lineas))
        return false;
    if (linea.fin[-1] == '\r')
        --linea.fin;
    return std::memchr(linea.p, '\r', static_cast<size_t>(linea.fin - linea.p)) != nullptr;
}

// What is left of a line once a sample's fields were cut from it holds
// nothing but empty fields (a trailing comma): no more fields.
bool SoloCamposVacios(const Cursor& resto)
{
    if (resto.Agotada())
        return true;
    for (const char* q = resto.p; q < resto.fin; ++q)
        if (*q != ',' && !Blanco(*q))
            return false;
    return true;
}

// A single-precision value computed from a field, or false when the field
// is no number or the value cannot be held in single precision.
[[gnu::always_inline]] inline bool ValorCampo(std::string_view f, double a, double b, float& out)
{
    double x = 0.0;
    if (!Real(f, x))
        return false;
    const double v = x * a + b;
    if (!EnSimple(v))
        return false;
    out = static_cast<float>(v);
    return true;
}

// A digital state as written (0 and 1, or another whole number up to 255
// kept as it stands), or false when the field holds none.
[[gnu::always_inline]] inline bool EstadoCampo(std::string_view f, std::uint8_t& out)
{
    if (f.size() == 1 && (f[0] == '0' || f[0] == '1')) {
        out = static_cast<std::uint8_t>(f[0] - '0');
        return true;
    }
    double v = 0.0;
    std::int32_t n = 0;
    if (!NumeroCampo(f, v) || !RedondearEntero(v, n) || n < 0 || n > 255)
        return false;
    out = static_cast<std::uint8_t>(n);
    return true;
}

// The columns of the sample matrices (analog, then digital) still waiting
// for their first value as the rows are filled in order. A row whose field
// is missing or cannot be read takes the row before it in its column; a
// column with no value yet leaves it, and once its first value comes the
// rows before take that one (Rellenar). Kept aside, so that a line of the
// usual file costs one test per cell.
class Pendientes
{
public:
    explicit Pendientes(size_t columnas) : primera_(columnas, -1), espera_(columnas, 0) {}

    // Column k was read at row s.
    [[gnu::always_inline]] inline void Leido(size_t k, std::int32_t s)
    {
        if (cuantas_ > 0 && espera_[k] != 0) {
            espera_[k] = 0;
            --cuantas_;
            primera_[k] = s;
        }
    }
    // Column k has nothing of its own at row s: the cell takes the row
    // before it, unless the column has no value yet.
    template <typename T> [[gnu::always_inline]] inline void Falta(T* celdas, size_t k, std::int32_t s)
    {
        if (s > 0 && (cuantas_ == 0 || espera_[k] == 0))
            celdas[s] = celdas[s - 1];
        else
            Esperar(k);
    }
    // What was read of row s in column k is taken back.
    template <typename T> void Retirar(T* celdas, size_t k, std::int32_t s)
    {
        if (s == 0 || primera_[k] == s)
            Esperar(k);
        else
            Falta(celdas, k, s);
    }
    // The rows before each column's first value take it.
    template <typename T> void Rellenar(T* celdas, size_t k) const
    {
        if (primera_[k] > 0)
            std::fill(celdas, celdas + primera_[k], celdas[primera_[k]]);
    }

private:
    void Esperar(size_t k)
    {
        if (espera_[k] == 0) {
            espera_[k] = 1;
            ++cuantas_;
        }
    }

    std::vector<std::int64_t> primera_; // row of the first value, once it came after rows without
    std::vector<std::uint8_t> espera_;
    size_t cuantas_{0};
};

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
    if (datos != nullptr && FinesDeLineaCR(datos, fin)) {
        return ResultadoLectura::Fallo(ErrorLectura::FinesDeLineaCR,
                                       QStringLiteral("The data file ends its lines with CR alone."));
    }

    // Every sample line is one sample, where it stands, so that every later
    // sample keeps its time: nothing is sized beyond the lines the file holds.
    const std::int64_t lineas = datos != nullptr ? ContarLineas(datos, fin) : 0;
    ResultadoLectura res = dat::Acotar(plan, lineas);
    if (!res.Ok())
        return res;

    dat::CrearMatrices(r, plan, false);
    dat::ProgressTicker gasolino(plan);

    std::vector<float*> valores(static_cast<size_t>(plan.nA));
    std::vector<double> factores(static_cast<size_t>(plan.nA) * 2); // a, b per channel
    for (std::int32_t c = 1; c <= plan.nA; ++c) {
        const auto k = static_cast<size_t>(c - 1);
        valores[k] = r.Valores.Column(c).data();
        factores[2 * k] = plan.escalas[k].a;
        factores[2 * k + 1] = plan.escalas[k].b;
    }
    std::vector<std::uint8_t*> estados(static_cast<size_t>(plan.nD));
    for (std::int32_t d = 1; d <= plan.nD; ++d)
        estados[static_cast<size_t>(d - 1)] = r.EstadosDigitales.Column(d).data();
    const auto nA = static_cast<size_t>(plan.nA);
    const auto nD = static_cast<size_t>(plan.nD);
    Pendientes pendientes(nA + nD);
    double* tiempos = r.Tiempos.Data();

    // Lines that are not whole samples: how many, and the first one's
    // number in the file.
    std::int64_t danadas = 0;
    std::int64_t primeraDanada = 0;
    std::int64_t numeroLinea = 0;
    const char* p = datos;
    for (std::int32_t s = 0; s < plan.nS; ++s) {
        // The file holds nS sample lines at least (the count is cut to them).
        Cursor linea{};
        if (!SiguienteMuestra(p, fin, linea, numeroLinea))
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
        } else {
            tiempos[s] = s > 0 ? tiempos[s - 1] : 0.0;
        }
        // A line of fewer fields, or of more that are not empty (a field
        // lost, two lines run together), would put values in the wrong
        // channels: nothing of it is taken.
        bool entera = true;
        bool leida = true;
        for (size_t c = 0; c < nA; ++c) {
            if (linea.Agotada()) {
                entera = false;
                break;
            }
            float v = 0.0f;
            if (ValorCampo(linea.Campo(), factores[2 * c], factores[2 * c + 1], v)) {
                valores[c][s] = v;
                pendientes.Leido(c, s);
            } else {
                pendientes.Falta(valores[c], c, s);
                leida = false;
            }
        }
        for (size_t d = 0; d < nD && entera; ++d) {
            if (linea.Agotada()) {
                entera = false;
                break;
            }
            std::uint8_t estado = 0;
            if (EstadoCampo(linea.Campo(), estado)) {
                estados[d][s] = estado;
                pendientes.Leido(nA + d, s);
            } else {
                pendientes.Falta(estados[d], nA + d, s);
                leida = false;
            }
        }
        if (entera && !SoloCamposVacios(linea))
            entera = false;
        if (!entera) {
            for (size_t c = 0; c < nA; ++c)
                pendientes.Retirar(valores[c], c, s);
            for (size_t d = 0; d < nD; ++d)
                pendientes.Retirar(estados[d], nA + d, s);
            leida = false;
        }
        if (!leida && danadas++ == 0)
            primeraDanada = numeroLinea;
        if ((s & 1023) == 1023)
            gasolino.Avanzar(s + 1);
    }
    gasolino.Avanzar(plan.nS);
    if (danadas == plan.nS) {
        dat::VaciarMatrices(r);
        return ResultadoLectura::Fallo(
            ErrorLectura::SinLineaEntera,
            QStringLiteral("No sample line of the data file is whole and readable."));
    }
    for (size_t c = 0; c < nA; ++c)
        pendientes.Rellenar(valores[c], c);
    for (size_t d = 0; d < nD; ++d)
        pendientes.Rellenar(estados[d], nA + d);
    res.LineasDanadas = danadas;
    res.PrimeraLineaDanada = primeraDanada;
    dat::AnotarLados(plan, res);

    // The 1997 sides follow from the values, column by column: the file's
    // own values go to the matrix of their side, the other side is derived.
    for (std::int32_t c = 1; c <= plan.nA && plan.es1997; ++c) {
        const dat::Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
        const auto v = r.Valores.Column(c);
        const auto otro = r.ValoresOtroLado.Column(c);
        const auto porFactor = [f = e.factor](float x) { return dat::PorFactor(x, f); };
        if (e.propio == dat::Escala::Destino::Valores) {
            std::ranges::transform(v, otro.begin(), porFactor);
        } else {
            std::ranges::copy(v, otro.begin());
            std::ranges::transform(otro, v.begin(), porFactor);
        }
    }
    dat::ConstruirTablas(r, plan);
    dat::CalcularTasa(r);
    return res;
}

} // namespace vesdra
