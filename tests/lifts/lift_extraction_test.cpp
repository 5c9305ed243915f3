#include "app/settings_file.h"
#include "app/zv_app.h"
#include "base/app_settings.h"
#include "formats/waypoint_converter.h"
#include "lifts/lift_extraction.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::writeBytes;

const std::string header = "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n"
                           ";------------------------------- LIFTS "
                           "------------------------------------\r\n\r\n"
                           ";IDENT    LATITUDE      LONGITUDE     ALTITUDE      CLIMB     WDIR   "
                           "WSPEED\r\n\r\n";

// The two example lifts of the first start, a lift exactly on 50 north, a southern one.
const std::string database =
    header + "DE.BOP    N  50 14.03   E   8 30.89     875 m     2.6 m/s     046    18 kmh\r\n"
             "DE.BOP    N  50 15.27   E   8 32.81    1125 m     1.9 m/s     076    20 kmh\r\n"
             "; on the line\r\n"
             "ON.50     N  50 00.00   E  10 00.00     900 m     1.0 m/s     360     5 kmh\r\n"
             "AU.SYD    S  33 30.00   E 151 00.00     300 m     1.5 m/s     000     9 kmh\r\n"
             "\r\n@EOF\r\n";

struct ExtractDir {
    TempDir dir;
    AppSettings settings;

    ExtractDir() {
        resetSettings(settings);
        settings.startDir = dir.path().string();
        settings.liftDir = dir.path().string();
        settings.liftDatabase = "Lifts.lft";
        settings.serialNumber = 1596;
        writeBytes(dir / "Lifts.lft", database);
    }
};

// The identifiers of the lifts in a lift file, in order.
std::vector<std::string> liftNames(const std::string& path) {
    ScriptedUserInterface ui;
    CWaypointConverter converter(ui, 1596);
    converter.mode = LiftReadMode::Raw;
    std::vector<std::string> names;
    if (converter.readLiftFile(path)) {
        for (const auto& w : converter.zvWaypoints) {
            names.push_back(w.name.substr(0, w.name.find(' ')));
        }
    }
    return names;
}

TEST(LiftExtraction, SelectsTheRectangleAndTheWindWindowBoundsIncluded) {
    struct Case {
        const char* what;
        float latLow, latHigh, lonLow, lonHigh;
        bool wind;
        int from, to;
        std::vector<std::string> selected;
    };
    const std::vector<Case> cases = {
        {"the defaults", 40, 50, 7, 11, false, 0, 360, {"ON.50"}},
        {"latHigh 51", 40, 51, 7, 11, false, 0, 360, {"DE.BOP", "DE.BOP", "ON.50"}},
        {"bounds on the lift", 50, 50, 10, 10, false, 0, 360, {"ON.50"}},
        {"south", -34, -33, 150, 152, false, 0, 360, {"AU.SYD"}},
        {"wind 0 to 360",
         -90,
         90,
         -180,
         180,
         true,
         0,
         360,
         {"DE.BOP", "DE.BOP", "ON.50", "AU.SYD"}},
        {"wind 46 to 46", -90, 90, -180, 180, true, 46, 46, {"DE.BOP"}},
    };
    for (const auto& c : cases) {
        ExtractDir d;
        ScriptedUserInterface ui;
        CWaypointConverter converter(ui, 1596);
        converter.setBounds(c.latLow, c.latHigh, c.lonLow, c.lonHigh);
        converter.setWindWindow(c.wind, c.from, c.to);
        const std::string out = d.dir / "out.lft";
        EXPECT_TRUE(extractLifts(converter, d.dir / "Lifts.lft", out)) << c.what;
        EXPECT_EQ(liftNames(out), c.selected) << c.what;
    }
}

TEST(LiftExtraction, OkChecksComeInTheirOrder) {
    AppSettings settings;
    settings.liftDir = "/lifts";
    settings.liftDatabase = "Lifts.lft";
    const auto data = [](float latLow, float latHigh, float lonLow, float lonHigh, bool wind,
                         int from, int to, std::string name) {
        LiftExtractDialogData d;
        d.latLow = latLow;
        d.latHigh = latHigh;
        d.lonLow = lonLow;
        d.lonHigh = lonHigh;
        d.windFilter = wind;
        d.windFrom = from;
        d.windTo = to;
        d.fileName = std::move(name);
        return d;
    };
    const std::string latitude =
        "Latitude-Koordintenfenster nicht korrekt!\nuntere Ecke > obere Ecke";
    const std::string longitude =
        "Longitude-Koordintenfenster nicht korrekt!\nlinke Ecke > rechte Ecke";
    const std::string noName = "Bitte Namen für neue Liftdatei eingeben!";
    const std::string windOrder = "Windrichtungsfenster nicht korrekt!\nBeginn > Ende ";
    const std::string database =
        "Sie haben die Aufwinddatenbank ausgewählt.\nBitte wählen Sie eine andere Aufwinddatei!";
    const struct {
        LiftExtractDialogData data;
        std::string message;
        Icon icon;
    } cases[] = {
        {data(51, 50, 12, 11, true, 350, 10, ""), latitude, Icon::Exclamation},
        {data(40, 50, 12, 11, true, 350, 10, ""), longitude, Icon::Exclamation},
        {data(40, 50, 7, 11, true, 350, 10, ""), noName, Icon::Exclamation},
        {data(40, 50, 7, 11, true, 350, 10, "a.lft"), windOrder, Icon::Exclamation},
        {data(40, 50, 7, 11, false, 350, 10, "/lifts/Lifts.lft"), database, Icon::Information},
        {data(40, 50, 7, 11, false, 350, 10, "Lifts.lft"), database, Icon::Information},
        {data(50, 50, 7, 7, true, 46, 46, "a.lft"), "", Icon::Exclamation},
    };
    for (const auto& c : cases) {
        const LiftExtractRefusal refusal = checkLiftExtractData(c.data, settings);
        EXPECT_EQ(refusal.text, c.message);
        if (refusal) {
            EXPECT_EQ(refusal.icon, c.icon) << c.message;
        }
    }
}

TEST(LiftExtraction, EditsAreReadWithTheFrameworkRangeMessages) {
    const struct {
        const char* latLow;
        const char* lonHigh;
        const char* windTo;
        std::string message;
        LiftExtractField field;
    } cases[] = {
        {"abc", "11", "360", "Geben Sie bitte eine Zahl ein.", LiftExtractField::LatLow},
        {"-90.5", "11", "360", "Geben Sie bitte eine Zahl zwischen -90 und 90 ein.",
         LiftExtractField::LatLow},
        {"-90", "180.01", "360", "Geben Sie bitte eine Zahl zwischen -180 und 180 ein.",
         LiftExtractField::LonHigh},
        {"-90", "180", "1.5", "Geben Sie bitte eine ganze Zahl ein.", LiftExtractField::WindTo},
        {"-90", "180", "361", "Geben Sie bitte eine ganze Zahl zwischen 0 und 360 ein.",
         LiftExtractField::WindTo},
        {" 46.5 ", "-180", "0", "", LiftExtractField::None},
    };
    for (const auto& c : cases) {
        LiftExtractTexts texts = liftExtractTexts(LiftExtractDialogData{});
        texts.latLow = c.latLow;
        texts.lonHigh = c.lonHigh;
        texts.windTo = c.windTo;
        LiftExtractDialogData data;
        const LiftExtractRefusal refusal = readLiftExtractTexts(texts, data);
        EXPECT_EQ(refusal.text, c.message) << c.latLow;
        EXPECT_EQ(refusal.field, c.field) << c.latLow;
    }
    LiftExtractDialogData shown;
    shown.latLow = 50.233833f;
    shown.lonHigh = -120.5f;
    const LiftExtractTexts texts = liftExtractTexts(shown);
    EXPECT_EQ(texts.latLow, "50.2338");
    EXPECT_EQ(texts.lonHigh, "-120.5");
    EXPECT_EQ(texts.windTo, "360");
}

TEST(LiftExtraction, TheCommandRemembersTheEntriesInSettingsIni) {
    ExtractDir d;
    d.settings.extractWindFilter = 0;
    d.settings.extractWindFrom = 100;
    d.settings.extractWindTo = 200;
    ASSERT_TRUE(saveSettings(d.settings));
    ScriptedUserInterface ui;
    CZvApp app(ui);
    ASSERT_EQ(app.readSettings(d.dir.path()), SettingsFileState::Loaded);
    LiftExtractDialogData shown;
    ui.liftExtractDialog = [&shown](LiftExtractDialogData& data) {
        shown = data;
        data.latHigh = 51;
        data.windFilter = true;
        data.windFrom = 40;
        data.windTo = 80;
        data.fileName = "Taunus.lft";
        return true;
    };
    ASSERT_TRUE(app.runCommand(commandExtractLifts));
    // The wind window was off: the dialog showed it off, 0 to 360.
    EXPECT_EQ(shown.latLow, 40.0f);
    EXPECT_EQ(shown.latHigh, 50.0f);
    EXPECT_FALSE(shown.windFilter);
    EXPECT_EQ(shown.windFrom, 0);
    EXPECT_EQ(shown.windTo, 360);
    // A name without a directory lands in the lift directory.
    const std::string out = d.dir / "Taunus.lft";
    EXPECT_EQ(liftNames(out), (std::vector<std::string>{"DE.BOP", "DE.BOP"}));
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{out});

    AppSettings saved;
    ASSERT_EQ(loadSettings(saved, d.dir / "settings.ini"), SettingsFileState::Loaded);
    EXPECT_EQ(saved.extractLatMax, 51.0f);
    EXPECT_EQ(saved.extractWindFilter, 1);
    EXPECT_EQ(saved.extractWindFrom, 40);
    EXPECT_EQ(saved.extractWindTo, 80);
    EXPECT_EQ(app.settings().lastExtractFile, "Taunus.lft");

    // The next run shows the remembered entries and the last name.
    ui.liftExtractDialog = [&shown](LiftExtractDialogData& data) {
        shown = data;
        return false;
    };
    EXPECT_FALSE(app.runCommand(commandExtractLifts));
    EXPECT_TRUE(shown.windFilter);
    EXPECT_EQ(shown.windFrom, 40);
    EXPECT_EQ(shown.fileName, "Taunus.lft");
}

TEST(LiftExtraction, NothingSelectedWritesNothing) {
    ExtractDir d;
    ScriptedUserInterface ui;
    ui.liftExtractDialog = [](LiftExtractDialogData& data) {
        data.latLow = 0;
        data.latHigh = 1;
        data.fileName = "leer.lft";
        return true;
    };
    EXPECT_FALSE(commandExtractLifts(d.settings, ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Keine Aufwinde gefunden!"});
    EXPECT_TRUE(ui.openedDocuments.empty());
    EXPECT_FALSE(std::filesystem::exists(d.dir / "leer.lft"));
}

TEST(LiftExtraction, BrowseAsksBeforeAnExistingFileAndNoShowsTheDialogAgainCleared) {
    ExtractDir d;
    const std::string existing = d.dir / "Lifts.lft";
    const std::string fresh = d.dir / "neu.lft";
    ScriptedUserInterface ui;
    ui.fileChoices = {{existing}, {fresh}};
    ui.answers = {Answer::No};
    std::string name = "alt.lft";
    ASSERT_TRUE(chooseLiftExtractFile(d.settings, ui, name));
    EXPECT_EQ(name, fresh);
    ASSERT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_EQ(ui.fileRequests[0].title, "Dateinamen für neue Aufwind Datei");
    EXPECT_TRUE(ui.fileRequests[0].save);
    EXPECT_EQ(ui.fileRequests[0].initialName, "alt.lft");
    EXPECT_EQ(ui.fileRequests[1].initialName, "");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{
                              "Die Datei existiert schon.\nSoll sie überschrieben werden?"});

    // Yes keeps the existing file; cancel leaves the name as it was.
    ScriptedUserInterface yes;
    yes.fileChoices = {{existing}};
    yes.answers = {Answer::Yes};
    ASSERT_TRUE(chooseLiftExtractFile(d.settings, yes, name));
    EXPECT_EQ(name, existing);
    ScriptedUserInterface cancel;
    EXPECT_FALSE(chooseLiftExtractFile(d.settings, cancel, name));
    EXPECT_EQ(name, existing);
}

} // namespace
} // namespace zv
