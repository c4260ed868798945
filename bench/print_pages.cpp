// Cost of the printed pages of the trace views on a record of 10^7
// samples: one waveform page, one page of eight stacked bands, a
// composition of six channels and a digital page of 19 rows, each printed
// to a PDF file (drawing and writing the file). The traces are drawn
// as per-device-column envelopes and the step boxes merged per device
// column, so the drawing and the file's size follow the page's device
// columns, not the samples (finding the extremes and the runs of states is
// one pass over the samples shown). Counters: pdf_bytes, the size
// of the file written.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cmath>

#include "bench_support.h"
#include "platform/printer_qt.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion.h"
#include "views/composition/composition_state.h"
#include "views/composition/impresion_composicion.h"
#include "views/digital/impresion_digital.h"
#include "views/waves/impresion_ondas.h"

namespace {

using namespace vesdra;

constexpr std::int32_t kMuestras = 10000000;
constexpr std::int32_t kCanales = 8;

// Eight channels of 10^7 samples at 10 kHz: currents and voltages with a
// fault in the middle and a little noise, made once.
void Registro10M()
{
    RecordModel& r = Registro();
    if (r.NumMuestras() == kMuestras)
        return;
    bench::AbrirRegistroSintetico(kMuestras, kCanales, 10000, [](std::int32_t c) {
        return c <= 4 ? QStringLiteral("A") : QStringLiteral("kV");
    });
    r.RutaDat = QStringLiteral("/registros/largo.dat");
    for (std::int32_t c = 1; c <= kCanales; ++c) {
        float* v = r.Valores.Column(c).data();
        const double fase = c * 2.1;
        for (std::int32_t s = 0; s < kMuestras; ++s) {
            const double amplitud = (s > kMuestras / 2 && s < kMuestras / 2 + 2000) ? 800.0 : 100.0;
            v[s] = static_cast<float>(amplitud * std::sin(2 * M_PI * 50.0 * s / 10000.0 + fase) +
                                      3.0 * std::sin(s * 1.7));
        }
    }
    IniciarValores();
    bench::RegistroLeido();
    MaxMinCanales(r.Valores);
}

// With VESDRA_BENCH_PDF=<folder> set, each page's last PDF is kept there
// (<benchmark>.pdf) to be looked at.
template <typename Pagina> void ImprimirPdf(benchmark::State& state, const char* nombre, Pagina pagina)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("pagina.pdf"));
    QWidget ventana;
    const MedidaTexto medida = MedidaDeVentana(ventana);
    for (auto _ : state) {
        auto p = QtPrinter::ForPdf(pdf);
        p->SetOrientation(2);
        pagina(*p, medida);
        p->EndDoc();
    }
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(pdf).size());
    if (const QByteArray carpeta = qgetenv("VESDRA_BENCH_PDF"); !carpeta.isEmpty()) {
        const QString copia = QString::fromLocal8Bit(carpeta) + QLatin1Char('/') + QLatin1String(nombre) +
                              QStringLiteral(".pdf");
        QFile::remove(copia);
        (void)QFile::copy(pdf, copia);
    }
}

void BM_PaginaOnda10M(benchmark::State& state)
{
    Registro10M();
    const VistaOnda v = VistaCompleta(15000, 6000, kMuestras, EscalaYCanal(6000, -900, 900));
    DatosPaginaOnda d;
    d.CanalVentana = 1;
    d.AltoPicture = 6000;
    d.Cursor1 = kMuestras / 3;
    d.Cursor2 = kMuestras / 2;
    d.TextoTiempo = QStringLiteral("166666.700 ms");
    d.TextoDiferencia = QStringLiteral("1.000 A");
    d.Nivel = NivelCompleto(v);
    d.EscalaY = v.EscalaY;
    ImprimirPdf(state, "onda", [&d](Printer& p, const MedidaTexto& m) { (void)PaginaOnda(p, d, m); });
}
BENCHMARK(BM_PaginaOnda10M)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PaginaTodoOchoBandas10M(benchmark::State& state)
{
    Registro10M();
    DatosPaginaTodo d;
    d.Nivel = {1, kMuestras, 1, 15000, 14850.0 / kMuestras};
    for (std::int32_t k = 1; k <= kCanales; ++k)
        d.Filas.push_back(k);
    d.Cursor1 = kMuestras / 3;
    d.Cursor2 = kMuestras / 2;
    d.TextoTiempo = QStringLiteral("166666.700 ms");
    ImprimirPdf(state, "todo", [&d](Printer& p, const MedidaTexto& m) { PaginaTodo(p, d, m); });
}
BENCHMARK(BM_PaginaTodoOchoBandas10M)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PaginaComposicionSeisCanales10M(benchmark::State& state)
{
    Registro10M();
    // The extremes the composition build takes once for its windows.
    Composiciones().MinimosValores = Registro().MinimosCanal;
    Composiciones().MaximosValores = Registro().MaximosCanal;
    DatosPaginaComposicion d;
    d.Filas = {1, 2, 3, 5, 6, 7};
    d.Vista = composicion::VistaCompleta(15000, 6000, kMuestras);
    d.AltoPicture = 6000;
    d.EscalaVertical = 3000.0 * 48 / 50 / 900;
    d.Cursor1 = kMuestras / 3;
    d.Cursor2 = kMuestras / 2;
    d.TextoTiempo = QStringLiteral("166666.700 ms");
    ImprimirPdf(state, "composicion", [&d](Printer& p, const MedidaTexto& m) { PaginaComposicion(p, d, m); });
}
BENCHMARK(BM_PaginaComposicionSeisCanales10M)->Unit(benchmark::kMillisecond)->Iterations(3);

// 19 digital channels: channel k changes state every 37 * k^2 samples
// (channel 1 every 37, far denser than the printer's dots), and a trip of
// a few seconds in the middle on channel 19.
void EstadosDigitales10M()
{
    RecordModel& r = Registro();
    constexpr std::int32_t kFilas = 19;
    if (r.EstadosDigitales.Cols() == kFilas && r.EstadosDigitales.Rows() == kMuestras)
        return;
    r.NumDigitales = kFilas;
    r.EstadosDigitales = Matrix<std::uint8_t>(kMuestras, kFilas);
    for (std::int32_t k = 1; k < kFilas; ++k) {
        std::uint8_t* e = r.EstadosDigitales.Column(k).data();
        const std::int32_t periodo = 37 * k * k;
        for (std::int32_t s = 0; s < kMuestras; ++s)
            e[s] = (s / periodo) % 2 == 1 ? 1 : 0;
    }
    std::uint8_t* disparo = r.EstadosDigitales.Column(kFilas).data();
    for (std::int32_t s = kMuestras / 2; s < kMuestras / 2 + 30000; ++s)
        disparo[s] = 1;
    bench::RegistroLeido();
}

void BM_PaginaDigital19Filas10M(benchmark::State& state)
{
    Registro10M();
    EstadosDigitales10M();
    DatosPaginaDigital d;
    d.FilaAnalogica = 1;
    for (std::int32_t k = 1; k <= 19; ++k)
        d.Filas.push_back({k, QStringLiteral("D%1").arg(k)});
    d.Nivel = {1, kMuestras, 1, 0, 0};
    d.AltoPicture = 6000;
    d.Cursor1 = kMuestras / 3;
    d.Cursor2 = kMuestras / 2;
    d.TextoTiempo = QStringLiteral("166666.700 ms");
    d.Grupo = true;
    d.ModoDigital = 1;
    d.GrupoElegido = QStringLiteral("DISPAROS");
    ImprimirPdf(state, "digital", [&d](Printer& p, const MedidaTexto& m) { PaginaDigital(p, d, m); });
}
BENCHMARK(BM_PaginaDigital19Filas10M)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return vesdra::bench::RunWithQt(argc, argv);
}
