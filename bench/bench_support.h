#pragma once
// What the benchmark programs of the views share.
#include <QApplication>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>

#include "record/record_model.h"

namespace vesdra::bench {

// A benchmark program's main for code that needs widgets: the registered
// benchmarks run inside an offscreen QApplication, so no display is needed
// and none is drawn on.
inline int RunWithQt(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}

// Opens a synthetic record of revision 1991 in the record model: `canales`
// analog channels of n samples (all 0, for the caller to fill) at `tasa`
// samples per second on a 50 Hz line; channel c is named "C<c>" in the
// units `unidad(c)`.
template <typename Unidad>
void AbrirRegistroSintetico(std::int32_t n, std::int32_t canales, std::int32_t tasa, Unidad unidad)
{
    RecordModel& r = Registro();
    CerrarRegistro();
    r.AnioRevision = QStringLiteral("1991");
    r.NumAnalogicos = canales;
    r.FrecuenciaLinea = 50;
    r.NumTasas = 1;
    r.TasasMuestreo.Resize(1, tasa);
    r.TablaCanales = Matrix<QString>(canales, 4);
    r.Valores = Matrix<float>(n, canales);
    for (std::int32_t c = 1; c <= canales; ++c) {
        r.TablaCanales(c, 1) = QString::number(c);
        r.TablaCanales(c, 2) = QStringLiteral("C%1").arg(c);
        r.TablaCanales(c, 4) = unidad(c);
    }
}

} // namespace vesdra::bench
