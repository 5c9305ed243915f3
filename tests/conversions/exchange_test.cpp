// Export to GPX and KML, import from the files of other programs: the bytes written, the
// names the instrument takes, and what reaches the pilot when something cannot be done.
#include "base/app_settings.h"
#include "conversions/exchange_commands.h"
#include "conversions/instrument_names.h"
#include "conversions/waypoint_import.h"
#include "formats/gpx_file.h"
#include "formats/kml_file.h"
#include "formats/waypoint_converter.h"
#include "link/packet_payloads.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <deque>
#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::testData;
using test::writeBytes;

struct ExchangeDirs {
    TempDir dir;
    AppSettings settings;

    ExchangeDirs() {
        for (const char* name : {"Ozi", "Zv", "Routen", "Logbuch", "Lifts"}) {
            std::filesystem::create_directory(dir.path() / name);
        }
        settings.oziDir = dir / "Ozi";
        settings.waypointDir = dir / "Zv";
        settings.routeDir = dir / "Routen";
        settings.logbookDir = dir / "Logbuch";
        settings.logbookFile = "Flugbuch.log";
        settings.liftDir = dir / "Lifts";
        settings.liftDatabase = "Lifts.lft";
        settings.startDir = dir.path().string();
        settings.serialNumber = 1596;
    }
};

TEST(Exchange, ExportsEqualTheReferenceFiles) {
    const struct {
        const char* source;
        bool inRouteDir;
    } sources[] = {
        {"example.wpt", false}, {"route.wpt", true}, {"lifts.lft", false}, {"flight.zvc", false}};
    for (const auto& s : sources) {
        ExchangeDirs dirs;
        const std::filesystem::path source =
            dirs.dir.path() / (s.inRouteDir ? "Routen" : "Zv") / s.source;
        std::filesystem::copy_file(testData(std::string("exchange/") + s.source), source);
        const std::string stem = std::filesystem::path(s.source).stem().string();
        for (const auto& [format, extension] :
             {std::pair{ExportFormat::Gpx, "gpx"}, std::pair{ExportFormat::Kml, "kml"}}) {
            ScriptedUserInterface ui;
            const std::string name = stem + "~" + extension + "." + extension;
            const std::filesystem::path target = dirs.dir.path() / "Ozi" / name;
            EXPECT_TRUE(exportFile(dirs.settings, ui, format, source, target)) << name;
            EXPECT_EQ(readBytes(target), readBytes(testData("exchange/" + name))) << name;
            ASSERT_EQ(ui.messages.size(), 1u) << name;
            EXPECT_EQ(ui.messages.back().icon, Icon::Information) << name;
        }
    }
}

TEST(Exchange, NamesBecomeNamesOfTheInstrument) {
    const struct {
        const char* utf8;
        const char* name; // Windows-1252
    } cases[] = {
        {"Café", "CAFE"},
        {"Col de l'Arbre", "COL DE L ARBRE"},
        {"Märchenwiese", "M\xC4RCHENWIESE"},
        {"Straße", "STRA\xDF"
                   "E"},
        {"Łódź  (Süd)", "LODZ S\xDC"
                        "D"},
        {"Œuvre Ĳssel", "OEUVRE IJSSEL"},
        {"Turn°Point>1:2", "TURN\xB0POINT>1:2"},
        {"  🪂 ", ""},
        {"a\xFF"
         "b",
         "A B"}, // broken UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(instrumentNameOf(c.utf8), c.name) << c.utf8;
    }
    EXPECT_EQ(instrumentIdOf("FR"), "FR");
    EXPECT_EQ(instrumentIdOf("- 1 B"), "1B");
    EXPECT_EQ(instrumentIdOf(". /"), "WP");

    DistinctNames names;
    EXPECT_EQ(names.take("VERY LONG NAME OF A HILL"), "VERY LONG NAME");
    EXPECT_EQ(names.take("VERY LONG NAME OF A HILL"), "VERY LONG NA 2");
    EXPECT_EQ(names.take("VERY LONG NAME, TOO"), "VERY LONG NA 3");
    EXPECT_EQ(names.take("SHORT"), "SHORT");
    EXPECT_EQ(names.take("SHORT"), "SHORT 2");
}

// Every import is a file that zv's own reader reads with the same names and signs, and
// whose waypoints the upload takes.
TEST(Exchange, ImportedWaypointsAreReadAndSentByZv) {
    ExchangeDirs dirs;
    const std::string gpx = R"(<gpx>
<wpt lat="47.999999" lon="-0.5"><ele>1799.6</ele><name>Straße über Ötz</name><sym>Takeoff</sym></wpt>
<wpt lat="-33.5" lon="151.25"><ele>-12</ele><name>Straße über Ötz</name><type>landing</type></wpt>
<wpt lat="0" lon="0"><name>€</name></wpt>
<wpt lat="10" lon="10"><ele>10000</ele><name>Too high</name></wpt></gpx>)";
    writeBytes(dirs.dir.path() / "Ozi" / "in.gpx", gpx);
    ScriptedUserInterface ui;
    ui.fileChoices = {{dirs.dir.path() / "Ozi" / "in.gpx"}, {dirs.dir.path() / "Zv" / "out"}};
    ASSERT_TRUE(commandImportWaypoints(dirs.settings, ui));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text,
              "Diese Wegpunkte wurden nicht übernommen:\nToo high: Höhe außerhalb von -999 bis "
              "9999 m");
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    const std::filesystem::path target = dirs.dir.path() / "Zv" / "out.wpt";
    ASSERT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{target});

    CWaypointConverter converter(ui, 1596);
    ASSERT_TRUE(converter.readZvWaypointFile(target));
    ASSERT_EQ(converter.zvWaypoints.size(), 3u);
    const Waypoint& takeoff = converter.zvWaypoints[0];
    EXPECT_EQ(takeoff.name, "STRA\xDF"
                            "E \xDC"
                            "BER \xD6T"); // cut to 14
    EXPECT_EQ(takeoff.id, "ST");
    EXPECT_EQ(takeoff.sign, "+");
    EXPECT_EQ(takeoff.altitude, 1800);
    // 47.999999° is 47° 59.99994', written as "47 60.00" without a carry into the degrees,
    // as every instrument file has it.
    EXPECT_EQ(takeoff.latMinutes, 60.0f);
    EXPECT_EQ(converter.zvWaypoints[1].name, "STRA\xDF"
                                             "E \xDC"
                                             "BER 2 "); // distinct from the first
    EXPECT_EQ(converter.zvWaypoints[1].sign, "X");
    EXPECT_EQ(converter.zvWaypoints[1].altitude, -12);
    EXPECT_EQ(converter.zvWaypoints[2].name, "WP3           ");
    EXPECT_EQ(converter.zvWaypoints[2].sign, "o");

    std::deque<TransferPacket> packets;
    EXPECT_TRUE(encodeWaypoints(converter.zvWaypoints, packets, ui));
    EXPECT_EQ(packets.size(), 3u);
}

TEST(Exchange, ExportedWaypointsComeBackByImport) {
    for (const char* format : {"gpx", "kml"}) {
        ExchangeDirs dirs;
        const std::filesystem::path exported =
            testData(std::string("exchange/example~") + format + "." + format);
        ScriptedUserInterface ui;
        ui.fileChoices = {{exported}, {dirs.dir.path() / "Zv" / "back.wpt"}};
        ASSERT_TRUE(commandImportWaypoints(dirs.settings, ui)) << format;
        // The example as zv writes it: the unit column and the banner as the writer has them.
        CWaypointConverter original(ui, 1596);
        CWaypointConverter back(ui, 1596);
        ASSERT_TRUE(original.readZvWaypointFile(testData("exchange/example.wpt")));
        ASSERT_TRUE(back.readZvWaypointFile(dirs.dir.path() / "Zv" / "back.wpt"));
        ASSERT_EQ(back.zvWaypoints.size(), original.zvWaypoints.size());
        for (std::size_t i = 0; i < back.zvWaypoints.size(); ++i) {
            const Waypoint& a = original.zvWaypoints[i];
            const Waypoint& b = back.zvWaypoints[i];
            EXPECT_EQ(b.name, a.name) << format;
            EXPECT_EQ(b.id, a.id) << format;
            EXPECT_EQ(b.sign, a.sign) << format;
            EXPECT_EQ(b.altitude, a.altitude) << format;
            EXPECT_EQ(b.latDecimal, a.latDecimal) << format;
            EXPECT_EQ(b.lonDecimal, a.lonDecimal) << format;
        }
    }
}

TEST(Exchange, AFailedImportWritesNothing) {
    const struct {
        const char* what;
        std::string content;
        Icon icon;
        std::string message;
    } cases[] = {
        {"no format", "Hallo\n", Icon::Question, "ist keine GPX-, KML-, SeeYou- oder OziExplorer"},
        {"no waypoint", "<gpx version=\"1.1\"/>", Icon::Information, "enthält keine Wegpunkte"},
        {"only refused", "<gpx><wpt lat=\"100\" lon=\"0\"><name>X</name></wpt></gpx>",
         Icon::Exclamation, "Es wurde keine Datei geschrieben."},
    };
    for (const auto& c : cases) {
        ExchangeDirs dirs;
        writeBytes(dirs.dir.path() / "Ozi" / "in.gpx", c.content);
        ScriptedUserInterface ui;
        ui.fileChoices = {{dirs.dir.path() / "Ozi" / "in.gpx"}, {dirs.dir.path() / "Zv" / "o"}};
        EXPECT_FALSE(commandImportWaypoints(dirs.settings, ui)) << c.what;
        ASSERT_EQ(ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(ui.messages[0].icon, c.icon) << c.what;
        EXPECT_NE(ui.messages[0].text.find(c.message), std::string::npos) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dirs.dir.path() / "Zv" / "o.wpt")) << c.what;
    }
}

TEST(Exchange, ExportAndImportNeverWriteOverThePreciousFiles) {
    ExchangeDirs dirs;
    const std::filesystem::path logbook = dirs.dir.path() / "Logbuch" / "Flugbuch.log";
    writeBytes(logbook, "the pilot's logbook");
    std::filesystem::copy_file(testData("exchange/example.wpt"),
                               dirs.dir.path() / "Zv" / "example.wpt");
    ScriptedUserInterface ui;
    // The logbook offered as target first: refused with a message, the dialog comes back.
    ui.fileChoices = {{dirs.dir.path() / "Zv" / "example.wpt"}, {logbook}, {}};
    EXPECT_FALSE(commandExportGpx(dirs.settings, ui));
    EXPECT_EQ(readBytes(logbook), "the pilot's logbook");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("kann hier nicht überschrieben werden"), std::string::npos);
}

TEST(Exchange, SourcesOfNoKindAndUnreadableFilesAreReported) {
    ExchangeDirs dirs;
    writeBytes(dirs.dir.path() / "Zv" / "notes.txt", "text");
    writeBytes(dirs.dir.path() / "Zv" / "broken.wpt", "\r\nno header\r\n");
    const struct {
        const char* source;
        Icon icon;
        bool opened; // the faulty file is shown for the pilot
    } cases[] = {{"notes.txt", Icon::Question, false},
                 {"broken.wpt", Icon::Exclamation, true},
                 {"missing.zvc", Icon::Question, false}};
    for (const auto& c : cases) {
        ScriptedUserInterface ui;
        EXPECT_FALSE(exportFile(dirs.settings, ui, ExportFormat::Kml,
                                dirs.dir.path() / "Zv" / c.source, dirs.dir.path() / "o.kml"))
            << c.source;
        ASSERT_FALSE(ui.messages.empty()) << c.source;
        EXPECT_EQ(ui.messages[0].icon, c.icon) << c.source;
        EXPECT_EQ(ui.openedDocuments.size(), c.opened ? 1u : 0u) << c.source;
        EXPECT_FALSE(std::filesystem::exists(dirs.dir.path() / "o.kml")) << c.source;
    }
}

} // namespace
} // namespace zv
