#include "mapdata/map_files.h"

#include "base/app_settings.h"
#include "base/file_paths.h"
#include "conversions/waypoint_import.h"
#include "formats/flight_track.h"
#include "formats/ozi_any_waypoints.h"
#include "formats/regular_file.h"
#include "formats/text_fields.h"
#include "formats/waypoint_converter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>

namespace zv::map {

namespace {

// One line of an OziExplorer file header is far shorter.
constexpr std::size_t firstLineLimit = 4096;

std::int16_t clampedShort(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

WorldPoint worldOf(const Waypoint& point) {
    return worldFromGeo({point.latDecimal, point.lonDecimal});
}

// The index of a lift's units in the layer's list; the list holds at most 256, the last
// standing for any more (no file of the instrument comes near).
std::uint8_t unitsOf(MapLayer& layer, const Waypoint& lift) {
    const LiftUnits units{lift.unit.str(), lift.climbUnit.str(), lift.windSpeedUnit.str()};
    // Nearly every lift has the units of the one before.
    if (!layer.liftUnits.empty() && layer.liftUnits.back() == units) {
        return static_cast<std::uint8_t>(layer.liftUnits.size() - 1);
    }
    const auto found = std::find(layer.liftUnits.begin(), layer.liftUnits.end(), units);
    if (found != layer.liftUnits.end()) {
        return static_cast<std::uint8_t>(found - layer.liftUnits.begin());
    }
    constexpr std::size_t limit = std::numeric_limits<std::uint8_t>::max() + std::size_t{1};
    if (layer.liftUnits.size() == limit) {
        return static_cast<std::uint8_t>(limit - 1);
    }
    layer.liftUnits.push_back(units);
    return static_cast<std::uint8_t>(layer.liftUnits.size() - 1);
}

void takeMarks(MapLayer& layer, const WaypointList& points) {
    layer.marks.reserve(points.size());
    for (const Waypoint& point : points) {
        layer.marks.push_back(
            {worldOf(point), utf8Field(point.name), point.altitude, point.unit.str()});
    }
}

bool readFlight(MapLayer& layer, UserInterface& ui) {
    CFlightTrack track(ui);
    if (!track.readFlightFile(layer.path)) {
        return false;
    }
    // The instrument's unit: a hundredth of an arc minute.
    constexpr double degreesPerUnit = 1.0 / 6000;
    std::vector<FlightFix> fixes;
    fixes.reserve(track.points.size());
    for (const TrackPoint& point : track.points) {
        fixes.push_back({worldFromGeo({point.pointLatitude * degreesPerUnit,
                                       point.pointLongitude * degreesPerUnit}),
                         point.pointAltitude, 0.0f});
    }
    layer.flight = FlightPath(std::move(fixes));
    layer.title += " (" + track.takeoffText() + ")";
    return true;
}

bool readLifts(MapLayer& layer, const AppSettings& settings, UserInterface& ui) {
    CWaypointConverter converter(ui, settings.serialNumber);
    converter.mode = LiftReadMode::Upload;
    if (!converter.readLiftFile(layer.path)) {
        return false;
    }
    std::vector<Thermal> thermals;
    thermals.reserve(converter.zvWaypoints.size());
    for (const Waypoint& lift : converter.zvWaypoints) {
        Thermal thermal;
        thermal.at = worldOf(lift);
        thermal.climb = lift.climb;
        thermal.altitude = lift.altitude;
        thermal.windDirection = clampedShort(lift.windDir);
        thermal.windSpeed = clampedShort(lift.windSpeed);
        thermal.ident.fill(' ');
        std::copy_n(lift.name.begin(), std::min(lift.name.size(), thermal.ident.size()),
                    thermal.ident.begin());
        thermal.units = unitsOf(layer, lift);
        thermals.push_back(thermal);
    }
    converter.zvWaypoints = {};
    layer.lifts = ThermalIndex(std::move(thermals));
    return true;
}

// The waypoints of another program's file (GPX, KML, SeeYou, OziExplorer), read as the
// import reads them.
bool readForeignPoints(MapLayer& layer, UserInterface& ui) {
    const std::optional<GeoPointRead> read = readForeignWaypointFile(layer.path, ui);
    if (!read) {
        return false;
    }
    layer.marks.reserve(read->points.size());
    for (const GeoPoint& point : read->points) {
        // Whole metres; a height that is no number counts as none.
        const double given = point.elevation.value_or(0);
        const double elevation = std::isfinite(given) ? given : 0;
        layer.marks.push_back(
            {worldFromGeo({point.latitude, point.longitude}), point.name,
             static_cast<std::int32_t>(std::lround(std::clamp(elevation, -1e6, 1e6))), "m"});
    }
    return true;
}

bool readPoints(MapLayer& layer, const AppSettings& settings, UserInterface& ui) {
    const std::optional<std::string> firstLine = readFirstLine(layer.path, firstLineLimit);
    if (firstLine && isOziWaypointText(*firstLine)) {
        return readForeignPoints(layer, ui);
    }
    CWaypointConverter converter(ui, settings.serialNumber);
    if (!converter.readZvWaypointFile(layer.path)) {
        return false;
    }
    takeMarks(layer, converter.zvWaypoints);
    return true;
}

} // namespace

bool isMapFile(const std::filesystem::path& path) {
    static constexpr std::array<std::string_view, 7> extensions = {".zvc", ".wpt", ".tof", ".lft",
                                                                   ".gpx", ".kml", ".cup"};
    const std::string extension = lowerCaseExtension(path);
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

FileDialogRequest mapFileRequest(const AppSettings& settings) {
    FileDialogRequest request;
    request.title = "Dateien auf der Karte zeigen";
    request.filter = "Kartendateien (*.zvc;*.wpt;*.tof;*.lft;*.gpx;*.kml;*.cup) "
                     "|*.zvc;*.wpt;*.tof;*.lft;*.gpx;*.kml;*.cup|Alle Dateien (*.*) |*.*||";
    request.initialDir = settings.waypointDir;
    request.mustExist = true;
    request.multiple = true;
    return request;
}

std::optional<MapLayer> readMapLayer(const std::filesystem::path& path, const AppSettings& settings,
                                     UserInterface& ui) {
    MapLayer layer;
    layer.path = path;
    layer.title = path.filename().string();
    const std::string extension = lowerCaseExtension(path);
    bool read = false;
    if (extension == ".zvc") {
        layer.kind = LayerKind::Flight;
        read = readFlight(layer, ui);
    } else if (extension == ".lft") {
        layer.kind = LayerKind::Lifts;
        read = readLifts(layer, settings, ui);
    } else if (extension == ".tof") {
        layer.kind = LayerKind::Takeoffs;
        read = readPoints(layer, settings, ui);
    } else if (extension == ".wpt") {
        layer.kind = isRouteFile(path, settings) ? LayerKind::Route : LayerKind::Waypoints;
        read = readPoints(layer, settings, ui);
    } else if (extension == ".gpx" || extension == ".kml" || extension == ".cup") {
        layer.kind = LayerKind::Waypoints;
        read = readForeignPoints(layer, ui);
    } else {
        ui.message("Die Datei " + path.string() +
                       "\nist keine Kartendatei (Flug .zvc, Wegpunkte oder Route .wpt, "
                       "Startplätze .tof, Aufwinde .lft, GPX, KML, SeeYou .cup).",
                   Icon::Exclamation);
    }
    if (!read) {
        return std::nullopt;
    }
    return layer;
}

} // namespace zv::map
