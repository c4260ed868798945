#include "templates/wizard_trifasic.h"

#include <algorithm>

#include "platform/base/numeric.h"
#include "record/helpers.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"
#include "templates/template_texts.h"

namespace vesdra {

namespace {

// Frame caption of set s: text 42 + s.
constexpr int kTextoMarco = 42;

// The analog row a stored phase names: the row whose channel number (column
// 1) it is, else the row of that number; 0 when neither exists.
std::int32_t FilaDeCanal(const QString& canal)
{
    const TemplateState& p = Plantillas();
    const auto n = EnteroCelda(canal);
    if (!n)
        return 0;
    const std::int32_t filas = std::min(p.NumAnalogicosPlantilla, p.AnalogicosPlantilla.Rows());
    for (std::int32_t i = 1; i <= filas; ++i) {
        if (EnteroCelda(p.AnalogicosPlantilla(i, 1)) == n)
            return i;
    }
    return *n >= 1 && *n <= filas ? *n : 0;
}

} // namespace

std::vector<AvisoPaso> PasoTrifasico::Cargar()
{
    TemplateState& p = Plantillas();
    std::vector<AvisoPaso> avisos;
    Conjuntos = {};
    ocultos_ = {};
    Cuenta.clear();
    Lista.clear();
    for (std::int32_t i = 1; i <= p.NumAnalogicosPlantilla; ++i)
        Lista << NombreCanalPlantilla(p.AnalogicosPlantilla, i);

    if (!(p.PlantillaNueva && !p.VueltaAtras)) {
        // Entered again in the pass: the four sets as last stored. Else the
        // template's: four frames show at most four sets, and the user is
        // told.
        const bool memoria = p.ConjuntosEdicion.Rows() > 0;
        const Matrix<QString>& t = memoria ? p.ConjuntosEdicion : p.TrifasicosPlantilla;
        const std::int32_t m = std::clamp(p.NumTrifasicosPlantilla, 0, kConjuntos);
        if (!memoria && p.NumTrifasicosPlantilla > kConjuntos)
            avisos.push_back({kTextoTrifasicosConservados, vbInformation});
        const std::int32_t mostrados = memoria ? std::min(t.Rows(), kConjuntos) : m;
        const auto celda = [&t](std::int32_t s, std::int32_t k) {
            return s <= t.Rows() && k <= t.Cols() ? t(s, k) : QString();
        };
        for (std::int32_t s = 1; s <= mostrados; ++s) {
            for (const AvisoPaso& a : CambiarNombre(s, celda(s, 4)))
                avisos.push_back(a);
            for (const AvisoPaso& a : CambiarFactor(s, celda(s, 5)))
                avisos.push_back(a);
            for (std::int32_t k = 1; k <= kFases; ++k) {
                // A phase naming no row of the template shows as an empty
                // slot, and is kept.
                const QString canal = celda(s, k);
                if (const std::int32_t fila = FilaDeCanal(canal))
                    (*this)(s).Casillas(k) = {NombreCanalPlantilla(p.AnalogicosPlantilla, fila),
                                              QString::number(fila)};
                else
                    Oculto(s, k) = canal;
            }
        }
        if (const auto a = CambiarCuenta(QString::number(m)))
            avisos.push_back(*a);
    }
    if (p.NumAnalogicosPlantilla != 0) {
        if (Cuenta.isEmpty()) {
            (void)CambiarCuenta(QStringLiteral("0"));
            p.NumTrifasicosPlantilla = 0;
        }
    } else {
        avisos.push_back({244, vbOKOnly});
    }
    return avisos;
}

std::optional<AvisoPaso> PasoTrifasico::CambiarCuenta(const QString& texto)
{
    Cuenta = texto;
    const QChar ultimo = texto.isEmpty() ? QLatin1Char('0') : texto.back();
    if (ultimo < QLatin1Char('0') || ultimo > QLatin1Char('9'))
        return AvisoPaso{187, vbCritical};
    std::int32_t n = 0;
    if (!texto.isEmpty()) {
        try {
            n = CIntText(texto);
        } catch (const VbError&) {
            return AvisoPaso{187, vbCritical};
        }
    }
    TemplateState& p = Plantillas();
    p.NumTrifasicosPlantilla = n;
    if (n < 0 || n > kConjuntos)
        return AvisoPaso{87, vbCritical};
    for (std::int32_t s = 1; s <= kConjuntos; ++s) {
        Conjunto& c = (*this)(s);
        c.Activo = s <= n;
        if (c.Activo) {
            c.Casillas.PintarMarcador(1, kMarcadorActual);
        } else {
            for (std::int32_t k = 1; k <= kFases; ++k)
                c.Casillas.PintarMarcador(k, kMarcadorLibre);
        }
    }
    return std::nullopt;
}

bool PasoTrifasico::Elegir(std::int32_t s, std::int32_t posicion)
{
    if (s < 1 || s > kConjuntos || posicion < 0 || posicion >= Lista.size() || !(*this)(s).Activo)
        return false;
    const std::int32_t k = (*this)(s).Casillas.Actual();
    if (!(*this)(s).Casillas.Colocar(Lista.at(posicion), QString::number(posicion + 1),
                                     SelectorCasillas::Repetidos::NombreHastaActual))
        return false;
    Oculto(s, k).clear();
    return true;
}

QString PasoTrifasico::Canal(std::int32_t s, std::int32_t k) const
{
    if (s < 1 || s > kConjuntos || k < 1 || k > kFases)
        return {};
    const Matrix<QString>& t = Plantillas().AnalogicosPlantilla;
    const auto fila = EnteroCelda((*this)(s).Casillas(k).Numero);
    if (!fila || *fila < 1 || *fila > t.Rows() || t.Cols() < 1)
        return {};
    return t(*fila, 1);
}

void PasoTrifasico::Seleccionar(std::int32_t s, std::int32_t k)
{
    if (s >= 1 && s <= kConjuntos)
        (*this)(s).Casillas.Seleccionar(k);
}

void PasoTrifasico::Vaciar(std::int32_t s, std::int32_t k)
{
    if (s < 1 || s > kConjuntos || k < 1 || k > kFases)
        return;
    (*this)(s).Casillas.Vaciar(k);
    Oculto(s, k).clear();
}

std::vector<AvisoPaso> PasoTrifasico::CambiarNombre(std::int32_t s, const QString& texto)
{
    (*this)(s).Nombre = texto;
    return AvisosTextoPlantilla(texto);
}

std::vector<AvisoPaso> PasoTrifasico::CambiarFactor(std::int32_t s, const QString& texto)
{
    (*this)(s).Factor = texto;
    std::vector<AvisoPaso> avisos = AvisosTextoPlantilla(texto);
    if (!texto.isEmpty() && !TextoEsNumero(texto))
        avisos.push_back({186, vbCritical});
    return avisos;
}

QString PasoTrifasico::CanalGuardado(std::int32_t s, std::int32_t k) const
{
    if ((*this)(s).Casillas(k).Numero.isEmpty())
        return ocultos_.at(static_cast<std::size_t>(s - 1)).at(static_cast<std::size_t>(k - 1));
    return Canal(s, k);
}

SalidaPaso PasoTrifasico::Guardar(bool volver)
{
    TemplateState& p = Plantillas();
    const std::int32_t n = p.NumTrifasicosPlantilla;
    if (n < 0 || n > kConjuntos)
        return SalidaPaso::Quedando({87, vbCritical});
    // Everything is checked before the tables change.
    Matrix<QString> t(n, 5);
    for (std::int32_t s = 1; s <= n; ++s) {
        const Conjunto& c = (*this)(s);
        for (std::int32_t k = 1; k <= kFases; ++k) {
            const QString& numero = c.Casillas(k).Numero;
            const auto fila = EnteroCelda(numero);
            const bool valida = fila && *fila >= 1 && *fila <= p.AnalogicosPlantilla.Rows();
            if (!volver && numero.isEmpty())
                return SalidaPaso::Quedando({273, vbInformation, {}, kTextoMarco + s});
            if (!volver && !valida)
                return SalidaPaso::Quedando({273, vbOKOnly});
            t(s, k) = CanalGuardado(s, k);
        }
    }
    for (std::int32_t s = 1; s <= n; ++s) {
        const Conjunto& c = (*this)(s);
        for (const QString* texto : {&c.Nombre, &c.Factor}) {
            if (const auto a = AvisosTextoPlantilla(*texto); !a.empty())
                return SalidaPaso::Quedando(a.front());
        }
        t(s, 4) = c.Nombre;
        t(s, 5) = c.Factor;
    }
    if (n > 0)
        p.TrifasicosPlantilla = std::move(t);
    // All four sets, for the step entered again in this pass.
    Matrix<QString> memoria(kConjuntos, 5);
    for (std::int32_t s = 1; s <= kConjuntos; ++s) {
        for (std::int32_t k = 1; k <= kFases; ++k)
            memoria(s, k) = CanalGuardado(s, k);
        memoria(s, 4) = (*this)(s).Nombre;
        memoria(s, 5) = (*this)(s).Factor;
    }
    p.ConjuntosEdicion = std::move(memoria);
    if (volver)
        p.VueltaAtras = true;
    return SalidaPaso::Saliendo();
}

DisposicionTrifasico ColocarControles(const MedidasTrifasico& m)
{
    DisposicionTrifasico d;
    const double w = 0.85 * m.AnchoPantalla;
    const double h = 0.9 * m.AltoPantalla;
    d.Form = {(m.AnchoPantalla - w) / 2, (m.AltoPantalla - h) / 2, w, h};

    d.Label1 = {(w - m.AnchoLabel1) / 3, 0, m.AnchoLabel1, m.AltoLabel1};
    d.Cuenta = {d.Label1.Right(), 0, m.AnchoCuenta, m.AltoCuenta};
    d.Label2 = {(w - m.AnchoLabel2) / 2, d.Label1.Bottom() + m.AltoCuenta / 2, m.AnchoLabel2, m.AltoLabel2};

    constexpr double kSeparacion = 120;
    const double ancho = w / 4.4;
    const double anchoFactor = ancho / 3;
    double left = kSeparacion;
    for (std::size_t i = 0; i < d.Nombres.size(); ++i) {
        d.Nombres[i] = {left, d.Label2.Bottom(), ancho, m.AltoNombre};
        d.Factores[i] = {d.Nombres[i].Right() - anchoFactor, d.Nombres[i].Bottom(), anchoFactor,
                         m.AltoNombre};
        d.Marcos[i] = {left, d.Factores[i].Bottom(), ancho, h / 1.5};
        left += ancho + kSeparacion;
    }
    d.Label3 = {d.Nombres[0].Left, d.Factores[0].Top, m.AnchoLabel3, m.AltoLabel3};

    // Inside a frame: the list under the frame's caption, the set's label
    // under the list, then the three slots.
    const double altoBoton = 1.4 * m.AltoCuenta;
    const double altoCasilla = altoBoton / 2;
    const double marco = d.Marcos[0].Width;
    const double anchoLista = marco / 1.1;
    const double margen = (marco - anchoLista) / 2;
    constexpr double kTituloMarco = 240;
    d.Lista = {margen, kTituloMarco, anchoLista,
               d.Marcos[0].Height - m.AltoSeleccion - 4.6 * altoCasilla - kTituloMarco};
    d.Seleccion = {margen, d.Lista.Bottom() + altoCasilla / 4, anchoLista, m.AltoSeleccion};
    const double anchoFila = anchoLista / 1.8 / 3;
    const double hueco = (anchoLista - anchoLista / 1.8 - 2 * anchoFila) / 2;
    // The marker, a swatch of colour, needs no more than a square; the room
    // it leaves goes to the caption box, so that a channel's phase shows.
    const double anchoMarcador = std::min(anchoFila, altoCasilla);
    const double anchoCasilla = anchoLista - anchoMarcador - anchoFila - 2 * hueco;
    for (std::size_t k = 0; k < d.Casillas.size(); ++k) {
        const double top = d.Seleccion.Bottom() + static_cast<double>(k) * 1.3 * altoCasilla;
        d.Marcadores[k] = {margen, top, anchoMarcador, altoCasilla};
        d.Casillas[k] = {d.Marcadores[k].Right() + hueco, top, anchoCasilla, altoCasilla};
        d.Filas[k] = {d.Casillas[k].Right() + hueco, top, anchoFila, altoCasilla};
    }

    const double anchoBoton = marco / 1.8;
    const double topBotones = d.Marcos[0].Bottom() + altoBoton / 2;
    for (std::size_t j = 0; j < d.Botones.size(); ++j)
        d.Botones[j] = {static_cast<double>(j) * w / 3 + (w / 3 - anchoBoton) / 2, topBotones, anchoBoton,
                        altoBoton};
    return d;
}

} // namespace vesdra
