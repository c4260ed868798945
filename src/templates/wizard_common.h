#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/base/vb_error.h"
#include "platform/messages.h"

namespace vesdra {

// What the steps of the template wizard share, without their forms.

// The most analog rows a template takes in the wizard (the grid's rows, a
// relay model's measurements).
inline constexpr std::int32_t kMaxFilasAnalogicas = 1 << 20;

// A message a step shows: text `Texto` of the language table, after text
// `Previo` and " : " when Previo is not 0, followed by `Cola` and then by
// text `Despues` when that is not 0.
struct AvisoPaso {
    AvisoPaso() = default;
    AvisoPaso(int texto, int estilo = vbCritical, QString cola = {}, int previo = 0, int despues = 0)
        : Texto{texto}, Estilo{estilo}, Cola{std::move(cola)}, Previo{previo}, Despues{despues}
    {
    }

    int Texto{0};
    int Estilo{vbCritical};
    QString Cola;
    int Previo{0};
    int Despues{0};

    // The prompt, with `textos` giving the language table's texts.
    [[nodiscard]] QString Componer(const std::function<QString(int)>& textos) const;
    bool operator==(const AvisoPaso&) const = default;
};

// The warnings a text the template will store gets, one per text of
// TextosNoGuardables (176 "%", 177 "$", 124 CR or LF, 200 followed by the
// first character Windows-1252 cannot hold), critical. The text is never
// altered.
[[nodiscard]] std::vector<AvisoPaso> AvisosTextoPlantilla(QStringView texto);

// Trim as the steps use it: leading and trailing blanks (spaces only).
[[nodiscard]] QString QuitarBlancos(const QString& texto);

// How a press of continue or back ended: the step is left (Sale), or it
// stays with a message, or the handler failed (its general error path).
struct SalidaPaso {
    bool Sale{false};
    std::optional<AvisoPaso> Aviso;
    std::optional<VbError> Error;

    [[nodiscard]] static SalidaPaso Saliendo() { return {true, std::nullopt, std::nullopt}; }
    [[nodiscard]] static SalidaPaso Quedando(AvisoPaso a) { return {false, std::move(a), std::nullopt}; }
    [[nodiscard]] static SalidaPaso Fallando(VbError e) { return {false, std::nullopt, std::move(e)}; }
};

// Marker colours of a slot (palette numbers): the current slot, the others.
inline constexpr std::int32_t kMarcadorActual = 14;
inline constexpr std::int32_t kMarcadorLibre = 15;

// Numbered slots of a picker (wizard steps 2 and 3): each slot a caption and
// the number (as text) of what it holds; an empty slot has both empty. One
// slot is current (marker 14, the others 15); picking fills the current
// slot and moves on, staying at the last.
class SelectorCasillas
{
public:
    struct Casilla {
        QString Nombre;
        QString Numero;
        bool operator==(const Casilla&) const = default;
    };

    // Which slots a pick is compared with before it is taken.
    enum class Repetidos {
        NombreHastaActual,       // the same caption in slots 1..current
        NombreYNumeroAnteriores, // the same caption and number in slots 1..current-1
    };

    explicit SelectorCasillas(std::int32_t casillas);

    [[nodiscard]] std::int32_t Numero() const { return static_cast<std::int32_t>(casillas_.size()); }
    [[nodiscard]] std::int32_t Actual() const { return actual_; }
    // Slot i, 1-based.
    [[nodiscard]] const Casilla& operator()(std::int32_t i) const { return casillas_.at(Indice(i)); }
    [[nodiscard]] Casilla& operator()(std::int32_t i) { return casillas_.at(Indice(i)); }
    [[nodiscard]] std::int32_t Marcador(std::int32_t i) const { return marcadores_.at(Indice(i)); }
    void PintarMarcador(std::int32_t i, std::int32_t color) { marcadores_.at(Indice(i)) = color; }

    // Makes slot i current (the old marker white, the new one yellow); an i
    // outside the slots changes nothing.
    void Seleccionar(std::int32_t i);
    // Empties slot i and makes it current.
    void Vaciar(std::int32_t i);
    // Puts a caption and its number into the current slot unless the rule
    // finds it already there; then the next slot becomes current. Returns
    // whether the slot took it.
    bool Colocar(const QString& nombre, const QString& numero, Repetidos regla);

private:
    [[nodiscard]] std::size_t Indice(std::int32_t i) const { return static_cast<std::size_t>(i - 1); }

    std::vector<Casilla> casillas_;
    std::vector<std::int32_t> marcadores_;
    std::int32_t actual_{1};
};

} // namespace vesdra
