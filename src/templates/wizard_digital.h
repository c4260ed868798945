#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "templates/wizard_common.h"

namespace vesdra {

// Step 3 of the template wizard (digital groups) without its form: the
// offered signals, the group list, the group-count label, the name box and
// the 19 member slots of the current group, and the rules by which groups
// are added, renamed, switched, deleted and stored into the editing tables
// GruposEdicion and CanalesEdicion (row per group: 1 name, 2 member count,
// 3..21 the members by slot), with NumGruposPlantilla and
// NumMiembrosPlantilla. The form shows this state and forwards each change;
// every change returns the messages to show, in order.
class PasoDigital
{
public:
    static constexpr std::int32_t kCasillas = 19;
    static constexpr std::int32_t kMaxGrupos = 16;
    // Columns of the editing tables.
    static constexpr std::int32_t kColumnas = kCasillas + 2;

    // The offered signals: a member's channel number is its position here
    // (1-based) when it was picked.
    QStringList Lista;
    // The group list and its selected entry (0-based, -1 for none).
    QStringList Grupos;
    std::int32_t Seleccion{-1};
    // The group-count label and the name box.
    QString Cuenta;
    QString Nombre;
    // Slot i: the member's name and its channel number (as text).
    SelectorCasillas Casillas{kCasillas};
    // The group (1-based row of the editing tables) the slots belong to.
    std::int32_t GrupoActual{1};

    // Loading: the offered signals (the model's status signals, or the open
    // record's digital channel names, or none), then the groups: none for a
    // new template; the loaded template's groups when modifying; the groups
    // as this step last stored them when it is entered again in the same
    // pass through the wizard. Group 1 is shown.
    std::vector<AvisoPaso> Cargar();

    // A double-click on offered signal `posicion` (0-based): fills the
    // current slot and moves on, unless one of the slots before the current
    // one holds the same name and number; text 249 while there is no group.
    std::vector<AvisoPaso> Elegir(std::int32_t posicion);
    // A click on slot i; a double-click on it empties it first.
    void Seleccionar(std::int32_t i) { Casillas.Seleccionar(i); }
    void Vaciar(std::int32_t i) { Casillas.Vaciar(i); }

    // The name box typed: text 182 when it is empty, and the warnings of a
    // text the template cannot hold.
    std::vector<AvisoPaso> CambiarNombre(const QString& texto);
    // A slot's name typed: the warnings of a text the template cannot hold.
    std::vector<AvisoPaso> CambiarNombreCasilla(std::int32_t i, const QString& texto);
    // A slot's number typed: taken when it is empty or a channel number
    // (digits, at most 32767); anything else is refused with text 175 and
    // the slot keeps its number. Returns whether it was taken.
    bool CambiarNumeroCasilla(std::int32_t i, const QString& texto, std::vector<AvisoPaso>& avisos);

    // A click on group entry `indice` (0-based): the slots are stored into
    // the group being left, then the clicked group is shown. A name typed
    // over the current group's renames it in the list and in the tables
    // alike, and the selection stays on it; a name already in the list is
    // refused (kTextoGrupoRepetido) and the group keeps its name.
    std::vector<AvisoPaso> ElegirGrupo(std::int32_t indice);
    // Adds the group named in the name box (text 150 beyond 16 groups; an
    // empty name adds nothing; one equal to an entry (case counts) is refused with
    // kTextoGrupoRepetido, nothing changes and the box shows the current
    // group's name again): the current group is stored first, the new one
    // becomes current with empty slots.
    std::vector<AvisoPaso> Anadir();
    // Deletes the selected group (the form has asked first): later groups
    // move one row down and group 1 is shown; deleting the last group leaves
    // the slots and the name box empty.
    std::vector<AvisoPaso> Eliminar();

    // Continue: the current group stored (a rename taken as a switch takes
    // it), the member total counted; stays (Salida.Aviso) on a rename
    // refused, a group without members (179 & g & 180) or a name the
    // template cannot hold.
    struct Salida {
        std::vector<AvisoPaso> Avisos; // shown first, whatever the outcome
        SalidaPaso Paso;
    };
    Salida Continuar();
    // Back: stored as continue does, with no check; sets VueltaAtras, and a
    // group count of 0 when no group has members.
    Salida Volver();
    // Whether back keeps everything the step shows. It does not while there
    // is no group and the name box or a slot holds something; while no
    // group would have a member (the group count then becomes 0); while a
    // slot holds a name without a channel number or a number without a
    // name (the member is left out); or while the name box holds a name of
    // another group (the rename is refused and the box gets the group's
    // name back).
    [[nodiscard]] bool VueltaSinPerdida() const;

private:
    // Row g of the editing tables into the name box and the slots.
    void MostrarGrupo(std::int32_t g, std::vector<AvisoPaso>& avisos);
    void LimpiarCasillas();
    // Packs the slots that are not empty to the front, in order; every
    // marker white.
    void CompactarCasillas();
    // A name typed over the current group's, taken: renamed in the list and
    // the tables; an empty one gives the box the stored name back; one
    // already in the list is refused (message, the box gets the stored name
    // back) and false returned.
    bool ConfirmarNombre(std::vector<AvisoPaso>& avisos);
    // Whether the name box holds the name of a group of the list
    // other than group `salvo` (1-based; 0 for none): if so it is refused
    // (kTextoGrupoRepetido) and the box gets the current group's name back.
    bool NombreRepetido(std::int32_t salvo, std::vector<AvisoPaso>& avisos);
    // The test alone: nothing said, the box as it is.
    [[nodiscard]] bool NombreDeOtroGrupo(std::int32_t salvo) const;
    // The name box gets the current group's stored name back.
    void DevolverNombre(std::vector<AvisoPaso>& avisos);
    // The slots into row g (and the name box unless `conNombre` is false).
    void GuardarGrupo(std::int32_t g, bool conNombre, std::vector<AvisoPaso>& avisos);
    // The group-count label and NumGruposPlantilla, the tables sized to it.
    void PonerCuenta(std::int32_t n, std::vector<AvisoPaso>& avisos);
    void PonerNombre(const QString& texto, std::vector<AvisoPaso>& avisos);
    void ListarGrupos();
    [[nodiscard]] std::int32_t NumeroGrupos() const;
    // Continue and back alike; `comprobar` for continue.
    Salida Guardar(bool comprobar);
};

} // namespace vesdra
