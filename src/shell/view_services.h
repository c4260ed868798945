#pragma once
#include <functional>

namespace vesdra {

// The one interface through which the shell reaches the views and the
// windows other subsystems own: open a dialog afresh, close a family of
// windows from the status-bar close button, reset the view selections when
// the record is closed, unload at program end.
//
// The shell library cannot link the view libraries (they link the shell),
// so this is a registry: every entry starts as a harmless stub (does
// nothing) and the program's start fills in the real functions. Tests put
// fakes in. An entry may throw VbError; the caller shows the error box.
using Servicio = std::function<void()>;

struct ServiciosOndas {
    Servicio AbrirDialogo;     // frmNewOndas unloaded, loaded afresh, shown
    Servicio CerrarVentanas;   // every frmVerOndas window (Tag 5)
    Servicio CerrarTodo;       // frmTodoanalog (Tag 3)
    Servicio Reiniciar;        // the close command's resets of the waveform views
    Servicio Descargar;        // program end
    Servicio DescargarDialogo; // frmNewOndas unloaded (its record is gone)
    Servicio LadoCambiado;     // every frmVerOndas window and frmTodoanalog drawn afresh
};

struct ServiciosFasores {
    // Builds the phasor table of the open record; throws VbError on failure,
    // leaving the previous table in place.
    Servicio Calcular;
    Servicio AbrirDialogo;     // frmFasecuencias afresh
    Servicio CerrarFases;      // Tag 1: frmFases (and frmSecuencias when opened together)
    Servicio CerrarSecuencias; // Tag 2: the mirror
    Servicio Reiniciar;
    Servicio Descargar;
    Servicio DescargarDialogo; // frmFasecuencias unloaded
};

struct ServiciosComposicion {
    Servicio AbrirDialogo;   // frmNewCompanalog afresh
    Servicio CerrarVentanas; // every frmVerCmpang window (Tag 4)
    Servicio Reiniciar;
    Servicio Descargar;
    Servicio DescargarDialogo; // frmNewCompanalog unloaded
    Servicio LadoCambiado;     // every frmVerCmpang window drawn afresh
};

struct ServiciosDigital {
    Servicio AbrirGrupos; // frmElecdig afresh
    Servicio AbrirGrid;   // frmGrid afresh (the menu form is hidden first)
    Servicio CerrarVista; // frm19 (Tag 6)
    Servicio CerrarGrid;  // frmGrid (Tag 9)
    Servicio Reiniciar;
    Servicio Descargar;
    Servicio DescargarDialogos; // frmElecdig and frmGrid unloaded
    Servicio LadoCambiado;      // frm19 drawn afresh
};

// Windows of the shell that other work supplies.
struct ServiciosInforme {
    Servicio Abrir;  // frmAjustes afresh (the header report)
    Servicio Cerrar; // Tag 7
    Servicio Descargar;
};

struct ServiciosHerramientas {
    Servicio AbrirAnadir;      // frmNuevosTools in add mode
    Servicio AbrirBorrar;      // frmNuevosTools in delete mode
    Servicio AbrirDirectorios; // frmDirect
    Servicio Descargar;
};

struct ServiciosConversion {
    Servicio MostrarPoscamb; // the choice offered after a BINARY record opens
    Servicio Descargar;      // Conversion, poscamb, Mensaje
};

struct ServiciosVistas {
    ServiciosOndas Ondas;
    ServiciosFasores Fasores;
    ServiciosComposicion Composicion;
    ServiciosDigital Digital;
    ServiciosInforme Informe;
    ServiciosHerramientas Herramientas;
    ServiciosConversion Conversion;
};

// The one process-wide registry.
ServiciosVistas& Vistas();

// Every entry back to its stub (tests).
void RestablecerVistas();

// Runs an entry; one a test or the start-up cleared by mistake does nothing.
void Llamar(const Servicio& s);

// The close command's part in the views: every family's Reiniciar.
void ReiniciarSeleccionesVistas();

// Program end: every family's Descargar, in the order the forms are unloaded.
void DescargarVistas();

// The other side of a 1997 record was put in force (ElegirReferencia): the
// views open then (waveform windows and the stacked view, composition
// windows, the digital view) are drawn afresh from it, as after a resize:
// every trace, scale, read-out and P/S indicator they show, and every page
// they print, is of the side in force. The phasor views are rebuilt by the
// setup dialog that changes the side.
void LadoCambiadoVistas();

// A record opened, refused or closed: every dialog that chooses what a view
// shows is unloaded with the conversion windows. What they hold (channels,
// sets, groups of the record they were opened for) has nothing left to act
// on.
void DescargarDialogosVistas();
// Another template applied: every dialog that chooses what a view shows
// (waveform and stacked, composition, phasor setup, digital group and
// digital composition) is unloaded. It lists, and its slots hold, the
// names, sets and groups of the template it was opened with.
void DescargarDialogosEleccion();

} // namespace vesdra
