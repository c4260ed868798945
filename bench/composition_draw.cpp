// Costs of a composition window: the full redraw (scale and traces of every
// chosen channel, two or six of them), and a cursor move, which must not
// depend on the record's length.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

#include "bench_support.h"
#include "platform/scroll_bar.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "views/composition/composition_state.h"
#include "views/composition/frm_ver_cmpang.h"

namespace {

// A record of n samples in `canales` channels and one window showing them.
std::unique_ptr<vesdra::frmVerCmpang> Ventana(std::int64_t n, std::int32_t canales = 2)
{
    using namespace vesdra;
    bench::AbrirRegistroSintetico(static_cast<std::int32_t>(n), canales, 1000,
                                  [](std::int32_t) { return QString(); });
    RecordModel& r = Registro();
    for (std::int32_t c = 1; c <= canales; ++c) {
        auto col = r.Valores.Column(c);
        for (std::size_t s = 0; s < col.size(); ++s)
            col[s] = static_cast<float>(100 * c * std::sin(static_cast<double>(s) * 0.0314));
    }
    ComposicionState& st = Composiciones();
    st.SeleccionComposicion = Matrix<std::uint8_t>(3, canales + 1, 0);
    for (std::int32_t c = 1; c <= canales + 1; ++c)
        st.SeleccionComposicion(1, c) = 1;
    st.NumVentanasComposicion = 1;
    MaxMinCanales(r.Valores);
    st.MinimosValores = r.MinimosCanal;
    st.MaximosValores = r.MaximosCanal;
    bench::RegistroLeido();
    auto v = std::make_unique<frmVerCmpang>();
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->DisponerControles(15000, 10000, 495);
    v->IniciarCursores(static_cast<std::int32_t>(n), 20);
    return v;
}

void BM_FullRedraw(benchmark::State& state)
{
    auto v = Ventana(state.range(0));
    for (auto _ : state)
        v->Composicion(1);
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_FullRedraw)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_FullRedrawSixChannels(benchmark::State& state)
{
    auto v = Ventana(state.range(0), 6);
    for (auto _ : state)
        v->Composicion(1);
    state.SetItemsProcessed(state.iterations() * state.range(0) * 6);
}
BENCHMARK(BM_FullRedrawSixChannels)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_CursorMove(benchmark::State& state)
{
    auto v = Ventana(state.range(0));
    v->Composicion(1);
    std::int32_t s = 1;
    for (auto _ : state) {
        s = s >= 1000 ? 1 : s + 7;
        v->HScroll1->SetValue(s);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_CursorMove)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return vesdra::bench::RunWithQt(argc, argv);
}
