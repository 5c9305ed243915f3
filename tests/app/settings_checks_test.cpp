#include "app/settings_checks.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

SettingsEntries validEntries() {
    AppSettings settings;
    settings.firstFlightNumber = 1;
    settings.flightsPerPage = 12;
    settings.serialNumber = 1596;
    return settingsEntries(settings);
}

TEST(SettingsChecks, EachPageRefusesItsFirstBadEntry) {
    struct Case {
        SettingsPage page;
        std::function<void(SettingsEntries&)> change;
        std::optional<SettingsField> field;
        std::string message;
    };
    const std::string tooLong(257, 'x');
    const std::vector<Case> cases = {
        {SettingsPage::Instrument, [](auto& e) { e.serialNumber = "10001"; },
         SettingsField::SerialNumber, "Geben Sie bitte eine ganze Zahl zwischen 0 und 10000 ein."},
        {SettingsPage::Instrument, [](auto& e) { e.serialNumber = "10000"; }, {}, ""},
        {SettingsPage::Instrument, [](auto& e) { e.serialNumber = " 0 "; }, {}, ""},
        {SettingsPage::Instrument, [](auto& e) { e.serialNumber = "12a"; },
         SettingsField::SerialNumber, "Geben Sie bitte eine ganze Zahl ein."},
        {SettingsPage::Logbook, [](auto& e) { e.firstFlightNumber = "0"; },
         SettingsField::FirstFlightNumber,
         "Geben Sie bitte eine ganze Zahl zwischen 1 und 10000 ein."},
        {SettingsPage::Logbook, [](auto& e) { e.firstFlightNumber = ""; },
         SettingsField::FirstFlightNumber, "Geben Sie bitte eine ganze Zahl ein."},
        {SettingsPage::Logbook, [](auto& e) { e.firstFlightNumber = "99999999999"; },
         SettingsField::FirstFlightNumber, "Geben Sie bitte eine ganze Zahl ein."},
        {SettingsPage::Logbook, [](auto& e) { e.flightsPerPage = "-1"; },
         SettingsField::FlightsPerPage, "Geben Sie bitte eine positive ganze Zahl ein."},
        {SettingsPage::Logbook, [](auto& e) { e.flightsPerPage = "0"; }, {}, ""},
        {SettingsPage::Logbook, [&](auto& e) { e.logbookDir = tooLong; }, SettingsField::LogbookDir,
         "Geben Sie bitte nicht mehr als 256 Zeichen ein."},
        // The main file comes first on its page.
        {SettingsPage::Logbook,
         [&](auto& e) {
             e.logbookFile = tooLong;
             e.firstFlightNumber = "0";
         },
         SettingsField::LogbookFile, "Geben Sie bitte nicht mehr als 256 Zeichen ein."},
        {SettingsPage::Waypoints, [&](auto& e) { e.oziDir = tooLong; }, SettingsField::OziDir,
         "Geben Sie bitte nicht mehr als 256 Zeichen ein."},
        {SettingsPage::OtherDirs, [](auto& e) { e.liftDatabase = std::string(31, 'L'); },
         SettingsField::LiftDatabase, "Geben Sie bitte nicht mehr als 30 Zeichen ein."},
        {SettingsPage::OtherDirs, [](auto& e) { e.liftDatabase = std::string(30, 'L'); }, {}, ""},
        // Characters count, not bytes: 30 umlauts are 60 bytes of UTF-8.
        {SettingsPage::OtherDirs,
         [](auto& e) {
             e.liftDatabase.clear();
             for (int i = 0; i < 30; ++i) {
                 e.liftDatabase += "ä";
             }
         },
         {},
         ""},
        // The viewer path has no limit.
        {SettingsPage::OtherDirs, [](auto& e) { e.zvViewPath = std::string(400, 'v'); }, {}, ""},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SettingsEntries entries = validEntries();
        cases[i].change(entries);
        const auto problem = checkSettingsPage(cases[i].page, entries);
        ASSERT_EQ(problem.has_value(), cases[i].field.has_value()) << "case " << i;
        if (problem) {
            EXPECT_EQ(problem->field, *cases[i].field) << "case " << i;
            EXPECT_EQ(problem->message, cases[i].message) << "case " << i;
        }
    }
}

TEST(SettingsChecks, EntriesGoBackIntoTheFourteenFieldsOnly) {
    AppSettings settings;
    settings.versionMark = "invalid";
    settings.extractLatMin = 47.5f;
    settings.serialNumber = 1596;
    SettingsEntries entries = settingsEntries(settings);
    entries.logbookFile = "Flugbuch.log";
    entries.firstFlightNumber = " 17";
    entries.flightsPerPage = "20";
    entries.serialNumber = "42";
    entries.comPort = 1;
    entries.liftDatabase = "Lifts.lft";
    applySettingsEntries(entries, settings);
    EXPECT_EQ(settings.logbookFile, "Flugbuch.log");
    EXPECT_EQ(settings.firstFlightNumber, 17);
    EXPECT_EQ(settings.flightsPerPage, 20);
    EXPECT_EQ(settings.serialNumber, 42);
    EXPECT_EQ(settings.comPort, 1);
    EXPECT_EQ(settings.liftDatabase, "Lifts.lft");
    EXPECT_EQ(settings.versionMark, "invalid");
    EXPECT_EQ(settings.extractLatMin, 47.5f);
}

} // namespace
} // namespace zv
