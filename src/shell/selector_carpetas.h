#pragma once
#include <exception>
#include <functional>

class QString;
class QWidget;

namespace vesdra {

class DirListBox;
class DriveListBox;

// A picker set on a folder: the folder's drive chosen first without the
// drive list's change (which would list the drive's root), then the folder
// listed, with the folder list's own change. Throws VbError as the lists do
// (68 a drive not ready, 76 a missing folder).
void PonerSelector(DriveListBox& unidad, DirListBox& carpeta, const QString& ruta);

// A drive list's change, as every folder picker of the shell's dialogs
// handles it: the folder list moves to the drive chosen. A drive that is not
// ready (error 68) gives text 149 (critical) with the form's pointer back to
// the default, and the form stays; any other failure is handed to `fallo`
// (the error box, and in most dialogs the dialog unloaded). Returns whether
// the folder list moved.
bool CambiarUnidad(QWidget& form, const DriveListBox& unidad, DirListBox& carpeta,
                   const std::function<void(std::exception_ptr)>& fallo);

} // namespace vesdra
