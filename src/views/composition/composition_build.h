#pragma once

namespace vesdra {

class frmNewCompanalog;

// The dialog's OK: turns its eighteen slots into up to three compositions,
// creates one window per composition that holds channels, tiles them over
// the usable screen as full-width rows, lays each out, draws it and shows
// them, behind the progress window; then unloads the dialog.
//
// No composition in use: message 82, the dialog stays open. Any failure on
// the way: the progress window is closed, the windows made so far are
// destroyed, the counts and flags reset, the menu form brought back, the
// error box shown and the dialog unloaded.
void ConstruirComposiciones(frmNewCompanalog& dialogo);

} // namespace vesdra
