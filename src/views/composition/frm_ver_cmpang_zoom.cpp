// The rubber-band zoom of the composition window and its history buttons.
#include <algorithm>

#include "platform/line_control.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/picture_box.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "views/composition/frm_ver_cmpang.h"

namespace vesdra {

void frmVerCmpang::cmdzoom_Click()
{
    // A full history is said before the user draws a rectangle for nothing.
    if (historial_.Lleno()) {
        zoomPendiente_ = false;
        SetMousePointer(Picture1, vbDefault);
        (void)MsgBox(TextosIdioma(TextoHistorialLleno), composicion::EstiloInformacion);
        return;
    }
    SetMousePointer(Picture1, vbCustom);
    arrastrando_ = false;
    zoomPendiente_ = true;
}

void frmVerCmpang::Picture1_MouseDown(int /*button*/, int /*shift*/, double x, double y)
{
    zoomX1_ = std::clamp(x, 0.0, static_cast<double>(Picture1->Width()));
    zoomY1_ = std::clamp(y, 0.0, static_cast<double>(Picture1->Height()));
    // Any mouse button starts a rectangle once the zoom is armed.
    if (MousePointer(Picture1) != vbCustom)
        return;
    for (std::size_t i = 2; i <= 5; ++i)
        LineasZoom[i]->SetVisible(true);
    LineasZoom[2]->SetPoints(x, y, x, y);
    LineasZoom[3]->SetPoints(x, y, x, y);
    arrastrando_ = true;
}

void frmVerCmpang::Picture1_MouseMove(int /*button*/, int /*shift*/, double x, double y)
{
    if (!arrastrando_)
        return;
    LineControl* arriba = LineasZoom[2];
    LineControl* izquierda = LineasZoom[3];
    arriba->SetPoints(arriba->X1(), arriba->Y1(), x, arriba->Y1());
    izquierda->SetPoints(izquierda->X1(), izquierda->Y1(), izquierda->X1(), y);
    LineasZoom[4]->SetPoints(zoomX1_, y, x, y);
    LineasZoom[5]->SetPoints(x, zoomY1_, x, y);
}

void frmVerCmpang::Picture1_MouseUp(int /*button*/, int /*shift*/, double x, double y)
{
    zoomX2_ = std::clamp(x, 0.0, static_cast<double>(Picture1->Width()));
    zoomY2_ = std::clamp(y, 0.0, static_cast<double>(Picture1->Height()));
    if (!arrastrando_)
        return;
    arrastrando_ = false;
    const bool confirmado = MsgBox(TextosIdioma(85), vbOKCancel) == vbOK;
    SetMousePointer(this, vbArrow);
    OcultarRectangulo();
    if (confirmado)
        RedibujarZoom();
    // A new rectangle needs the zoom button again; after Cancel the zoom
    // stays pending for it.
    SetMousePointer(Picture1, vbDefault);
}

void frmVerCmpang::RedibujarZoom()
{
    if (!zoomPendiente_)
        return;
    const std::int32_t nS = Registro().Valores.Rows();
    const composicion::ResultadoZoom r = historial_.ZoomNuevo(vista_, {zoomX1_, zoomY1_, zoomX2_, zoomY2_},
                                                              Picture1->Width(), Picture1->Height(), nS);
    if (r.Rechazado()) {
        SetMousePointer(this, vbDefault);
        MsgBox(TextosIdioma(r.Texto), r.Estilo);
        return;
    }
    zoomPendiente_ = false;
    MostrarVista(*r.Vista);
}

void frmVerCmpang::Desarmar()
{
    zoomPendiente_ = false;
    arrastrando_ = false;
    SetMousePointer(Picture1, vbDefault);
    OcultarRectangulo();
}

void frmVerCmpang::OcultarRectangulo()
{
    for (std::size_t i = 2; i <= 5; ++i)
        LineasZoom[i]->SetVisible(false);
}

void frmVerCmpang::cmdadel_Click()
{
    Desarmar();
    PasoHistorial(historial_.Adelante(Registro().Valores.Rows()));
}

void frmVerCmpang::cmdatras_Click()
{
    Desarmar();
    PasoHistorial(historial_.Atras(Registro().Valores.Rows()));
}

void frmVerCmpang::PasoHistorial(const composicion::ResultadoZoom& r)
{
    if (r.Rechazado()) {
        SetMousePointer(this, vbDefault);
        MsgBox(TextosIdioma(r.Texto), r.Estilo);
        return;
    }
    MousePointerGuard reloj(this, vbHourglass);
    MostrarVista(*r.Vista);
}

} // namespace vesdra
