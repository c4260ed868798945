#include "templates/wizard_digital.h"

#include <algorithm>

#include "platform/base/like.h"
#include "platform/base/vb_error.h"
#include "record/record_model.h"
#include "templates/model_db.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"
#include "templates/template_texts.h"

namespace vesdra {

namespace {

constexpr std::int32_t kMaxCanal = 32767;

// Like with the entry as the pattern; an entry that is no valid pattern
// matches only itself.
bool CoincideLike(const QString& texto, const QString& patron)
{
    try {
        return Like(texto, patron);
    } catch (const VbError&) {
        return texto == patron;
    }
}

// Both editing tables sized to `filas` rows of every column; the rows they
// held are kept when `conservar`, else they start empty.
void Redimensionar(std::int32_t filas, bool conservar)
{
    TemplateState& p = Plantillas();
    const auto uno = [&](auto& m) {
        using M = std::remove_reference_t<decltype(m)>;
        M nueva(filas, PasoDigital::kColumnas);
        if (conservar) {
            for (std::int32_t r = 1; r <= std::min(filas, m.Rows()); ++r)
                for (std::int32_t c = 1; c <= std::min(PasoDigital::kColumnas, m.Cols()); ++c)
                    nueva(r, c) = m(r, c);
        }
        m = std::move(nueva);
    };
    uno(p.GruposEdicion);
    uno(p.CanalesEdicion);
}

// A member's channel number as a slot shows it: none below 1.
QString TextoCanal(std::int32_t canal)
{
    return canal >= 1 ? QString::number(canal) : QString();
}

std::int32_t CuentaCelda(const QString& celda)
{
    return std::max(EnteroCelda(celda).value_or(0), 0);
}

} // namespace

std::int32_t PasoDigital::NumeroGrupos() const
{
    return std::max(EnteroCelda(Cuenta).value_or(0), 0);
}

void PasoDigital::PonerNombre(const QString& texto, std::vector<AvisoPaso>& avisos)
{
    if (texto == Nombre)
        return;
    for (const AvisoPaso& a : CambiarNombre(texto))
        avisos.push_back(a);
}

void PasoDigital::PonerCuenta(std::int32_t n, std::vector<AvisoPaso>& avisos)
{
    TemplateState& p = Plantillas();
    Cuenta = QString::number(n);
    p.NumGruposPlantilla = n;
    if (n > kMaxGrupos) {
        avisos.push_back({150, vbCritical});
        return;
    }
    if (n > 0)
        Redimensionar(n, p.GruposEditados);
}

void PasoDigital::ListarGrupos()
{
    const TemplateState& p = Plantillas();
    Grupos.clear();
    const std::int32_t n = std::min(NumeroGrupos(), p.GruposEdicion.Rows());
    for (std::int32_t g = 1; g <= n; ++g)
        Grupos << p.GruposEdicion(g, 1);
}

void PasoDigital::LimpiarCasillas()
{
    Casillas = SelectorCasillas(kCasillas);
}

void PasoDigital::CompactarCasillas()
{
    Plantillas().GruposEditados = true;
    std::int32_t libre = 1;
    for (std::int32_t i = 1; i <= kCasillas; ++i) {
        const SelectorCasillas::Casilla c = Casillas(i);
        if (c.Nombre.isEmpty() && c.Numero.isEmpty())
            continue;
        Casillas(i) = {};
        Casillas(libre++) = c;
    }
    for (std::int32_t i = 1; i <= kCasillas; ++i)
        Casillas.PintarMarcador(i, kMarcadorLibre);
}

void PasoDigital::MostrarGrupo(std::int32_t g, std::vector<AvisoPaso>& avisos)
{
    const TemplateState& p = Plantillas();
    LimpiarCasillas();
    if (g < 1 || g > p.GruposEdicion.Rows()) {
        PonerNombre({}, avisos);
        return;
    }
    PonerNombre(p.GruposEdicion(g, 1), avisos);
    const std::int32_t k = std::min(CuentaCelda(p.GruposEdicion(g, 2)), kCasillas);
    for (std::int32_t c = 1; c <= k; ++c)
        Casillas(c) = {p.GruposEdicion(g, c + 2), TextoCanal(p.CanalesEdicion(g, c + 2))};
}

void PasoDigital::DevolverNombre(std::vector<AvisoPaso>& avisos)
{
    const TemplateState& p = Plantillas();
    if (GrupoActual >= 1 && GrupoActual <= p.GruposEdicion.Rows())
        PonerNombre(p.GruposEdicion(GrupoActual, 1), avisos);
}

bool PasoDigital::NombreDeOtroGrupo(std::int32_t salvo) const
{
    for (qsizetype g = 0; g < Grupos.size(); ++g) {
        // Names are compared as written, case included: "ZONA*" is no
        // pattern that "ZONA 3" would match.
        if (g + 1 != salvo && Nombre == Grupos.at(g))
            return true;
    }
    return false;
}

bool PasoDigital::NombreRepetido(std::int32_t salvo, std::vector<AvisoPaso>& avisos)
{
    if (!NombreDeOtroGrupo(salvo))
        return false;
    avisos.push_back({kTextoGrupoRepetido, vbCritical});
    DevolverNombre(avisos);
    return true;
}

bool PasoDigital::ConfirmarNombre(std::vector<AvisoPaso>& avisos)
{
    TemplateState& p = Plantillas();
    const auto n = static_cast<std::int32_t>(Grupos.size());
    if (GrupoActual < 1 || GrupoActual > std::min(n, p.GruposEdicion.Rows()))
        return true;
    if (Nombre == p.GruposEdicion(GrupoActual, 1))
        return true;
    // A group cannot lose its name: the box gets it back.
    if (Nombre.isEmpty()) {
        DevolverNombre(avisos);
        return true;
    }
    if (NombreRepetido(GrupoActual, avisos))
        return false;
    p.GruposEdicion(GrupoActual, 1) = Nombre;
    Grupos[GrupoActual - 1] = Nombre;
    return true;
}

void PasoDigital::GuardarGrupo(std::int32_t g, bool conNombre, std::vector<AvisoPaso>& avisos)
{
    CompactarCasillas();
    if (g < 1)
        return;
    TemplateState& p = Plantillas();
    if (p.GruposEdicion.Rows() < g || p.GruposEdicion.Cols() != kColumnas || p.CanalesEdicion.Rows() < g ||
        p.CanalesEdicion.Cols() != kColumnas)
        Redimensionar(std::max(g, p.GruposEdicion.Rows()), true);
    if (conNombre)
        p.GruposEdicion(g, 1) = Nombre;
    std::int32_t k = 0;
    for (std::int32_t i = 1; i <= kCasillas; ++i) {
        const SelectorCasillas::Casilla& c = Casillas(i);
        if (c.Nombre.isEmpty())
            continue;
        const std::int32_t canal = EnteroCelda(c.Numero).value_or(0);
        if (canal < 1) {
            // A member needs its channel: left out, and the user told.
            avisos.push_back({139, vbInformation, c.Nombre});
            continue;
        }
        ++k;
        p.GruposEdicion(g, k + 2) = c.Nombre;
        p.CanalesEdicion(g, k + 2) = canal;
    }
    p.GruposEdicion(g, 2) = QString::number(k);
}

std::vector<AvisoPaso> PasoDigital::Cargar()
{
    TemplateState& p = Plantillas();
    RecordModel& r = Registro();
    std::vector<AvisoPaso> avisos;
    GrupoActual = 1;
    LimpiarCasillas();
    Nombre.clear();
    Cuenta.clear();
    Grupos.clear();
    Seleccion = -1;
    Lista.clear();

    // The offered signals, by the first rule that holds.
    const bool abierto = r.RegistroAbierto;
    const auto delModelo = [&] {
        const EstadosCargados e = CargarEstadosModelo(p.IdentificadorPlantilla);
        r.NumDigitalesOfrecidos = e.Numero;
        if (const auto aviso = e.Resultado.Aviso())
            avisos.push_back(*aviso);
        for (std::int32_t j = 1; j <= std::min(e.Numero, p.EstadosModelo.Size()); ++j)
            Lista << p.EstadosModelo(j);
    };
    const auto delRegistro = [&] {
        for (std::int32_t d = 1; d <= std::min(r.NumDigitalesOfrecidos, r.NombresDigitales.Size()); ++d)
            Lista << r.NombresDigitales(d);
    };
    if ((p.PlantillaNueva || p.ModificandoPlantilla) && !abierto) {
        delModelo();
    } else if (p.ModeloCargado && abierto) {
        // A model taken in this pass offers its signals every time the step
        // is entered in it (the pass's end clears the flag).
        delModelo();
    } else if (p.ModificandoPlantilla && abierto) {
        // The record's channels only for the record the template was made
        // for.
        if (CoincideLike(QuitarBlancos(p.NombreRegistroGuardado), QuitarBlancos(p.IdentificadorPlantilla)))
            delRegistro();
    } else if (abierto) {
        delRegistro();
    }

    std::int32_t n = 0;
    if (p.GruposEditados) {
        // Entered again in the same pass: the groups as they were left.
        n = std::clamp(p.NumGruposPlantilla, 0, p.GruposEdicion.Rows());
        PonerCuenta(n, avisos);
    } else if (p.PlantillaNueva) {
        PonerCuenta(0, avisos);
        return avisos;
    } else {
        // The loaded template's groups, converted into the editing tables;
        // the step keeps at most 16 and says so.
        n = std::clamp(p.NumGruposPlantilla, 0, p.GruposPlantilla.Rows());
        if (n > kMaxGrupos) {
            avisos.push_back({kTextoGruposConservados, vbInformation});
            n = kMaxGrupos;
        }
        Redimensionar(n, false);
        PonerCuenta(n, avisos);
        std::int32_t j = 0;
        for (std::int32_t g = 1; g <= n; ++g) {
            const QString nombre = p.GruposPlantilla(g, 1);
            const QString cuenta = p.GruposPlantilla(g, 2);
            const std::int32_t total = CuentaCelda(cuenta);
            std::int32_t k = std::min(total, kCasillas);
            if (total > kCasillas)
                avisos.push_back({140, vbInformation, nombre});
            k = std::min(k, std::max(p.MiembrosPlantilla.Rows() - j, 0));
            p.GruposEdicion(g, 1) = nombre;
            p.GruposEdicion(g, 2) = k == total ? cuenta : QString::number(k);
            for (std::int32_t c = 1; c <= k; ++c) {
                p.CanalesEdicion(g, c + 2) = EnteroCelda(p.MiembrosPlantilla(j + c, 1)).value_or(0);
                p.GruposEdicion(g, c + 2) = p.MiembrosPlantilla(j + c, 2);
            }
            j += total;
        }
    }
    ListarGrupos();
    if (n > 0) {
        Seleccion = 0;
        MostrarGrupo(1, avisos);
        if (!p.PlantillaNueva) {
            // The first group is stored as shown, as a click on it would.
            std::vector<AvisoPaso> ignorados;
            GuardarGrupo(1, true, avisos);
            MostrarGrupo(1, ignorados);
        }
    }
    return avisos;
}

std::vector<AvisoPaso> PasoDigital::Elegir(std::int32_t posicion)
{
    if (Cuenta.isEmpty() || Plantillas().NumGruposPlantilla == 0 || Nombre.isEmpty())
        return {{249, vbInformation}};
    if (posicion < 0 || posicion >= Lista.size())
        return {};
    (void)Casillas.Colocar(Lista.at(posicion), QString::number(posicion + 1),
                           SelectorCasillas::Repetidos::NombreYNumeroAnteriores);
    return {};
}

std::vector<AvisoPaso> PasoDigital::CambiarNombre(const QString& texto)
{
    Nombre = texto;
    if (texto.isEmpty())
        return {{182, vbCritical}};
    return AvisosTextoPlantilla(texto);
}

std::vector<AvisoPaso> PasoDigital::CambiarNombreCasilla(std::int32_t i, const QString& texto)
{
    if (i < 1 || i > kCasillas)
        return {};
    Casillas(i).Nombre = texto;
    return AvisosTextoPlantilla(texto);
}

bool PasoDigital::CambiarNumeroCasilla(std::int32_t i, const QString& texto, std::vector<AvisoPaso>& avisos)
{
    if (i < 1 || i > kCasillas)
        return false;
    bool digitos = !texto.isEmpty() && texto.size() <= 5;
    for (const QChar ch : texto)
        digitos = digitos && ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
    if (!texto.isEmpty() && !(digitos && texto.toInt() <= kMaxCanal)) {
        avisos.push_back({175, vbCritical});
        return false;
    }
    Casillas(i).Numero = texto;
    return true;
}

std::vector<AvisoPaso> PasoDigital::ElegirGrupo(std::int32_t indice)
{
    std::vector<AvisoPaso> avisos;
    if (indice < 0 || indice >= Grupos.size())
        return avisos;
    TemplateState& p = Plantillas();
    const bool actualValido =
        GrupoActual >= 1 && GrupoActual <= std::min<std::int32_t>(Grupos.size(), p.GruposEdicion.Rows());
    if (actualValido) {
        // A name typed over the current group's renames it (the list
        // follows) and the selection stays on it; one already in the list is
        // refused and the group keeps its name.
        const QString antes = p.GruposEdicion(GrupoActual, 1);
        if (ConfirmarNombre(avisos) && p.GruposEdicion(GrupoActual, 1) != antes)
            indice = GrupoActual - 1;
        GuardarGrupo(GrupoActual, false, avisos);
    }
    GrupoActual = indice + 1;
    Seleccion = indice;
    MostrarGrupo(GrupoActual, avisos);
    return avisos;
}

std::vector<AvisoPaso> PasoDigital::Anadir()
{
    std::vector<AvisoPaso> avisos;
    TemplateState& p = Plantillas();
    if (Grupos.size() >= kMaxGrupos) {
        avisos.push_back({150, vbCritical});
        DevolverNombre(avisos);
        return avisos;
    }
    if (Nombre.isEmpty())
        return avisos;
    // A name already in the list is refused and nothing changes.
    if (NombreRepetido(0, avisos))
        return avisos;
    if (!Grupos.isEmpty()) {
        // The current group keeps its own name: the box holds the new one.
        GuardarGrupo(GrupoActual, false, avisos);
        Casillas.PintarMarcador(Casillas.Actual(), kMarcadorActual);
    }
    const auto n = static_cast<std::int32_t>(Grupos.size()) + 1;
    PonerCuenta(n, avisos);
    p.GruposEditados = true;
    p.GruposEdicion(n, 1) = Nombre;
    p.GruposEdicion(n, 2) = QStringLiteral("0");
    Grupos << Nombre;
    GrupoActual = n;
    Seleccion = n - 1;
    LimpiarCasillas();
    return avisos;
}

std::vector<AvisoPaso> PasoDigital::Eliminar()
{
    std::vector<AvisoPaso> avisos;
    if (Seleccion < 0 || Seleccion >= Grupos.size())
        return avisos;
    TemplateState& p = Plantillas();
    const std::int32_t s = Seleccion + 1;
    const auto viejo = static_cast<std::int32_t>(Grupos.size());
    if (viejo > 1)
        p.GruposEditados = true;
    // Every later group one row down.
    const std::int32_t filas = std::min(viejo, std::min(p.GruposEdicion.Rows(), p.CanalesEdicion.Rows()));
    for (std::int32_t g = s + 1; g <= filas; ++g) {
        for (std::int32_t c = 1; c <= kColumnas; ++c) {
            p.GruposEdicion(g - 1, c) = p.GruposEdicion(g, c);
            p.CanalesEdicion(g - 1, c) = p.CanalesEdicion(g, c);
        }
    }
    Grupos.removeAt(s - 1);
    PonerCuenta(viejo - 1, avisos);
    if (!Grupos.isEmpty()) {
        GrupoActual = 1;
        Seleccion = 0;
        MostrarGrupo(1, avisos);
    } else {
        Seleccion = -1;
        GrupoActual = 1;
        LimpiarCasillas();
        PonerNombre({}, avisos);
    }
    return avisos;
}

PasoDigital::Salida PasoDigital::Guardar(bool comprobar)
{
    Salida out;
    TemplateState& p = Plantillas();
    const std::int32_t n = NumeroGrupos();
    p.NumGruposPlantilla = n;
    if (n != 0 && GrupoActual >= 1 && GrupoActual <= n) {
        // A rename refused keeps continue on the step, with its message.
        if (!ConfirmarNombre(out.Avisos) && comprobar) {
            out.Paso = SalidaPaso::Quedando(out.Avisos.front());
            out.Avisos.erase(out.Avisos.begin());
            return out;
        }
        GuardarGrupo(GrupoActual, false, out.Avisos);
    }
    std::int32_t total = 0;
    const std::int32_t filas = std::min(n, p.GruposEdicion.Rows());
    for (std::int32_t g = 1; g <= filas; ++g) {
        const std::int32_t k = std::min(CuentaCelda(p.GruposEdicion(g, 2)), kCasillas);
        total += k;
        if (!comprobar)
            continue;
        QStringList textos{p.GruposEdicion(g, 1)};
        for (std::int32_t c = 1; c <= k; ++c)
            textos << p.GruposEdicion(g, c + 2);
        for (const QString& t : textos) {
            if (const auto a = AvisosTextoPlantilla(t); !a.empty()) {
                out.Paso = SalidaPaso::Quedando(a.front());
                return out;
            }
        }
        if (k == 0) {
            out.Paso = SalidaPaso::Quedando({179, vbCritical, QString::number(g), 0, 180});
            return out;
        }
    }
    p.NumMiembrosPlantilla = total;
    if (!comprobar) {
        p.VueltaAtras = true;
        if (total == 0)
            p.NumGruposPlantilla = 0;
    }
    out.Paso = SalidaPaso::Saliendo();
    return out;
}

bool PasoDigital::VueltaSinPerdida() const
{
    bool miembros = false;
    for (std::int32_t i = 1; i <= kCasillas; ++i) {
        const SelectorCasillas::Casilla& c = Casillas(i);
        if (c.Nombre.isEmpty() && c.Numero.isEmpty())
            continue;
        if (c.Nombre.isEmpty() || EnteroCelda(c.Numero).value_or(0) < 1)
            return false;
        miembros = true;
    }
    const TemplateState& p = Plantillas();
    const std::int32_t n = std::min(NumeroGrupos(), p.GruposEdicion.Rows());
    if (n == 0 || GrupoActual < 1 || GrupoActual > n)
        return Nombre.isEmpty() && !miembros;
    if (!Nombre.isEmpty() && Nombre != p.GruposEdicion(GrupoActual, 1) && NombreDeOtroGrupo(GrupoActual))
        return false;
    for (std::int32_t g = 1; g <= n && !miembros; ++g) {
        if (g != GrupoActual)
            miembros = CuentaCelda(p.GruposEdicion(g, 2)) > 0;
    }
    return miembros;
}

PasoDigital::Salida PasoDigital::Continuar()
{
    return Guardar(true);
}

PasoDigital::Salida PasoDigital::Volver()
{
    return Guardar(false);
}

} // namespace vesdra
