#include "record/matrix.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vesdra::detail {

// Blocks are mapped whole, their start on a 2 MB boundary so the system can
// back them with large pages. A block the allocator took from here always
// goes back here: LiberarGrande is told its size, as ReservarGrande was.
// Where no mapping is available the ordinary heap serves (with the same
// size threshold, so the pair stays consistent).
namespace {
constexpr size_t kPaginaGrande = size_t{2} << 20;
size_t Redondear(size_t bytes)
{
    return (bytes + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
}
} // namespace

void* ReservarGrande(size_t bytes)
{
#if defined(__linux__)
    const size_t tam = Redondear(bytes);
    void* m =
        ::mmap(nullptr, tam + kPaginaGrande, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED)
        throw std::bad_alloc();
    auto* base = static_cast<char*>(m);
    const auto dir = reinterpret_cast<std::uintptr_t>(base);
    const size_t delante = (kPaginaGrande - dir % kPaginaGrande) % kPaginaGrande;
    if (delante > 0)
        ::munmap(base, delante);
    const size_t detras = kPaginaGrande - delante;
    if (detras > 0)
        ::munmap(base + delante + tam, detras);
    void* p = base + delante;
#if defined(MADV_HUGEPAGE)
    (void)::madvise(p, tam, MADV_HUGEPAGE);
#endif
    return p;
#else
    void* p = std::malloc(bytes);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
#endif
}

void LiberarGrande(void* p, size_t bytes)
{
    if (p == nullptr)
        return;
#if defined(__linux__)
    ::munmap(p, Redondear(bytes));
#else
    (void)bytes;
    std::free(p);
#endif
}

} // namespace vesdra::detail
