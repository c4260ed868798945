#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "record/dat_common.h"
#include "record/dat_reader.h"
#include "record/helpers.h"
#include "record/numero.h"
#include "record/progress_hook.h"

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

// Sample lines of the buffer, and of them those longer than `maxLinea`.
void ContarLineas(const char* p, const char* fin, std::int64_t maxLinea, std::int64_t& n,
                  std::int64_t& largas)
{
    std::int64_t lineas = 0;
    for (Cursor linea{}; SiguienteMuestra(p, fin, linea, lineas);) {
        ++n;
        largas += linea.fin - linea.p > maxLinea ? 1 : 0;
    }
}

// Whether the file's lines end in CR alone: then its first sample line,
// without the CR of a CR LF end, still holds a CR.
bool FinesDeLineaCR(Cursor primera)
{
    if (primera.fin[-1] == '\r')
        --primera.fin;
    return std::memchr(primera.p, '\r', static_cast<size_t>(primera.fin - primera.p)) != nullptr;
}

// The longest text a field of a sample line may take: numbers of any
// layout a recorder writes, blanks round them, with room to spare. A line
// longer than its fields allow this way is damaged, whatever it holds.
constexpr std::int64_t kLargoCampo = 64;

// The longest sample line of a record of `campos` fields: each field, its
// comma and the CR of a CR LF end.
std::int64_t LargoMaximo(std::int64_t campos)
{
    return (kLargoCampo + 1) * campos + 1;
}

// What stands for a line longer than any sample line in a block: a line of
// one field, so no sample (every record has an analog channel).
constexpr char kLineaDesbordada = '#';
constexpr std::string_view kTextoDesbordada{"#"};

// The data file read in blocks of whole lines, so that no more of it is
// held at a time than a block and a line. Each block ends after an LF, or
// where the file ends. A line that grows past `maxLinea` without an end is
// no sample line: the rest of it is passed over as it is read, and it
// stands in its block as one line of kLineaDesbordada. What is read is what
// the file holds as it is read: a file that shrinks meanwhile ends sooner,
// one that grows goes on.
class BloquesDeLineas
{
public:
    // `bytes`, the file's size, bounds the first buffer: a small file takes
    // no more.
    BloquesDeLineas(QFile& fichero, std::int64_t bytes, std::int64_t bloque, std::int64_t maxLinea)
        : fichero_(fichero),
          buffer_(static_cast<size_t>(std::clamp<std::int64_t>(bytes, 1, std::max<std::int64_t>(bloque, 1)))),
          maxLinea_(static_cast<size_t>(maxLinea)),
          tope_(static_cast<size_t>(std::max<std::int64_t>(bloque, 1) + maxLinea + 1))
    {
    }

    // The next block [p, fin); false once the file is read.
    bool Siguiente(const char*& p, const char*& fin)
    {
        // What followed the last block's last LF, the start of a line, goes
        // to the front; it holds no LF.
        std::memmove(buffer_.data(), buffer_.data() + entregados_, lleno_ - entregados_);
        lleno_ -= entregados_;
        entregados_ = 0;
        size_t mirados = lleno_;
        while (entregados_ == 0) {
            // [0, lleno_) is one line without its end: kept while it may
            // still be a sample line, so the buffer never holds more than
            // maxLinea_ and one read.
            if (!saltando_ && lleno_ > maxLinea_) {
                // A file whose lines end in CR alone is one line: told by
                // the CR its first line holds.
                if (!entregado_)
                    primeraConCR_ = std::memchr(buffer_.data(), '\r', maxLinea_) != nullptr;
                buffer_[0] = kLineaDesbordada;
                lleno_ = 1;
                mirados = 1;
                saltando_ = true;
                ++desbordadas_;
            }
            if (agotado_) {
                if (lleno_ == 0)
                    return false;
                entregados_ = lleno_; // the last line, without its end
                break;
            }
            if (lleno_ == buffer_.size())
                buffer_.resize(std::min(buffer_.size() * 2, tope_));
            const qint64 n =
                fichero_.read(buffer_.data() + lleno_, static_cast<qint64>(buffer_.size() - lleno_));
            if (n <= 0) {
                agotado_ = true;
            } else if (saltando_) {
                // The line passed over ends at the first LF read, which
                // then ends its stand-in.
                char* nuevos = buffer_.data() + lleno_;
                const auto* lf = static_cast<const char*>(std::memchr(nuevos, '\n', static_cast<size_t>(n)));
                if (lf != nullptr) {
                    const auto quedan = static_cast<size_t>(nuevos + n - lf);
                    std::memmove(nuevos, lf, quedan);
                    lleno_ += quedan;
                    saltando_ = false;
                }
            } else {
                lleno_ += static_cast<size_t>(n);
            }
            for (size_t i = lleno_; i > mirados; --i) {
                if (buffer_[i - 1] == '\n') {
                    entregados_ = i;
                    break;
                }
            }
            mirados = lleno_;
        }
        p = buffer_.data();
        fin = p + entregados_;
        entregado_ = true;
        return true;
    }

    // Lines that grew past maxLinea_ without an end, so far.
    [[nodiscard]] std::int64_t Desbordadas() const { return desbordadas_; }
    // The file's first line grew past maxLinea_ and holds a CR before it.
    [[nodiscard]] bool PrimeraConCR() const { return primeraConCR_; }

private:
    QFile& fichero_;
    std::vector<char> buffer_;
    size_t maxLinea_;
    size_t tope_;          // the most the buffer grows to
    size_t lleno_{0};      // bytes of the buffer read from the file
    size_t entregados_{0}; // of them, those of the block handed out last
    bool agotado_{false};
    bool saltando_{false}; // passing over the rest of a line too long
    bool entregado_{false};
    bool primeraConCR_{false};
    std::int64_t desbordadas_{0};
};

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
// is no number or either the number (which the file stores in single
// precision) or the value cannot be held in single precision.
[[gnu::always_inline]] inline bool ValorCampo(std::string_view f, double a, double b, float& out)
{
    double x = 0.0;
    if (!Real(f, x) || !EnSimple(x))
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
    const auto nA = static_cast<size_t>(plan.nA);
    const auto nD = static_cast<size_t>(plan.nD);

    // The sample lines, counted in a first pass; and those too long to be
    // one.
    const std::int64_t maxLinea = LargoMaximo(static_cast<std::int64_t>(nA + nD) + 2);
    const std::int64_t bloque = std::max<std::int64_t>(ProgresoRegistro().BloqueAscii, 1);
    std::int64_t lineas = 0;
    std::int64_t largas = 0;
    {
        BloquesDeLineas bloques(fichero, bytes, bloque, maxLinea);
        bool primeraVista = false;
        for (const char *p = nullptr, *fin = nullptr; bloques.Siguiente(p, fin);) {
            if (!primeraVista) {
                Cursor primera{};
                std::int64_t n = 0;
                const char* q = p;
                primeraVista = SiguienteMuestra(q, fin, primera, n);
                if (primeraVista && (FinesDeLineaCR(primera) || bloques.PrimeraConCR())) {
                    return ResultadoLectura::Fallo(
                        ErrorLectura::FinesDeLineaCR,
                        QStringLiteral("The data file ends its lines with CR alone."));
                }
            }
            ContarLineas(p, fin, maxLinea, lineas, largas);
        }
        largas += bloques.Desbordadas();
    }
    // A file of none but lines too long (one without a line end) is refused
    // without a second pass.
    if (lineas > 0 && largas == lineas) {
        return ResultadoLectura::Fallo(
            ErrorLectura::SinLineaEntera,
            QStringLiteral("No sample line of the data file is whole and readable: every line is longer "
                           "than its fields allow."));
    }
    // Every sample line is one sample, where it stands, so that every later
    // sample keeps its time; yet no more samples than the file can hold
    // whole lines: a whole line holds at least the commas between its
    // nA + nD + 2 fields, and an LF but for the last. So nothing is sized
    // beyond the lines the file holds, nor beyond its bytes, however many
    // channels a line of one field is short of.
    const std::int64_t comas = static_cast<std::int64_t>(nA + nD) + 1;
    const std::int64_t enteras = (bytes + 1) / (comas + 1);
    ResultadoLectura res = dat::Acotar(plan, std::min(lineas, enteras));
    if (!res.Ok())
        return res;

    dat::CrearMatrices(r, plan, false);
    dat::ProgressTicker gasolino(plan);

    std::vector<float*> valores(nA);
    std::vector<double> factores(nA * 2); // a, b per channel
    for (std::int32_t c = 1; c <= plan.nA; ++c) {
        const auto k = static_cast<size_t>(c - 1);
        valores[k] = r.Valores.Column(c).data();
        factores[2 * k] = plan.escalas[k].a;
        factores[2 * k + 1] = plan.escalas[k].b;
    }
    std::vector<std::uint8_t*> estados(nD);
    for (std::int32_t d = 1; d <= plan.nD; ++d)
        estados[static_cast<size_t>(d - 1)] = r.EstadosDigitales.Column(d).data();
    // The columns: the analog channels, the digital ones, the time stamps.
    const size_t kTiempo = nA + nD;
    Pendientes pendientes(nA + nD + 1);
    double* tiempos = r.Tiempos.Data();

    // Lines that are not whole samples: how many, and the first one's
    // number in the file; and whether any line gave every value.
    std::int64_t danadas = 0;
    std::int64_t primeraDanada = 0;
    bool algunaConValores = false;
    std::int64_t numeroLinea = 0;
    // The second pass reads the samples. Should the file go on shrinking, the
    // samples it no longer holds are read as lines with nothing.
    ProgresoRegistro().DatMedido(r.RutaDat);
    (void)fichero.seek(0);
    BloquesDeLineas bloques(fichero, bytes, bloque, maxLinea);
    const char* p = nullptr;
    const char* finBloque = nullptr;
    for (std::int32_t s = 0; s < plan.nS; ++s) {
        Cursor linea{};
        bool hay = false;
        while (!(hay = SiguienteMuestra(p, finBloque, linea, numeroLinea)) &&
               bloques.Siguiente(p, finBloque)) {
        }
        if (!hay) {
            linea = {finBloque, finBloque};
            ++numeroLinea;
        }
        // A line longer than its fields allow is no sample, whatever it
        // holds; nor is a last line without its end where the file held
        // more lines when they were counted: the file was cut inside it.
        if (linea.fin - linea.p > maxLinea || (hay && linea.fin == finBloque && s + 1 < lineas))
            linea = {kTextoDesbordada.data(), kTextoDesbordada.data() + kTextoDesbordada.size()};
        if (linea.fin > linea.p && linea.fin[-1] == '\r')
            --linea.fin;
        bool leida = true;
        (void)linea.Campo(); // sample number
        if (!linea.Agotada()) {
            const std::string_view campoTiempo = linea.Campo();
            std::int64_t entero = 0;
            double t = 0.0;
            bool hayTiempo = true;
            if (EnteroSimple(campoTiempo, entero))
                t = static_cast<double>(entero);
            else
                hayTiempo = ValorNumero(campoTiempo, t);
            if (plan.mult != 0.0)
                t *= plan.mult;
            if (hayTiempo && std::isfinite(t)) {
                tiempos[s] = t;
                pendientes.Leido(kTiempo, s);
            } else {
                pendientes.Falta(tiempos, kTiempo, s);
                leida = false;
            }
        } else {
            pendientes.Falta(tiempos, kTiempo, s);
        }
        // A line of fewer fields, or of more that are not empty (a field
        // lost, two lines run together), would put values in the wrong
        // channels: nothing of it is taken.
        bool entera = true;
        bool conValores = true;
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
                conValores = false;
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
                conValores = false;
            }
        }
        if (entera && !SoloCamposVacios(linea))
            entera = false;
        if (!entera) {
            for (size_t c = 0; c < nA; ++c)
                pendientes.Retirar(valores[c], c, s);
            for (size_t d = 0; d < nD; ++d)
                pendientes.Retirar(estados[d], nA + d, s);
            conValores = false;
        }
        algunaConValores = algunaConValores || conValores;
        if ((!leida || !conValores) && danadas++ == 0)
            primeraDanada = numeroLinea;
        if ((s & 1023) == 1023)
            gasolino.Avanzar(s + 1);
    }
    gasolino.Avanzar(plan.nS);
    if (!algunaConValores) {
        dat::VaciarMatrices(r);
        return ResultadoLectura::Fallo(
            ErrorLectura::SinLineaEntera,
            QStringLiteral("No sample line of the data file is whole and readable."));
    }
    for (size_t c = 0; c < nA; ++c)
        pendientes.Rellenar(valores[c], c);
    for (size_t d = 0; d < nD; ++d)
        pendientes.Rellenar(estados[d], nA + d);
    pendientes.Rellenar(tiempos, kTiempo);
    res.LineasDanadas = danadas;
    res.PrimeraLineaDanada = primeraDanada;

    // The 1997 sides follow from the values, column by column: the file's
    // own values go to the matrix of their side, the other side is derived
    // from them.
    for (std::int32_t c = 1; c <= plan.nA && plan.es1997; ++c) {
        dat::Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
        e.derivarAlFinal = true;
        if (e.propio == dat::Escala::Destino::OtroLado)
            std::ranges::copy(r.Valores.Column(c), r.ValoresOtroLado.Column(c).begin());
    }
    dat::DerivarLados(r, plan);
    dat::AnotarLados(plan, res);
    dat::ConstruirTablas(r, plan);
    dat::CalcularTasa(r);
    return res;
}

} // namespace vesdra
