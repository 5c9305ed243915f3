#include "mapdata/web_mercator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zv::map {

namespace {

constexpr double earthRadius = 6378137.0; // metres, of the sphere Web Mercator maps
constexpr double degreesToRadians = std::numbers::pi / 180.0;

} // namespace

void WorldRect::add(const WorldPoint& point) {
    left = std::min(left, point.x);
    right = std::max(right, point.x);
    top = std::min(top, point.y);
    bottom = std::max(bottom, point.y);
}

void WorldRect::add(const WorldRect& other) {
    if (!other.isEmpty()) {
        add(WorldPoint{other.left, other.top});
        add(WorldPoint{other.right, other.bottom});
    }
}

WorldPoint worldFromGeo(const LatLon& geo) {
    const double latitude = std::clamp(geo.latitude, -maxLatitude, maxLatitude);
    const double longitude = std::clamp(geo.longitude, -180.0, 180.0);
    const double sine = std::sin(latitude * degreesToRadians);
    const double y = 0.5 - std::log((1 + sine) / (1 - sine)) / (4 * std::numbers::pi);
    // A value that is no number (a damaged file) lands in a corner instead of spreading.
    return {std::isnan(longitude) ? 0.0 : (longitude + 180.0) / 360.0,
            std::isnan(y) ? 0.0 : std::clamp(y, 0.0, 1.0)};
}

LatLon geoFromWorld(const WorldPoint& world) {
    const double n = std::numbers::pi * (1 - 2 * world.y);
    return {std::atan(std::sinh(n)) / degreesToRadians, world.x * 360.0 - 180.0};
}

double worldPixels(int zoom) {
    return std::ldexp(static_cast<double>(tilePixels), zoom);
}

double metresPerPixel(double latitude, int zoom) {
    return 2 * std::numbers::pi * earthRadius * std::cos(latitude * degreesToRadians) /
           worldPixels(zoom);
}

std::uint64_t packedTileKey(const TileKey& key) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(key.zoom)) << 56) |
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(key.x)) << 28) |
           static_cast<std::uint64_t>(static_cast<std::uint32_t>(key.y));
}

} // namespace zv::map
