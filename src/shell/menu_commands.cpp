#include "shell/menu_commands.h"

#include <QWidget>
#include <cmath>
#include <new>

#include "platform/base/profile.h"
#include "platform/base/vb_error.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/process.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/frm_abrir_comtrade.h"
#include "shell/frm_menu.h"
#include "shell/language.h"
#include "shell/mdi_form.h"
#include "shell/open_hooks.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"
#include "shell/view_services.h"
#include "templates/template_file.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

const QLatin1String VersionAntigua{"ver 1.0"};

bool EsVersionAntigua()
{
    return LeerVersionPlantilla() == VersionAntigua;
}

// A template was applied but does not fit the open record.
bool PlantillaNoAdecuada()
{
    const TemplateState& p = Plantillas();
    return Registro().RegistroAbierto && p.PlantillaAplicada && p.PlantillaNoEncaja;
}

void Aviso(int texto, int estilo = vbCritical)
{
    (void)MsgBox(TextosIdioma(texto), estilo);
}

// The view commands that need a record (see the header).
bool HayRegistro()
{
    if (Registro().RegistroAbierto)
        return true;
    Aviso(91);
    return false;
}

// Every view counts its cursors' steps in cycles of the line frequency: a
// record without a valid one is refused with a message, not a division by
// zero inside the view.
bool HayFrecuenciaLinea()
{
    if (Registro().FrecuenciaLinea > 0)
        return true;
    Aviso(102, vbInformation);
    return false;
}

// Every view turns samples into times by the sampling rate: a record
// without one is refused with a message, not a division by zero inside the
// view; the phasor command in the same words.
bool HayFrecuenciaMuestreo()
{
    if (FrecuenciaMuestreo() > 0)
        return true;
    Aviso(116, vbInformation);
    return false;
}

// A record open, with a line frequency the views can count cycles in and a
// sampling rate they can turn samples into times by.
bool HayRegistroParaVistas()
{
    return HayRegistro() && HayFrecuenciaLinea() && HayFrecuenciaMuestreo();
}

} // namespace

void MostrarErrorManejador(QWidget* form, std::exception_ptr e)
{
    const VbError error = ComoVbError(e);
    if (form)
        SetMousePointer(form, vbDefault);
    SetMousePointer(vbDefault);
    ShowErrorBox(error);
}

// ---- File menu ----

void ComandoAbrirComtrade()
{
    (void)CargarAbrirComtrade();
}

void CerrarComtrade()
{
    // Record model and the conversion's name and flag.
    CerrarRegistro();
    // Loaded and applied template, wizard flags; RutaPlantilla stays so the
    // version test still reads the last template.
    CerrarPlantillas();
    DeshabilitarFasoresInforme();
    Shell().CancelarImpresion = false;
    AperturaHooks().RegistroQuitado();
    ReiniciarSeleccionesVistas();
    // Nothing is left for a conversion window to convert, nor for a view's
    // choice dialog to choose from.
    DescargarDialogosVistas();
    // The external tools must not go on reading the closed record.
    (void)EscribirFicher();
}

void ComandoConversor()
{
    Atrapar(nullptr, [] {
        const ProfileString p =
            GetProfileString(QStringLiteral("Brunakor"), QStringLiteral("path"), QString(), 150);
        ShellState& s = Shell();
        s.RutaConversor = p.Value.left(p.Length);
        if (s.RutaConversor.trimmed().isEmpty()) {
            Aviso(270, vbInformation);
            return;
        }
        try {
            (void)StartProgram(s.RutaConversor, vbNormalFocus);
        } catch (const VbError& e) {
            if (e.Number != vberr::FileNotFound)
                throw;
            Aviso(270, vbInformation);
        }
    });
}

bool ConfirmarSalida()
{
    return MsgBox(TextosIdioma(284), vbOKCancel) == vbOK;
}

// ---- Waveform and digital menus ----

bool MenuOndasAbierto(QWidget* menuForm)
{
    if (!Registro().RegistroAbierto)
        return false;
    Atrapar(menuForm, [] {
        if (Plantillas().RutaPlantilla.isEmpty())
            Aviso(246);
        else if (EsVersionAntigua())
            Aviso(172);
    });
    return true;
}

bool MenuDigitalAbierto(QWidget* menuForm)
{
    if (!Registro().RegistroAbierto)
        return false;
    Atrapar(menuForm, [menuForm] {
        const TemplateState& p = Plantillas();
        if (p.RutaPlantilla.isEmpty()) {
            Aviso(246);
            return;
        }
        if (EsVersionAntigua()) {
            Aviso(172);
            return;
        }
        if (p.NumMiembrosDigitales == 0 || p.NumGruposDigitales == 0) {
            SetMousePointer(menuForm, vbDefault);
            Aviso(92);
        }
    });
    return true;
}

// ---- View commands ----

void ComandoCanalog()
{
    if (HayRegistroParaVistas())
        Llamar(Vistas().Ondas.AbrirDialogo);
}

void ComandoCompanalog()
{
    if (HayRegistroParaVistas())
        Llamar(Vistas().Composicion.AbrirDialogo);
}

void ComandoDigGrupos()
{
    if (HayRegistroParaVistas())
        Llamar(Vistas().Digital.AbrirGrupos);
}

bool AtajoDigGruposPermitido(QWidget* menuForm)
{
    if (!Registro().RegistroAbierto || !Plantillas().RutaPlantilla.isEmpty())
        return true;
    Atrapar(menuForm, [] { Aviso(246); });
    return false;
}

void ComandoCompdig(QWidget* menuForm)
{
    if (!HayRegistroParaVistas())
        return;
    const bool ok = Atrapar(menuForm, [] {
        SetMousePointer(vbHourglass);
        Hooks().OcultarMenu();
        Llamar(Vistas().Digital.AbrirGrid);
        SetMousePointer(vbDefault);
    });
    // The frame is never left empty: without the grid standing in its place
    // the menu form comes back.
    const MDIForm1* principal = VentanaPrincipal();
    if (!ok || (principal && !principal->FormularioActivo()))
        Hooks().MostrarMenu();
}

std::int32_t MuestrasPorCicloMenu(std::int32_t frecuenciaMuestreo, std::int32_t frecuenciaLinea)
{
    if (frecuenciaLinea == 0)
        throw VbError(frecuenciaMuestreo == 0 ? vberr::Overflow : vberr::DivisionByZero);
    // The default rounding mode sends halves to the even integer.
    const double n = std::nearbyint(static_cast<double>(frecuenciaMuestreo) / frecuenciaLinea);
    if (n < -2147483648.0 || n > 2147483647.0)
        throw VbError(vberr::Overflow);
    return static_cast<std::int32_t>(n);
}

void ComandoFasores(QWidget* menuForm)
{
    Atrapar(menuForm, [] {
        RecordModel& r = Registro();
        if (!r.RegistroAbierto) {
            Aviso(91);
            return;
        }
        if (!HayFrecuenciaLinea() || !HayFrecuenciaMuestreo())
            return;
        const std::int32_t porCiclo = MuestrasPorCicloMenu(FrecuenciaMuestreo(), r.FrecuenciaLinea);
        if (porCiclo == 0) {
            Aviso(283, vbInformation);
            return;
        }
        // The transform needs one whole cycle of samples.
        if (r.NumMuestras() < porCiclo) {
            Aviso(103, vbInformation);
            return;
        }
        if (PlantillaNoAdecuada()) {
            Aviso(246);
            return;
        }
        if (EsVersionAntigua()) {
            Aviso(172);
            return;
        }
        if (!r.FasoresCalculados) {
            MousePointerGuard reloj(vbHourglass);
            Llamar(Vistas().Fasores.Calcular);
            // Only a table that was built marks the record computed.
            r.FasoresCalculados = true;
        }
        Llamar(Vistas().Fasores.AbrirDialogo);
    });
}

void ComandoInforme(QWidget* menuForm)
{
    Atrapar(menuForm, [menuForm] {
        const RecordModel& r = Registro();
        if (!r.RegistroAbierto) {
            SetMousePointer(menuForm, vbDefault);
            Aviso(91);
            return;
        }
        if (r.RutaHdr.isEmpty()) {
            SetMousePointer(menuForm, vbDefault);
            Aviso(161);
            return;
        }
        Llamar(Vistas().Informe.Abrir);
    });
}

// ---- Analysis tools ----

MenuHerramientas LeerMenuHerramientas()
{
    MenuHerramientas m;
    m.Cuenta = LeerTools();
    m.Entradas = LeerHerramientas();
    // A line that cannot be cut into name and path is no tool to offer.
    for (const Herramienta& h : m.Entradas)
        if (!h.ConIgual)
            throw FileError(vberr::InvalidCall, RutaTools());
    m.Habilitadas = Plantillas().PlantillaAplicada && Registro().RegistroAbierto;
    return m;
}

void EjecutarHerramienta(std::int32_t index, const std::vector<QString>& rutas, QWidget* menuForm)
{
    Atrapar(menuForm, [&] {
        if (PlantillaNoAdecuada()) {
            Aviso(246);
            return;
        }
        if (EsVersionAntigua()) {
            Aviso(172);
            return;
        }
        if (Plantillas().NumGruposDigitales == 0) {
            SetMousePointer(menuForm, vbDefault);
            Aviso(92);
            return;
        }
        if (index < 1 || index > static_cast<std::int32_t>(rutas.size()))
            return;
        const QString& ruta = rutas[static_cast<size_t>(index - 1)];
        if (ruta.isEmpty())
            return;
        (void)StartProgram(ruta, vbMaximizedFocus);
    });
}

} // namespace vesdra
