// Web Mercator and the view of the map: where a place lands, which tiles a view needs, and
// that panning, zooming and fitting keep what the pilot expects in place.
#include "mapdata/map_viewport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zv::map {
namespace {

TEST(WebMercator, PlacesLandOnTheirTiles) {
    struct Case {
        LatLon place;
        int zoom;
        int tileX;
        int tileY;
    };
    const Case cases[] = {
        {{0, 0}, 1, 1, 1},
        {{47.3769, 8.5417}, 10, 536, 358},    // Zürich
        {{36.8238, -2.5702}, 12, 2018, 1596}, // Aguadulce, west of Greenwich
        {{-33.8688, 151.2093}, 8, 235, 153},  // Sydney, south and east
        {{85.0511, -180}, 5, 0, 0},
        {{-85.0511, 179.9999}, 5, 31, 31},
    };
    for (const Case& c : cases) {
        const WorldPoint world = worldFromGeo(c.place);
        const double tiles = std::ldexp(1.0, c.zoom);
        EXPECT_EQ(static_cast<int>(world.x * tiles), c.tileX) << c.place.latitude;
        EXPECT_EQ(static_cast<int>(world.y * tiles), c.tileY) << c.place.latitude;
    }
}

TEST(WebMercator, RoundTripsAndClampsTheUnmappable) {
    for (const LatLon place :
         {LatLon{47.2083, 10.4}, LatLon{-12.5, -77.04}, LatLon{0, 0}, LatLon{84.9, 179.5}}) {
        const LatLon back = geoFromWorld(worldFromGeo(place));
        EXPECT_NEAR(back.latitude, place.latitude, 1e-9);
        EXPECT_NEAR(back.longitude, place.longitude, 1e-9);
    }
    // Beyond the square world and damaged values stay on it.
    EXPECT_EQ(worldFromGeo({90, 0}).y, 0.0);
    EXPECT_EQ(worldFromGeo({-90, 0}).y, 1.0);
    EXPECT_EQ(worldFromGeo({0, 400}).x, 1.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const WorldPoint damaged = worldFromGeo({nan, nan});
    EXPECT_EQ(damaged, (WorldPoint{0, 0}));
    EXPECT_NEAR(metresPerPixel(0, 0), 156543.03, 0.01);
    EXPECT_NEAR(metresPerPixel(60, 10), 156543.03 / 1024 / 2, 0.01);
}

TEST(MapViewport, ScreenAndWorldAgree) {
    const MapViewport view(worldFromGeo({47, 10}), 12, 800, 600);
    for (const ScreenPoint point : {ScreenPoint{0, 0}, ScreenPoint{400, 300},
                                    ScreenPoint{799.5, 13}, ScreenPoint{-50, 700}}) {
        const ScreenPoint back = view.screenFromWorld(view.worldFromScreen(point));
        EXPECT_NEAR(back.x, point.x, 1e-6);
        EXPECT_NEAR(back.y, point.y, 1e-6);
    }
    const ScreenPoint middle = view.screenFromWorld(view.centre());
    EXPECT_DOUBLE_EQ(middle.x, 400);
    EXPECT_DOUBLE_EQ(middle.y, 300);
}

TEST(MapViewport, ZoomKeepsThePlaceUnderThePointer) {
    struct Case {
        int zoom;
        int steps;
        int expectedZoom;
    };
    const Case cases[] = {
        {12, 1, 13}, {12, -3, 9}, {maxZoom, 1, maxZoom}, {minZoom, -1, minZoom}, {5, 40, maxZoom},
    };
    for (const Case& c : cases) {
        MapViewport view(worldFromGeo({47, 10}), c.zoom, 800, 600);
        const ScreenPoint pointer{620, 110};
        const WorldPoint before = view.worldFromScreen(pointer);
        view.zoomAt(pointer, c.steps);
        EXPECT_EQ(view.zoom(), c.expectedZoom);
        const ScreenPoint after = view.screenFromWorld(before);
        EXPECT_NEAR(after.x, pointer.x, 1e-6) << c.zoom << " " << c.steps;
        EXPECT_NEAR(after.y, pointer.y, 1e-6) << c.zoom << " " << c.steps;
    }
}

TEST(MapViewport, PanningMovesTheContentAndStaysOnTheWorld) {
    MapViewport view(worldFromGeo({47, 10}), 10, 800, 600);
    const WorldPoint place = worldFromGeo({47.1, 10.2});
    const ScreenPoint before = view.screenFromWorld(place);
    view.panByPixels(-35, 20);
    const ScreenPoint after = view.screenFromWorld(place);
    EXPECT_NEAR(after.x - before.x, -35, 1e-6);
    EXPECT_NEAR(after.y - before.y, 20, 1e-6);
    view.panByPixels(1e9, -1e9);
    EXPECT_EQ(view.centre(), (WorldPoint{0, 1}));
}

TEST(MapViewport, FitShowsAllOfTheDataAtTheDeepestZoomThatHoldsIt) {
    struct Case {
        LatLon a;
        LatLon b;
        int width;
        int height;
    };
    const Case cases[] = {
        {{47.0, 10.0}, {47.3, 10.9}, 1024, 768}, // a flight
        {{45.0, 6.0}, {51.0, 12.0}, 800, 600},   // a lift database of the Alps
        {{36.82, -2.57}, {36.81, -2.56}, 640, 480},
        {{-40, -70}, {60, 150}, 300, 200},
    };
    for (const Case& c : cases) {
        WorldRect data;
        data.add(worldFromGeo(c.a));
        data.add(worldFromGeo(c.b));
        const MapViewport view = viewportShowing(data, c.width, c.height);
        const auto inside = [&](const MapViewport& v) {
            const ScreenPoint topLeft = v.screenFromWorld({data.left, data.top});
            const ScreenPoint bottomRight = v.screenFromWorld({data.right, data.bottom});
            return topLeft.x >= 0 && topLeft.y >= 0 && bottomRight.x <= c.width &&
                   bottomRight.y <= c.height;
        };
        EXPECT_TRUE(inside(view)) << c.width;
        if (view.zoom() < 15) {
            const MapViewport deeper(view.centre(), view.zoom() + 1, c.width - 96, c.height - 96);
            EXPECT_FALSE(inside(deeper)) << c.width;
        }
    }
    // One point alone: as deep as a valley is seen, not the deepest tiles.
    WorldRect point;
    point.add(worldFromGeo({47, 10}));
    EXPECT_EQ(viewportShowing(point, 800, 600).zoom(), 15);
    // Nothing: the view stays as it was.
    EXPECT_EQ(viewportShowing(WorldRect{}, 800, 600).zoom(), minZoom);
}

TEST(MapViewport, TheTilesCoverTheViewNearestFirst) {
    const MapViewport view(worldFromGeo({47, 10}), 11, 1000, 700);
    const std::vector<TileKey> tiles = view.visibleTiles();
    // Every corner and the middle of the view lie on a listed tile.
    for (const ScreenPoint point : {ScreenPoint{0, 0}, ScreenPoint{999, 0}, ScreenPoint{0, 699},
                                    ScreenPoint{999, 699}, ScreenPoint{500, 350}}) {
        const WorldPoint world = view.worldFromScreen(point);
        const TileKey key{11, static_cast<int>(world.x * 2048), static_cast<int>(world.y * 2048)};
        EXPECT_NE(std::find(tiles.begin(), tiles.end(), key), tiles.end());
    }
    EXPECT_LE(tiles.size(), std::size_t{6 * 4});
    const WorldPoint centre = view.centre();
    EXPECT_EQ(tiles.front(),
              (TileKey{11, static_cast<int>(centre.x * 2048), static_cast<int>(centre.y * 2048)}));
    // At the edge of the world no tile lies outside it.
    const MapViewport corner({0, 0}, 2, 1000, 700);
    for (const TileKey& tile : corner.visibleTiles()) {
        EXPECT_GE(tile.x, 0);
        EXPECT_GE(tile.y, 0);
    }
    EXPECT_EQ(corner.visibleTiles().size(), std::size_t{4});
}

} // namespace
} // namespace zv::map
