// Opening a large record: 1,000,000 samples x 32 analog + 64 digital channels
// (80 MB BINARY), against a bare read-and-convert loop over the same file,
// then its ASCII copy and the opening of that copy; and the part of the
// opening that builds the traces' block tables. The opening benchmarks and
// the bare loop report their peak memory (peak_MB).
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "common/peak_memory.h"
#include "gen/comtrade_gen.h"
#include "record/ascii_copy.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/matrix.h"
#include "record/record_model.h"

namespace {

using namespace vesdra;

constexpr std::int32_t kMuestras = 1000000;
constexpr std::int32_t kAnalogicos = 32;
constexpr std::int32_t kDigitales = 64;

struct Registros {
    QTemporaryDir dir;
    QString base1991, base1997, ascii1991;
    std::int64_t bytesBinario{0}, bytesAscii{0};

    Registros()
    {
        gen::GenSpec spec = gen::BenchRecordSpec(kMuestras, kAnalogicos, kDigitales, gen::DataFormat::Binary);
        base1997 = dir.filePath("bench1997");
        base1991 = dir.filePath("bench1991");
        QString error;
        if (!gen::WriteRecord(spec, base1997, &error))
            std::fprintf(stderr, "cannot write the record: %s\n", qPrintable(error));
        spec.revision = gen::Revision::R1991;
        if (!gen::WriteRecord(spec, base1991, &error))
            std::fprintf(stderr, "cannot write the record: %s\n", qPrintable(error));
        bytesBinario = QFile(base1991 + ".dat").size();

        // The ASCII copy, written once by the program itself.
        Abrir(base1991, false);
        ascii1991 = dir.filePath("bench1991_ascii");
        Registro().NombreConversion = ascii1991;
        if (!GuardarDatAscii().Ok() || !GuardarCfgAscii().Ok())
            std::fprintf(stderr, "cannot write the ASCII copy\n");
        bytesAscii = QFile(ascii1991 + ".DAT").size();
    }

    static bool Abrir(const QString& base, bool ascii)
    {
        Registro() = RecordModel{};
        Registro().RutaCfg = base + ".cfg";
        Registro().RutaDat = base + (ascii ? ".DAT" : ".dat");
        if (!LeerCfg(Registro()).Ok())
            return false;
        return LeerDat(Registro()).Ok();
    }
};

Registros& Datos()
{
    static Registros datos;
    return datos;
}

// The process's peak memory while a benchmark runs, beyond what it held
// when it started, reported as the counter peak_MB where it can be measured.
class PicoMemoria
{
public:
    void Informar(benchmark::State& state) const
    {
        if (pico_.Available())
            state.counters["peak_MB"] = static_cast<double>(pico_.PeakKb()) / 1024.0;
    }

private:
    test::PeakMemory pico_;
};

// The floor: read the file in 1 MB blocks and turn each analog int16 into
// a*x + b in a fresh float array, nothing else.
// With `grande` the output array comes from the matrices' own large-page
// storage, as the reader's does; without it, from the ordinary heap.
void BareReadAndConvert(benchmark::State& state, bool grande)
{
    Registros& d = Datos();
    const size_t tam = 8 + 2 * kAnalogicos + 2 * (kDigitales / 16);
    const size_t porBloque = (1 << 20) / tam;
    std::vector<unsigned char> bloque(porBloque * tam);
    Registro() = RecordModel{};
    const PicoMemoria pico;
    for (auto _ : state) {
        Matrix<float> matriz;
        std::unique_ptr<float[]> valores;
        if (grande)
            matriz.ResizeForOverwrite(kMuestras, kAnalogicos);
        else
            valores.reset(new float[static_cast<size_t>(kMuestras) * kAnalogicos]);
        std::FILE* f = std::fopen(qPrintable(d.base1991 + ".dat"), "rb");
        float* out = grande ? matriz.Data() : valores.get();
        size_t leidos = 0;
        while ((leidos = std::fread(bloque.data(), tam, porBloque, f)) > 0) {
            for (size_t j = 0; j < leidos; ++j) {
                const unsigned char* p = bloque.data() + j * tam + 8;
                for (int c = 0; c < kAnalogicos; ++c) {
                    std::int16_t x;
                    std::memcpy(&x, p + 2 * c, 2);
                    *out++ = static_cast<float>(x) * 0.5f + 1.0f;
                }
            }
        }
        std::fclose(f);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    pico.Informar(state);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.bytesBinario);
}

void BM_BareReadAndConvert(benchmark::State& state)
{
    BareReadAndConvert(state, false);
}

void BM_BareReadAndConvertLargePages(benchmark::State& state)
{
    BareReadAndConvert(state, true);
}

void BM_OpenBinary1991(benchmark::State& state)
{
    Registros& d = Datos();
    Registro() = RecordModel{};
    const PicoMemoria pico;
    for (auto _ : state) {
        if (!Registros::Abrir(d.base1991, false))
            state.SkipWithError("open failed");
        state.PauseTiming();
        Registro() = RecordModel{}; // freeing is not part of opening
        state.ResumeTiming();
    }
    pico.Informar(state);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.bytesBinario);
}

// 1997: also the primary and secondary matrices.
void BM_OpenBinary1997(benchmark::State& state)
{
    Registros& d = Datos();
    Registro() = RecordModel{};
    const PicoMemoria pico;
    for (auto _ : state) {
        if (!Registros::Abrir(d.base1997, false))
            state.SkipWithError("open failed");
        state.PauseTiming();
        Registro() = RecordModel{};
        state.ResumeTiming();
    }
    pico.Informar(state);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.bytesBinario);
}

void BM_OpenAscii1991(benchmark::State& state)
{
    Registros& d = Datos();
    Registro() = RecordModel{};
    const PicoMemoria pico;
    for (auto _ : state) {
        if (!Registros::Abrir(d.ascii1991, true))
            state.SkipWithError("open failed");
        state.PauseTiming();
        Registro() = RecordModel{};
        state.ResumeTiming();
    }
    pico.Informar(state);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.bytesAscii);
}

// The block tables of every matrix of the open 1991 record, as the reader
// builds them once the samples are in.
void BM_BuildTables(benchmark::State& state)
{
    Registros& d = Datos();
    Registros::Abrir(d.base1991, false);
    for (auto _ : state) {
        ConstruirTablasTrazo(Registro());
        benchmark::DoNotOptimize(Registro().Tablas.Valores.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kMuestras *
                            (4 * kAnalogicos + kDigitales));
}

void BM_AsciiCopy(benchmark::State& state)
{
    Registros& d = Datos();
    Registros::Abrir(d.base1991, false);
    Registro().NombreConversion = d.dir.filePath("copia");
    for (auto _ : state) {
        if (!GuardarDatAscii().Ok())
            state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.bytesBinario);
}

BENCHMARK(BM_BareReadAndConvert)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareReadAndConvertLargePages)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenBinary1991)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenBinary1997)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenAscii1991)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BuildTables)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_AsciiCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
