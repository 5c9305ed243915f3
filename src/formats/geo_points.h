#pragma once

// Points, tracks and styles as the exchange formats of other programs hold them (GPX,
// KML, SeeYou, OziExplorer): texts in UTF-8, positions in signed decimal degrees of
// WGS 84, north and east positive, heights in metres. The readers of those formats fill
// `GeoPointRead`; the writers take an `ExportDocument`.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// What a source says a point is.
enum class PointRole { Waypoint, Takeoff, Landing };

struct GeoPoint {
    std::string name;
    double latitude = 0;
    double longitude = 0;
    std::optional<double> elevation; // metres
    PointRole role = PointRole::Waypoint;
    std::string regionCode;  // a country or region code the source gives ("SI"; the ID
                             // of a description zv wrote)
    std::string description; // free text of the source
};

// A point of the source that cannot be taken, and why (both UTF-8).
struct RefusedPoint {
    std::string name;
    std::string reason;
};

// Why a position cannot be taken (a latitude beyond ±90°, a longitude beyond ±180°, no
// number), in German; empty when it can.
std::string positionRefusal(std::optional<double> latitude, std::optional<double> longitude);

// Adds the point, or, when its position cannot be taken, a refusal naming it.
struct GeoPointRead;
void takePoint(GeoPointRead& read, GeoPoint point, std::optional<double> latitude,
               std::optional<double> longitude);

struct GeoPointRead {
    // False when the content is not of the reader's format at all.
    bool recognised = false;
    std::vector<GeoPoint> points;
    std::vector<RefusedPoint> refused;
};

// A map style: the colours of a point's symbol and label, as Windows colour values
// (red + 256 green + 65536 blue).
struct ExportStyle {
    std::string id;
    std::string name;
    std::int32_t iconColour = 0;
    std::int32_t labelColour = 0;
};

struct ExportPoint {
    std::string name;
    double latitude = 0;
    double longitude = 0;
    std::optional<double> elevation; // metres
    std::string description;
    std::string symbol;
    int style = -1; // index into ExportDocument::styles, or none
};

struct ExportTrackPoint {
    double latitude = 0;
    double longitude = 0;
    double elevation = 0; // metres
};

struct ExportTrack {
    std::string name;
    std::vector<ExportTrackPoint> points;
};

struct ExportDocument {
    std::string name; // the file's name without its extension
    std::vector<ExportStyle> styles;
    std::vector<ExportPoint> points;
    bool pointsFormRoute = false; // the points are also one route, in their order
    std::optional<ExportTrack> track;
    std::size_t pointsOffEarth = 0; // left out: a position beyond ±90° or ±180°
};

} // namespace zv
