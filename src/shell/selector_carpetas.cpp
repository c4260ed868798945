#include "shell/selector_carpetas.h"

#include <QSignalBlocker>

#include "platform/base/vb_error.h"
#include "platform/file_lists.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "shell/language.h"

namespace vesdra {

void PonerSelector(DriveListBox& unidad, DirListBox& carpeta, const QString& ruta)
{
    {
        const QSignalBlocker bloqueo(unidad);
        unidad.SetDrive(ruta);
    }
    carpeta.SetPath(ruta);
}

bool CambiarUnidad(QWidget& form, const DriveListBox& unidad, DirListBox& carpeta,
                   const std::function<void(std::exception_ptr)>& fallo)
{
    try {
        carpeta.SetPath(unidad.Drive());
        return true;
    } catch (const VbError& e) {
        if (e.Number != vberr::DeviceUnavailable) {
            fallo(std::current_exception());
            return false;
        }
        SetMousePointer(&form, vbDefault);
        (void)MsgBox(TextosIdioma(149), vbCritical);
    } catch (...) {
        fallo(std::current_exception());
    }
    return false;
}

} // namespace vesdra
