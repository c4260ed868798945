#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "shell/impresion.h"
#include "views/digital/digital_selection.h"
#include "views/digital/digital_zoom.h"

namespace vesdra {

class Printer;

// The printed page of the digital view: plain code over the record model
// and what the view hands over, drawn on any printer object.

// What the page reads of its view.
struct DatosPaginaDigital {
    std::int32_t FilaAnalogica{0};       // row of TablaCanales (AnalogicoElegido)
    std::vector<FilaDigitalVista> Filas; // the digital rows, top to bottom
    digital::NivelDigital Nivel{};       // the level shown
    double AltoPicture{0.0};             // the picture's height now, twips
    std::int32_t Cursor1{1};             // the cursors' samples
    std::int32_t Cursor2{1};
    QString TextoTiempo;         // the time read-out as the view shows it
    bool Grupo{false};           // a group's members (not a composition)
    std::int32_t ModoDigital{0}; // 1 group, 2 composition: the title
    QString GrupoElegido;        // the group's name
    QStringList Grupos;          // the template's group names, which it is told from
};

// One digital page: frames, the title by mode and "Fichero origen : "
// with the record's path, both cursors, the analog zero line and one base
// line per row, the analog channel's name and trace in its band with its
// extremes (each marked once), the rows' names and step boxes (merged per
// device column where samples are denser than the printer's dots), the
// group block in group mode (moved up where the rows' names or the
// channel's take its place), on the whole record the time scale kept
// inside the box, the read-outs (their captions and numbers whole, in one
// size), "  ms" and the date. Names end left of the box, giving way by the
// name rule against the names beside them (the rows' against each other,
// the analog channel's against the record's others, the group's against
// the template's groups), on two lines where the rows' pitch has room.
// A level of a single sample, a picture of no height or a record changed
// under the view throw the run-time error the frame reports; a sampling
// rate with no whole sample per 50 ms prints without the time scale.
void PaginaDigital(Printer& p, const DatosPaginaDigital& d, const MedidaTexto& medida);

} // namespace vesdra
