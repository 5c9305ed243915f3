#include "conversions/export_documents.h"

#include "base/app_settings.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/climb_classes.h"
#include "formats/cp1252.h"
#include "formats/flight_track.h"
#include "formats/instrument_text.h"
#include "formats/ozi_any_waypoints.h"
#include "formats/point_roles.h"
#include "formats/precious_files.h"
#include "formats/regular_file.h"
#include "formats/sign_symbols.h"
#include "formats/text_fields.h"
#include "formats/waypoint_converter.h"

#include <algorithm>
#include <array>

namespace zv {

namespace {

constexpr double metresPerFoot = 0.3048;

double metres(std::int32_t altitude, std::string_view unit) {
    return unit == "ft" || unit == "FT" ? altitude * metresPerFoot : altitude;
}

// The styles of the roles of points, in the order of PointRole (a point's style is its
// role), in the colours of their SIGN on the OziExplorer map.
struct RoleStyle {
    PointRole role;
    const char* id;
    const char* name;
};
constexpr std::array<RoleStyle, 3> roleStyles = {{
    {PointRole::Waypoint, "waypoint", "Wegpunkt"},
    {PointRole::Takeoff, "takeoff", "Startplatz"},
    {PointRole::Landing, "landing", "Landeplatz"},
}};

void addRoleStyles(ExportDocument& document) {
    for (const RoleStyle& style : roleStyles) {
        const SignSymbol colours = symbolOfSign(signOfRole(style.role));
        document.styles.push_back({style.id, style.name, colours.bgColour, colours.fgColour});
    }
}

ExportPoint exportPoint(std::string name, double latitude, double longitude,
                        std::optional<double> elevation, std::string description, PointRole role) {
    ExportPoint point;
    point.name = std::move(name);
    point.latitude = latitude;
    point.longitude = longitude;
    point.elevation = elevation;
    point.description = std::move(description);
    point.symbol = symbolOfRole(role);
    point.style = static_cast<int>(role);
    return point;
}

bool readWaypoints(ExportDocument& document, const AppSettings& settings, UserInterface& ui,
                   const std::filesystem::path& source, bool takeoffSites) {
    CWaypointConverter converter(ui, settings.serialNumber);
    if (!converter.readZvWaypointFile(source)) {
        if (converter.zvFileOpened) {
            ui.openDocument(source); // the pilot finds the line the message names
        }
        return false;
    }
    addRoleStyles(document);
    for (const Waypoint& point : converter.zvWaypoints) {
        const PointRole role = takeoffSites ? PointRole::Takeoff : roleOfSign(point.sign);
        std::string description = "ID " + utf8Field(point.id) + ", SIGN " + utf8Field(point.sign);
        document.points.push_back(exportPoint(utf8Field(point.name), point.latDecimal,
                                              point.lonDecimal, metres(point.altitude, point.unit),
                                              std::move(description), role));
    }
    // A file of the route directory is a route: its points in their order.
    document.pointsFormRoute = !takeoffSites && isRouteFile(source, settings);
    return true;
}

bool readOziWaypoints(ExportDocument& document, UserInterface& ui,
                      const std::filesystem::path& source, const std::string& content) {
    const GeoPointRead read = readAnyOziWaypoints(content);
    if (!read.refused.empty()) {
        ui.message(rowMessage(source), Icon::Exclamation);
        return false;
    }
    addRoleStyles(document);
    for (const GeoPoint& point : read.points) {
        document.points.push_back(exportPoint(point.name, point.latitude, point.longitude,
                                              point.elevation, point.description, point.role));
    }
    return true;
}

// "Steigwert 2.6 m/s, Wind 046° 18 kmh", as the map export and the lift file write them.
std::string liftDescription(const Waypoint& lift) {
    std::string text = "Steigwert ";
    appendFixed(text, lift.climb, 1);
    text += ' ' + cp1252ToUtf8(lift.climbUnit.view()) + ", Wind ";
    appendInteger(text, lift.windDir, 3, Fill::Zeros);
    text += "\xC2\xB0 "; // the degree sign in UTF-8
    appendInteger(text, lift.windSpeed, 0);
    text += ' ' + cp1252ToUtf8(lift.windSpeedUnit.view());
    return text;
}

bool readLifts(ExportDocument& document, const AppSettings& settings, UserInterface& ui,
               const std::filesystem::path& source) {
    CWaypointConverter converter(ui, settings.serialNumber);
    converter.mode = LiftReadMode::Upload; // decimal degrees, the rest as read
    if (!converter.readLiftFile(source)) {
        if (converter.zvFileOpened) {
            ui.openDocument(source);
        }
        return false;
    }
    for (std::size_t i = 0; i < climbClasses.size(); ++i) {
        document.styles.push_back({"climb" + std::to_string(i), climbClasses[i].label,
                                   climbClasses[i].bgColour, climbClasses[i].fgColour});
    }
    document.points.reserve(converter.zvWaypoints.size());
    for (const Waypoint& lift : converter.zvWaypoints) {
        ExportPoint point;
        point.name = utf8Field(lift.name);
        point.latitude = lift.latDecimal;
        point.longitude = lift.lonDecimal;
        point.elevation = metres(lift.altitude, lift.unit);
        point.description = liftDescription(lift);
        point.style = static_cast<int>(climbClassOf(lift.climb));
        document.points.push_back(std::move(point));
    }
    return true;
}

bool readFlight(ExportDocument& document, UserInterface& ui, const std::filesystem::path& source) {
    CFlightTrack flight(ui);
    if (!flight.readFlightFile(source)) {
        return false;
    }
    ExportTrack track;
    track.name = flight.takeoffText();
    // Hundredths of a minute, as the track conversion turns them into degrees.
    constexpr double degreesPerUnit = 1.0 / 6000;
    track.points.reserve(flight.points.size());
    for (const TrackPoint& point : flight.points) {
        track.points.push_back({point.pointLatitude * degreesPerUnit,
                                point.pointLongitude * degreesPerUnit,
                                static_cast<double>(point.pointAltitude)});
    }
    document.track = std::move(track);
    return true;
}

bool onEarth(double latitude, double longitude) {
    return latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude <= 180;
}

// Other programs refuse a file with a position beyond the poles or the date line; such a
// point, which only a damaged file holds, is left out and counted.
std::size_t dropPointsOffEarth(ExportDocument& document) {
    std::size_t dropped = std::erase_if(document.points, [](const ExportPoint& point) {
        return !onEarth(point.latitude, point.longitude);
    });
    if (document.track) {
        dropped += std::erase_if(document.track->points, [](const ExportTrackPoint& point) {
            return !onEarth(point.latitude, point.longitude);
        });
    }
    return dropped;
}

} // namespace

std::optional<ExportDocument> exportDocumentOf(const AppSettings& settings, UserInterface& ui,
                                               const std::filesystem::path& source) {
    ExportDocument document;
    document.name = source.stem().string();
    const std::string extension = lowerCaseExtension(source);
    bool read = false;
    if (extension == ".zvc") {
        read = readFlight(document, ui, source);
    } else if (extension == ".lft") {
        read = readLifts(document, settings, ui, source);
    } else if (extension == ".tof") {
        read = readWaypoints(document, settings, ui, source, true);
    } else if (extension == ".wpt") {
        const std::optional<std::string> firstLine = readFirstLine(source, 256);
        if (firstLine && isOziWaypointText(*firstLine)) {
            const std::optional<std::string> content = readFileOrSay(source, ui);
            if (!content) {
                return std::nullopt;
            }
            read = readOziWaypoints(document, ui, source, *content);
        } else {
            read = readWaypoints(document, settings, ui, source, false);
        }
    } else {
        ui.message("Die Datei " + source.string() +
                       "\nist keine Wegpunkt-, Routen-, Startplatz-, Aufwind- oder Flugdatei.\n"
                       "Exportiert werden Dateien mit den Endungen wpt, tof, lft und zvc.",
                   Icon::Question);
    }
    if (!read) {
        return std::nullopt;
    }
    document.pointsOffEarth = dropPointsOffEarth(document);
    return document;
}

} // namespace zv
