// Drawing costs of the digital view: the step boxes of one digital row and
// the analog trace over a whole long record (which must follow the pixel
// columns, not the samples), the full redraw of a 19-row view (as on a
// resize), and one cursor move of a built view (which must not depend on the
// record's length).
#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

#include "bench_support.h"
#include "platform/base/screen.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "record/record_model.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "views/digital/digital_selection.h"
#include "views/digital/digital_traces.h"
#include "views/digital/frm19.h"

namespace {

using namespace vesdra;

// A row of short pulses (1 to 7 samples) apart by gaps of up to about three
// pixel columns of the whole-record view.
std::vector<std::uint8_t> Estados(std::int64_t n)
{
    std::vector<std::uint8_t> e(static_cast<std::size_t>(n));
    std::uint32_t x = 12345;
    std::uint8_t v = 0;
    const std::int64_t hueco = std::max<std::int64_t>(2, n / 300);
    for (std::int64_t i = 0; i < n;) {
        x = x * 1103515245u + 12345u;
        const std::int64_t run = v ? 1 + (x >> 16) % 7 : 1 + (x >> 16) % hueco;
        for (std::int64_t k = 0; k < run && i < n; ++k, ++i)
            e[static_cast<std::size_t>(i)] = v;
        v ^= 1;
    }
    return e;
}

digital::Tramo TramoCompleto(std::int64_t n)
{
    // A 1024-pixel screen: 13860 twips between the axis and the margin.
    return {1, static_cast<std::int32_t>(n), 13860.0 / static_cast<double>(n), 15, 15};
}

void BM_StepBoxesOfOneRow(benchmark::State& state)
{
    const std::vector<std::uint8_t> e = Estados(state.range(0));
    const StatePyramid tablas(e);
    const digital::Tramo t = TramoCompleto(state.range(0));
    std::size_t cajas = 0;
    for (auto _ : state) {
        const digital::CajasFila f = digital::CajasEstados(e, t, &tablas);
        cajas = f.Cajas.size();
        benchmark::DoNotOptimize(f.Cajas.data());
    }
    state.counters["boxes"] = static_cast<double>(cajas);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StepBoxesOfOneRow)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_StepBoxesDrawn(benchmark::State& state)
{
    const std::vector<std::uint8_t> e = Estados(state.range(0));
    const StatePyramid tablas(e);
    const digital::Tramo t = TramoCompleto(state.range(0));
    PictureBox box;
    box.Move(0, 0, 15260, 2000);
    for (auto _ : state) {
        box.Cls();
        digital::DibujarCajas(box, digital::CajasEstados(e, t, &tablas), 1500, t, 0xFF0000);
        benchmark::DoNotOptimize(box.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StepBoxesDrawn)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_AnalogTrace(benchmark::State& state)
{
    std::vector<float> v(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<float>((i * 37) % 1000) - 500.0f;
    const TracePyramid tablas(v);
    const digital::Tramo t = TramoCompleto(state.range(0));
    std::size_t segmentos = 0;
    for (auto _ : state) {
        const std::vector<QLineF> l =
            digital::TrazoAnalogico(v, t, digital::EscalaVertical(v, t, &tablas), &tablas);
        segmentos = l.size();
        benchmark::DoNotOptimize(l.data());
    }
    state.counters["segments"] = static_cast<double>(segmentos);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AnalogTrace)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// A record of n samples: one analog channel and 19 digital ones, all 19
// chosen in one group.
void RegistroDigital(std::int32_t n)
{
    RecordModel& r = Registro();
    r = {};
    r.AnioRevision = "1991";
    r.FrecuenciaLinea = 50;
    r.TasasMuestreo = Array<std::int32_t>(1, 1000);
    r.Valores.Resize(n, 1);
    for (std::int32_t s = 1; s <= n; ++s)
        r.Valores(s, 1) = static_cast<float>(s % 100);
    r.EstadosDigitales.Resize(n, 19);
    const std::vector<std::uint8_t> e = Estados(n);
    for (std::int32_t c = 1; c <= 19; ++c)
        std::copy(e.begin(), e.end(), r.EstadosDigitales.Column(c).begin());
    r.TablaCanales.Resize(1, 5);
    r.TablaCanales(1, 1) = "1";
    r.TablaCanales(1, 2) = "IA";
    TemplateState& p = Plantillas();
    p.TablaGruposDigitales.Resize(1, 2);
    p.TablaGruposDigitales(1, 2) = "19";
    p.TablaMiembrosDigitales.Resize(19, 2);
    for (std::int32_t m = 1; m <= 19; ++m)
        p.TablaMiembrosDigitales(m, 1) = QString::number(m);
    EscribirSeleccionGrupo(1, 1);
    bench::RegistroLeido();
}

// A view over a record of n samples, 19 rows; one cursor step per iteration.
void BM_CursorMoveInBuiltView(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    RegistroDigital(n);
    frm19& v = CargarFrm19();
    v.show();
    QApplication::processEvents();
    std::int32_t s = 1;
    for (auto _ : state) {
        s = s >= n - 100 ? 1 : s + 97;
        v.HScroll1->SetValue(s);
        QApplication::processEvents();
    }
    DescargarFrm19();
    QApplication::processEvents();
}
BENCHMARK(BM_CursorMoveInBuiltView)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The whole view redrawn as on a resize: the analog trace and 19 rows of
// step boxes over the whole record.
void BM_FullRedraw19Rows(benchmark::State& state)
{
    RegistroDigital(static_cast<std::int32_t>(state.range(0)));
    frm19& v = CargarFrm19();
    v.show();
    QApplication::processEvents();
    const QSize tam = v.size();
    int k = 0;
    for (auto _ : state) {
        // A resize by one pixel and back: the view is built again only
        // when its size changed.
        state.PauseTiming();
        v.resize(tam.width() - (++k & 1), tam.height());
        state.ResumeTiming();
        v.Form_Resize();
        benchmark::DoNotOptimize(v.Picture1->Image().constBits());
    }
    DescargarFrm19();
    QApplication::processEvents();
}
BENCHMARK(BM_FullRedraw19Rows)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return vesdra::bench::RunWithQt(argc, argv);
}
