#pragma once

// KML 2.2, the format of Google Earth and many map programs.
//
// Written: a Document with the styles, and a Folder named after the file with one
// Placemark per point (Point with longitude, latitude and height); a route also as a
// LineString in the points' order; a track as a LineString with absolute heights,
// extruded to the ground.
// Read: every Placemark whose geometry is a Point, in the order of the file, with its
// name, description and height; whether it is a takeoff or a landing field from its
// styleUrl.

#include "formats/geo_points.h"

#include <filesystem>
#include <string_view>

namespace zv {

bool writeKmlFile(const std::filesystem::path& path, const ExportDocument& document);

GeoPointRead readKmlPoints(std::string_view content);

} // namespace zv
