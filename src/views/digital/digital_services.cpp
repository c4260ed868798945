#include "views/digital/digital_services.h"

#include <QWidget>

#include "platform/mdi_forms.h"
#include "shell/shell_hooks.h"
#include "views/digital/digital_selection.h"
#include "views/digital/frm19.h"
#include "views/digital/frm_elecdig.h"
#include "views/digital/frm_grid.h"

namespace vesdra {

namespace {

// Centres a dialog in the area that holds it (the MDI area, or the screen
// for a top-level window).
void Centrar(QWidget& form)
{
    QWidget* marco = MarcoFormulario(form);
    const QWidget* area = marco->parentWidget();
    if (!area)
        return;
    marco->move((area->width() - marco->width()) / 2, (area->height() - marco->height()) / 2);
}

} // namespace

void AbrirElecdig()
{
    DescargarElecdig();
    frmElecdig& d = Elecdig();
    Hooks().MostrarVentana(&d);
    Centrar(d);
}

void AbrirComposicionDigital()
{
    AbrirGrid();
}

void CerrarComposicionDigital()
{
    DescargarGrid();
}

void CerrarVistaDigital()
{
    DescargarFrm19();
}

void LadoCambiadoDigital()
{
    if (frm19* v = Frm19())
        v->LadoCambiado();
}

void CerrarRegistroDigital()
{
    CerrarSeleccionDigital();
}

void DescargarFormasDigitales()
{
    DescargarElecdig();
    DescargarGrid();
    DescargarFrm19();
}

} // namespace vesdra
