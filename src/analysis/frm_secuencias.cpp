#include "analysis/frm_secuencias.h"

#include <QPointer>
#include <new>

#include "analysis/analysis_state.h"
#include "analysis/frm_fases.h"
#include "analysis/phasor_sets.h"
#include "analysis/sequence.h"
#include "analysis/vista_instancia.h"
#include "platform/base/vb_error.h"
#include "platform/mdi_forms.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

QPointer<frmSecuencias>& Instancia()
{
    static QPointer<frmSecuencias> instancia;
    return instancia;
}

std::function<void(frmSecuencias&)>& Impresion()
{
    static std::function<void(frmSecuencias&)> imprimir;
    return imprimir;
}

const QString kDigitos[3] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0")};

} // namespace

frmSecuencias::frmSecuencias(QWidget* parent) : VistaFasorial(parent, EstiloDisposicion::Secuencias, 70, "2")
{
    enfocarTrasDesplazar_ = true;
}

void frmSecuencias::Form_Load()
{
    AnalysisState& a = Analisis();
    modo_ = a.ModoVistas == 2 ? 2 : 1;
    // Opened together, the phasor view was loaded first.
    cargadaAntes_ = modo_ == 2 ? Fases() : nullptr;
    if (!a.Fasores)
        throw VbError(vberr::SubscriptOutOfRange);
    const std::int32_t cuenta = Elegido(a.SeleccionSecuencias, 0);
    const std::vector<std::int32_t> elegidos =
        SetsElegidos(a.SeleccionSecuencias, Plantillas().NumTrifasicos);
    numSets_ = cuenta == 1 || cuenta == 2
                   ? std::min<std::int32_t>(cuenta, static_cast<std::int32_t>(elegidos.size()))
                   : 0;

    std::vector<TrioCanales> trios;
    for (std::int32_t i = 0; i < numSets_; ++i) {
        const std::int32_t g = elegidos[static_cast<size_t>(i)];
        sets_[static_cast<size_t>(i)] = g;
        trios.push_back({CanalTrifasico(g, 1), CanalTrifasico(g, 2), CanalTrifasico(g, 3)});
    }
    try {
        if (numSets_ > 0)
            a.ComponentesSecuencia =
                std::make_shared<const TablaReal>(CalcularComponentesSecuencia(*a.Fasores, trios));
        fuente_ =
            numSets_ > 0 ? a.ComponentesSecuencia : std::make_shared<const TablaReal>(a.Fasores->Rows(), 0);
    } catch (const std::bad_alloc&) {
        throw VbError(vberr::OutOfMemory);
    }

    for (std::int32_t i = 0; i < numSets_; ++i) {
        const std::int32_t g = sets_[static_cast<size_t>(i)];
        // A set's boxes are captioned from its first phase's channel; the
        // factor scales the lines only when two sets share the diagram.
        const RotuloCanal r = RotuloDeCanal(trios[static_cast<size_t>(i)].A, g, true);
        const float factor = numSets_ == 2 ? FactorSet(g) : 1.0f;
        for (std::int32_t q = 0; q < 3; ++q) {
            Slot& s = slots_[static_cast<size_t>(3 * i + q)];
            s.ColumnaX = 6 * i + 2 * q + 1;
            s.Factor = factor;
            s.Nombre = r.Nombre;
            s.Digito = kDigitos[q];
            s.Unidades = r.Unidades;
        }
    }
    const std::vector<float> maximos = MaximosMagnitud(*fuente_);
    for (Slot& s : slots_) {
        const auto par = static_cast<std::size_t>((s.ColumnaX + 1) / 2);
        if (par >= 1 && par <= maximos.size())
            s.Maximo = maximos[par - 1];
    }
    CargarComun(MaximoSecuencias(maximos), EstiloDisposicion::AperturaSecuencias, true);
}

VistaFasorial* frmSecuencias::Pareja() const
{
    return Fases();
}

void frmSecuencias::Form_Unload()
{
    if (descargada_)
        return;
    descargada_ = true;
    if (Instancia() == this)
        Instancia() = nullptr;
    RetirarDelPar(Analisis().SecuenciasCerrada);
}

frmSecuencias* Secuencias()
{
    return Instancia().data();
}

bool CargarSecuencias()
{
    DescargarSecuencias();
    return CargarVista(Instancia(), Impresion());
}

void InstalarImpresionSecuencias(std::function<void(frmSecuencias&)> imprimir)
{
    Impresion() = std::move(imprimir);
}

void DescargarSecuencias()
{
    CerrarFormulario(Secuencias());
}

} // namespace vesdra
