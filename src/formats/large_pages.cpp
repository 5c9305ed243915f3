#include "formats/large_pages.h"

#include <cstdint>
#include <sys/mman.h>

namespace zv {

void adviseLargePages(const void* data, std::size_t bytes) {
    constexpr std::uintptr_t largePage = std::uintptr_t{2} << 20;
    if (bytes < 8 * largePage) {
        return;
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + largePage - 1) & ~(largePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(largePage - 1);
    if (last > first) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}

} // namespace zv
