#pragma once

// The instrument's SIGN column and its OziExplorer counterpart, symbol and colours.

#include <cstdint>
#include <string_view>

namespace zv {

struct SignSymbol {
    std::int32_t symbol;
    std::int32_t fgColour;
    std::int32_t bgColour;
};

// The OziExplorer symbol and colours of a SIGN text (exact, case-sensitive comparison of
// the whole token); any unknown text gets those of "o".
SignSymbol symbolOfSign(std::string_view sign);

// The 6-character SIGN column text of an OziExplorer symbol; unknown symbols give "   o  ".
std::string_view signOfSymbol(std::int32_t symbol);

// The 6-character SIGN column text of a SIGN ("+" is "   +  "); unknown texts give "   o  ".
std::string_view signColumnOf(std::string_view sign);

} // namespace zv
