#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/base/rect_twips.h"
#include "templates/wizard_common.h"

namespace vesdra {

// Step 2 of the template wizard (three-phase sets) without its form: up to
// four sets over the template's analog rows, each with a name, a factor and
// three phase slots; stored into NumTrifasicosPlantilla and
// TrifasicosPlantilla of the loaded template. The form shows this state and
// forwards each change.
class PasoTrifasico
{
public:
    static constexpr std::int32_t kConjuntos = 4;
    static constexpr std::int32_t kFases = 3;

    struct Conjunto {
        QString Nombre;
        QString Factor;
        // Slot k: the row's caption and its row number (1-based, as text).
        SelectorCasillas Casillas{kFases};
        bool Activo{false};
    };

    // The count box, the four sets and the list of the template's analog
    // rows (the same in every set; position p is row p + 1).
    QString Cuenta;
    std::array<Conjunto, kConjuntos> Conjuntos{};
    QStringList Lista;

    // Set s, 1-based.
    [[nodiscard]] Conjunto& operator()(std::int32_t s)
    {
        return Conjuntos.at(static_cast<std::size_t>(s - 1));
    }
    [[nodiscard]] const Conjunto& operator()(std::int32_t s) const
    {
        return Conjuntos.at(static_cast<std::size_t>(s - 1));
    }

    // Loading: everything emptied, the list filled; the stored sets shown
    // (with their count) unless this is the first visit of a new template,
    // when the count is 0. Entered again in a pass, the step shows the four
    // sets as it last stored them (ConjuntosEdicion), those beyond the count
    // too. A phase naming a row step 1 no longer has shows as an empty slot
    // and is kept: stored again as it was until the slot is filled or
    // emptied, it comes back once step 1 has the row again. A template
    // without analog rows gives text 244. Returns the messages to show.
    std::vector<AvisoPaso> Cargar();

    // The count box now holds `texto`: sets 1..n active, the others not,
    // and the first slot's marker of each active set yellow; text 187 when
    // it is not a number, 87 when it is outside 0..4 (nothing changes but
    // the count stored).
    std::optional<AvisoPaso> CambiarCuenta(const QString& texto);

    // Double-click on list position `posicion` (0-based) of set s: fills the
    // set's current slot unless slots 1..current already show that caption;
    // false when nothing changed.
    bool Elegir(std::int32_t s, std::int32_t posicion);
    // The record channel the row in slot k of set s stands for (column 1 of
    // the template's row), as the slot's number box shows it; blank for an
    // empty slot.
    [[nodiscard]] QString Canal(std::int32_t s, std::int32_t k) const;
    // A click on slot k's marker or caption box; a double-click on the
    // caption box empties the slot first.
    void Seleccionar(std::int32_t s, std::int32_t k);
    void Vaciar(std::int32_t s, std::int32_t k);

    // A set's name or factor typed: their warnings (a factor that is not a
    // number gives 186; the text is kept).
    std::vector<AvisoPaso> CambiarNombre(std::int32_t s, const QString& texto);
    std::vector<AvisoPaso> CambiarFactor(std::int32_t s, const QString& texto);

    // Continue and back: the sets 1..count stored as TrifasicosPlantilla
    // (phase k = column 1 of the analog row in slot k, then name, factor),
    // and all four sets as ConjuntosEdicion; nothing is stored while a name
    // or factor holds what the template cannot hold, or the count is
    // outside 0..4 (87). Continue also refuses while a slot of a set up to
    // the count is empty (the set's frame caption & " : " & 273); back
    // never does, since the row it wants may be one only step 1 can give
    // back, and stores the phase as kept (or blank). A count of 0 leaves
    // the table. Back also sets VueltaAtras. Back thus keeps everything the
    // step shows.
    SalidaPaso Continuar() { return Guardar(false); }
    SalidaPaso Volver() { return Guardar(true); }

private:
    SalidaPaso Guardar(bool volver);
    // The record channel phase k of set s stores: the slot's, or the one
    // kept for it.
    [[nodiscard]] QString CanalGuardado(std::int32_t s, std::int32_t k) const;
    [[nodiscard]] QString& Oculto(std::int32_t s, std::int32_t k)
    {
        return ocultos_.at(static_cast<std::size_t>(s - 1)).at(static_cast<std::size_t>(k - 1));
    }

    // Per set and phase, the record channel of a phase whose row step 1 no
    // longer has (empty for none).
    std::array<std::array<QString, kFases>, kConjuntos> ocultos_{};
};

// The step's layout, from the screen's size and the sizes of the controls
// whose size the form does not set, all in twips. Rectangles are inside the
// form; those of a set's list, slots and caption label are inside its frame.
struct MedidasTrifasico {
    double AnchoPantalla{0}, AltoPantalla{0};
    double AnchoLabel1{0}, AltoLabel1{0};
    double AnchoLabel2{0}, AltoLabel2{0};
    double AnchoLabel3{0}, AltoLabel3{0};
    double AnchoCuenta{0}, AltoCuenta{0}; // the count box
    double AltoNombre{0};                 // name and factor boxes
    double AltoSeleccion{0};              // a set's caption label
};

struct DisposicionTrifasico {
    RectTwips Form;
    RectTwips Label1, Cuenta, Label2, Label3;
    std::array<RectTwips, PasoTrifasico::kConjuntos> Nombres{}, Factores{}, Marcos{};
    // Inside every frame alike.
    RectTwips Lista, Seleccion;
    std::array<RectTwips, PasoTrifasico::kFases> Marcadores{}, Casillas{}, Filas{};
    std::array<RectTwips, 3> Botones{}; // continue, back, cancel
};

[[nodiscard]] DisposicionTrifasico ColocarControles(const MedidasTrifasico& m);

} // namespace vesdra
