#include "templates/wizard_analog.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "platform/base/numeric.h"
#include "record/record_model.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

bool EsDigito(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The count a continue or back stores: 0 for an empty box, else the box
// read as a whole number (halves to even). Throws VbError 13 for text that
// is no number, 6 beyond the grid.
std::int32_t CuentaGuardada(const QString& texto)
{
    if (texto.isEmpty())
        return 0;
    const std::int32_t n = CIntText(texto);
    if (n > PasoAnalogico::kMaxFilas)
        throw VbError(vberr::Overflow);
    return n;
}

} // namespace

std::vector<AvisoPaso> PasoAnalogico::Cargar()
{
    TemplateState& p = Plantillas();
    RecordModel& r = Registro();
    std::int32_t n = 0;
    if (!p.PlantillaNueva || p.AsistenteAbortado) {
        Identificador = p.IdentificadorPlantilla;
        n = p.NumAnalogicosPlantilla;
    } else if (!r.RegistroAbierto && !p.ModeloCargado) {
        Identificador.clear();
    } else {
        if (r.NumAnalogicosOfrecidos == 0)
            r.NumAnalogicosOfrecidos = r.NumAnalogicos;
        if (p.IdentificadorPlantilla.isEmpty())
            p.IdentificadorPlantilla = r.NombreEstacion;
        Identificador = p.IdentificadorPlantilla;
        n = r.NumAnalogicosOfrecidos;
    }
    // The grid starts empty: every row it takes is filled from the table.
    Filas.clear();
    Canales.clear();
    tecleadas_.clear();
    apartadas_.clear();
    std::vector<AvisoPaso> avisos = CambiarIdentificador(Identificador).Avisos;
    if (const auto a = CambiarCuenta(QString::number(n)))
        avisos.push_back(*a);
    identificadorPropuesto_ = Identificador;
    cuentaPropuesta_ = Cuenta;
    return avisos;
}

bool PasoAnalogico::Intacto() const
{
    return Identificador == identificadorPropuesto_ && Cuenta == cuentaPropuesta_ &&
           std::none_of(apartadas_.begin(), apartadas_.end(),
                        [](const auto& a) { return a.second.Tecleada; }) &&
           std::none_of(tecleadas_.begin(), tecleadas_.end(), [](bool t) { return t; });
}

std::optional<AvisoPaso> PasoAnalogico::CambiarCuenta(const QString& texto)
{
    Cuenta = texto;
    const QChar ultimo = texto.isEmpty() ? QLatin1Char('0') : texto.back();
    if (!EsDigito(ultimo))
        return AvisoPaso{178, vbCritical};
    std::int32_t c = 0;
    if (!texto.isEmpty()) {
        double v = 0;
        try {
            v = std::floor(CDbl(texto));
        } catch (const VbError&) {
            return AvisoPaso{178, vbCritical};
        }
        // A negative count or one beyond the grid is refused as typed,
        // before anything changes.
        if (!(v >= 0 && v <= kMaxFilas))
            return AvisoPaso{178, vbCritical};
        c = static_cast<std::int32_t>(v);
    }

    TemplateState& p = Plantillas();
    const RecordModel& r = Registro();
    // The rows that remain keep what they hold, and the rows dropped are
    // set aside; of the rows the grid gains, those set aside come back as
    // they were and the others are filled from the table's rows of those
    // numbers (a continue in between may have stored fewer rows).
    const auto antes = static_cast<std::int32_t>(Filas.size());
    for (std::int32_t i = c + 1; i <= antes; ++i) {
        const auto f = static_cast<std::size_t>(i - 1);
        apartadas_[i] = {Filas[f], Canales[f], tecleadas_[f]};
    }
    Redimensionar(c);
    const Matrix<QString>& t = p.AnalogicosPlantilla;
    for (std::int32_t i = antes + 1; i <= c; ++i) {
        const auto f = static_cast<std::size_t>(i - 1);
        if (const auto a = apartadas_.find(i); a != apartadas_.end()) {
            Filas[f] = std::move(a->second.Textos);
            tecleadas_[f] = a->second.Tecleada;
            apartadas_.erase(a);
            continue;
        }
        if (i > t.Rows())
            continue;
        for (std::int32_t k = 1; k <= kColumnas && k + 1 <= t.Cols(); ++k)
            Filas[f][static_cast<std::size_t>(k - 1)] = t(i, k + 1);
    }
    if (!r.RegistroAbierto && !p.PlantillaAplicada && !p.ModificandoPlantilla && !p.ModeloCargado && c != 0) {
        // A template from nothing: the table follows what is typed.
        Matrix<QString> nueva(c, 4);
        for (std::int32_t i = 1; i <= c; ++i) {
            for (std::int32_t k = 1; k <= kColumnas; ++k)
                nueva(i, k + 1) = Celda(i, k);
        }
        p.AnalogicosPlantilla = std::move(nueva);
    }
    return std::nullopt;
}

PasoAnalogico::CambioIdentificador PasoAnalogico::CambiarIdentificador(const QString& texto)
{
    Identificador = texto;
    return {AvisosTextoPlantilla(texto), texto.endsWith(QLatin1Char('\n'))};
}

std::vector<AvisoPaso> PasoAnalogico::CambiarCelda(std::int32_t fila, std::int32_t columna,
                                                   const QString& texto)
{
    if (fila < 1 || fila > static_cast<std::int32_t>(Filas.size()) || columna < 1 || columna > kColumnas)
        return {};
    Filas[static_cast<std::size_t>(fila - 1)][static_cast<std::size_t>(columna - 1)] = texto;
    tecleadas_[static_cast<std::size_t>(fila - 1)] = true;
    return AvisosTextoPlantilla(texto);
}

QString PasoAnalogico::Canal(std::int32_t fila) const
{
    if (fila < 1 || fila > static_cast<std::int32_t>(Canales.size()))
        return {};
    return Canales[static_cast<std::size_t>(fila - 1)];
}

QString PasoAnalogico::Celda(std::int32_t fila, std::int32_t columna) const
{
    if (fila < 1 || fila > static_cast<std::int32_t>(Filas.size()) || columna < 1 || columna > kColumnas)
        return {};
    return Filas[static_cast<std::size_t>(fila - 1)][static_cast<std::size_t>(columna - 1)];
}

void PasoAnalogico::Redimensionar(std::int32_t filas)
{
    const auto antes = static_cast<std::int32_t>(Canales.size());
    Filas.resize(static_cast<std::size_t>(filas));
    Canales.resize(static_cast<std::size_t>(filas));
    tecleadas_.resize(static_cast<std::size_t>(filas), false);
    if (filas <= antes)
        return;
    // The rows kept, and the typed rows coming back, stand for the channels
    // they stood for; another new row takes the table's channel for it, else
    // the first channel no row stands for.
    std::unordered_set<std::int32_t> usados;
    for (std::int32_t i = 1; i <= antes; ++i) {
        if (const auto n = EnteroCelda(Canal(i)))
            usados.insert(*n);
    }
    for (auto a = apartadas_.upper_bound(antes); a != apartadas_.end() && a->first <= filas; ++a) {
        if (const auto n = EnteroCelda(a->second.Canal))
            usados.insert(*n);
    }
    const Matrix<QString>& t = Plantillas().AnalogicosPlantilla;
    std::int32_t libre = 1;
    for (std::int32_t i = antes + 1; i <= filas; ++i) {
        if (const auto a = apartadas_.find(i); a != apartadas_.end()) {
            Canales[static_cast<std::size_t>(i - 1)] = a->second.Canal;
            continue;
        }
        QString canal = i <= t.Rows() && t.Cols() >= 1 ? t(i, 1) : QString();
        if (canal.isEmpty()) {
            while (usados.contains(libre))
                ++libre;
            canal = QString::number(libre);
        }
        if (const auto n = EnteroCelda(canal))
            usados.insert(*n);
        Canales[static_cast<std::size_t>(i - 1)] = std::move(canal);
    }
}

void PasoAnalogico::GuardarFilas(std::int32_t n) const
{
    Matrix<QString> t(n, 4);
    for (std::int32_t i = 1; i <= n; ++i) {
        t(i, 1) = Canal(i);
        for (std::int32_t k = 1; k <= kColumnas; ++k)
            t(i, k + 1) = QuitarBlancos(Celda(i, k));
    }
    Plantillas().AnalogicosPlantilla = std::move(t);
}

SalidaPaso PasoAnalogico::Continuar()
{
    TemplateState& p = Plantillas();
    p.IdentificadorPlantilla = QuitarBlancos(Identificador);
    std::int32_t n = 0;
    try {
        n = CuentaGuardada(Cuenta);
    } catch (const VbError&) {
        return SalidaPaso::Quedando({175, vbCritical});
    }
    if (n < 0)
        return SalidaPaso::Quedando({175, vbCritical});
    p.NumAnalogicosPlantilla = n;
    if (n == 0)
        return SalidaPaso::Quedando({244, vbOKOnly});
    for (std::int32_t i = 1; i <= n; ++i) {
        if (QuitarBlancos(Celda(i, 1)).isEmpty() && QuitarBlancos(Celda(i, 2)).isEmpty())
            return SalidaPaso::Quedando({275, vbOKOnly, QString::number(i)});
    }
    // Nothing the template file cannot hold goes on.
    if (const auto a = AvisosTextoPlantilla(p.IdentificadorPlantilla); !a.empty())
        return SalidaPaso::Quedando(a.front());
    for (std::int32_t i = 1; i <= n; ++i) {
        for (std::int32_t k = 1; k <= kColumnas; ++k) {
            if (const auto a = AvisosTextoPlantilla(Celda(i, k)); !a.empty())
                return SalidaPaso::Quedando(a.front());
        }
    }
    GuardarFilas(n);
    return SalidaPaso::Saliendo();
}

SalidaPaso PasoAnalogico::Volver()
{
    TemplateState& p = Plantillas();
    p.IdentificadorPlantilla = Identificador;
    try {
        const std::int32_t n = CuentaGuardada(Cuenta);
        if (n < 0)
            throw VbError(vberr::SubscriptOutOfRange);
        p.NumAnalogicosPlantilla = n;
        if (n != 0)
            GuardarFilas(n);
    } catch (...) {
        return SalidaPaso::Fallando(ComoVbError(std::current_exception()));
    }
    return SalidaPaso::Saliendo();
}

} // namespace vesdra
