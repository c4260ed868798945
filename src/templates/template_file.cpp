#include "templates/template_file.h"

#include <QStringList>
#include <algorithm>
#include <initializer_list>

#include "platform/base/cp1252.h"
#include "platform/base/text_file.h"
#include "record/record_model.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"

namespace vesdra {
namespace {

const QString kVersion = QStringLiteral("ver 1.1");
const QString kVersionAntigua = QStringLiteral("ver 1.0");
const QString kAnalogicos = QStringLiteral("ANALOGICOS");
const QString kTrifasicos = QStringLiteral("TRIFASICOS");
const QString kDigitales = QStringLiteral("DIGITALES");
const QString kGrupo = QStringLiteral("***");
const QString kFin = QStringLiteral("-----");

// A line the writer could not have written: the read ends and everything is
// put back as it was.
struct LineaDanada {
    std::int32_t Linea;
};

// The lines of a template, read one after the other. A read past the end
// fails and leaves its target as it was, as a sequential read would.
class Lineas
{
public:
    explicit Lineas(QStringList lines) : lines_(std::move(lines)) {}

    bool Leer(QString& target)
    {
        if (next_ >= lines_.size())
            return false;
        target = lines_.at(next_++);
        return true;
    }
    // Reads the line that must stand next, `esperada`; another line is
    // damage. The end of the file passes when `puedeFaltar`.
    void Exigir(const QString& esperada, bool puedeFaltar)
    {
        QString line;
        if (!Leer(line)) {
            if (puedeFaltar)
                return;
            throw LineaDanada{Linea()};
        }
        if (line != esperada)
            throw LineaDanada{Linea()};
    }
    // Lines not read yet.
    [[nodiscard]] std::int32_t Quedan() const { return static_cast<std::int32_t>(lines_.size() - next_); }
    // The number (1-based) of the line read last; at the end of the file,
    // its last line.
    [[nodiscard]] std::int32_t Linea() const
    {
        return static_cast<std::int32_t>(std::max<qsizetype>(next_, 1));
    }

private:
    QStringList lines_;
    qsizetype next_{0};
};

// Reads a count line: a whole number from 0 up, with at least `lineasPorFila`
// lines left in the file for each row it announces.
// `texto`, when given, takes the line as read.
std::int32_t LeerCuenta(Lineas& in, std::int32_t lineasPorFila, QString* texto = nullptr)
{
    QString line;
    if (!in.Leer(texto ? *texto : line))
        throw LineaDanada{in.Linea()};
    const auto n = EnteroCelda(texto ? *texto : line);
    if (!n || *n < 0 || static_cast<std::int64_t>(*n) * lineasPorFila > in.Quedan())
        throw LineaDanada{in.Linea()};
    return *n;
}

// Cuts a line into fields: `porcentajes` fields each ended by "%", then one
// ended by "$". A field whose separator is missing stays empty and the search
// for the next one starts again at the beginning of the line ("a%b$" gives
// a, "", a, b); whatever follows the "$" is ignored.
QStringList Cortar(const QString& line, int porcentajes)
{
    QStringList fields;
    qsizetype p = 0;
    for (int k = 0; k <= porcentajes; ++k) {
        const QChar sep = k < porcentajes ? QLatin1Char('%') : QLatin1Char('$');
        const qsizetype at = line.indexOf(sep, p);
        if (at < 0) {
            fields.append(QString());
            p = 0;
        } else {
            fields.append(line.mid(p, at - p));
            p = at + 1;
        }
    }
    return fields;
}

// A row of a section, read and cut; its first `numeros` fields are channel
// numbers and must be whole numbers.
QStringList LeerFila(Lineas& in, int porcentajes, int numeros)
{
    QString line;
    if (!in.Leer(line))
        throw LineaDanada{in.Linea()};
    QStringList f = Cortar(line, porcentajes);
    for (int k = 0; k < numeros; ++k)
        if (!EnteroCelda(f[k]))
            throw LineaDanada{in.Linea()};
    return f;
}

QString NumeroEntero(const QString& field)
{
    const auto n = EnteroCelda(field);
    return n ? QString::number(*n) : QString();
}

// Rows are added to the member table when a file's groups hold more members
// than its total line says, so the groups' counts never reach past the table.
void AsegurarFilas(Matrix<QString>& m, std::int32_t rows)
{
    if (rows <= m.Rows())
        return;
    Matrix<QString> grown(rows, 2);
    for (std::int32_t r = 1; r <= m.Rows(); ++r)
        for (std::int32_t c = 1; c <= std::min(m.Cols(), 2); ++c)
            grown(r, c) = m(r, c);
    m = std::move(grown);
}

ResultadoPlantilla NoEncaja()
{
    Plantillas().PlantillaNoEncaja = true;
    return {LecturaPlantilla::NoEncaja, std::nullopt};
}

ResultadoPlantilla Terminada()
{
    Plantillas().PlantillaNoEncaja = false;
    return {LecturaPlantilla::Leida, std::nullopt};
}

ResultadoPlantilla LeerDigitales(Lineas& in, bool comprobar)
{
    TemplateState& p = Plantillas();
    const std::int32_t nD = Registro().NumDigitales;
    QString line;
    // An empty total or group-count line ends the section with no groups.
    if (!in.Leer(line) || line.isEmpty()) {
        p.NumMiembrosPlantilla = 0;
        p.NumGruposPlantilla = 0;
        return Terminada();
    }
    const auto total = EnteroCelda(line);
    if (!total || *total < 0)
        throw LineaDanada{in.Linea()};
    p.NumMiembrosPlantilla = *total;
    line.clear();
    if (!in.Leer(line) || line.isEmpty()) {
        p.NumGruposPlantilla = 0;
        return Terminada();
    }
    const auto grupos = EnteroCelda(line);
    const std::int32_t lineaGrupos = in.Linea();
    // Each group takes at least its "***", name and count lines.
    if (!grupos || *grupos < 0 || static_cast<std::int64_t>(*grupos) * 3 > in.Quedan())
        throw LineaDanada{lineaGrupos};
    p.NumGruposPlantilla = *grupos;
    if (p.NumGruposPlantilla == 0)
        return Terminada();
    in.Exigir(kGrupo, false);
    p.GruposPlantilla.Resize(p.NumGruposPlantilla, 2);
    p.MiembrosPlantilla.Resize(std::min(p.NumMiembrosPlantilla, in.Quedan()), 2);
    std::int32_t j = 1;
    for (std::int32_t g = 1; g <= p.NumGruposPlantilla; ++g) {
        if (!in.Leer(p.GruposPlantilla(g, 1)))
            throw LineaDanada{lineaGrupos};
        // The cell keeps the count line as read, blanks and all.
        const std::int32_t k = LeerCuenta(in, 1, &p.GruposPlantilla(g, 2));
        AsegurarFilas(p.MiembrosPlantilla, j + k - 1);
        for (std::int32_t r = j; r < j + k; ++r) {
            const QStringList f = LeerFila(in, 1, 1);
            p.MiembrosPlantilla(r, 1) = f[0];
            if (comprobar && !CanalEnRango(f[0], nD))
                return NoEncaja();
            p.MiembrosPlantilla(r, 2) = f[1];
        }
        j += k;
        // The next group's "***", or after the last one the end line (or
        // the end of the file).
        const bool ultimo = g == p.NumGruposPlantilla;
        in.Exigir(ultimo ? kFin : kGrupo, ultimo);
    }
    p.NumMiembrosPlantilla = std::max(p.NumMiembrosPlantilla, j - 1);
    return Terminada();
}

// The read itself; throws LineaDanada.
ResultadoPlantilla Leer(Lineas& in)
{
    TemplateState& p = Plantillas();
    (void)in.Leer(p.VersionPlantilla);
    if (p.VersionPlantilla == kVersionAntigua) {
        p.PlantillaNoEncaja = false;
        return {LecturaPlantilla::VersionAntigua, std::nullopt};
    }
    (void)in.Leer(p.IdentificadorPlantilla);
    // Where a heading stands there is a heading still to come in this
    // order, or the end line; after a section, the file may end instead. A
    // heading misspelt or out of order would read as a template without its
    // sections.
    QString heading;
    bool hay = in.Leer(heading);
    if (!hay)
        throw LineaDanada{in.Linea()};
    const auto cabecera = [&in, &heading, &hay](std::initializer_list<const QString*> quedan) {
        if (!hay || heading == kFin)
            return;
        for (const QString* q : quedan)
            if (heading == *q)
                return;
        throw LineaDanada{in.Linea()};
    };
    cabecera({&kAnalogicos, &kTrifasicos, &kDigitales});

    const bool comprobar = ComprobarEncajeActivo();
    const std::int32_t nA = Registro().NumAnalogicos;

    if (heading == kAnalogicos) {
        const std::int32_t n = LeerCuenta(in, 1);
        p.NumAnalogicosPlantilla = n;
        if (comprobar && n > nA)
            return NoEncaja();
        p.AnalogicosPlantilla.Resize(n, 5);
        for (std::int32_t i = 1; i <= n; ++i) {
            const QStringList f = LeerFila(in, 3, 1);
            for (int k = 0; k < 4; ++k)
                p.AnalogicosPlantilla(i, k + 1) = f[k];
            if (comprobar && !CanalEnRango(f[0], nA))
                return NoEncaja();
        }
        heading.clear();
        hay = in.Leer(heading);
        cabecera({&kTrifasicos, &kDigitales});
    } else {
        p.NumAnalogicosPlantilla = 0;
    }

    if (heading == kTrifasicos) {
        const std::int32_t m = LeerCuenta(in, 1);
        p.NumTrifasicosPlantilla = m;
        p.TrifasicosPlantilla.Resize(m, 6);
        for (std::int32_t s = 1; s <= m; ++s) {
            const QStringList f = LeerFila(in, 4, 3);
            for (int k = 0; k < 3; ++k)
                p.TrifasicosPlantilla(s, k + 1) = NumeroEntero(f[k]);
            p.TrifasicosPlantilla(s, 4) = f[3];
            p.TrifasicosPlantilla(s, 5) = f[4];
            if (comprobar)
                for (int k = 1; k <= 3; ++k)
                    if (!CanalEnRango(p.TrifasicosPlantilla(s, k), nA))
                        return NoEncaja();
        }
        heading.clear();
        hay = in.Leer(heading);
        cabecera({&kDigitales});
    } else {
        p.NumTrifasicosPlantilla = 0;
    }

    if (heading == kDigitales)
        return LeerDigitales(in, comprobar);
    p.NumMiembrosPlantilla = 0;
    p.NumGruposPlantilla = 0;
    return Terminada();
}

} // namespace

QString ResultadoPlantilla::Mensaje(const std::function<QString(int)>& textos, const QString& ruta) const
{
    if (Estado == LecturaPlantilla::Danada)
        return textos(201) + ruta + textos(202) + QString::number(Linea);
    const int t = Texto();
    return t != 0 ? textos(t) : QString();
}

ResultadoPlantilla LeerPlantilla()
{
    TemplateState& p = Plantillas();
    QStringList all;
    try {
        all = ReadTextLines(p.RutaPlantilla);
    } catch (const VbError& e) {
        p.PlantillaNoEncaja = false;
        return {LecturaPlantilla::Error, e};
    }
    // A damaged file is refused whole: what was read of it is put back.
    const TemplateState antes = p;
    try {
        if (all.isEmpty())
            throw LineaDanada{1};
        Lineas in(std::move(all));
        return Leer(in);
    } catch (const LineaDanada& d) {
        p = antes;
        p.PlantillaNoEncaja = false;
        return {LecturaPlantilla::Danada, std::nullopt, d.Linea};
    }
}

QString LeerVersionPlantilla()
{
    TextFileReader in(Plantillas().RutaPlantilla);
    const QString version = in.LineInput();
    Plantillas().VersionPlantillaActiva = version;
    return version;
}

constexpr int kTextoSaltoDeLinea = 124;

std::vector<int> TextosNoGuardables(QStringView texto)
{
    std::vector<int> textos;
    if (texto.contains(QLatin1Char('%')))
        textos.push_back(176);
    if (texto.contains(QLatin1Char('$')))
        textos.push_back(177);
    if (texto.contains(QLatin1Char('\r')) || texto.contains(QLatin1Char('\n')))
        textos.push_back(kTextoSaltoDeLinea);
    if (!CaracterNoGuardable(texto).isEmpty())
        textos.push_back(kTextoCaracterNoGuardable);
    return textos;
}

QString CaracterNoGuardable(QStringView texto)
{
    // The file is written through ToCp1252 and read back through
    // FromCp1252, one code unit to one byte: where the round trip differs, a
    // character is lost.
    const QString escrito = texto.toString();
    const QString leido = FromCp1252(ToCp1252(escrito));
    for (qsizetype i = 0; i < escrito.size(); ++i) {
        if (leido.at(i) == escrito.at(i))
            continue;
        const bool par =
            escrito.at(i).isHighSurrogate() && i + 1 < escrito.size() && escrito.at(i + 1).isLowSurrogate();
        const char32_t codigo =
            par ? QChar::surrogateToUcs4(escrito.at(i), escrito.at(i + 1)) : escrito.at(i).unicode();
        return escrito.mid(i, par ? 2 : 1) +
               QStringLiteral(" (U+%1)").arg(static_cast<uint>(codigo), 4, 16, QLatin1Char('0')).toUpper();
    }
    return {};
}

namespace {

struct Rechazo {
    int Texto{0};
    QString Campo;
    bool SaltoDeLinea{false};
};

// The first text that would not read back as written; a line break is
// refused as an error rather than with its text.
std::optional<Rechazo> Revisar(const QStringList& texts)
{
    for (const QString& t : texts) {
        const std::vector<int> textos = TextosNoGuardables(t);
        if (textos.empty())
            continue;
        const bool salto = textos.front() == kTextoSaltoDeLinea;
        return Rechazo{salto ? 0 : textos.front(), t, salto};
    }
    return std::nullopt;
}

// A count cell is written as it holds it: a number (as the wizard stores
// it) in the " 3 " form, a line carried over from a file as it was read.
QString CeldaCuenta(const QString& cell)
{
    const auto n = EnteroCelda(cell);
    if (n && QString::number(*n) == cell)
        return QStringLiteral(" %1 ").arg(*n);
    return cell;
}

QString FormaNumero(std::int32_t n)
{
    return (n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n)) + QLatin1Char(' ');
}

} // namespace

ResultadoEscritura EscribirPlantilla(const QString& path)
{
    const TemplateState& p = Plantillas();
    const std::int32_t nA = p.NumAnalogicosPlantilla;
    const std::int32_t nT = p.NumTrifasicosPlantilla;
    const bool digitales = p.NumMiembrosPlantilla >= 1;
    const std::int32_t nG = digitales ? std::max(p.NumGruposPlantilla, 0) : 0;

    // Every line is built before the file is touched: a refusal or a table
    // short of its count writes nothing.
    QStringList lines;
    QStringList texts{p.IdentificadorPlantilla};
    try {
        lines << kVersion << p.IdentificadorPlantilla;
        if (nA > 0) {
            if (p.AnalogicosPlantilla.Rows() < nA || p.AnalogicosPlantilla.Cols() < 4)
                throw VbError(vberr::SubscriptOutOfRange);
            lines << kAnalogicos << FormaNumero(nA);
            for (std::int32_t i = 1; i <= nA; ++i) {
                QStringList row;
                for (std::int32_t k = 1; k <= 4; ++k)
                    row << p.AnalogicosPlantilla(i, k);
                texts << row;
                lines << row.join(QLatin1Char('%')) + QLatin1Char('$');
            }
        }
        if (nT > 0) {
            if (p.TrifasicosPlantilla.Rows() < nT || p.TrifasicosPlantilla.Cols() < 5)
                throw VbError(vberr::SubscriptOutOfRange);
            lines << kTrifasicos << FormaNumero(nT);
            for (std::int32_t s = 1; s <= nT; ++s) {
                QStringList row;
                for (std::int32_t k = 1; k <= 5; ++k)
                    row << p.TrifasicosPlantilla(s, k);
                texts << row;
                lines << row.join(QLatin1Char('%')) + QLatin1Char('$');
            }
        }
        if (digitales) {
            lines << kDigitales << QString::number(p.NumMiembrosPlantilla) << FormaNumero(nG);
            if (p.GruposEdicion.Rows() < nG || (nG > 0 && p.GruposEdicion.Cols() < 2))
                throw VbError(vberr::SubscriptOutOfRange);
            for (std::int32_t g = 1; g <= nG; ++g) {
                const QString& cuenta = p.GruposEdicion(g, 2);
                const auto k = EnteroCelda(cuenta);
                if (!k)
                    throw VbError(vberr::TypeMismatch);
                if (*k + 2 > std::min(p.GruposEdicion.Cols(), p.CanalesEdicion.Cols()) && *k > 0)
                    throw VbError(vberr::SubscriptOutOfRange);
                if (*k > 0 && p.CanalesEdicion.Rows() < g)
                    throw VbError(vberr::SubscriptOutOfRange);
                texts << p.GruposEdicion(g, 1) << cuenta;
                lines << kGrupo << p.GruposEdicion(g, 1) << CeldaCuenta(cuenta);
                for (std::int32_t c = 1; c <= *k; ++c) {
                    texts << p.GruposEdicion(g, c + 2);
                    lines << QString::number(p.CanalesEdicion(g, c + 2)) + QLatin1Char('%') +
                                 p.GruposEdicion(g, c + 2) + QLatin1Char('$');
                }
            }
        }
        lines << kFin;
    } catch (const VbError& e) {
        return {EscrituraPlantilla::Error, 0, QString(), e};
    }

    if (const auto r = Revisar(texts)) {
        ResultadoEscritura out{EscrituraPlantilla::Rechazada, r->Texto, r->Campo, std::nullopt};
        if (r->SaltoDeLinea)
            out.Error = VbError(vberr::InvalidCall, QStringLiteral("A name holds a line break"));
        return out;
    }

    try {
        TextFileWriter out(path);
        for (const QString& line : lines)
            out.PrintLine(line);
        out.Commit();
    } catch (const VbError& e) {
        return {EscrituraPlantilla::Error, 0, QString(), e};
    }
    return {};
}

} // namespace vesdra
