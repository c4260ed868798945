#pragma once
#include <QString>

namespace vesdra {

class MDIForm1;

// Answers every message box OK and writes it to stderr, from the start-up
// sequence on (a record refused at start-up shows its box before the
// capture is programmed).
void ResponderCajasCaptura();

// Development aid: once the main window has started, opens one kind of view
// on the open record as a user would (through the menu commands and the
// views' own dialogs), moves a cursor, makes one zoom and saves the main
// window as a picture; then the program ends. Its exit code is 1 when a step
// asked for did not happen (a dialog or a view that did not open, a page not
// printed, a picture not written, a view of no such name), each said on
// stderr as "captura: no ..."; 0 otherwise.
//
// vista: "" or "inicio" (the window as started), "abrir" (File > Open on the
// same record through the real file dialog; "-0" is then the whole screen
// halfway through the read), "ondas" (three waveform
// windows), "ondas8" (eight waveform windows, cursors on each channel's
// peak and on the last sample; "-0" is then the tile before the moves),
// "todo" (the stacked view), "fasores" (phasor and sequence views
// side by side), "fasores-zoom" (the same zoomed in 50 steps), "dialogos"
// (the phasor setup dialog with its reference choice, then the composition
// dialog once the secondary side was chosen), "composicion" (two
// composition windows), "digital" (the digital view of the second group), "grid" (the digital composition
// dialog with members of its first three groups marked, then the digital
// view its OK opens), "asistente" (the template wizard from "nueva" with a
// sample model chosen in step 1, two three-phase sets in step 2, three
// digital groups in step 3 and, in step 4, the template saved beside the
// record as asistente.cnf; each step is also saved, with "-1" to "-4"
// before the extension, and the model chooser with "-0"; the picture itself
// is the template dialog the save brings back), "conversion" (the choice offered for the BINARY record
// opened through File > Open, then the conversion dialog with a name typed),
// "informe" (the header report), "herramientas" (the add-tool dialog, then a
// name typed and a program chosen), "directorios" (the default folders
// dialog, then the applications folder moved up one level; nothing is
// written). Besides `archivo`, the view as opened,
// before the cursor move and the zoom, goes to `archivo` with "-0" before
// its extension. Every message box is answered OK and written to stderr.
// An empty `archivo` saves no picture.
//
// With `pdf`, the view is also printed through its print button, the
// printer dialog answered with "print to file" to a PDF and one copy: the
// page of the whole record to `pdf` with "-0" before its extension (for
// "ondas" the window whose cursors moved, for "todo" the view as opened)
// and the page of the zoomed view to `pdf` itself. Views without a printout
// print nothing.
void ProgramarCaptura(MDIForm1& principal, const QString& vista, const QString& archivo,
                      const QString& pdf = {});

} // namespace vesdra
