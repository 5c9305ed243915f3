#pragma once

// GPX, the exchange format of GPS programs (version 1.1 written; 1.0 and 1.1 read).
//
// Written: the points as `wpt` (position, `ele`, `name`, `desc`, `sym`); a route also as
// one `rte` of `rtept` in the points' order; a track as one `trk` with one `trkseg` of
// `trkpt` with `ele` and no time.
// Read: every `wpt` and every `rtept`, in the order of the file; `name`, `ele` (metres),
// `desc` or `cmt`, and from `sym` or `type` whether the point is a takeoff or a landing
// field.

#include "formats/geo_points.h"

#include <filesystem>
#include <string_view>

namespace zv {

bool writeGpxFile(const std::filesystem::path& path, const ExportDocument& document);

GeoPointRead readGpxPoints(std::string_view content);

} // namespace zv
