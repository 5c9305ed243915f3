#include "formats/sign_symbols.h"

#include <array>

namespace zv {

namespace {

struct SignEntry {
    std::string_view sign;       // as the instrument writes it in its SIGN column
    std::string_view signColumn; // the same, right-aligned in the 6-character column
    SignSymbol symbol;
};

constexpr std::array<SignEntry, 6> signTable{{
    {"o", "   o  ", {0, 8388608, 65280}},
    {"TPT", "   TPT", {7, 0, 65535}},
    {"H", "   H  ", {9, 16777215, 2105376}},
    {"X", "   X  ", {12, 65535, 16711680}},
    {"+", "   +  ", {14, 0, 16243391}},
    {"T", "   T  ", {15, 65535, 255}},
}};

} // namespace

SignSymbol symbolOfSign(std::string_view sign) {
    for (const auto& entry : signTable) {
        if (entry.sign == sign) {
            return entry.symbol;
        }
    }
    return signTable[0].symbol;
}

std::string_view signOfSymbol(std::int32_t symbol) {
    for (const auto& entry : signTable) {
        if (entry.symbol.symbol == symbol) {
            return entry.signColumn;
        }
    }
    return signTable[0].signColumn;
}

std::string_view signColumnOf(std::string_view sign) {
    for (const auto& entry : signTable) {
        if (entry.sign == sign) {
            return entry.signColumn;
        }
    }
    return signTable[0].signColumn;
}

} // namespace zv
