#pragma once
#include <QString>
#include <cstdint>
#include <functional>

namespace vesdra {

// How the record code reaches windows built by the shell. Every member has a
// no-op default, so the readers run headless (tests, benchmarks).
struct RecordProgress {
    // The opening gauge (gasolino): add = true adds percent, percent 0 with
    // add = true resets it.
    std::function<void(bool add, int percent)> LlenarGasolino{[](bool, int) {}};
    // The progress bar of the ASCII copy (gasolino2): shown with its maximum,
    // moved, then unloaded.
    std::function<void(int max)> BarraInicio{[](int) {}};
    std::function<void(int value)> BarraValor{[](int) {}};
    std::function<void()> BarraFin{[] {}};
    // A message box: text number of the language table, style (16 critical,
    // 48 exclamation, 64 information, 0 plain) and caption's text number
    // (0: the program's default caption).
    std::function<void(int texto, int estilo, int titulo)> Mensaje{[](int, int, int) {}};

    // Seams for the tests. DatMedido runs once a data file's size is known,
    // before its samples are read: a test changes the file there as another
    // program might. BloqueAscii: the bytes the ASCII reader takes from its
    // file at a time (at least 1).
    std::function<void(const QString& rutaDat)> DatMedido{[](const QString&) {}};
    std::int64_t BloqueAscii{std::int64_t{1} << 20};
};

// The one process-wide set of hooks.
RecordProgress& ProgresoRegistro();

} // namespace vesdra
