// The sliding one-cycle DFT over a large record: 1,000,000 samples × 32
// analog channels at 20 samples per cycle, computed once as the phasor
// command does. Target: under 0.2 s on the development machine.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/dft.h"
#include "analysis/sequence.h"

namespace {

vesdra::Matrix<float> Registro(std::int32_t muestras, std::int32_t canales, std::int32_t n)
{
    vesdra::Matrix<float> v(muestras, canales);
    for (std::int32_t c = 1; c <= canales; ++c) {
        float* col = v.Column(c).data();
        for (std::int32_t s = 1; s <= muestras; ++s)
            col[s - 1] = static_cast<float>(100.0 * std::sin(2.0 * std::numbers::pi * s / n + c));
    }
    return v;
}

void BM_CalcularTablaFasores(benchmark::State& state)
{
    const auto muestras = static_cast<std::int32_t>(state.range(0));
    const auto canales = static_cast<std::int32_t>(state.range(1));
    const vesdra::Matrix<float> v = Registro(muestras, canales, 20);
    const std::vector<float> desfase(static_cast<size_t>(canales), 0.0f);
    for (auto _ : state) {
        vesdra::TablaReal f = vesdra::CalcularTablaFasores(v, desfase, 50, 20);
        benchmark::DoNotOptimize(f.Data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(muestras) * canales);
}
// Wall time: the channels run on a few worker threads.
BENCHMARK(BM_CalcularTablaFasores)
    ->Args({1000000, 32})
    ->Args({100000, 8})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The sequence view's table for two sets over the same record, built at
// every opening of that view.
void BM_ComponentesSecuencia(benchmark::State& state)
{
    const vesdra::Matrix<float> v = Registro(1000000, 6, 20);
    const std::vector<float> desfase(6, 0.0f);
    const vesdra::TablaReal f = vesdra::CalcularTablaFasores(v, desfase, 50, 20);
    const vesdra::TrioCanales sets[] = {{1, 2, 3}, {4, 5, 6}};
    for (auto _ : state) {
        vesdra::TablaReal t = vesdra::CalcularComponentesSecuencia(f, sets);
        benchmark::DoNotOptimize(t.Data());
    }
}
BENCHMARK(BM_ComponentesSecuencia)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
