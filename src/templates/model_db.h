#pragma once
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/base/vb_error.h"
#include "templates/model_table.h"
#include "templates/wizard_common.h"

namespace vesdra {

// The relay-model databases: an index Modelos.mdb in the runtime tree's
// Models folder (table "Modelos": "Modelo", a Like pattern of model names,
// and "BaseDatos", the file of the model's own database in that folder),
// and per model a measurement table "ZENKMedidas oscilos <suffix>" ("$Id",
// "Nombre", "NombreIngles", "Unidades") and a status table "PEst <suffix>"
// ("ByteOscilo", -1 when the signal is not offered, and "Descripcion"),
// the suffix being "BaseDatos" less its 4-character extension. Nothing here
// writes to a database.

// Reads tables out of database files. Failures throw VbError naming the
// database file in Path: 3044 when the folder of the file does not exist
// (Path the folder), 3024 when the file does not, 3343 when it is not a
// database the engine reads, 3078 when the table is missing,
// kErrorBaseDanada when reading it crashed, hung or answered nonsense;
// kErrorSinLectorModelos, Path the program looked for, when the engine's
// own reader is not there or cannot be run.
class LectorBasesModelo
{
public:
    virtual ~LectorBasesModelo() = default;
    [[nodiscard]] virtual TablaModelo LeerTabla(const QString& ruta, const QString& tabla) = 0;
};

// The model reader, a program of its own beside the executable
// (ExeFolder()), reads each table with libmdb: a database that crashes or
// hangs libmdb ends or stalls that reader, never this program.
inline constexpr char kLectorModelos[] = "vesdra_mdb_reader";
[[nodiscard]] QString RutaLectorModelos();
// A database whose reading crashed, hung, ended badly or answered nonsense.
inline constexpr int kErrorBaseDanada = 3049; // "Cannot open database; it may be damaged"
// The model reader itself missing, or a file there that does not run.
inline constexpr int kErrorSinLectorModelos = vberr::FileNotFound;
// How long one table may take before its reader is ended.
inline constexpr std::chrono::milliseconds kLimiteLectorModelos{10000};

// The engine that reads .mdb files: the model reader run for each table,
// ended when it takes longer than `limite`. While it waits for the reader,
// the program's windows are painted and its timers run (the user's input
// waits until the table is read).
[[nodiscard]] std::unique_ptr<LectorBasesModelo>
CrearLectorMdb(std::chrono::milliseconds limite = kLimiteLectorModelos);

// The process's one engine, the .mdb reader unless replaced.
[[nodiscard]] LectorBasesModelo& MotorBasesModelo();
// Tests put another engine in its place; null brings the .mdb reader back.
void SetMotorBasesModelo(std::unique_ptr<LectorBasesModelo> motor);

// The models folder and the index database in it.
[[nodiscard]] QString CarpetaModelos();
[[nodiscard]] QString RutaIndiceModelos();

// How a reading went. A missing models folder (3044) is silent; a model
// reader that is not there or does not run is reported with text
// kTextoSinLectorModelos followed by where it was looked for; any other
// failure with text 245 followed by the database file that could not be
// read (both vbInformation).
struct ResultadoModelo {
    std::optional<VbError> Error; // empty on success; Path the database file (or the reader)

    [[nodiscard]] bool Correcto() const { return !Error; }
    [[nodiscard]] int Texto() const;
    // The message to show, when there is one.
    [[nodiscard]] std::optional<AvisoPaso> Aviso() const;
};

// The model names of the index, in table order; after a failure, the names
// read before it. During a wizard pass (EdicionEnCurso) the index is read
// once: the model look-ups below take the table this read or the first of
// them read.
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
