#include "record/tablas_trazo.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

#include "record/record_model.h"

namespace vesdra {

namespace {

// Runs tarea(0) .. tarea(n - 1), each once, on a few threads when the work
// is large enough to pay for them; returns when all are done, with the
// first failure thrown again here.
template <typename Tarea> void Repartir(std::size_t n, std::int64_t muestras, Tarea tarea)
{
    constexpr std::int64_t kMuestrasPorHilo = std::int64_t{1} << 22;
    const auto hilos = static_cast<std::size_t>(std::clamp<std::int64_t>(
        std::min<std::int64_t>(
            {muestras / kMuestrasPorHilo + 1, static_cast<std::int64_t>(n),
             static_cast<std::int64_t>(std::max(1u, std::thread::hardware_concurrency()))}),
        1, 4));
    std::atomic<std::size_t> siguiente{0};
    std::exception_ptr fallo;
    std::atomic_flag fallado = ATOMIC_FLAG_INIT;
    const auto trabajar = [&] {
        for (std::size_t i; (i = siguiente++) < n;) {
            try {
                tarea(i);
            } catch (...) {
                if (!fallado.test_and_set())
                    fallo = std::current_exception();
            }
        }
    };
    std::vector<std::thread> ayudantes;
    for (std::size_t k = 1; k < hilos; ++k) {
        try {
            ayudantes.emplace_back(trabajar);
        } catch (const std::system_error&) {
            break; // no thread to be had: the ones there are do the work
        }
    }
    trabajar();
    for (std::thread& h : ayudantes)
        h.join();
    if (fallo)
        std::rethrow_exception(fallo);
}

std::vector<TracePyramid> TablasMatriz(const Matrix<float>& m)
{
    std::vector<TracePyramid> t(static_cast<size_t>(m.Cols()));
    Repartir(t.size(), static_cast<std::int64_t>(m.Rows()) * m.Cols(),
             [&](std::size_t i) { t[i] = TracePyramid(m.Column(static_cast<std::int32_t>(i) + 1)); });
    return t;
}

// The tables of a 1997 record's two value matrices: first those of every
// column that is its own, then the derived ones scaled from the other's.
void TablasDosLados(const Matrix<float>& valores, const Matrix<float>& otro,
                    std::span<const ColumnaDerivada> derivadas, std::vector<TracePyramid>& tValores,
                    std::vector<TracePyramid>& tOtro)
{
    using Cual = ColumnaDerivada::Cual;
    const auto n = static_cast<std::size_t>(valores.Cols());
    tValores.assign(n, TracePyramid{});
    tOtro.assign(static_cast<std::size_t>(otro.Cols()), TracePyramid{});
    const auto derivada = [&](std::size_t i) {
        return i < derivadas.size() && TracePyramid::ScalesExactly(derivadas[i].Factor) &&
                       valores.Rows() == otro.Rows() && i < tOtro.size()
                   ? derivadas[i].Derivada
                   : Cual::Ninguna;
    };
    Repartir(n + tOtro.size(), static_cast<std::int64_t>(valores.Rows()) * valores.Cols() * 2,
             [&](std::size_t k) {
                 const bool enValores = k < n;
                 const std::size_t i = enValores ? k : k - n;
                 if (derivada(i) == (enValores ? Cual::Valores : Cual::OtroLado))
                     return;
                 const auto c = static_cast<std::int32_t>(i) + 1;
                 (enValores ? tValores : tOtro)[i] = TracePyramid((enValores ? valores : otro).Column(c));
             });
    for (std::size_t i = 0; i < n; ++i) {
        if (derivada(i) == Cual::Valores)
            tValores[i] = tOtro[i].Scaled(derivadas[i].Factor);
        else if (derivada(i) == Cual::OtroLado)
            tOtro[i] = tValores[i].Scaled(derivadas[i].Factor);
    }
}

} // namespace

void ConstruirTablasTrazo(RecordModel& r, std::span<const ColumnaDerivada> derivadas)
{
    TablasTrazo& t = r.Tablas;
    if (r.ValoresOtroLado.Empty()) {
        t.Valores = TablasMatriz(r.Valores);
        t.OtroLado.clear();
    } else {
        TablasDosLados(r.Valores, r.ValoresOtroLado, derivadas, t.Valores, t.OtroLado);
    }
    const Matrix<std::uint8_t>& e = r.EstadosDigitales;
    t.Estados.assign(static_cast<size_t>(e.Cols()), StatePyramid{});
    Repartir(t.Estados.size(), static_cast<std::int64_t>(e.Rows()) * e.Cols() / 4,
             [&](std::size_t i) { t.Estados[i] = StatePyramid(e.Column(static_cast<std::int32_t>(i) + 1)); });
}

const TracePyramid* TablaValores(const RecordModel& r, std::int32_t columna)
{
    const std::vector<TracePyramid>& t = r.Tablas.Valores;
    if (columna < 1 || columna > r.Valores.Cols() || static_cast<std::int64_t>(t.size()) != r.Valores.Cols())
        return nullptr;
    const TracePyramid& p = t[static_cast<size_t>(columna - 1)];
    return p.Size() == r.Valores.Rows() ? &p : nullptr;
}

const StatePyramid* TablaEstados(const RecordModel& r, std::int32_t columna)
{
    const std::vector<StatePyramid>& t = r.Tablas.Estados;
    const Matrix<std::uint8_t>& e = r.EstadosDigitales;
    if (columna < 1 || columna > e.Cols() || static_cast<std::int64_t>(t.size()) != e.Cols())
        return nullptr;
    const StatePyramid& p = t[static_cast<size_t>(columna - 1)];
    return p.Size() == e.Rows() ? &p : nullptr;
}

EnvelopeTables TablasTramo(const RecordModel& r, std::int32_t columna, std::int32_t primera)
{
    return {TablaValores(r, columna), static_cast<std::int64_t>(primera) - 1};
}

} // namespace vesdra
