#pragma once

// Web Mercator, the projection of the slippy-map tiles: the world is a square of side 1,
// x growing eastward from 180 W, y growing southward from about 85.05 N; at zoom z it is
// 2^z tiles of 256 pixels per side.

#include <cstdint>

namespace zv::map {

inline constexpr int tilePixels = 256;
inline constexpr int minZoom = 0;
inline constexpr int maxZoom = 19; // the deepest zoom of the OpenStreetMap standard tiles
// The latitude where the square world ends; points beyond it are drawn on its edge.
inline constexpr double maxLatitude = 85.0511287798066;

// A place on the unit square of the world.
struct WorldPoint {
    double x = 0;
    double y = 0;

    friend bool operator==(const WorldPoint&, const WorldPoint&) = default;
};

// A rectangle of the world; empty until a point was added.
struct WorldRect {
    double left = 1;
    double top = 1;
    double right = 0;
    double bottom = 0;

    bool isEmpty() const { return left > right || top > bottom; }
    void add(const WorldPoint& point);
    void add(const WorldRect& other);
    bool contains(const WorldPoint& point) const {
        return left <= point.x && point.x <= right && top <= point.y && point.y <= bottom;
    }
    bool intersects(const WorldRect& other) const {
        return left <= other.right && other.left <= right && top <= other.bottom &&
               other.top <= bottom;
    }
};

// A place in signed decimal degrees, north and east positive.
struct LatLon {
    double latitude = 0;
    double longitude = 0;
};

WorldPoint worldFromGeo(const LatLon& geo);
LatLon geoFromWorld(const WorldPoint& world);

// The side of the world in pixels at a zoom level: 256 * 2^zoom.
double worldPixels(int zoom);
// The length on the ground of one pixel at a latitude and zoom level.
double metresPerPixel(double latitude, int zoom);

// One tile of the slippy map.
struct TileKey {
    int zoom = 0;
    int x = 0;
    int y = 0;

    friend bool operator==(const TileKey&, const TileKey&) = default;
};

// A key of one number, for hash tables and caches.
std::uint64_t packedTileKey(const TileKey& key);

} // namespace zv::map
