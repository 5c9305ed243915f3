#pragma once

// A small scanf for the record lines of the logbook. The patterns are written as the
// instrument's logbook has always been read ("%d %[:] %d ..."), but sscanf itself has
// undefined behaviour on numbers that overflow and no bound on "%s", and a logbook file
// may hold anything; so the few directives the patterns use are interpreted here.
//
// Directives: a blank matches any run of white space (also none); "%d", "%f" and "%s"
// skip white space first; "%[set]" does not (ranges "a-z", a '-' at the end is itself);
// an optional width after '%' bounds a field; any other character must match itself.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zv {

using ScanTarget = std::variant<int*, float*, std::string*>;

// Returns the number of fields converted before the first mismatch, or -1 when the line
// ended before the first conversion (as sscanf returns EOF).
int scanLine(std::string_view line, std::string_view pattern,
             const std::vector<ScanTarget>& targets);

} // namespace zv
