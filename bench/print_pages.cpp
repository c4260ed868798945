// Cost of the printed pages of the waveform views on a record of 10^7
// samples: one waveform page and one page of eight stacked bands, each
// printed to a PDF file (drawing and writing the file). The traces are drawn
// as per-device-column envelopes, so the cost and the file's size follow
// the page's device columns, not the samples. Counters: pdf_bytes, the size
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
#include "views/waves/impresion_ondas.h"

namespace
{

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

} // namespace

int main(int argc, char** argv)
{
    return vesdra::bench::RunWithQt(argc, argv);
}
