// Opening the digital composition dialog on a long record: sixteen groups
// of nineteen members, every member's channel tested for a change of state
// (a channel that never changes is scanned whole). Also the state test of
// one channel alone.
#include <benchmark/benchmark.h>
#include <cstdint>

#include "bench_support.h"
#include "platform/base/screen.h"
#include "platform/messages.h"
#include "record/record_model.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "views/digital/frm_grid.h"
#include "views/digital/grid_model.h"

namespace {

using namespace vesdra;

constexpr std::int32_t kGrupos = 16;
constexpr std::int32_t kMiembros = 19;

// A record of n samples with 304 digital channels: one in four changes
// state only at its last sample, the others never do, so every test reads
// the whole channel.
void Registro304(std::int32_t n)
{
    RecordModel& r = Registro();
    r = {};
    r.AnioRevision = QStringLiteral("1991");
    r.NumAnalogicos = 1;
    r.NumDigitales = kGrupos * kMiembros;
    r.Valores.Resize(n, 1);
    r.TablaCanales.Resize(1, 5);
    r.TablaCanales(1, 1) = QStringLiteral("1");
    r.TablaCanales(1, 2) = QStringLiteral("VA");
    r.EstadosDigitales.Resize(n, r.NumDigitales);
    for (std::int32_t c = 1; c <= r.NumDigitales; ++c) {
        if (c % 4 == 0)
            r.EstadosDigitales(n, c) = 1;
    }
    r.RegistroAbierto = true;

    TemplateState& p = Plantillas();
    p = {};
    p.NumCanalesTabla = 1;
    p.NumGruposDigitales = kGrupos;
    p.TablaGruposDigitales.Resize(kGrupos, 2);
    p.TablaMiembrosDigitales.Resize(kGrupos * kMiembros, 2);
    for (std::int32_t g = 1; g <= kGrupos; ++g) {
        p.TablaGruposDigitales(g, 1) = QStringLiteral("GRUPO %1").arg(g);
        p.TablaGruposDigitales(g, 2) = QString::number(kMiembros);
    }
    for (std::int32_t m = 1; m <= kGrupos * kMiembros; ++m) {
        p.TablaMiembrosDigitales(m, 1) = QString::number(m);
        p.TablaMiembrosDigitales(m, 2) = QStringLiteral("SE\u00d1AL %1").arg(m);
    }
    p.NumMiembrosDigitales = kGrupos * kMiembros;
    p.PlantillaAplicada = true;
}

void BM_OpenCompositionDialog(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    Registro304(n);
    Screen() = ScreenInfo{1280 * 15, 1024 * 15, 15, 15};
    ScopedMsgBoxRecorder cajas;
    for (auto _ : state) {
        AbrirGrid();
        benchmark::DoNotOptimize(GridCargado());
        state.PauseTiming();
        DescargarGrid();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["boxes"] = cajas.Count();
    Registro() = {};
    Plantillas() = {};
}
BENCHMARK(BM_OpenCompositionDialog)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_StateTestOfOneUnchangingChannel(benchmark::State& state)
{
    std::vector<std::uint8_t> e(static_cast<std::size_t>(state.range(0)), 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(grid::CambiaEstado(e));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StateTestOfOneUnchangingChannel)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return vesdra::bench::RunWithQt(argc, argv);
}
