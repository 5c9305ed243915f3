#pragma once

#include <cstddef>

namespace zv {

// Asks the kernel to back a large block of memory (a list of a million points, the cell
// table of the lift clean-up) with large pages. Faulting in such a block page by page of
// 4 KiB, and looking it up at random through the processor's page cache, cost more than
// the work done on it. It is only advice: blocks below 16 MiB are left alone, and a
// kernel that does not follow it changes nothing.
void adviseLargePages(const void* data, std::size_t bytes);

} // namespace zv
