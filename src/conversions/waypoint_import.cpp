#include "conversions/waypoint_import.h"

#include "base/file_paths.h"
#include "base/user_interface.h"
#include "conversions/instrument_names.h"
#include "formats/coordinates.h"
#include "formats/cup_file.h"
#include "formats/gpx_file.h"
#include "formats/instrument_text.h"
#include "formats/kml_file.h"
#include "formats/ozi_any_waypoints.h"
#include "formats/point_roles.h"
#include "formats/sign_symbols.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zv {

namespace {

using Reader = GeoPointRead (*)(std::string_view);

struct ForeignFormat {
    const char* extension;
    Reader read;
};

constexpr std::array<ForeignFormat, 4> foreignFormats = {{
    {".gpx", readGpxPoints},
    {".kml", readKmlPoints},
    {".wpt", readAnyOziWaypoints},
    {".cup", readCupPoints},
}};

// The ID an export of zv wrote into the description ("ID ES, SIGN +").
std::string idOfDescription(std::string_view description) {
    if (!description.starts_with("ID ")) {
        return {};
    }
    const std::string_view rest = description.substr(3);
    return std::string(rest.substr(0, std::min(rest.find_first_of(", "), idLimit)));
}

} // namespace

GeoPointRead readForeignWaypoints(const std::filesystem::path& source, std::string_view content) {
    const std::string extension = lowerCaseExtension(source);
    const auto byExtension =
        std::find_if(foreignFormats.begin(), foreignFormats.end(),
                     [&](const ForeignFormat& format) { return extension == format.extension; });
    const ForeignFormat* tried = nullptr;
    if (byExtension != foreignFormats.end()) {
        tried = &*byExtension;
        GeoPointRead read = tried->read(content);
        if (read.recognised) {
            return read;
        }
    }
    // A file whose extension says nothing, or something else than its content.
    for (const ForeignFormat& format : foreignFormats) {
        if (&format != tried) {
            GeoPointRead read = format.read(content);
            if (read.recognised) {
                return read;
            }
        }
    }
    return {};
}

std::optional<GeoPointRead> readForeignWaypointFile(const std::filesystem::path& source,
                                                    UserInterface& ui) {
    const std::optional<std::string> content = readFileOrSay(source, ui);
    if (!content) {
        return std::nullopt;
    }
    GeoPointRead read = readForeignWaypoints(source, *content);
    if (!read.recognised) {
        ui.message("Die Datei " + source.string() +
                       "\nist keine GPX-, KML-, SeeYou- oder OziExplorer-Wegpunktdatei.",
                   Icon::Question);
        return std::nullopt;
    }
    return read;
}

InstrumentWaypoints instrumentWaypointsOf(const std::vector<GeoPoint>& points) {
    InstrumentWaypoints result;
    result.waypoints.reserve(points.size());
    DistinctNames names;
    for (const GeoPoint& point : points) {
        const double altitude = std::round(point.elevation.value_or(0));
        if (!(altitude >= lowestAltitude && altitude <= highestAltitude)) {
            result.refused.push_back({point.name, "Höhe außerhalb von -999 bis 9999 m"});
            continue;
        }
        Waypoint waypoint;
        std::string name = instrumentNameOf(point.name);
        if (name.empty()) {
            name = "WP" + std::to_string(result.waypoints.size() + 1);
        }
        waypoint.name = names.take(std::move(name));
        const std::string region = instrumentNameOf(
            point.regionCode.empty() ? idOfDescription(point.description) : point.regionCode);
        waypoint.id = instrumentIdOf(region.empty() ? waypoint.name : region);
        waypoint.sign = signColumnOf(signOfRole(point.role));
        waypoint.altitude = static_cast<std::int32_t>(altitude);
        waypoint.unit = "m";
        const TextCoordinate latitude = latitudeToText(point.latitude);
        const TextCoordinate longitude = longitudeToText(point.longitude);
        waypoint.latHemisphere = latitude.hemisphere;
        waypoint.latDegrees = latitude.degrees;
        waypoint.latMinutes = latitude.minutes;
        waypoint.lonHemisphere = longitude.hemisphere;
        waypoint.lonDegrees = longitude.degrees;
        waypoint.lonMinutes = longitude.minutes;
        waypoint.latDecimal = static_cast<float>(point.latitude);
        waypoint.lonDecimal = static_cast<float>(point.longitude);
        result.waypoints.push_back(std::move(waypoint));
    }
    return result;
}

} // namespace zv
