#pragma once

// printf into a string in the C locale, whatever locale the process runs under: the
// reference that the writers' columns are compared with, and a short way for tests, fuzz
// targets and benchmarks to build input rows. Header-only, so that the fuzz targets and
// benchmarks can use it without the test library.

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <string>

namespace zv::test {

inline std::string cFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

inline std::string cFormat(const char* format, ...) {
    // The C locale for this thread only, for the time of the call.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const locale_t previous = uselocale(cLocale);
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) {
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
    va_end(args);
    uselocale(previous);
    return text;
}

} // namespace zv::test
