#include "record/dat_common.h"

#include <algorithm>
#include <cmath>

#include "record/numero.h"
#include "record/progress_hook.h"

namespace vesdra::dat {

ResultadoLectura PrepararPlan(RecordModel& r, Plan& plan)
{
    r.Valores.Clear();
    r.ValoresPrimario.Clear();
    r.ValoresSecundario.Clear();
    r.EstadosDigitales.Clear();
    r.Tiempos.Clear();

    plan = Plan{};
    plan.nA = r.NumAnalogicos;
    plan.nD = r.NumDigitales;
    plan.es1997 = r.Es1997();
    plan.mult = r.MultTiempo;
    if (plan.nA < 0 || plan.nD < 0 || r.MuestrasFinales.Empty() || r.MuestrasFinales(1) < 0 ||
        r.FactorA.Size() < plan.nA || r.FactorB.Size() < plan.nA ||
        (plan.es1997 && r.TablaPrimSec.Size() < plan.nA)) {
        return ResultadoLectura::Fallo(ErrorLectura::CuentaNoValida,
                                       QStringLiteral("The record's channel or sample counts are not valid."));
    }
    // Without analog channels there is no Valores to size the others from.
    plan.nS = plan.nA > 0 ? r.MuestrasFinales(1) : 0;

    plan.escalas.resize(static_cast<size_t>(plan.nA));
    for (std::int32_t c = 1; c <= plan.nA; ++c) {
        Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
        e.a = r.FactorA(c);
        e.b = r.FactorB(c);
        if (!plan.es1997)
            continue;
        const PrimSec& ps = r.TablaPrimSec(c);
        const QString lado = ps.PS.trimmed().toUpper();
        if (lado == QLatin1String("P")) {
            e.escribePrimario = true;
            e.escribeSecundario = ps.Primario != 0.0f;
            if (e.escribeSecundario)
                e.factorSecundario = ps.Secundario / ps.Primario;
        } else if (lado == QLatin1String("S")) {
            e.escribeSecundario = true;
            e.escribePrimario = ps.Secundario != 0.0f;
            if (e.escribePrimario)
                e.factorPrimario = ps.Primario / ps.Secundario;
        }
    }
    return {};
}

ResultadoLectura AbrirDat(RecordModel& r, Plan& plan, QFile& fichero, bool& hayMuestras)
{
    hayMuestras = false;
    if (ResultadoLectura res = PrepararPlan(r, plan); !res.Ok())
        return res;
    if (plan.nA == 0) {
        CalcularTasa(r);
        return {};
    }
    fichero.setFileName(r.RutaDat);
    if (!fichero.open(QIODevice::ReadOnly)) {
        return ResultadoLectura::Fallo(ErrorLectura::NoSeAbre,
                                       QStringLiteral("The data file %1 cannot be read.").arg(r.RutaDat));
    }
    hayMuestras = true;
    return {};
}

void CrearMatrices(RecordModel& r, const Plan& plan, bool seSobrescriben)
{
    if (plan.nA <= 0)
        return;
    auto crear = [&](auto& m, std::int32_t cols) {
        if (seSobrescriben)
            m.ResizeForOverwrite(plan.nS, cols);
        else
            m.Resize(plan.nS, cols);
    };
    crear(r.Valores, plan.nA);
    // The side matrices mean something only for a 1997 record; a 1991 record
    // does not pay for them.
    if (plan.es1997) {
        crear(r.ValoresPrimario, plan.nA);
        crear(r.ValoresSecundario, plan.nA);
        if (seSobrescriben) {
            for (std::int32_t c = 1; c <= plan.nA; ++c) {
                const Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
                if (!e.escribePrimario)
                    std::ranges::fill(r.ValoresPrimario.Column(c), 0.0f);
                if (!e.escribeSecundario)
                    std::ranges::fill(r.ValoresSecundario.Column(c), 0.0f);
            }
        }
    }
    if (plan.nD > 0)
        crear(r.EstadosDigitales, plan.nD);
    r.Tiempos.Resize(plan.nS);
}

void CalcularTasa(RecordModel& r)
{
    r.TasaCalculada = 0;
    if (r.Tiempos.Size() < 2)
        return;
    const double paso = (r.Tiempos(2) - r.Tiempos(1)) * 1e-6;
    std::int32_t tasa = 0;
    if (paso != 0.0 && RedondearEntero(1.0 / paso, tasa))
        r.TasaCalculada = tasa;
}

ResultadoLectura DatInsuficiente(std::int64_t muestras, std::int64_t capacidad, const char* unidad)
{
    return ResultadoLectura::Fallo(
        ErrorLectura::DatInsuficiente,
        QStringLiteral("The configuration file announces %1 samples, but the data file holds only %2 %3.")
            .arg(muestras)
            .arg(capacidad)
            .arg(QLatin1String(unidad)));
}

Gasolino::Gasolino(const Plan& plan)
{
    activo_ = plan.nD > 0;
    std::int32_t p = 0;
    (void)RedondearEntero(static_cast<double>(plan.nS) / 90.0, p);
    periodo_ = static_cast<std::int64_t>(p) + 1;
}

void Gasolino::Avanzar(std::int64_t hecho)
{
    if (!activo_)
        return;
    const std::int64_t debidos = hecho / periodo_;
    auto& hook = ProgresoRegistro().LlenarGasolino;
    for (; avisados_ < debidos; ++avisados_)
        hook(true, 1);
}

} // namespace vesdra::dat
