// The ASCII data reader on any data file, under a .cfg taken from the
// input's first bytes (see fuzz_support.h).
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    (void)vesdra::fuzz::LeerRegistro(vesdra::fuzz::Partir(data, size), true);
    return 0;
}
