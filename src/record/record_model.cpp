#include "record/record_model.h"

#include <utility>

namespace vesdra {

std::optional<Lado> LadoMarcado(const PrimSec& ps)
{
    const QString flag = ps.PS.trimmed().toUpper();
    if (flag == QLatin1String("P"))
        return Lado::Primario;
    if (flag == QLatin1String("S"))
        return Lado::Secundario;
    return std::nullopt;
}

RecordModel& Registro()
{
    static RecordModel registro;
    return registro;
}

void IniciarValores()
{
    RecordModel& r = Registro();
    r.FasoresCalculados = false;
    r.RegistroAbierto = true;
    // Light blue, light green, light red, light cyan, yellow, light magenta,
    // bright white, black, blue, green, red, cyan, brown, magenta, white.
    r.PaletaColores = {9, 10, 12, 11, 14, 13, 15, 0, 1, 2, 4, 3, 6, 5, 7};
}

const Matrix<float>& RecordModel::ValoresLado(Lado lado) const
{
    static const Matrix<float> ninguno;
    if (!Es1997())
        return ninguno;
    return lado == LadoEnVigor ? Valores : ValoresOtroLado;
}

bool ElegirLado(RecordModel& r, Lado lado)
{
    if (!r.Es1997() || r.LadoEnVigor == lado)
        return false;
    std::swap(r.Valores, r.ValoresOtroLado);
    std::swap(r.Tablas.Valores, r.Tablas.OtroLado);
    r.LadoEnVigor = lado;
    r.FasoresCalculados = false;
    return true;
}

void PonerLados(RecordModel& r, Matrix<float> primario, Matrix<float> secundario, Lado enVigor)
{
    const bool primero = enVigor == Lado::Primario;
    r.Valores = std::move(primero ? primario : secundario);
    r.ValoresOtroLado = std::move(primero ? secundario : primario);
    r.LadoEnVigor = enVigor;
}

void CerrarRegistro()
{
    RecordModel& r = Registro();
    r.Tiempos.Clear();
    r.TasasMuestreo.Clear();
    r.MuestrasFinales.Clear();
    r.Valores.Clear();
    r.ValoresOtroLado.Clear();
    r.LadoEnVigor = Lado::Primario;
    r.EstadosDigitales.Clear();
    r.Tablas = {};
    r.TablaCanales.Clear();
    r.NumerosAnalogicos.Clear();
    r.NumerosDigitales.Clear();
    r.FactorA.Clear();
    r.FactorB.Clear();
    r.Desfase.Clear();
    r.MinimosCanal.Clear();
    r.MaximosCanal.Clear();
    r.NombresDigitales.Clear();

    r.TotalCanales = 0;
    r.NumAnalogicos = 0;
    r.NumDigitales = 0;
    r.TasaCalculada = 0;
    r.FrecuenciaLinea = 0;
    r.NumTasas = 0;
    r.NumAnalogicosOfrecidos = 0;
    r.NumDigitalesOfrecidos = 0;
    r.FasoresCalculados = false;
    r.PuntoDecimal = false;
    r.TipoErroneo = false;
    r.RevisionErronea = false;

    r.TipoFichero.clear();
    r.NombreEstacion.clear();
    // "0", not "": no view may take the empty model for a 1997 record.
    r.FechaDisparo = QStringLiteral("0");
    r.AnioRevision = QStringLiteral("0");
    r.TextoRevision = QStringLiteral("0");
    r.FechaInicio = QStringLiteral("0");
    r.RegistroAbierto = false;

    r.NombreConversion.clear();
    r.SalirTrasConversion = false;
}

} // namespace vesdra
