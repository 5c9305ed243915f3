#pragma once

// What an export writes of a file of zv: the points, route or track of an instrument
// waypoint, route or takeoff site file, a lift file or the lift database, a flight data
// file, or an OziExplorer waypoint file, in the terms of other programs (UTF-8, decimal
// degrees, metres). The kind of the file is known by its extension and its content.

#include "formats/geo_points.h"

#include <filesystem>
#include <optional>

namespace zv {

struct AppSettings;
class UserInterface;

// The document of `source`; nothing after a message when it cannot be read or is of no
// kind zv exports.
std::optional<ExportDocument> exportDocumentOf(const AppSettings& settings, UserInterface& ui,
                                               const std::filesystem::path& source);

} // namespace zv
