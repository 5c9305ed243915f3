#include "conversions/lines_conversion.h"

#include "base/app_settings.h"
#include "base/file_choice.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "conversions/takeoff_conversions.h"
#include "formats/waypoint_converter.h"

#include <cmath>
#include <vector>

namespace zv {

namespace {

// The instrument's constants, in single precision: the directions it shows are the ones
// these give (a bearing due west comes out as 271).
constexpr float degreesToRadians = 0.017453292f;
constexpr float minutesToDegrees = 0.016666668f;
constexpr float pi = 3.1415927f;
constexpr float halfPi = 1.5707964f;
constexpr float threeHalfPi = 4.712389f;
constexpr float twoPi = 6.2831855f;
constexpr float radiansToDegrees = 57.295776f;

// A point in the local plane: y the latitude in radians, x the longitude in radians
// shrunk with the cosine of the latitude. South and west count negative.
struct PlanePoint {
    float x;
    float y;
};

PlanePoint planePoint(const Waypoint& point) {
    const float latSign = point.latHemisphere == 'S' ? -1.0f : 1.0f;
    const float lonSign = point.lonHemisphere == 'W' ? -1.0f : 1.0f;
    const float y =
        latSign * (point.latDegrees + point.latMinutes * minutesToDegrees) * degreesToRadians;
    const float x = static_cast<float>(
        std::cos(static_cast<double>(y)) *
        (lonSign * (point.lonDegrees + point.lonMinutes * minutesToDegrees)) * degreesToRadians);
    return {x, y};
}

// The compass direction from a to b in whole degrees, 0 north, 90 east.
std::int32_t bearing(const PlanePoint& a, const PlanePoint& b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    double theta = 0;
    if (dx != 0) {
        theta = std::atan(static_cast<double>(dy / dx));
        if (dx < 0) {
            theta += pi;
        } else if (dy < 0) {
            theta += twoPi;
        }
    } else if (dy > 0) {
        theta = halfPi;
    } else if (dy < 0) {
        theta = threeHalfPi;
    }
    // Truncated toward zero, as the instrument's firmware does.
    std::int32_t direction = 90 - static_cast<std::int32_t>(theta * radiansToDegrees);
    if (direction < 0) {
        direction += 360;
    }
    return direction;
}

bool refuse(UserInterface& ui) {
    ui.message("Die Datei enthält zuviele Lines!\nBitte reduzieren!", Icon::Information);
    return false;
}

} // namespace

bool convertToLines(CWaypointConverter& converter) {
    WaypointList& points = converter.oziWaypoints;
    if (points.size() > maxLinePoints) {
        return refuse(converter.ui());
    }
    // Each group: the index of its first point and its number of points.
    std::vector<std::pair<std::size_t, std::size_t>> groups;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i == 0 || points[i].id != points[i - 1].id) {
            groups.emplace_back(i, 0);
        }
        ++groups.back().second;
    }
    // The instrument holds at most 10 lines.
    if (groups.size() > maxLineGroups) {
        return refuse(converter.ui());
    }
    std::vector<PlanePoint> plane;
    plane.reserve(points.size());
    for (const auto& point : points) {
        plane.push_back(planePoint(point));
    }
    for (const auto& [first, count] : groups) {
        for (std::size_t j = 0; j < count; ++j) {
            const std::size_t next = first + (j + 1 == count ? 0 : j + 1);
            const std::size_t previous = first + (j == 0 ? count - 1 : j - 1);
            points[first + j].dir1 = bearing(plane[first + j], plane[next]);
            points[first + j].dir2 = bearing(plane[first + j], plane[previous]);
        }
    }
    return true;
}

bool commandWptToLines(const AppSettings& settings, UserInterface& ui) {
    const auto chosen =
        chooseExistingFile(ui, {"Ozi-Wegpunktdatei öffen", "Ozi-Wegpunkte (*.wpt) |*.wpt||", "wpt",
                                settings.oziDir, ""});
    if (!chosen) {
        return false;
    }
    const std::filesystem::path source = *chosen;
    const std::filesystem::path target = convertedFilePath(source, settings.liftDir, "lne");
    if (canOpenForReading(target) &&
        ui.ask("Die Datei " + target.string() + "\nexistiert schon. Soll sie überschrieben werden?",
               Icon::Question, Buttons::YesNo) != Answer::Yes) {
        return false;
    }
    CWaypointConverter converter(ui, settings.serialNumber);
    if (!converter.readOziWaypointFile(source)) {
        if (converter.oziFileOpened) {
            ui.openDocument(source);
            ui.message("Suchen Sie den Fehler in der Ozi-Wegpunktedatei\n", Icon::Exclamation);
        }
        return false;
    }
    if (!convertToLines(converter)) {
        return false;
    }
    if (!converter.writeLineFile(target)) {
        if (!converter.oziWaypoints.empty()) {
            ui.message("Die Datei " + target.string() + "\nkonnte nicht geschrieben werden!",
                       Icon::Stop);
        }
        return false;
    }
    ui.openDocument(target);
    return true;
}

} // namespace zv
