#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/base/vb_error.h"

namespace vesdra {

// The relay-model databases: an index Modelos.mdb in the runtime tree's
// Models folder (table "Modelos": "Modelo", a Like pattern of model names,
// and "BaseDatos", the file of the model's own database in that folder),
// and per model a measurement table "ZENKMedidas oscilos <suffix>" ("$Id",
// "Nombre", "NombreIngles", "Unidades") and a status table "PEst <suffix>"
// ("ByteOscilo", -1 when the signal is not offered, and "Descripcion"),
// the suffix being "BaseDatos" less its 4-character extension. Nothing here
// writes to a database.

// One field's value as read: no value, a text or a number.
struct ValorCampo {
    enum class Clase { Nulo, Texto, Numero };
    Clase Tipo{Clase::Nulo};
    QString Texto; // the text; for a number, its text as the engine gives it
    double Numero{0};

    [[nodiscard]] static ValorCampo Nulo() { return {}; }
    [[nodiscard]] static ValorCampo DeTexto(QString t) { return {Clase::Texto, std::move(t), 0}; }
    [[nodiscard]] static ValorCampo DeNumero(double n);
};

// A whole table: its field names and its rows in stored order.
struct TablaModelo {
    QStringList Campos;
    std::vector<std::vector<ValorCampo>> Filas;

    // Index of a field, compared without regard to case; -1 when absent.
    [[nodiscard]] int Campo(QStringView nombre) const;
    // Field `campo` of row `fila` (0-based). A missing field throws VbError
    // 3265 (item not found in this collection).
    [[nodiscard]] const ValorCampo& Valor(std::size_t fila, QStringView campo) const;
};

// Reads tables out of database files. Failures throw VbError: 3044 when the
// folder of the file does not exist, 3024 when the file does not, 3343 when
// it is not a database the engine reads, 3078 when the table is missing.
class LectorBasesModelo
{
public:
    virtual ~LectorBasesModelo() = default;
    [[nodiscard]] virtual TablaModelo LeerTabla(const QString& ruta, const QString& tabla) = 0;
};

// The engine that reads .mdb files (libmdb).
[[nodiscard]] std::unique_ptr<LectorBasesModelo> CrearLectorMdb();

// The process's one engine, the .mdb reader unless replaced.
[[nodiscard]] LectorBasesModelo& MotorBasesModelo();
// Tests put another engine in its place; null brings the .mdb reader back.
void SetMotorBasesModelo(std::unique_ptr<LectorBasesModelo> motor);

// The models folder and the index database in it.
[[nodiscard]] QString CarpetaModelos();
[[nodiscard]] QString RutaIndiceModelos();

// How a reading went. A missing models folder (3044) is silent; any other
// failure is reported with text 245 (vbInformation).
struct ResultadoModelo {
    std::optional<VbError> Error; // empty on success

    [[nodiscard]] bool Correcto() const { return !Error; }
    [[nodiscard]] int Texto() const { return Error && Error->Number != vberr::InvalidDatabasePath ? 245 : 0; }
};

// The model names of the index, in table order; after a failure, the names
// read before it.
struct ListaModelos {
    QStringList Nombres;
    ResultadoModelo Resultado;
};
[[nodiscard]] ListaModelos ListarModelos();

// The database file of a model: "BaseDatos" of the first index row whose
// "Modelo", taken as a Like pattern, matches the name (case counts); ""
// when none does. Throws VbError when the index cannot be read.
[[nodiscard]] QString BaseDeModelo(const QString& modelo);

// Loads the model's measurement rows into the loaded template: on success
// AnalogicosPlantilla is made afresh with n = last "$Id" + 1 rows of 4
// columns (row number, "Nombre", "NombreIngles", "Unidades"; a field with
// no value as the empty text; rows beyond those read stay empty),
// Registro().NumAnalogicosOfrecidos = the rows read and ModeloCargado =
// True. A failure (no such model, a missing database or table, an empty
// table, a last "$Id" that is not a whole number, more rows than it
// announces) changes neither table nor count and sets ModeloCargado False.
[[nodiscard]] ResultadoModelo CargarMedidasModelo(const QString& modelo);

// Loads the model's offered status signals ("ByteOscilo" not -1) into
// EstadosModelo (1..n, table order) and returns n. A model with no row in
// the index gives 0 silently; a failure, including a model that offers no
// signal at all, gives 0 and leaves EstadosModelo as it was.
struct EstadosCargados {
    std::int32_t Numero{0};
    ResultadoModelo Resultado;
};
[[nodiscard]] EstadosCargados CargarEstadosModelo(const QString& modelo);

} // namespace vesdra
