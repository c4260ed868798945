#pragma once
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "record/array.h"
#include "record/matrix.h"
#include "templates/model_table.h"

namespace vesdra {

struct InicioEdicion;

// The channel-template subsystem's process-wide state (one instance,
// Plantillas()). A template exists twice: the loaded template, as read from
// a .cnf file or edited by the wizard, and the applied template that every
// view reads. The record's own analog table TablaCanales lives in the record
// model; applying a template replaces it.
//
// Tables are 1-based (row, column) matrices of text cells; an empty cell is
// the empty text. A count, not the size of its table, tells how many rows
// are valid: a table may hold more rows than its count (stale rows of an
// earlier template), never fewer once read or applied.
// Three-phase channel numbers read from a file are whole numbers, held as
// their decimal text ("3"); use CanalTrifasico() to read them as numbers.
struct TemplateState {
    // ---- Loaded template ----
    QString RutaPlantilla;          // full path of the chosen .cnf
    QString VersionPlantilla;       // line 1 as read ("ver 1.1" from the writer)
    QString IdentificadorPlantilla; // relay or template title
    std::int32_t NumAnalogicosPlantilla{0};
    // Row: 1 channel number in the record, 2 name, 3 second name (circuit or
    // English name), 4 units, 5 empty (the reader makes 5 columns, the
    // wizard and the .cfg reader 4).
    Matrix<QString> AnalogicosPlantilla;
    std::int32_t NumTrifasicosPlantilla{0};
    // Row: 1..3 analog channel numbers of phases 1..3, 4 set name, 5 drawing
    // factor (text of a number), 6 empty (the wizard makes 5 columns).
    Matrix<QString> TrifasicosPlantilla;
    std::int32_t NumMiembrosPlantilla{0}; // digital channels in all groups
    std::int32_t NumGruposPlantilla{0};
    // Row: 1 group name, 2 member count as the file's line holds it (" 3 ").
    Matrix<QString> GruposPlantilla;
    // The members of all groups in group order: 1 digital channel number
    // (text), 2 name. Group g's members follow those of groups 1..g-1.
    Matrix<QString> MiembrosPlantilla;

    // ---- The wizard's digital editing tables (written by its digital step,
    // read by the template writer) ----
    // Row per group: 1 name, 2 member count k, 3..21 member names by slot.
    Matrix<QString> GruposEdicion;
    // Same shape: 3..k+2 the members' 1-based digital channel numbers.
    Matrix<std::int32_t> CanalesEdicion;
    // The wizard's three-phase step as it last stored its four sets in this
    // pass (row s: 1..3 the record channels of phases 1..3, empty where
    // none, 4 name, 5 factor), sets beyond the count and phases naming rows
    // step 1 no longer has included: shown again when the step is entered
    // again, so a smaller count hides them without losing them. Empty
    // outside a pass and until the step first stores.
    Matrix<QString> ConjuntosEdicion;
    // Status signals offered by a relay-model database.
    Array<QString> EstadosModelo;
    // The relay-model index (its table "Modelos") as this wizard pass read
    // it from RutaIndiceLeido: the chooser's list and the look-up of a
    // model's measurements and status signals read it once per pass.
    // Empty until read without a fault, and outside a pass.
    std::optional<TablaModelo> IndiceModelos;
    QString RutaIndiceLeido;

    // ---- Applied template ----
    // Path of the template last applied ("" when none is): what ficher.ini
    // names, whatever file the dialog or the wizard has chosen since.
    QString RutaPlantillaAplicada;
    QString VersionPlantillaActiva;
    std::int32_t NumCanalesTabla{0}; // rows of the record's TablaCanales in force
    std::int32_t NumTrifasicos{0};
    Matrix<QString> TablaTrifasicos; // copy of TrifasicosPlantilla
    std::int32_t NumMiembrosDigitales{0};
    std::int32_t NumGruposDigitales{0};
    Matrix<QString> TablaGruposDigitales;   // copy of GruposPlantilla
    Matrix<QString> TablaMiembrosDigitales; // copy of MiembrosPlantilla

    // ---- Flags ----
    bool PlantillaAplicada{false};    // a template is applied to the open record
    bool PlantillaNoEncaja{false};    // the template last read does not fit the open record
    bool ModificandoPlantilla{false}; // the wizard edits a template read from a file (no fit check)
    bool PlantillaNueva{false};       // the wizard makes a new template
    bool AsistenteAbortado{false};    // the wizard was left from step 1 back to the dialog
    bool GruposEditados{false};       // the digital step has stored its slots at least once
    bool VueltaAtras{false};          // a later wizard step went back to an earlier one
    bool ModeloCargado{false};        // the analog rows came from a relay-model database (this pass)
    QString NombreRegistroGuardado;   // station name of the record when modification started

    // ---- The wizard pass under way ----
    // What EmpezarEdicionPlantilla found, put back when the pass ends; null
    // outside a pass. Shared by the copies a read keeps to undo itself.
    std::shared_ptr<const InicioEdicion> Edicion;
};

// The starting point of a wizard pass.
struct InicioEdicion {
    TemplateState Plantillas;
    std::int32_t AnalogicosOfrecidos{0};
    std::int32_t DigitalesOfrecidos{0};
};

// The one process-wide template state.
TemplateState& Plantillas();

// The template wizard is offered the open record's own station name and
// analog rows (IdentificadorPlantilla and AnalogicosPlantilla rows
// 1..NumAnalogicosOfrecidos, 4 columns). The open sequence calls it once a
// record read aside has taken the open one's place.
void OfrecerCanalesPlantilla();

// The relay-model index read during a wizard pass forgotten: the next
// look-up reads it anew.
void OlvidarIndiceModelos();

// A pass through the template wizard begins: the template dialog notes
// the starting point as modificar or nueva starts the wizard, before
// anything is read or set. Every pass starts from the open record and the
// template chosen, whichever way the one before ended: what a relay model
// left (ModeloCargado, EstadosModelo, the model index read) and the step
// memories of a pass (GruposEditados, VueltaAtras, ConjuntosEdicion) start
// cleared, and a pass still noted is ended first.
void EmpezarEdicionPlantilla();
// Whether a wizard pass is under way (a start noted, not yet ended).
[[nodiscard]] bool EdicionEnCurso();
// A wizard pass ends, however it ended (saved, cancelled, left from step 1
// back to the template dialog, a modificar refused, the program ending):
// the loaded template, the digital editing tables, the model's status
// signals, the wizard flags and the rows and signals on offer
// (NumAnalogicosOfrecidos, NumDigitalesOfrecidos) put back as
// EmpezarEdicionPlantilla found them, so that nothing a pass did changes
// what a later one offers. The applied template, its flags and
// RutaPlantilla stay as they are; a saved template is in its file. Nothing
// happens when no start is noted, or when another record was opened or the
// record closed since.
void TerminarEdicionPlantilla();

// What closing a record resets in this subsystem: the loaded and applied
// tables emptied, counts 0, VersionPlantilla and IdentificadorPlantilla
// "0", VersionPlantillaActiva "", every flag False, the editing tables and
// the model's status signals emptied, NombreRegistroGuardado "".
// RutaPlantilla is kept.
void CerrarPlantillas();

} // namespace vesdra
