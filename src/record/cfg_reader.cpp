#include "record/cfg_reader.h"

#include <QFile>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/cp1252.h"
#include "record/helpers.h"
#include "record/numero.h"
#include "record/text_lines.h"

namespace vesdra {
namespace {

// Text fields in the file's encoding (Windows-1252, or UTF-8, decided once
// for the whole file).
QString Texto(bool utf8, std::string_view bytes)
{
    return DecodeText(bytes, utf8);
}

// A .cfg number field: ValorNumero, then to single precision; a number
// beyond it gives 0, as a text that is no number does.
float Real(std::string_view campo)
{
    const double v = ValorNumero(campo);
    return EnSimple(v) ? static_cast<float>(v) : 0.0f;
}

// A field that must be a number, the whole field (a factor, an end
// sample): blanks round it allowed, a "D" exponent read as "E". Nothing is
// taken from a field that merely starts with one ("2.5x").
bool NumeroCompleto(std::string_view campo, double& out)
{
    if (NumeroCampo(campo, out))
        return true;
    std::string texto(RecortarCampo(campo));
    for (char& c : texto)
        if (c == 'D' || c == 'd')
            c = 'e';
    return NumeroCampo(texto, out);
}

// A .cfg integer field (frequency, rates): ValorNumero, then to the nearest
// integer; a value out of range gives 0.
std::int32_t Entero(std::string_view campo)
{
    std::int32_t v = 0;
    return RedondearEntero(ValorNumero(campo), v) ? v : 0;
}

// Channel counts carry their letter ("8A", "4D"); the letter is dropped.
bool Cuenta(std::string_view campo, std::int32_t& out)
{
    campo = RecortarCampo(campo);
    if (!campo.empty() &&
        ((campo.back() >= 'A' && campo.back() <= 'Z') || (campo.back() >= 'a' && campo.back() <= 'z')))
        campo.remove_suffix(1);
    return EnteroCampo(campo, out) && out >= 0;
}

ResultadoLectura FaltanLineas(const char* que)
{
    return ResultadoLectura::Fallo(
        ErrorLectura::CuentasNoCoinciden,
        QStringLiteral(
            "The configuration file ends before its %1: its channel or rate counts do not match its lines.")
            .arg(QLatin1String(que)));
}

// A factor field `campo` of the channel line numbered `numero` in the file
// refused: missing, no number or beyond single precision.
ResultadoLectura FactorRechazado(std::int64_t numero, std::string_view campo, bool utf8)
{
    return ResultadoLectura::Fallo(
        ErrorLectura::FactorNoValido,
        QStringLiteral("Line %1 of the configuration file gives a factor that is missing, no number or "
                       "beyond single precision.")
            .arg(numero),
        DecodeText(RecortarCampo(campo), utf8), numero);
}

// Reads analog channel row n from line `numero` of the file. A multiplier a
// that is missing or no number, an offset b written but no number, and a
// factor beyond single precision refuse the file: every value of the
// channel would be made up.
ResultadoLectura LeerCanalAnalogico(std::string_view linea, std::int64_t numero, std::int32_t n, bool es1997,
                                    bool utf8, ContenidoCfg& cfg)
{
    size_t pos = 0;
    // The channel is known by its position; the number written is kept as
    // text only (recorders leave gaps and start anywhere).
    cfg.NumerosAnalogicos(n) = Texto(utf8, CortarCampo(linea, pos));
    cfg.TablaCanales(n, 1) = QString::number(n);
    cfg.TablaCanales(n, 2) = Texto(utf8, CortarCampo(linea, pos));
    (void)CortarCampo(linea, pos); // ph
    cfg.TablaCanales(n, 3) = Texto(utf8, CortarCampo(linea, pos));
    cfg.TablaCanales(n, 4) = Texto(utf8, CortarCampo(linea, pos));
    const std::string_view a = CortarCampo(linea, pos);
    if (!NumeroCompleto(a, cfg.FactorA(n)) || !EnSimple(cfg.FactorA(n)))
        return FactorRechazado(numero, a, utf8);
    const std::string_view b = CortarCampo(linea, pos);
    if (RecortarCampo(b).empty())
        cfg.FactorB(n) = 0.0; // no offset
    else if (!NumeroCompleto(b, cfg.FactorB(n)) || !EnSimple(cfg.FactorB(n)))
        return FactorRechazado(numero, b, utf8);
    const std::string_view skew = CortarCampo(linea, pos);
    double desfase = 0.0;
    if (ValorNumero(skew, desfase) && !EnSimple(desfase))
        cfg.CanalesDesfaseFuera.push_back(n);
    cfg.Desfase(n) = Real(skew);
    if (!es1997)
        return {};
    (void)CortarCampo(linea, pos); // min
    (void)CortarCampo(linea, pos); // max
    PrimSec& ps = cfg.TablaPrimSec(n);
    // A rating that is no number is 0: that side cannot be derived.
    const std::string_view primario = CortarCampo(linea, pos);
    ps.Primario = ValorNumero(primario);
    const size_t antes = linea.find(',', pos);
    const std::string_view secundario = CortarCampo(linea, pos);
    ps.Secundario = ValorNumero(secundario);
    if (!EnSimple(ps.Primario))
        return FactorRechazado(numero, primario, utf8);
    if (!EnSimple(ps.Secundario))
        return FactorRechazado(numero, secundario, utf8);
    // The flag is the rest of the line after the comma that ends the
    // secondary factor, untrimmed; no such comma, no flag.
    ps.PS = antes == std::string_view::npos ? QString() : Texto(utf8, linea.substr(antes + 1));
    return {};
}

// Commas of a line: its fields less one.
size_t Comas(std::string_view l)
{
    return static_cast<size_t>(std::count(l.begin(), l.end(), ','));
}

// The first line, from index `desde` (that of the first analog channel
// line), that cannot be where the counts nA, nD put it: a digital line
// holds more than two fields and fewer than an analog line's up to its
// offset (two to five commas), and the line frequency is no channel line
// (fewer than two commas). A short line where an analog one is due is
// left to the factor check, which names it: it may be an analog line cut
// short. 0 when every line fits; else its 1-based number.
std::int64_t LineaQueNoCoincide(const std::vector<std::string_view>& lineas, size_t desde, std::int32_t nA,
                                std::int32_t nD)
{
    size_t i = desde + static_cast<size_t>(std::max(nA, 0));
    for (std::int32_t d = 1; d <= nD && i < lineas.size(); ++d, ++i) {
        const size_t comas = Comas(lineas[i]);
        if (comas < 2 || comas > 5)
            return static_cast<std::int64_t>(i) + 1;
    }
    if (i < lineas.size() && Comas(lineas[i]) >= 2)
        return static_cast<std::int64_t>(i) + 1;
    return 0;
}

// The parse of the file's lines; `cuentasLeidas` tells whether line 2 was
// read whole.
ResultadoLectura AnalizarLineas(const std::vector<std::string_view>& lineas, bool utf8, ContenidoCfg& cfg,
                                bool& cuentasLeidas);

} // namespace

ResultadoLectura AnalizarCfg(std::string_view texto, ContenidoCfg& cfg)
{
    cfg = ContenidoCfg{};
    if (texto.substr(0, 3) == "\xEF\xBB\xBF")
        texto.remove_prefix(3);
    const bool utf8 = IsMultiByteUtf8(texto);
    const std::vector<std::string_view> lineas = PartirLineas(texto);
    bool cuentasLeidas = false;
    ResultadoLectura res = AnalizarLineas(lineas, utf8, cfg, cuentasLeidas);
    // Counts that do not match the lines read channel lines in the wrong
    // places: whatever that gave, a refusal further on or channels made of
    // the wrong lines, the file is refused for the counts.
    if (cuentasLeidas && res.Error != ErrorLectura::RevisionRechazada &&
        (cfg.NumAnalogicos > 0 || cfg.NumDigitales > 0)) {
        if (const std::int64_t l = LineaQueNoCoincide(lineas, 2, cfg.NumAnalogicos, cfg.NumDigitales);
            l > 0) {
            ResultadoLectura cuentas = ResultadoLectura::Fallo(
                ErrorLectura::CanalesNoCoinciden,
                QStringLiteral("The channel counts on line 2 of the configuration file do not match its "
                               "channel lines: line %1 is not the one they ask for there.")
                    .arg(l),
                DecodeText(RecortarCampo(lineas[1]), utf8), l);
            cuentas.CuentaAnalogicos = cfg.NumAnalogicos;
            cuentas.CuentaDigitales = cfg.NumDigitales;
            return cuentas;
        }
    }
    return res;
}

namespace {

ResultadoLectura AnalizarLineas(const std::vector<std::string_view>& lineas, bool utf8, ContenidoCfg& cfg,
                                bool& cuentasLeidas)
{
    cuentasLeidas = false;
    // A file whose lines end in CR alone is one long line: its revision
    // field would hold the whole file.
    if (!lineas.empty() && lineas.front().find('\r') != std::string_view::npos) {
        return ResultadoLectura::Fallo(
            ErrorLectura::FinesDeLineaCR,
            QStringLiteral("The configuration file ends its lines with CR alone."));
    }
    size_t i = 0;
    auto linea = [&](size_t k) { return k < lineas.size() ? lineas[k] : std::string_view{}; };

    // Line 1: station, device and, optionally, the revision year.
    {
        const std::string_view l = linea(i++);
        const size_t coma1 = l.find(',');
        cfg.NombreEstacion = Texto(utf8, l.substr(0, coma1));
        const size_t coma2 = coma1 == std::string_view::npos ? coma1 : l.find(',', coma1 + 1);
        if (coma2 != std::string_view::npos && coma2 + 1 < l.size()) {
            const std::string_view revision = l.substr(coma2 + 1);
            cfg.TextoRevision = Texto(utf8, revision);
            if (RecortarCampo(revision) != "1997") {
                return ResultadoLectura::Fallo(ErrorLectura::RevisionRechazada,
                                               QStringLiteral("The revision field of line 1 is refused."),
                                               Texto(utf8, RecortarCampo(revision)));
            }
            cfg.AnioRevision = QStringLiteral("1997");
        }
    }
    const bool es1997 = cfg.AnioRevision == QLatin1String("1997");

    // Line 2: TT, nnA, nnD.
    {
        if (i >= lineas.size())
            return FaltanLineas("channel counts");
        const std::string_view l = linea(i++);
        size_t pos = 0;
        const std::string_view tt = CortarCampo(l, pos);
        const std::string_view na = CortarCampo(l, pos);
        const std::string_view nd = l.substr(pos);
        if (!Cuenta(tt, cfg.TotalCanales) || !Cuenta(na, cfg.NumAnalogicos) ||
            !Cuenta(nd, cfg.NumDigitales)) {
            return ResultadoLectura::Fallo(
                ErrorLectura::CuentaNoValida,
                QStringLiteral("The channel counts of the configuration file are not valid: \"%1\".")
                    .arg(Texto(utf8, l)));
        }
    }
    cuentasLeidas = true;
    const std::int32_t nA = cfg.NumAnalogicos;
    const std::int32_t nD = cfg.NumDigitales;
    // Counts are checked against the lines before anything is sized by them.
    if (static_cast<std::int64_t>(nA) + nD > static_cast<std::int64_t>(lineas.size() - i))
        return FaltanLineas("channel lines");

    cfg.FactorA.Resize(nA);
    cfg.FactorB.Resize(nA);
    cfg.Desfase.Resize(nA);
    cfg.TablaCanales.Resize(nA, 4);
    cfg.NumerosAnalogicos.Resize(nA);
    if (es1997)
        cfg.TablaPrimSec.Resize(nA);

    for (std::int32_t n = 1; n <= nA; ++n, ++i) {
        ResultadoLectura res =
            LeerCanalAnalogico(linea(i), static_cast<std::int64_t>(i) + 1, n, es1997, utf8, cfg);
        if (!res.Ok())
            return res;
    }

    if (nD > 0) {
        cfg.NombresDigitales.Resize(nD);
        cfg.NumerosDigitales.Resize(nD);
        for (std::int32_t d = 1; d <= nD; ++d) {
            const std::string_view l = linea(i++);
            size_t pos = 0;
            cfg.NumerosDigitales(d) = Texto(utf8, CortarCampo(l, pos));
            cfg.NombresDigitales(d) = Texto(utf8, CortarCampo(l, pos));
        }
    }

    if (i + 2 > lineas.size())
        return FaltanLineas("line frequency and rate count");
    cfg.FrecuenciaLinea = Entero(linea(i++));
    {
        const std::string_view l = linea(i++);
        std::int32_t nTasas = 0;
        if (!RedondearEntero(ValorNumero(l), nTasas) || nTasas < 0) {
            return ResultadoLectura::Fallo(
                ErrorLectura::CuentaNoValida,
                QStringLiteral("The sampling rate count of the configuration file is not valid: \"%1\".")
                    .arg(Texto(utf8, l)));
        }
        cfg.NumTasas = nTasas;
    }
    // A rate count of 0 still has one rate line.
    const std::int32_t nLineasTasa = cfg.NumTasas > 0 ? cfg.NumTasas : 1;
    if (static_cast<std::int64_t>(nLineasTasa) > static_cast<std::int64_t>(lineas.size() - i))
        return FaltanLineas("sampling rate lines");
    cfg.TasasMuestreo.Resize(nLineasTasa);
    cfg.MuestrasFinales.Resize(nLineasTasa);
    for (std::int32_t k = 1; k <= nLineasTasa; ++k) {
        const std::string_view l = linea(i++);
        size_t pos = 0;
        cfg.TasasMuestreo(k) = Entero(CortarCampo(l, pos));
        // Sample numbers are 32-bit: an end sample beyond them is damaged,
        // never a count to read up to; so is one that is no number (or
        // missing), which would read as 0 samples.
        const std::string_view fin = l.substr(pos);
        double escrita = 0.0;
        if (!NumeroCompleto(fin, escrita)) {
            return ResultadoLectura::Fallo(
                ErrorLectura::MuestraFinalNoNumero,
                QStringLiteral("An end sample of the configuration file is no number."),
                Texto(utf8, RecortarCampo(fin)));
        }
        std::int32_t muestra = 0;
        if (!RedondearEntero(escrita, muestra)) {
            return ResultadoLectura::Fallo(
                ErrorLectura::MuestraFinalNoValida,
                QStringLiteral("An end sample of the configuration file is beyond 32-bit "
                               "sample numbers."),
                Texto(utf8, RecortarCampo(fin)));
        }
        cfg.MuestrasFinales(k) = muestra;
    }
    if (cfg.MuestrasFinales(1) < 0) {
        return ResultadoLectura::Fallo(
            ErrorLectura::CuentaNoValida,
            QStringLiteral("The configuration file announces a negative number of samples (%1).")
                .arg(cfg.MuestrasFinales(1)));
    }

    cfg.FechaInicio = Texto(utf8, linea(i++));
    cfg.FechaDisparo = Texto(utf8, linea(i++));
    cfg.LineaTipoFichero = static_cast<std::int32_t>(i);
    cfg.TipoFichero = Texto(utf8, linea(i++));
    if (es1997 && i < lineas.size())
        cfg.MultTiempo = ValorNumero(linea(i++));

    // A data file's values are 16-bit integers: a factor that takes one of
    // them beyond single precision would show it as infinity (BINARY), or
    // every line as damaged (ASCII), blaming the data file for the factor.
    const QString tipo = cfg.TipoFichero.trimmed().toUpper();
    if (tipo == QLatin1String("BINARY") || tipo == QLatin1String("ASCII")) {
        for (std::int32_t n = 1; n <= nA; ++n) {
            if (!EnSimple(MayorBinario(cfg.FactorA(n), cfg.FactorB(n)))) {
                const std::string_view l = lineas[static_cast<size_t>(n) + 1];
                size_t pos = 0;
                for (int k = 0; k < 5; ++k)
                    (void)CortarCampo(l, pos);
                return FactorRechazado(static_cast<std::int64_t>(n) + 2, CortarCampo(l, pos), utf8);
            }
        }
    }
    ResultadoLectura leido;
    leido.CanalesDesfaseFuera = cfg.CanalesDesfaseFuera;
    return leido;
}

} // namespace

ResultadoLectura LeerCfg(RecordModel& r)
{
    r.RevisionErronea = false;
    ComprobarDecimal(r);

    QFile fichero(r.RutaCfg);
    if (r.RutaCfg.isEmpty() || !fichero.open(QIODevice::ReadOnly)) {
        return ResultadoLectura::Fallo(
            ErrorLectura::NoSeAbre,
            QStringLiteral("The configuration file %1 cannot be read.").arg(r.RutaCfg));
    }
    const QByteArray bytes = fichero.readAll();
    fichero.close();

    ContenidoCfg cfg;
    ResultadoLectura res =
        AnalizarCfg(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), cfg);
    if (!res.Ok()) {
        if (res.Error == ErrorLectura::RevisionRechazada)
            r.RevisionErronea = true;
        return res;
    }

    r.NombreEstacion = std::move(cfg.NombreEstacion);
    r.AnioRevision = std::move(cfg.AnioRevision);
    r.TextoRevision = std::move(cfg.TextoRevision);
    r.TotalCanales = cfg.TotalCanales;
    r.NumAnalogicos = cfg.NumAnalogicos;
    r.NumDigitales = cfg.NumDigitales;
    r.NumAnalogicosOfrecidos = cfg.NumAnalogicos;
    r.NumDigitalesOfrecidos = cfg.NumDigitales;
    r.TablaCanales = std::move(cfg.TablaCanales);
    r.NumerosAnalogicos = std::move(cfg.NumerosAnalogicos);
    r.NumerosDigitales = std::move(cfg.NumerosDigitales);
    r.FactorA = std::move(cfg.FactorA);
    r.FactorB = std::move(cfg.FactorB);
    r.Desfase = std::move(cfg.Desfase);
    if (r.Es1997())
        r.TablaPrimSec = std::move(cfg.TablaPrimSec);
    r.NombresDigitales = std::move(cfg.NombresDigitales);
    r.FrecuenciaLinea = cfg.FrecuenciaLinea;
    r.NumTasas = cfg.NumTasas;
    r.TasasMuestreo = std::move(cfg.TasasMuestreo);
    r.MuestrasFinales = std::move(cfg.MuestrasFinales);
    r.FechaInicio = std::move(cfg.FechaInicio);
    r.FechaDisparo = std::move(cfg.FechaDisparo);
    r.TipoFichero = std::move(cfg.TipoFichero);
    r.MultTiempo = cfg.MultTiempo;
    return res;
}

} // namespace vesdra
