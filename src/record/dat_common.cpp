#include "record/dat_common.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <span>

#include "record/dat_reader.h"
#include "record/numero.h"
#include "record/progress_hook.h"

namespace vesdra::dat {

ResultadoLectura SinMuestras()
{
    return ResultadoLectura::Fallo(ErrorLectura::SinMuestras,
                                   QStringLiteral("The record holds no analog sample to show."));
}

namespace {

// The factor that takes a value referred to the side rated `de` to the side
// rated `a`; false when the ratings give none: one is 0 or below (a rating
// is a magnitude: a negative one would flip the sign of the side derived)
// or not finite, or their ratio lies beyond single precision (above its
// largest number, or below its smallest normal one, where every value would
// become 0).
bool Relacion(double de, double a, double& factor)
{
    if (!std::isfinite(de) || !std::isfinite(a) || !(de > 0.0) || !(a > 0.0))
        return false;
    const double f = a / de;
    if (!EnSimple(f) || std::fabs(f) < static_cast<double>(std::numeric_limits<float>::min()))
        return false;
    factor = f;
    return true;
}

// The other side's column: the own side's values times `factor`. False
// when a product lies beyond single precision.
bool DerivarColumna(std::span<const float> propia, std::span<float> otra, double factor)
{
    bool fuera = false;
    for (size_t i = 0; i < propia.size(); ++i) {
        otra[i] = PorFactor(propia[i], factor);
        fuera = fuera || std::isinf(otra[i]);
    }
    return !fuera;
}

} // namespace

void VaciarMatrices(RecordModel& r)
{
    r.Valores.Clear();
    r.ValoresOtroLado.Clear();
    r.EstadosDigitales.Clear();
    r.Tablas = {};
    r.Tiempos.Clear();
    r.TasaCalculada = 0;
}

ResultadoLectura PrepararPlan(RecordModel& r, Plan& plan)
{
    VaciarMatrices(r);

    plan = Plan{};
    plan.nA = r.NumAnalogicos;
    plan.nD = r.NumDigitales;
    plan.es1997 = r.Es1997();
    plan.mult = r.MultTiempo;
    plan.anunciadas = MuestrasAnunciadas(r);
    if (plan.nA < 0 || plan.nD < 0 || r.MuestrasFinales.Empty() || plan.anunciadas < 0 ||
        r.FactorA.Size() < plan.nA || r.FactorB.Size() < plan.nA ||
        (plan.es1997 && r.TablaPrimSec.Size() < plan.nA)) {
        return ResultadoLectura::Fallo(
            ErrorLectura::CuentaNoValida,
            QStringLiteral("The record's channel or sample counts are not valid."));
    }
    // Samples live in Valores: without analog channels there are none.
    if (plan.nA == 0 || plan.anunciadas == 0)
        return SinMuestras();

    plan.escalas.resize(static_cast<size_t>(plan.nA));
    // The side first in force: the one the file's values are referred to
    // when every channel says the same, else the primary.
    if (plan.es1997) {
        bool todosSecundario = true;
        for (std::int32_t c = 1; c <= plan.nA; ++c)
            todosSecundario = todosSecundario && LadoMarcado(r.TablaPrimSec(c)) == Lado::Secundario;
        plan.enVigor = todosSecundario ? Lado::Secundario : Lado::Primario;
    }
    for (std::int32_t c = 1; c <= plan.nA; ++c) {
        Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
        e.a = r.FactorA(c);
        e.b = r.FactorB(c);
        if (!plan.es1997)
            continue;
        const PrimSec& ps = r.TablaPrimSec(c);
        const std::optional<Lado> lado = LadoMarcado(ps);
        if (!lado) {
            // No side is named: the values as the file holds them, on both.
            plan.sinMarca.push_back(c);
            continue;
        }
        const bool primario = *lado == Lado::Primario;
        e.propio = *lado == plan.enVigor ? Escala::Destino::Valores : Escala::Destino::OtroLado;
        if (!Relacion(primario ? ps.Primario : ps.Secundario, primario ? ps.Secundario : ps.Primario,
                      e.factor)) {
            e.factor = 1.0;
            plan.sinRelacion.push_back(c);
        }
    }
    return {};
}

ResultadoLectura AbrirDat(RecordModel& r, Plan& plan, QFile& fichero)
{
    if (ResultadoLectura res = PrepararPlan(r, plan); !res.Ok())
        return res;
    fichero.setFileName(r.RutaDat);
    if (!fichero.open(QIODevice::ReadOnly)) {
        return ResultadoLectura::Fallo(ErrorLectura::NoSeAbre,
                                       QStringLiteral("The data file %1 cannot be read.").arg(r.RutaDat));
    }
    if (fichero.size() == 0)
        return ResultadoLectura::Fallo(ErrorLectura::DatVacio,
                                       QStringLiteral("The data file %1 is empty.").arg(r.RutaDat));
    return {};
}

ResultadoLectura Acotar(Plan& plan, std::int64_t capacidad)
{
    // The announced count is a 32-bit sample number (the .cfg reader refuses
    // any other), so however far it lies beyond the file, the samples read
    // are those the file holds.
    const std::int64_t n = std::min(plan.anunciadas, std::max<std::int64_t>(capacidad, 0));
    if (n == 0)
        return SinMuestras();
    plan.nS = static_cast<std::int32_t>(n);
    ResultadoLectura res;
    if (n < plan.anunciadas)
        res.MuestrasAnunciadas = plan.anunciadas;
    return res;
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
    // The other side means something only for a 1997 record; a 1991 record
    // does not pay for it.
    if (plan.es1997) {
        r.LadoEnVigor = plan.enVigor;
        crear(r.ValoresOtroLado, plan.nA);
    }
    if (plan.nD > 0)
        crear(r.EstadosDigitales, plan.nD);
    r.Tiempos.Resize(plan.nS);
}

void Recortar(RecordModel& r, const Plan& plan)
{
    r.Valores.KeepRows(plan.nS);
    r.ValoresOtroLado.KeepRows(plan.nS);
    r.EstadosDigitales.KeepRows(plan.nS);
    r.Tiempos.KeepFirst(plan.nS);
}

void ConstruirTablas(RecordModel& r, const Plan& plan)
{
    std::vector<ColumnaDerivada> derivadas;
    if (plan.es1997) {
        for (const Escala& e : plan.escalas) {
            ColumnaDerivada d;
            d.Derivada = e.propio == Escala::Destino::Valores ? ColumnaDerivada::Cual::OtroLado
                                                              : ColumnaDerivada::Cual::Valores;
            d.Factor = e.factor;
            derivadas.push_back(d);
        }
    }
    ConstruirTablasTrazo(r, derivadas);
}

void AnotarLados(const Plan& plan, ResultadoLectura& res)
{
    res.CanalesSinMarca = plan.sinMarca;
    res.CanalesSinRelacion = plan.sinRelacion;
}

void DerivarLados(RecordModel& r, Plan& plan)
{
    for (std::int32_t c = 1; c <= plan.nA && plan.es1997; ++c) {
        Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
        if (!e.derivarAlFinal)
            continue;
        const bool enValores = e.propio == Escala::Destino::Valores;
        const auto propia = (enValores ? r.Valores : r.ValoresOtroLado).Column(c);
        const auto otra = (enValores ? r.ValoresOtroLado : r.Valores).Column(c);
        if (DerivarColumna(propia, otra, e.factor))
            continue;
        std::ranges::copy(propia, otra.begin());
        e.factor = 1.0;
        plan.sinRelacion.insert(std::ranges::lower_bound(plan.sinRelacion, c), c);
    }
}

void AcotarTiempos(Array<double>& tiempos)
{
    const std::span<double> t = tiempos.Span();
    const auto primero = std::ranges::find_if(t, [](double v) { return std::isfinite(v); });
    const double inicial = primero != t.end() ? *primero : 0.0;
    for (size_t s = 0; s < t.size(); ++s)
        if (!std::isfinite(t[s]))
            t[s] = s > 0 ? t[s - 1] : inicial;
}

void CalcularTasa(RecordModel& r)
{
    r.TasaCalculada = 0;
    if (r.Tiempos.Size() < 2)
        return;
    const double paso = (r.Tiempos(2) - r.Tiempos(1)) * 1e-6;
    std::int32_t tasa = 0;
    if (paso > 0.0 && RedondearEntero(1.0 / paso, tasa))
        r.TasaCalculada = tasa;
}

ProgressTicker::ProgressTicker(const Plan& plan)
{
    std::int32_t p = 0;
    (void)RedondearEntero(static_cast<double>(plan.nS) / 90.0, p);
    periodo_ = static_cast<std::int64_t>(p) + 1;
}

void ProgressTicker::Avanzar(std::int64_t hecho)
{
    const std::int64_t debidos = hecho / periodo_;
    auto& hook = ProgresoRegistro().LlenarGasolino;
    for (; avisados_ < debidos; ++avisados_)
        hook(true, 1);
}

} // namespace vesdra::dat

namespace vesdra {

std::int64_t MuestrasAnunciadas(const RecordModel& r)
{
    if (r.MuestrasFinales.Empty())
        return 0;
    std::int64_t n = r.MuestrasFinales(1);
    for (const std::int32_t fin : r.MuestrasFinales)
        n = std::max<std::int64_t>(n, fin);
    return n;
}

bool TasasDistintas(const RecordModel& r)
{
    for (std::int32_t k = 2; k <= std::min(r.NumTasas, r.TasasMuestreo.Size()); ++k)
        if (r.TasasMuestreo(k) != r.TasasMuestreo(1))
            return true;
    return false;
}

ResultadoLectura LeerDat(RecordModel& r)
{
    r.TipoFichero = r.TipoFichero.trimmed().toUpper();
    if (r.TipoFichero == QLatin1String("ASCII"))
        return LeerDatAscii(r);
    if (r.TipoFichero == QLatin1String("BINARY"))
        return LeerDatBinario(r);
    return ResultadoLectura::Fallo(
        ErrorLectura::TipoDesconocido,
        QStringLiteral("The file type \"%1\" is neither ASCII nor BINARY.").arg(r.TipoFichero),
        r.TipoFichero);
}

} // namespace vesdra
