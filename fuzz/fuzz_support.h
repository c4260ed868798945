#pragma once
// What the fuzz targets share: the layout of their inputs, a scratch folder
// for the files the readers open, and the checks that end a run.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vesdra::fuzz {

// A record input: the .cfg text, a NUL byte, then the data file's bytes (a
// .cfg holds no NUL). Without a NUL the whole input is the .cfg and the data
// file is empty.
struct Partes {
    std::string_view cfg;
    std::string_view dat;
};
[[nodiscard]] Partes Partir(const std::uint8_t* data, size_t size);

// Writes `bytes` as the file `nombre` of the process's scratch folder and
// returns its path. A file that cannot be written ends the run: the target
// would test nothing.
[[nodiscard]] QString Fichero(const QString& nombre, std::string_view bytes);

// Ends the run as a crash (the input is kept) when `cierto` is false.
void Exigir(bool cierto, const char* que);

// Reads cfg + dat into Registro() as the open sequence does, the .dat as
// BINARY or as ASCII whatever the .cfg says, and checks what the readers
// promise of the model. True when both files were read.
bool LeerRegistro(const Partes& partes, bool ascii);

} // namespace vesdra::fuzz
