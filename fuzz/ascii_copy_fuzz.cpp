// The ASCII copy of a BINARY record (input as in fuzz_support.h) read back:
// the copy's .cfg reads as the source's but for its file type, and its data
// file gives the samples the BINARY reader gave, bit for bit.
#include <QFileInfo>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "fuzz_support.h"
#include "record/ascii_copy.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/record_model.h"

using namespace vesdra;

namespace {

template <typename T> bool Mismo(T a, T b)
{
    if constexpr (std::is_floating_point_v<T>)
        return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
    else
        return a == b;
}

template <typename M> bool Iguales(const M& a, const M& b, std::int64_t celdas)
{
    for (std::int64_t i = 0; i < celdas; ++i)
        if (!Mismo(a.Data()[i], b.Data()[i]))
            return false;
    return true;
}

template <typename T> bool Iguales(const Matrix<T>& a, const Matrix<T>& b)
{
    return a.Rows() == b.Rows() && a.Cols() == b.Cols() &&
           Iguales(a, b, static_cast<std::int64_t>(a.Rows()) * a.Cols());
}

template <typename T> bool Iguales(const Array<T>& a, const Array<T>& b)
{
    return a.Size() == b.Size() && Iguales(a, b, a.Size());
}

// What the .cfg gave the model, the file type aside.
void MismaConfiguracion(const RecordModel& a, const RecordModel& b)
{
    fuzz::Exigir(a.NombreEstacion == b.NombreEstacion && a.AnioRevision == b.AnioRevision &&
                     a.TextoRevision == b.TextoRevision && a.TotalCanales == b.TotalCanales &&
                     a.NumAnalogicos == b.NumAnalogicos && a.NumDigitales == b.NumDigitales &&
                     a.TablaCanales == b.TablaCanales && a.NumerosAnalogicos == b.NumerosAnalogicos &&
                     a.NumerosDigitales == b.NumerosDigitales && a.NombresDigitales == b.NombresDigitales,
                 "the copy's .cfg names other channels");
    fuzz::Exigir(Iguales(a.FactorA, b.FactorA) && Iguales(a.FactorB, b.FactorB) &&
                     Iguales(a.Desfase, b.Desfase),
                 "the copy's .cfg gives other factors");
    fuzz::Exigir(a.FrecuenciaLinea == b.FrecuenciaLinea && a.NumTasas == b.NumTasas &&
                     a.TasasMuestreo == b.TasasMuestreo && a.MuestrasFinales == b.MuestrasFinales &&
                     a.FechaInicio == b.FechaInicio && a.FechaDisparo == b.FechaDisparo &&
                     Mismo(a.MultTiempo, b.MultTiempo),
                 "the copy's .cfg gives other rates, dates or time multiplier");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (!fuzz::LeerRegistro(fuzz::Partir(data, size), false))
        return 0;
    const RecordModel binario = Registro();
    const bool corto = binario.NumMuestras() < MuestrasAnunciadas(binario);

    const QString destino = QFileInfo(binario.RutaDat).absolutePath() + QStringLiteral("/copia");
    Registro().NombreConversion = destino;
    fuzz::Exigir(ComprobarConversion().Ok(), "a fresh target refused");
    fuzz::Exigir(GuardarDatAscii().Ok(), "the data copy of a record just read failed");
    const ResultadoCopia cfg = GuardarCfgAscii();
    // A .cfg whose file type line cannot be found is refused, not damaged.
    if (!cfg.Ok()) {
        fuzz::Exigir(cfg.Error == ErrorCopia::NoSeLee,
                     "the .cfg copy failed otherwise than as not understood");
        return 0;
    }

    RecordModel& ascii = Registro();
    ascii = RecordModel{};
    ascii.RutaCfg = destino + QStringLiteral(".cfg");
    ascii.RutaDat = destino + QStringLiteral(".DAT");
    fuzz::Exigir(LeerCfg(ascii).Ok(), "the copy's .cfg is refused");
    fuzz::Exigir(ascii.TipoFichero == QLatin1String("ASCII"), "the copy's file type is not ASCII");
    MismaConfiguracion(ascii, binario);
    const ResultadoLectura res = LeerDatAscii(ascii);
    if (!res.Ok()) {
        // Only a record cut short may announce more than its copy can hold.
        fuzz::Exigir(corto, "the copy of a whole record is refused");
        return 0;
    }
    fuzz::Exigir(ascii.NumMuestras() == binario.NumMuestras(), "the copy holds another sample count");
    fuzz::Exigir(Iguales(ascii.Tiempos, binario.Tiempos), "the copy gives other time stamps");
    fuzz::Exigir(Iguales(ascii.Valores, binario.Valores), "the copy gives other values");
    fuzz::Exigir(Iguales(ascii.ValoresPrimario(), binario.ValoresPrimario()) &&
                     Iguales(ascii.ValoresSecundario(), binario.ValoresSecundario()),
                 "the copy gives other 1997 sides");
    fuzz::Exigir(ascii.EstadosDigitales == binario.EstadosDigitales, "the copy gives other digital states");
    fuzz::Exigir(ascii.TasaCalculada == binario.TasaCalculada, "the copy gives another rate");
    return 0;
}
