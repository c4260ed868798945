#pragma once
#include <QString>

namespace vesdra {

class MDIForm1;

// Development aid: once the main window has started, opens one kind of view
// on the open record as a user would (through the menu commands and the
// views' own dialogs), moves a cursor, makes one zoom and saves the main
// window as a picture; then the program ends (exit code 1 when the picture
// could not be written).
//
// vista: "" or "inicio" (the window as started), "ondas" (three waveform
// windows), "ondas8" (eight waveform windows, cursors on each channel's
// peak and on the last sample; "-0" is then the tile before the moves), "todo" (the stacked view), "fasores" (phasor and sequence views
// side by side), "composicion" (two composition windows), "digital" (the
// digital view of the second group). Besides `archivo`, the view as opened,
// before the cursor move and the zoom, goes to `archivo` with "-0" before
// its extension. Every message box is answered OK and written to stderr.
void ProgramarCaptura(MDIForm1& principal, const QString& vista, const QString& archivo);

} // namespace vesdra
