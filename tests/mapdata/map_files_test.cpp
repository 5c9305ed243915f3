// Map files read through the instrument's readers: what each kind puts on the map, and
// that a file the readers refuse stays off it with their message.
#include "base/app_settings.h"
#include "mapdata/map_files.h"
#include "mapdata/map_texts.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace zv::map {
namespace {

namespace fs = std::filesystem;
using test::testData;

LatLon placeOf(const WorldPoint& at) {
    return geoFromWorld(at);
}

TEST(MapFiles, WhichFilesGoOnTheMap) {
    const std::pair<const char*, bool> cases[] = {
        {"Flug.zvc", true},       {"a/b/Example.WPT", true},
        {"Start.tof", true},      {"Lifts.lft", true},
        {"Tour.gpx", true},       {"Lifts.KML", true},
        {"Wettbewerb.cup", true}, {"Flugbuch.log", false},
        {"lines.lne", false},     {"track.plt", false},
        {"zvc", false},           {"noext", false},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(isMapFile(name), expected) << name;
    }
    AppSettings settings;
    settings.waypointDir = "/fly/Data/Zv";
    const FileDialogRequest request = mapFileRequest(settings);
    EXPECT_EQ(request.initialDir, fs::path("/fly/Data/Zv"));
    EXPECT_TRUE(request.multiple);
    EXPECT_TRUE(request.mustExist);
    EXPECT_NE(request.filter.find("*.zvc;*.wpt;*.tof;*.lft;*.gpx;*.kml;*.cup"), std::string::npos);
}

TEST(MapFiles, AFlightWithItsDateAndEveryPoint) {
    test::ScriptedUserInterface ui;
    const auto layer = readMapLayer(testData("flights/flight.zvc"), AppSettings{}, ui);
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->kind, LayerKind::Flight);
    EXPECT_EQ(layer->title, "flight.zvc (21.04.95 14:00)");
    // 044D90 00F3E8 0258 is 47 N, 10.406667 E at 600 m.
    // The reader's points; the line without an altitude holds none.
    ASSERT_EQ(layer->flight.fixes().size(), 5u);
    const LatLon first = placeOf(layer->flight.fixes()[0].at);
    EXPECT_NEAR(first.latitude, 47.0, 1e-9);
    EXPECT_NEAR(first.longitude, 62440 / 6000.0, 1e-9);
    EXPECT_EQ(layer->flight.fixes()[0].altitude, 600);
    EXPECT_EQ(legendText(*layer), "flight.zvc (21.04.95 14:00): 5 Punkte");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MapFiles, WaypointsRoutesAndTakeoffSitesAsLabelledPoints) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "Routen");
    fs::copy_file(testData("formats/example_zv.wpt"), dir.path() / "Routen" / "Tour.wpt");
    AppSettings settings;
    settings.routeDir = (dir.path() / "Routen").string();
    test::writeBytes(dir.path() / "Wettbewerb.cup",
                     "name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,freq,desc\r\n"
                     "\"Col de l'Arbre, Süd\",\"CDA\",FR,4533.517N,00614.050E,1299.9m,20,,,,,"
                     "\"Takeoff\"\r\n");
    struct Case {
        fs::path path;
        LayerKind kind;
        std::size_t count;
        const char* firstName;
        double latitude;
        double longitude;
        const char* tooltip;
    };
    const Case cases[] = {
        {testData("formats/example_zv.wpt"), LayerKind::Waypoints, 2, "AGUADULCE-S",
         36 + 49.43 / 60, -(2 + 34.21 / 60), "AGUADULCE-S\nWegpunkt\nHöhe 350 m\nexample_zv.wpt"},
        {dir.path() / "Routen" / "Tour.wpt", LayerKind::Route, 2, "AGUADULCE-S", 36 + 49.43 / 60,
         -(2 + 34.21 / 60), "AGUADULCE-S\nRoutenpunkt 1\nHöhe 350 m\nTour.wpt"},
        {testData("lifts/takeoffs.tof"), LayerKind::Takeoffs, 4, "AGUADULCE-S", 36 + 49.43 / 60,
         -(2 + 34.21 / 60), "AGUADULCE-S\nStartplatz\nHöhe 350 m\ntakeoffs.tof"},
        // Other programs' files, read as the import reads them; an OziExplorer file is
        // told by its first line.
        {testData("formats/example_ozi.wpt"), LayerKind::Waypoints, 2, "AGUADULCE-S", 36.823833,
         -2.570167, "AGUADULCE-S\nWegpunkt\nHöhe 350 m\nexample_ozi.wpt"},
        {testData("exchange/example~gpx.gpx"), LayerKind::Waypoints, 2, "AGUADULCE-S", 36.823833,
         -2.570167, "AGUADULCE-S\nWegpunkt\nHöhe 350 m\nexample~gpx.gpx"},
        {testData("exchange/example~kml.kml"), LayerKind::Waypoints, 2, "AGUADULCE-S", 36.823833,
         -2.570167, "AGUADULCE-S\nWegpunkt\nHöhe 350 m\nexample~kml.kml"},
        {dir.path() / "Wettbewerb.cup", LayerKind::Waypoints, 1, "Col de l'Arbre, Süd",
         45 + 33.517 / 60, 6 + 14.05 / 60,
         "Col de l'Arbre, Süd\nWegpunkt\nHöhe 1300 m\nWettbewerb.cup"},
    };
    for (const Case& c : cases) {
        test::ScriptedUserInterface ui;
        const auto layer = readMapLayer(c.path, settings, ui);
        ASSERT_TRUE(layer) << c.path;
        EXPECT_EQ(layer->kind, c.kind) << c.path;
        ASSERT_EQ(layer->marks.size(), c.count) << c.path;
        EXPECT_EQ(layer->marks[0].name, c.firstName);
        const LatLon place = placeOf(layer->marks[0].at);
        EXPECT_NEAR(place.latitude, c.latitude, 1e-5) << c.path;
        EXPECT_NEAR(place.longitude, c.longitude, 1e-5) << c.path;
        EXPECT_EQ(markTooltip(*layer, 0), c.tooltip);
        EXPECT_TRUE(ui.messages.empty()) << c.path;
    }
}

TEST(MapFiles, LiftsKeepTheirClimbWindAndUnits) {
    test::ScriptedUserInterface ui;
    const auto layer = readMapLayer(testData("formats/example.lft"), AppSettings{}, ui);
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->kind, LayerKind::Lifts);
    ASSERT_EQ(layer->lifts.size(), 2u);
    EXPECT_EQ(legendText(*layer), "example.lft: 2 Aufwinde");
    std::vector<std::string> tooltips;
    for (const Thermal& thermal : layer->lifts.thermals()) {
        tooltips.push_back(thermalTooltip(*layer, thermal));
    }
    std::sort(tooltips.begin(), tooltips.end());
    EXPECT_EQ(tooltips, (std::vector<std::string>{
                            "Aufwind DE.BOP\nHöhe 875 m\nSteigen 2.6 m/s\nWind 046° 18 kmh\n"
                            "example.lft",
                            "Aufwind L01\nHöhe 1200 ft\nSteigen -0.5 m/s\nWind 359° 105 kmh\n"
                            "example.lft"}));
    const WorldRect bounds = layer->bounds();
    EXPECT_NEAR(placeOf({bounds.left, 0.5}).longitude, -(120 + 59.99 / 60), 1e-5);
    EXPECT_NEAR(placeOf({bounds.right, 0.5}).longitude, 8 + 30.89 / 60, 1e-5);
}

TEST(MapFiles, WhatTheReadersRefuseStaysOffTheMap) {
    test::TempDir dir;
    test::writeBytes(dir.path() / "notes.txt", "nichts\r\n");
    test::writeBytes(dir.path() / "empty.gpx", "kein GPX\r\n");
    test::writeBytes(
        dir.path() / "broken.lft",
        "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n;--- LIFTS\r\n\r\n;IDENT\r\n"
        "\r\nDE.BOP    N  50 14.03   E   8 30.89     875 m     2.6 m/s\r\n@EOF\r\n");
    struct Case {
        fs::path path;
        std::string message;
        Icon icon;
    };
    const Case cases[] = {
        {dir.path() / "notes.txt",
         "Die Datei " + (dir.path() / "notes.txt").string() +
             "\nist keine Kartendatei (Flug .zvc, Wegpunkte oder Route .wpt, Startplätze .tof, "
             "Aufwinde .lft, GPX, KML, SeeYou .cup).",
         Icon::Exclamation},
        {dir.path() / "broken.lft",
         "Zeile in Datei " + (dir.path() / "broken.lft").string() +
             "\nkonnte nicht\trichtig interpretiert werden. Bitte überprüfen!",
         Icon::Exclamation},
        {testData("flights/blank_first_line.zvc"),
         "Format der Datei " + testData("flights/blank_first_line.zvc").string() +
             " unzulässig?\nBitte überprüfen!",
         Icon::Question},
        {dir.path() / "empty.gpx",
         "Die Datei " + (dir.path() / "empty.gpx").string() +
             "\nist keine GPX-, KML-, SeeYou- oder OziExplorer-Wegpunktdatei.",
         Icon::Question},
        {dir.path() / "missing.wpt",
         "Die Datei " + (dir.path() / "missing.wpt").string() +
             "\nkonnte nicht geöffnet werden. Bitte Pfad + Namen überprüfen!",
         Icon::Stop},
    };
    for (const Case& c : cases) {
        test::ScriptedUserInterface ui;
        EXPECT_FALSE(readMapLayer(c.path, AppSettings{}, ui)) << c.path;
        ASSERT_EQ(ui.messages.size(), 1u) << c.path;
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].icon, c.icon);
    }
}

} // namespace
} // namespace zv::map
