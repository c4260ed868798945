#include "templates/template_file.h"

#include <QStringList>
#include <algorithm>

#include "platform/base/text_file.h"
#include "record/record_model.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"

namespace vesdra
{
namespace
{

const QString kVersion = QStringLiteral("ver 1.1");
const QString kVersionAntigua = QStringLiteral("ver 1.0");
const QString kAnalogicos = QStringLiteral("ANALOGICOS");
const QString kTrifasicos = QStringLiteral("TRIFASICOS");
const QString kDigitales = QStringLiteral("DIGITALES");
const QString kGrupo = QStringLiteral("***");
const QString kFin = QStringLiteral("-----");

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
    void Saltar() { next_ = std::min(next_ + 1, lines_.size()); }
    // Lines not read yet: no section can hold more rows than this, so a
    // count beyond it never sizes a table.
    [[nodiscard]] std::int32_t Quedan() const { return static_cast<std::int32_t>(lines_.size() - next_); }

private:
    QStringList lines_;
    qsizetype next_{0};
};

// A count line as a number of rows: negative or non-numeric counts are 0.
std::int32_t Cuenta(const QString& line)
{
    return std::max(EnteroCelda(line).value_or(0), 0);
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
    if (!in.Leer(line) || line.isEmpty()) {
        p.NumMiembrosPlantilla = 0;
        p.NumGruposPlantilla = 0;
        return Terminada();
    }
    p.NumMiembrosPlantilla = Cuenta(line);
    line.clear();
    if (!in.Leer(line) || line.isEmpty()) {
        p.NumGruposPlantilla = 0;
        return Terminada();
    }
    p.NumGruposPlantilla = std::min(Cuenta(line), in.Quedan());
    if (p.NumGruposPlantilla == 0)
        return Terminada();
    in.Saltar(); // the first "***"
    p.GruposPlantilla.Resize(p.NumGruposPlantilla, 2);
    p.MiembrosPlantilla.Resize(std::min(p.NumMiembrosPlantilla, in.Quedan()), 2);
    std::int32_t j = 1;
    for (std::int32_t g = 1; g <= p.NumGruposPlantilla; ++g) {
        (void)in.Leer(p.GruposPlantilla(g, 1));
        QString& cuenta = p.GruposPlantilla(g, 2);
        (void)in.Leer(cuenta);
        const std::int32_t k = std::min(Cuenta(cuenta), in.Quedan());
        // The cell keeps the line as read unless its value is not the number
        // of members taken (a damaged or cut-short file).
        if (EnteroCelda(cuenta) != k)
            cuenta = QStringLiteral(" %1 ").arg(k);
        AsegurarFilas(p.MiembrosPlantilla, j + k - 1);
        for (std::int32_t r = j; r < j + k; ++r) {
            QString member;
            (void)in.Leer(member);
            const QStringList f = Cortar(member, 1);
            p.MiembrosPlantilla(r, 1) = f[0];
            if (comprobar && !CanalEnRango(f[0], nD))
                return NoEncaja();
            p.MiembrosPlantilla(r, 2) = f[1];
        }
        j += k;
        in.Saltar(); // the next group's "***", or "-----"
    }
    p.NumMiembrosPlantilla = std::max(p.NumMiembrosPlantilla, j - 1);
    return Terminada();
}

} // namespace

ResultadoPlantilla LeerPlantilla()
{
    TemplateState& p = Plantillas();
    QStringList all;
    try {
        all = ReadTextLines(p.RutaPlantilla);
        if (all.isEmpty())
            throw VbError(vberr::InputPastEndOfFile);
    } catch (const VbError& e) {
        p.PlantillaNoEncaja = false;
        return {LecturaPlantilla::Error, e};
    }
    Lineas in(std::move(all));
    (void)in.Leer(p.VersionPlantilla);
    if (p.VersionPlantilla == kVersionAntigua) {
        p.PlantillaNoEncaja = false;
        return {LecturaPlantilla::VersionAntigua, std::nullopt};
    }
    (void)in.Leer(p.IdentificadorPlantilla);
    QString heading;
    (void)in.Leer(heading);

    const bool comprobar = ComprobarEncajeActivo();
    const std::int32_t nA = Registro().NumAnalogicos;

    if (heading == kAnalogicos) {
        QString line;
        (void)in.Leer(line);
        const std::int32_t n = Cuenta(line);
        p.NumAnalogicosPlantilla = std::min(n, in.Quedan());
        if (comprobar && n > nA)
            return NoEncaja();
        p.AnalogicosPlantilla.Resize(p.NumAnalogicosPlantilla, 5);
        for (std::int32_t i = 1; i <= p.NumAnalogicosPlantilla; ++i) {
            line.clear();
            (void)in.Leer(line);
            const QStringList f = Cortar(line, 3);
            for (int k = 0; k < 4; ++k)
                p.AnalogicosPlantilla(i, k + 1) = f[k];
            if (comprobar && !CanalEnRango(f[0], nA))
                return NoEncaja();
        }
        heading.clear();
        (void)in.Leer(heading);
    } else {
        p.NumAnalogicosPlantilla = 0;
    }

    if (heading == kTrifasicos) {
        QString line;
        (void)in.Leer(line);
        p.NumTrifasicosPlantilla = std::min(Cuenta(line), in.Quedan());
        p.TrifasicosPlantilla.Resize(p.NumTrifasicosPlantilla, 6);
        for (std::int32_t s = 1; s <= p.NumTrifasicosPlantilla; ++s) {
            line.clear();
            (void)in.Leer(line);
            const QStringList f = Cortar(line, 4);
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
        (void)in.Leer(heading);
    } else {
        p.NumTrifasicosPlantilla = 0;
    }

    if (heading == kDigitales)
        return LeerDigitales(in, comprobar);
    p.NumMiembrosPlantilla = 0;
    p.NumGruposPlantilla = 0;
    return Terminada();
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
    return textos;
}

namespace
{

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
