#include "analysis/frm_fases.h"

#include <QPointer>

#include "analysis/analysis_state.h"
#include "analysis/frm_secuencias.h"
#include "analysis/phasor_sets.h"
#include "analysis/vista_instancia.h"
#include "platform/base/vb_error.h"
#include "platform/mdi_forms.h"
#include "record/canales.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

QPointer<frmFases>& Instancia()
{
    static QPointer<frmFases> instancia;
    return instancia;
}

std::function<void(frmFases&)>& Impresion()
{
    static std::function<void(frmFases&)> imprimir;
    return imprimir;
}

} // namespace

frmFases::frmFases(QWidget* parent) : VistaFasorial(parent, EstiloDisposicion::Fases, 69, "1") {}

void frmFases::Form_Load()
{
    const AnalysisState& a = Analisis();
    modo_ = a.ModoVistas == 2 ? 2 : 1;
    fuente_ = a.Fasores;
    if (!fuente_)
        throw VbError(vberr::SubscriptOutOfRange);
    const std::int32_t canales = fuente_->Cols() / 2;
    const std::int32_t cuenta = Elegido(a.SeleccionFases, 0);
    const std::vector<std::int32_t> elegidos = SetsElegidos(a.SeleccionFases, Plantillas().NumTrifasicos);
    numSets_ = cuenta == 1 || cuenta == 2
                   ? std::min<std::int32_t>(cuenta, static_cast<std::int32_t>(elegidos.size()))
                   : 0;

    // The common scale comes from the chosen sets' channels alone.
    std::vector<float> maximos(static_cast<size_t>(std::max(canales, 0)), 0.0f);
    std::vector<std::int32_t> listados;
    for (std::int32_t i = 0; i < numSets_; ++i) {
        const std::int32_t g = elegidos[static_cast<size_t>(i)];
        sets_[static_cast<size_t>(i)] = g;
        const float factor = FactorSet(g);
        for (std::int32_t fase = 1; fase <= 3; ++fase) {
            const std::int32_t n = CanalTrifasico(g, fase);
            if (!ColumnaDeCanal(n, canales))
                throw VbError(vberr::SubscriptOutOfRange);
            // Each phase finds its own channel row; the second set takes the
            // first match, the first set the last, as the view always has.
            const RotuloCanal r = RotuloDeCanal(n, g, i == 0);
            Slot& s = slots_[static_cast<size_t>(3 * i + fase - 1)];
            s.ColumnaX = 2 * n - 1;
            s.Factor = factor;
            s.Nombre = r.Nombre;
            s.Unidades = r.Unidades;
            maximos[static_cast<size_t>(n - 1)] = MaximoMagnitudPar(*fuente_, n);
            s.Maximo = maximos[static_cast<size_t>(n - 1)];
            listados.push_back(n);
        }
    }
    CargarComun(MaximoFases(maximos, listados), EstiloDisposicion::Fases, false);
}

VistaFasorial* frmFases::Pareja() const
{
    return Secuencias();
}

void frmFases::Form_Unload()
{
    if (descargada_)
        return;
    descargada_ = true;
    if (Instancia() == this)
        Instancia() = nullptr;
    RetirarDelPar(Analisis().FasesCerrada);
}

frmFases* Fases()
{
    return Instancia().data();
}

bool CargarFases()
{
    DescargarFases();
    return CargarVista(Instancia(), Impresion());
}

void InstalarImpresionFases(std::function<void(frmFases&)> imprimir)
{
    Impresion() = std::move(imprimir);
}

void DescargarFases()
{
    CerrarFormulario(Fases());
}

} // namespace vesdra
