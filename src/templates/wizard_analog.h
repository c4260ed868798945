#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "templates/wizard_common.h"

namespace vesdra {

// Step 1 of the template wizard (analog channels) without its form: what the
// identifier box, the count box and the grid hold, and the rules by which
// they are proposed, resized, checked and stored into the loaded template
// (Plantillas(): IdentificadorPlantilla, NumAnalogicosPlantilla,
// AnalogicosPlantilla). The form shows this state and forwards each change.
class PasoAnalogico
{
public:
    // Grid columns: 1 name, 2 second name (circuit or English name), 3 units;
    // grid row i is analog row i of the template. Each row stands for a
    // channel of the record (column 1 of the template's row), which the
    // row-number column shows and continue stores unchanged.
    static constexpr std::int32_t kColumnas = 3;
    // The most rows the grid takes.
    static constexpr std::int32_t kMaxFilas = kMaxFilasAnalogicas;
    using Fila = std::array<QString, kColumnas>;

    // The identifier box, the count box and the grid's data rows (MaxRows
    // of them; Filas[0] is grid row 1).
    QString Identificador;
    QString Cuenta;
    std::vector<Fila> Filas;
    // The record channel of each row (Canales[0] for grid row 1), as the
    // template's table holds it. A row the grid gains takes the channel of
    // the table's row of that number when the table gives one, else the
    // lowest channel no row stands for.
    std::vector<QString> Canales;

    // Loading: the proposal (the template being edited; nothing; or, for a
    // new template with a record open or a model loaded, the rows on offer
    // and the station or model name), the grid's rows 1..n taken from
    // AnalogicosPlantilla. Returns the warnings the proposed texts raise.
    std::vector<AvisoPaso> Cargar();

    // The count box now holds `texto`. A last character that is not a digit,
    // or a text that is not a count from 0 to kMaxFilas, gives text 178 and
    // leaves the grid and the tables as they were. Otherwise the grid gets
    // that many rows: the rows that remain keep what they hold; a row gained
    // that a smaller count hid comes back as it was (typed or not, with the
    // channel it stood for), even after continue stored the smaller count;
    // any other row gained is filled from the table's row of that number
    // (blank where the table has none); for a template from nothing the
    // table then follows the grid. Typing a count digit by digit, or
    // lowering it and raising it again in a pass, thus loses no row.
    std::optional<AvisoPaso> CambiarCuenta(const QString& texto);

    // The identifier box now holds `texto`: its warnings; Siguiente when it
    // ends in a line feed (the focus moves on to the count box).
    struct CambioIdentificador {
        std::vector<AvisoPaso> Avisos;
        bool Siguiente{false};
    };
    CambioIdentificador CambiarIdentificador(const QString& texto);

    // A grid cell typed (row 1.., column 1..3): its warnings. A cell outside
    // the rows changes nothing.
    std::vector<AvisoPaso> CambiarCelda(std::int32_t fila, std::int32_t columna, const QString& texto);
    // A cell's text; blank outside the grid's rows.
    [[nodiscard]] QString Celda(std::int32_t fila, std::int32_t columna) const;
    // The record channel row `fila` stands for; blank outside the rows.
    [[nodiscard]] QString Canal(std::int32_t fila) const;

    // Continue: stores the identifier (blanks trimmed) and the count, then
    // stays with text 244 for no rows, 275 & row for a row without either
    // name, 176/177/124 for a text the template cannot hold (the identifier
    // or any cell of rows 1..n), 175 for a count that is not a count;
    // otherwise AnalogicosPlantilla is made afresh (row i: its record
    // channel, the three cells trimmed) and the step is left.
    SalidaPaso Continuar();
    // Back: stores the identifier as typed, the count and, when the count is
    // not 0, the rows as continue does, with no check; a count that is not
    // a number is an error of the handler.
    SalidaPaso Volver();
    // Whether the boxes and the grid hold what loading proposed, nothing
    // typed since (a count retyped to the proposed one with no row typed
    // counts as untouched).
    [[nodiscard]] bool Intacto() const;

private:
    // A row a smaller count hid: what it held, the channel it stood for and
    // whether it was typed.
    struct FilaApartada {
        Fila Textos;
        QString Canal;
        bool Tecleada{false};
    };

    void Redimensionar(std::int32_t filas);
    void GuardarFilas(std::int32_t n) const;

    // Per grid row (tecleadas_[0] for row 1): typed since the step loaded.
    std::vector<bool> tecleadas_;
    // The rows beyond the count, by row number, until the count takes them
    // back or the step loads again.
    std::map<std::int32_t, FilaApartada> apartadas_;
    // The identifier and the count loading proposed.
    QString identificadorPropuesto_;
    QString cuentaPropuesta_;
};

} // namespace vesdra
