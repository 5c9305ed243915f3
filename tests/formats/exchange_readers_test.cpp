// The readers of other programs' waypoint files: GPX, KML, SeeYou and OziExplorer files
// as those programs write them, and what each reader refuses.
#include "formats/cup_file.h"
#include "formats/gpx_file.h"
#include "formats/kml_file.h"
#include "formats/ozi_any_waypoints.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace zv {
namespace {

// One point as a test expects it: name, position, height (NaN: none) and role.
struct Expected {
    std::string name;
    double latitude;
    double longitude;
    double elevation;
    PointRole role = PointRole::Waypoint;
};

void expectPoints(const GeoPointRead& read, const std::vector<Expected>& expected,
                  const std::string& what) {
    ASSERT_TRUE(read.recognised) << what;
    ASSERT_EQ(read.points.size(), expected.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const GeoPoint& point = read.points[i];
        EXPECT_EQ(point.name, expected[i].name) << what;
        EXPECT_NEAR(point.latitude, expected[i].latitude, 1e-9) << what << ' ' << point.name;
        EXPECT_NEAR(point.longitude, expected[i].longitude, 1e-9) << what << ' ' << point.name;
        if (std::isnan(expected[i].elevation)) {
            EXPECT_FALSE(point.elevation) << what << ' ' << point.name;
        } else {
            ASSERT_TRUE(point.elevation) << what << ' ' << point.name;
            EXPECT_NEAR(*point.elevation, expected[i].elevation, 1e-9) << what << ' ' << point.name;
        }
        EXPECT_EQ(point.role, expected[i].role) << what << ' ' << point.name;
    }
}

constexpr double none = std::numeric_limits<double>::quiet_NaN();

TEST(ExchangeReaders, GpxWaypointsAndRoutePointsInFileOrder) {
    const struct {
        const char* what;
        std::string content;
        std::vector<Expected> points;
    } cases[] = {
        {"GPX 1.1 with a route",
         R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="x" xmlns="http://www.topografix.com/GPX/1/1">
  <wpt lat="47.5" lon="-11.25"><ele>1234.5</ele><name> Hochfelln </name><sym>Takeoff</sym></wpt>
  <rte><name>r</name>
    <rtept lat="-33.5" lon="151"><name>Landing B</name><type>Landeplatz</type></rtept>
  </rte>
  <trk><trkseg><trkpt lat="1" lon="1"/></trkseg></trk>
  <wpt lat="0" lon="0"><name>Null</name><sym>Flag, Blue</sym></wpt>
</gpx>)",
         {{"Hochfelln", 47.5, -11.25, 1234.5, PointRole::Takeoff},
          {"Landing B", -33.5, 151, none, PointRole::Landing},
          {"Null", 0, 0, none}}},
        {"GPX 1.0 in ISO-8859-1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
         "<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\">"
         "<wpt lat=\"46.1\" lon=\"+7.2\"><name>Gr\xFCnten</name><ele>900</ele>"
         "<sym>Airport</sym></wpt></gpx>",
         {{"Gr\xC3\xBCnten", 46.1, 7.2, 900, PointRole::Landing}}},
    };
    for (const auto& c : cases) {
        expectPoints(readGpxPoints(c.content), c.points, c.what);
    }
}

TEST(ExchangeReaders, KmlPointPlacemarksAtAnyDepth) {
    const std::string content = R"(<?xml version="1.0" encoding="UTF-8"?>
<kml:kml xmlns:kml="http://www.opengis.net/kml/2.2"><kml:Document>
  <kml:Placemark><kml:name>Top</kml:name><kml:Point>
    <kml:coordinates>
      8.5,47.25,1200
    </kml:coordinates></kml:Point><kml:styleUrl>#takeoff</kml:styleUrl></kml:Placemark>
  <kml:Folder><kml:Folder>
    <kml:Placemark><kml:name>Deep</kml:name><kml:Point><kml:coordinates>-70.5,-33</kml:coordinates></kml:Point></kml:Placemark>
    <kml:Placemark><kml:name>Line</kml:name><kml:LineString><kml:coordinates>1,2 3,4</kml:coordinates></kml:LineString></kml:Placemark>
  </kml:Folder></kml:Folder>
</kml:Document></kml:kml>)";
    expectPoints(readKmlPoints(content),
                 {{"Top", 47.25, 8.5, 1200, PointRole::Takeoff}, {"Deep", -33, -70.5, none}},
                 "KML with prefixes");
}

TEST(ExchangeReaders, SeeYouFilesWithOrWithoutTheirColumnLine) {
    const struct {
        const char* what;
        std::string content;
        std::vector<Expected> points;
    } cases[] = {
        {"columns in another order, quotes and units",
         "lat,lon,elev,name,code,country,style,rwdir,rwlen,rwwidth,freq,desc\r\n"
         "4707.407N,01410.467E,504.0m,\"Lesce, \"\"Bled\"\"\",LJBL,SI,20,,,,,\r\n"
         "3330.000S,07015.000W,1000ft,Aiton,,FR,3,110,300.0m,,,\"a, b\"\r\n"
         "\r\n"
         "-----Related Tasks-----\r\n"
         "\"Task\",\"Lesce\",\"Aiton\"\r\n",
         {{"Lesce, \"Bled\"", 47 + 7.407 / 60, 14 + 10.467 / 60, 504, PointRole::Takeoff},
          {"Aiton", -33.5, -70.25, 304.8, PointRole::Landing}}},
        {"no column line, Windows-1252",
         "\"M\xFChle\",M,DE,4800.000N,01100.000E,,21\n",
         {{"M\xC3\xBChle", 48, 11, none, PointRole::Landing}}},
    };
    for (const auto& c : cases) {
        expectPoints(readCupPoints(c.content), c.points, c.what);
    }
    const GeoPointRead read = readCupPoints("name,code,country,lat,lon,elev,style\n"
                                            "Bad,B,XX,4760.000N,01100.000E,0m,1\n");
    EXPECT_TRUE(read.recognised);
    EXPECT_TRUE(read.points.empty());
    ASSERT_EQ(read.refused.size(), 1u);
    EXPECT_EQ(read.refused[0].name, "Bad");
}

TEST(ExchangeReaders, OziExplorerFilesOfAnyProgram) {
    const std::string head =
        "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";
    // As GPSBabel writes them: the description is text, the altitude is in feet.
    const std::string gpsbabel =
        head + "1,Caf\xE9 Z\xFCrich,47.100000,8.500000,,0,1,3,0,65535,Caf\xE9,0,0,0,1312,6,0,17\r\n"
               "2,Komma\xD1 Punkt,-1.5,2.5,,14,1,3,0,65535,,0,0,0,-777,6,0,17\r\n";
    // As zv writes them: ID and altitude in the description.
    const std::string zv =
        head + "   1,AGUADULCE-S   ,  36.823833,  -2.570167,33604.00000,14, 1, 4,         0,  "
               "16243391,ES  350 m                               , 0, 0,    0, -777\r\n";
    expectPoints(readAnyOziWaypoints(gpsbabel),
                 {{"Caf\xC3\xA9 Z\xC3\xBCrich", 47.1, 8.5, 1312 * 0.3048},
                  {"Komma, Punkt", -1.5, 2.5, none, PointRole::Takeoff}},
                 "GPSBabel");
    const GeoPointRead read = readAnyOziWaypoints(zv);
    expectPoints(read, {{"AGUADULCE-S", 36.823833, -2.570167, 350, PointRole::Takeoff}}, "zv");
    EXPECT_EQ(read.points[0].regionCode, "ES");

    const GeoPointRead short_ = readAnyOziWaypoints(head + "1,Alone\r\n3,No,Place,x\r\n");
    EXPECT_TRUE(short_.points.empty());
    EXPECT_EQ(short_.refused.size(), 2u);
}

TEST(ExchangeReaders, WhatIsNoFileOfTheFormatIsNotRecognised) {
    const std::string notXml = "OziExplorer Waypoint File Version 1.1\r\n";
    const std::string otherXml = "<?xml version=\"1.0\"?><html><wpt lat=\"1\" lon=\"2\"/></html>";
    for (const std::string& content : {std::string(), notXml, otherXml, std::string("<gpx>")}) {
        EXPECT_FALSE(readGpxPoints(content).recognised) << content;
        EXPECT_FALSE(readKmlPoints(content).recognised) << content;
    }
    EXPECT_FALSE(readAnyOziWaypoints("<gpx/>").recognised);
    EXPECT_FALSE(readCupPoints("just some words\nand more\n").recognised);
}

TEST(ExchangeReaders, PositionsOffTheEarthAreRefusedByName) {
    const std::string gpx = R"(<gpx>
<wpt lat="91" lon="0"><name>North</name></wpt>
<wpt lat="0" lon="-180.5"><name>West</name></wpt>
<wpt lat="nan" lon="0"><name>NaN</name></wpt>
<wpt lon="3"><name>Half</name></wpt>
<wpt lat="-90" lon="180"><name>Corner</name></wpt></gpx>)";
    const GeoPointRead read = readGpxPoints(gpx);
    ASSERT_EQ(read.points.size(), 1u);
    EXPECT_EQ(read.points[0].name, "Corner");
    ASSERT_EQ(read.refused.size(), 4u);
    EXPECT_EQ(read.refused[0].name, "North");
    EXPECT_EQ(read.refused[3].name, "Half");
}

} // namespace
} // namespace zv
