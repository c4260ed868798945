// Cost of drawing the waveform views. A full redraw of one window (axes and
// the whole trace) against the bare pass over the same samples: the redraw
// must grow no faster than that pass, its drawing part costing O(pixels).
// Also a cursor move on a 1,000,000-sample window, opening eight windows,
// and the stacked view of six bands: opened, and redrawn as on a resize.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

#include "bench_support.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "record/record_model.h"
#include "shell/shell_hooks.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/onda_vista.h"
#include "views/waves/waves_draw.h"
#include "views/waves/waves_state.h"

namespace {

using namespace vesdra;

std::vector<float> Senal(std::int64_t n)
{
    std::vector<float> v(static_cast<size_t>(n));
    for (std::int64_t k = 0; k < n; ++k)
        v[static_cast<size_t>(k)] =
            static_cast<float>(100.0 * std::sin(k * 0.0628) + 5.0 * std::sin(k * 1.7));
    return v;
}

void BM_PasadaMuestras(benchmark::State& state)
{
    const std::vector<float> v = Senal(state.range(0));
    for (auto _ : state) {
        float lo = 0, hi = 0;
        for (const float x : v) {
            lo = x < lo ? x : lo;
            hi = x > hi ? x : hi;
        }
        benchmark::DoNotOptimize(lo);
        benchmark::DoNotOptimize(hi);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PasadaMuestras)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// One window's full redraw: clear, axes, the envelope of every sample
// through the channel's block tables.
void BM_RedibujarVentana(benchmark::State& state)
{
    const std::vector<float> v = Senal(state.range(0));
    const TracePyramid tablas(v);
    PictureBox pic;
    pic.resize(1200, 500);
    pic.SetBackColor(kFondoOndas);
    const auto n = static_cast<std::int32_t>(state.range(0));
    const VistaOnda vista =
        VistaCompleta(pic.Width(), pic.Height(), n, EscalaYCanal(pic.Height(), -105, 105));
    for (auto _ : state) {
        DibujarVistaOnda(pic, vista, v, 0x00FF00, &tablas);
        benchmark::DoNotOptimize(pic.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RedibujarVentana)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void Registro1M(std::int32_t canales)
{
    const std::int32_t n = 1000000;
    bench::AbrirRegistroSintetico(n, canales, 5000, [](std::int32_t) { return QStringLiteral("A"); });
    RecordModel& r = Registro();
    const std::vector<float> v = Senal(n);
    for (std::int32_t c = 1; c <= canales; ++c)
        std::copy(v.begin(), v.end(), r.Valores.Column(c).begin());
    IniciarValores();
    bench::RegistroLeido();
}

void BM_MoverCursor1M(benchmark::State& state)
{
    Registro1M(1);
    Ondas().NumVentanasOndas = 1;
    Ondas().CanalesVisibles.Resize(1, 1);
    Ondas().IndiceVentana = 1;
    auto* w = new frmVerOndas();
    w->Form_activo(6000, 15000, 0, 0);
    std::int32_t s = 1;
    for (auto _ : state) {
        s = s % 999000 + 997;
        w->HScroll1->SetValue(s);
    }
    delete w;
}
BENCHMARK(BM_MoverCursor1M)->Unit(benchmark::kMicrosecond);

void BM_AbrirOchoVentanas1M(benchmark::State& state)
{
    Registro1M(8);
    for (auto _ : state) {
        std::vector<frmVerOndas*> ventanas;
        Ondas().NumVentanasOndas = 8;
        Ondas().CanalesVisibles.Resize(8, 1);
        for (std::int32_t k = 1; k <= 8; ++k) {
            Ondas().IndiceVentana = k;
            auto* w = new frmVerOndas();
            w->Form_activo(2800, 7600, ((k - 1) % 4) * 2800, ((k - 1) / 4) * 7600);
            ventanas.push_back(w);
        }
        state.PauseTiming();
        for (frmVerOndas* w : ventanas)
            delete w;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AbrirOchoVentanas1M)->Unit(benchmark::kMillisecond)->Iterations(5);

// A record of n samples in six channels (three in A, three in V), all six
// chosen as bands, and shell hooks that do nothing.
void RegistroApilado(std::int32_t n)
{
    bench::AbrirRegistroSintetico(
        n, 6, 10000, [](std::int32_t c) { return c <= 3 ? QStringLiteral("A") : QStringLiteral("V"); });
    RecordModel& r = Registro();
    const std::vector<float> v = Senal(n);
    for (std::int32_t c = 1; c <= 6; ++c) {
        auto col = r.Valores.Column(c);
        for (std::size_t s = 0; s < col.size(); ++s)
            col[s] = v[s] * static_cast<float>(c);
    }
    IniciarValores();
    bench::RegistroLeido();
    Ondas().CanalesVisibles.Resize(6, 1);
    ShellHooks& h = Hooks();
    h.MostrarMenu = [] {};
    h.OcultarMenu = [] {};
    h.MostrarVentana = [](QWidget*) {};
    h.MostrarProgresoOndas = [] { return true; };
    h.ValorProgresoOndas = [](float) {};
    h.CerrarProgresoOndas = [] {};
}

void BM_AbrirVistaApilada(benchmark::State& state)
{
    RegistroApilado(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        frmTodoanalog* t = CargarTodoAnalog();
        benchmark::DoNotOptimize(t);
        state.PauseTiming();
        DescargarTodoAnalog();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AbrirVistaApilada)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_RedibujarVistaApilada(benchmark::State& state)
{
    RegistroApilado(static_cast<std::int32_t>(state.range(0)));
    frmTodoanalog* t = CargarTodoAnalog();
    for (auto _ : state) {
        t->Form_Resize();
        benchmark::DoNotOptimize(t->Picture1->Image().constBits());
    }
    DescargarTodoAnalog();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_RedibujarVistaApilada)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return vesdra::bench::RunWithQt(argc, argv);
}
