#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "record/canales.h" // EnteroCelda, and the channel-number rule
#include "templates/template_file.h"

namespace vesdra {

// Makes the loaded template the applied one: VersionPlantillaActiva,
// RutaPlantillaAplicada (from RutaPlantilla), the record's NombreEstacion (the template identifier from now
// on titles every view), NumCanalesTabla and TablaCanales, the three-phase sets and the digital groups and
// members. The tables are exact copies (size and cells); a count never exceeds the rows its table holds, so a
// view that loops to a count stays inside the table. Shows no message.
void AplicarPlantilla();

// The template dialog's Abrir without its window: the file RutaPlantilla
// names read (the loaded tables emptied first, the fit checked while a
// record is open) and, when it is neither a misfit, the old layout, damaged
// nor unreadable, applied. A refused template changes nothing: the loaded
// and the applied template, PlantillaAplicada and PlantillaNoEncaja are as
// they were, so the record keeps its own channels or the earlier template
// whole. The result says why it was refused.
[[nodiscard]] ResultadoPlantilla AplicarFicheroPlantilla();

// Analog channel number of phase 1..3 of applied three-phase set s; 0 when
// the cell holds no whole number.
[[nodiscard]] std::int32_t CanalTrifasico(std::int32_t set, std::int32_t phase);

// The fit-check condition of the template reader: not modifying in the
// wizard, a record open and a template being applied.
[[nodiscard]] bool ComprobarEncajeActivo();

// A channel number cell names one of count channels (1..count): a channel
// position in the record (see record/canales.h).
[[nodiscard]] bool CanalEnRango(QStringView cell, std::int32_t count);

// The loaded template fits the open record: no more analog rows than the
// record has analog channels, every analog row, three-phase channel and
// digital member naming a channel the record holds, and the groups' member
// counts staying inside the member table. Start-up applies a command-line
// template without the reader's fit check; it asks this first.
[[nodiscard]] bool PlantillaEncaja();

} // namespace vesdra
