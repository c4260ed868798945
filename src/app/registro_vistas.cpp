#include "app/registro_vistas.h"

#include "analysis/analysis_services.h"
#include "analysis/dft.h"
#include "analysis/frm_fasecuencias.h"
#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "analysis/impresion_fasorial.h"
#include "shell/frm_ajustes.h"
#include "shell/frm_conversion.h"
#include "shell/frm_direct.h"
#include "shell/frm_nuevos_tools.h"
#include "shell/view_services.h"
#include "views/composition/composition_services.h"
#include "views/composition/frm_new_companalog.h"
#include "views/digital/digital_services.h"
#include "views/digital/frm_elecdig.h"
#include "views/digital/frm_grid.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/waves_services.h"

namespace vesdra {

void RegistrarVistas()
{
    ServiciosVistas& v = Vistas();

    v.Ondas.AbrirDialogo = AbrirDialogoOndas;
    v.Ondas.CerrarVentanas = CerrarVentanasOndas;
    v.Ondas.CerrarTodo = CerrarVistaTodo;
    v.Ondas.Reiniciar = ReiniciarOndas;
    v.Ondas.Descargar = DescargarOndas;
    v.Ondas.DescargarDialogo = DescargarNewOndas;
    v.Ondas.LadoCambiado = LadoCambiadoOndas;

    // The menu command does the checks and computes once per record; the
    // analysis supplies the computation and the setup dialog.
    v.Fasores.Calcular = CalcularFasores;
    v.Fasores.AbrirDialogo = MostrarFasecuencias;
    v.Fasores.CerrarFases = CerrarVistaFasesBoton;
    v.Fasores.CerrarSecuencias = CerrarVistaSecuenciasBoton;
    v.Fasores.Reiniciar = CerrarRegistroFasores;
    v.Fasores.Descargar = DescargarFormulariosFasores;
    v.Fasores.DescargarDialogo = DescargarFasecuencias;
    InstalarImpresionFases(ImprimirFases);
    InstalarImpresionSecuencias(ImprimirSecuencias);

    v.Composicion.AbrirDialogo = AbrirComposicion;
    v.Composicion.CerrarVentanas = CerrarVentanasComposicion;
    v.Composicion.Reiniciar = ReiniciarComposiciones;
    v.Composicion.Descargar = DescargarComposiciones;
    v.Composicion.DescargarDialogo = DescargarNewCompanalog;
    v.Composicion.LadoCambiado = LadoCambiadoComposicion;

    v.Digital.AbrirGrupos = AbrirElecdig;
    v.Digital.AbrirGrid = AbrirComposicionDigital;
    v.Digital.CerrarGrid = CerrarComposicionDigital;
    v.Digital.CerrarVista = CerrarVistaDigital;
    v.Digital.Reiniciar = CerrarRegistroDigital;
    v.Digital.Descargar = DescargarFormasDigitales;
    v.Digital.DescargarDialogos = [] {
        DescargarElecdig();
        DescargarGrid();
    };
    v.Digital.LadoCambiado = LadoCambiadoDigital;

    // The shell's own windows behind the menu commands and the open sequence.
    v.Informe.Abrir = AbrirInforme;
    v.Informe.Cerrar = CerrarInforme;
    v.Informe.Descargar = CerrarInforme;
    v.Conversion.MostrarPoscamb = MostrarPoscamb;
    v.Conversion.Descargar = DescargarConversion;
    v.Herramientas.AbrirAnadir = AbrirAnadirTool;
    v.Herramientas.AbrirBorrar = AbrirBorrarTool;
    v.Herramientas.AbrirDirectorios = AbrirDirect;
    v.Herramientas.Descargar = [] {
        DescargarNuevosTools();
        DescargarDirect();
    };
}

} // namespace vesdra
