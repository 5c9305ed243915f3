#include "base/app_settings.h"
#include "formats/text_file.h"
#include "logbook/logbook_commands.h"
#include "support/german_locale.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::testData;
using test::writeBytes;

// A start directory whose main logbook is a copy of a reference logbook.
struct LogbookDir {
    TempDir dir;
    AppSettings settings;
    std::string main;
    std::string backup;

    explicit LogbookDir(const std::string& mainData = "logbook/append_main.log") {
        settings.logbookDir = dir.path().string();
        settings.logbookFile = "Flugbuch.log";
        settings.serialNumber = 1596;
        settings.flightsPerPage = 12;
        settings.firstFlightNumber = 1;
        main = dir / "Flugbuch.log";
        backup = dir / "Flugbuch.bak";
        writeBytes(main, readBytes(testData(mainData)));
        writeBytes(backup, "the backup before\r\n");
    }

    // Everything in the directory except the main logbook, its backup and its lock file.
    std::vector<std::string> otherFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            if (name != "Flugbuch.log" && name != "Flugbuch.bak" && name != ".Flugbuch.log.lock") {
                names.push_back(name);
            }
        }
        return names;
    }
};

ScriptedUserInterface appending(const std::string& file) {
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({file});
    ui.answers.push_back(Answer::Ok);
    return ui;
}

TEST(LogbookAppend, SortedWithoutDuplicatesAndTheExampleFlightRenumberedAfterABackup) {
    LogbookDir d;
    auto ui = appending(testData("logbook/append_download.log").string());
    EXPECT_TRUE(commandExtendLogbook(d.settings, ui));
    EXPECT_EQ(readBytes(d.main), readBytes(testData("logbook/append_main~appended.log")));
    EXPECT_EQ(readBytes(d.backup), readBytes(testData("logbook/append_main.log")));
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text, "Wollen Sie die Datei " +
                                       testData("logbook/append_download.log").string() +
                                       "\nwirklich an das Flugbuch angehängen?");
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{d.main});
    ASSERT_EQ(ui.fileRequests.size(), 1U);
    EXPECT_EQ(ui.fileRequests[0].title, "Flugbuchdatei anhängen");
    EXPECT_EQ(ui.fileRequests[0].filter, "Flugbuch (*.log) |*.log||");
    EXPECT_TRUE(d.otherFiles().empty());
}

TEST(LogbookAppend, RefusedOrCancelledAppendsChangeNothing) {
    struct Case {
        const char* what;
        bool self;
        Answer answer;
        const char* message;
    };
    const Case cases[] = {
        {"the main logbook itself", true, Answer::Ok,
         "Sie können nicht das Flugbuch um sich selbst erweitern!"},
        {"cancelled at the question", false, Answer::Cancel, nullptr},
    };
    for (const auto& c : cases) {
        LogbookDir d;
        ScriptedUserInterface ui;
        ui.fileChoices.push_back(
            {c.self ? d.main : testData("logbook/append_download.log").string()});
        ui.answers.push_back(c.answer);
        EXPECT_FALSE(commandExtendLogbook(d.settings, ui)) << c.what;
        EXPECT_EQ(readBytes(d.main), readBytes(testData("logbook/append_main.log"))) << c.what;
        EXPECT_EQ(readBytes(d.backup), "the backup before\r\n") << c.what;
        EXPECT_TRUE(ui.openedDocuments.empty());
        if (c.message != nullptr) {
            ASSERT_EQ(ui.messages.size(), 1U);
            EXPECT_EQ(ui.messages[0].text, c.message);
            EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
        }
    }
}

TEST(LogbookAppend, FaultyOrCutOffDownloadLeavesMainAndBackupAndShowsTheErrorCopy) {
    const std::string download = readBytes(testData("logbook/append_download.log"));
    const std::pair<const char*, std::string> cases[] = {
        {"damaged 3rd flight",
         download.substr(0, download.find("   03-04-25")) + "   03-04-25 broken\r\n"},
        {"cut off before @EOF", download.substr(0, download.find("@EOF"))},
    };
    for (const auto& [what, bytes] : cases) {
        LogbookDir d;
        writeBytes(d.dir / "download.log", bytes);
        auto ui = appending(d.dir / "download.log");
        EXPECT_FALSE(commandExtendLogbook(d.settings, ui)) << what;
        EXPECT_EQ(readBytes(d.main), readBytes(testData("logbook/append_main.log"))) << what;
        EXPECT_EQ(readBytes(d.backup), "the backup before\r\n") << what;
        EXPECT_EQ(ui.texts().back(), "Flugbuch hat falsches Format\n");
        EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{d.dir / "Flugbuch.err"});
        // The error copy: the main logbook's three flights, then those read before the fault.
        ScriptedUserInterface reader;
        CLogbook copy(CLogbook::serialText(1596));
        EXPECT_TRUE(copy.readLogbook(d.dir / "Flugbuch.err", reader));
        EXPECT_EQ(copy.flights().size(), std::string(what) == "damaged 3rd flight" ? 5U : 7U);
    }
}

TEST(LogbookAppend, AWriteFailureAtAnyPointLeavesLogbookAndBackupIntact) {
    const std::string oldMain = readBytes(testData("logbook/append_main.log"));
    long n = 1;
    for (;; ++n) {
        LogbookDir d;
        auto ui = appending(testData("logbook/append_download.log").string());
        injectWriteFault(n);
        const bool done = commandExtendLogbook(d.settings, ui);
        injectWriteFault(0);
        if (done) {
            EXPECT_EQ(readBytes(d.main), readBytes(testData("logbook/append_main~appended.log")));
            break;
        }
        EXPECT_EQ(readBytes(d.main), oldMain) << "fault " << n;
        const std::string backup = readBytes(d.backup);
        EXPECT_TRUE(backup == "the backup before\r\n" || backup == oldMain) << "fault " << n;
        ASSERT_EQ(ui.messages.size(), 2U) << "fault " << n; // the question and one failure
        EXPECT_EQ(ui.messages[1].icon, Icon::Stop);
        EXPECT_TRUE(ui.openedDocuments.empty());
        EXPECT_TRUE(d.otherFiles().empty()) << "fault " << n;
        ASSERT_LT(n, 1000);
    }
    EXPECT_GT(n, 10); // the backup and the logbook were each hit at several points
}

TEST(LogbookAppend, NoBackupNoChange) {
    LogbookDir d;
    std::filesystem::remove(d.backup);
    std::filesystem::create_directory(d.backup); // the backup cannot be replaced
    auto ui = appending(testData("logbook/append_download.log").string());
    EXPECT_FALSE(commandExtendLogbook(d.settings, ui));
    EXPECT_EQ(readBytes(d.main), readBytes(testData("logbook/append_main.log")));
    ASSERT_EQ(ui.messages.size(), 2U);
    EXPECT_EQ(ui.messages[1].text, "Die Sicherungsdatei " + d.backup +
                                       "\nkonnte nicht geschrieben werden. Das Flugbuch bleibt "
                                       "unverändert.");
}

TEST(LogbookRestore, BackupWrittenBackTwiceAndMissingBackupReported) {
    LogbookDir d;
    ScriptedUserInterface ui;
    EXPECT_TRUE(commandRestoreLogbook(d.settings, ui));
    EXPECT_TRUE(commandRestoreLogbook(d.settings, ui));
    EXPECT_EQ(readBytes(d.main), "the backup before\r\n");
    EXPECT_EQ(ui.openedDocuments.size(), 2U);
    EXPECT_TRUE(ui.messages.empty());

    std::filesystem::remove(d.backup);
    ScriptedUserInterface missing;
    EXPECT_FALSE(commandRestoreLogbook(d.settings, missing));
    EXPECT_EQ(readBytes(d.main), "the backup before\r\n");
    ASSERT_EQ(missing.messages.size(), 1U);
    EXPECT_EQ(missing.messages[0].text,
              "Die Sicherungsdatei " + d.backup +
                  "\nkonnte nicht geöffnet werden. Bitte Einstellungen Flugbuchpfad korrigieren!");
    EXPECT_EQ(missing.messages[0].icon, Icon::Stop);
    EXPECT_TRUE(missing.openedDocuments.empty());
}

InsertFlightDialogData enteredFlight() {
    InsertFlightDialogData data;
    data.date = {5, 6, 2003};
    data.takeoffSite = "kössen";
    data.takeoffHour = 10;
    data.takeoffMinute = 0;
    data.takeoffAltitude = 1500;
    data.landingHour = 10;
    data.landingMinute = 45;
    data.landingAltitude = 600;
    data.distance = 12.5;
    return data;
}

TEST(LogbookInsert, FlightStoredInUpperCaseWithEachAltitudeUnderItsLabel) {
    LogbookDir d;
    ScriptedUserInterface ui;
    ui.insertFlightDialog = [](InsertFlightDialogData& data) {
        data = enteredFlight();
        return true;
    };
    EXPECT_TRUE(commandInsertFlight(d.settings, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readBytes(d.backup), readBytes(testData("logbook/append_main.log")));
    const std::string lines =
        "       4           10:00       10:45       00:45            0 m      - 0.0 m/s\r\n"
        "   03-06-05        1500 m       600 m       12.5 km         0 m      - 0.0 m/s\r\n"
        "   K\xD6SSEN             0 hPa   PARA 0                        0 m       \r\n"
        "\r\n@EOF\r\n";
    const std::string written = readBytes(d.main);
    ASSERT_GE(written.size(), lines.size());
    EXPECT_EQ(written.substr(written.size() - lines.size()), lines);
}

TEST(LogbookInsert, RefusedEntriesLeaveTheLogbook) {
    struct Case {
        const char* what;
        void (*change)(InsertFlightDialogData&);
        const char* message;
        Icon icon;
    };
    const Case cases[] = {
        {"landing before takeoff",
         [](InsertFlightDialogData& f) {
             f.takeoffHour = 10;
             f.takeoffMinute = 1;
             f.landingHour = 10;
             f.landingMinute = 0;
         },
         "Landezeit kleiner als Startzeit\n", Icon::Information},
        {"site the logbook cannot read back",
         [](InsertFlightDialogData& f) { f.takeoffSite = "A;B"; },
         "Der Startplatz darf nur Buchstaben, Ziffern, Leerzeichen und die Zeichen _ / - . ! ° > "
         ": enthalten.",
         Icon::Exclamation},
        {"altitude out of range", [](InsertFlightDialogData& f) { f.landingAltitude = 10001; },
         "Geben Sie bitte eine ganze Zahl zwischen 0 und 10000 ein.", Icon::Exclamation},
    };
    for (const auto& c : cases) {
        LogbookDir d;
        ScriptedUserInterface ui;
        ui.insertFlightDialog = [&](InsertFlightDialogData& data) {
            data = enteredFlight();
            c.change(data);
            return true;
        };
        EXPECT_FALSE(commandInsertFlight(d.settings, ui)) << c.what;
        EXPECT_EQ(readBytes(d.main), readBytes(testData("logbook/append_main.log"))) << c.what;
        ASSERT_EQ(ui.messages.size(), 1U) << c.what;
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].icon, c.icon);
    }
}

TEST(LogbookInsert, EqualTimesGiveNoFlightTime) {
    auto data = enteredFlight();
    data.landingMinute = 0;
    EXPECT_EQ(checkFlightTimes(data), std::nullopt);
    const FlightRecord flight = flightFromDialog(data);
    EXPECT_EQ(flight.durationHours, 0);
    EXPECT_EQ(flight.durationMinutes, 0);
    EXPECT_EQ(flight.takeoffSite, "K\xD6SSEN     ");
    EXPECT_EQ(flight.year, 3);
}

TEST(LogbookDialogChecks, FieldsRefusedWithTheFrameworkMessages) {
    int number = -1;
    double real = -1;
    EXPECT_EQ(checkInteger(" 10000 ", 0, 10000, number), std::nullopt);
    EXPECT_EQ(number, 10000);
    for (const char* text : {"10001", "-1", "99999999999999999999"}) {
        EXPECT_EQ(checkInteger(text, 0, 10000, number),
                  "Geben Sie bitte eine ganze Zahl zwischen 0 und 10000 ein.")
            << text;
    }
    for (const char* text : {"", "12a", "1.5", "+"}) {
        EXPECT_EQ(checkInteger(text, 0, 10000, number), "Geben Sie bitte eine ganze Zahl ein.")
            << text;
    }
    for (const char* text : {"12.5", " 12,5 "}) {
        real = 0;
        EXPECT_EQ(checkReal(text, 0, 1000, real), std::nullopt) << text;
        EXPECT_DOUBLE_EQ(real, 12.5) << text;
    }
    for (const char* text : {"1,2,5", "1.2,5", "1,2.5", ","}) {
        EXPECT_EQ(checkReal(text, 0, 1000, real), "Geben Sie bitte eine Zahl ein.") << text;
    }
    EXPECT_EQ(checkReal("1000.1", 0, 1000, real),
              "Geben Sie bitte eine Zahl zwischen 0 und 1000 ein.");
    EXPECT_EQ(checkReal("1e999", 0, 1000, real), "Geben Sie bitte eine Zahl ein.");
    EXPECT_EQ(checkReal("zwölf", 0, 1000, real), "Geben Sie bitte eine Zahl ein.");
    EXPECT_EQ(checkTakeoffSiteName("Höhe Ößü 12"), std::nullopt); // 11 characters, 14 bytes
    EXPECT_EQ(checkTakeoffSiteName("STUBALPE 123"),
              "Geben Sie bitte nicht mehr als 11 Zeichen ein.");
    EXPECT_NE(checkTakeoffSiteName("@EOF"), std::nullopt);
    EXPECT_NE(checkTakeoffSiteName("Café"), std::nullopt);
}

// OK of "Flug einfügen": the edits in the dialog's order, the first refused one named
// for the focus, and nothing taken over from a refused entry.
TEST(LogbookDialogChecks, InsertFlightTextsAreReadInTheDialogsOrder) {
    struct Case {
        InsertFlightTexts texts;
        InsertFlightField field;
    };
    const Case cases[] = {
        {{"STUBALPE", "1200", "800", "12,5"}, InsertFlightField::None},
        {{"STUBALPE 123", "x", "x", "x"}, InsertFlightField::TakeoffSite},
        {{"STUBALPE", "10001", "x", "x"}, InsertFlightField::TakeoffAltitude},
        {{"STUBALPE", "1200", "-1", "x"}, InsertFlightField::LandingAltitude},
        {{"STUBALPE", "1200", "800", "1000.5"}, InsertFlightField::Distance},
    };
    for (const Case& c : cases) {
        InsertFlightDialogData data;
        data.takeoffSite = "ALT";
        const InsertFlightRefusal refusal = acceptInsertFlightTexts(c.texts, data);
        EXPECT_EQ(refusal.field, c.field) << c.texts.takeoffSite;
        EXPECT_EQ(static_cast<bool>(refusal), c.field != InsertFlightField::None);
        if (refusal) {
            EXPECT_EQ(data.takeoffSite, "ALT");
            EXPECT_EQ(data.takeoffAltitude, 0);
        } else {
            EXPECT_EQ(data.takeoffSite, "STUBALPE");
            EXPECT_EQ(data.takeoffAltitude, 1200);
            EXPECT_EQ(data.landingAltitude, 800);
            EXPECT_DOUBLE_EQ(data.distance, 12.5);
        }
    }
}

// A German desktop reads "12.5" as 12 and a half all the same, and the range message
// keeps its decimal point.
TEST(LogbookDialogChecks, RealNumbersAsUnderTheCLocaleWhenTheLocaleIsGerman) {
    test::GermanLocale german;
    if (!german.active()) {
        GTEST_SKIP() << test::GermanLocale::missing;
    }
    for (const char* text : {"12.5", "12,5", "+12.5", "1.25e1"}) {
        double real = 0;
        EXPECT_EQ(checkReal(text, 0, 1000, real), std::nullopt) << text;
        EXPECT_DOUBLE_EQ(real, 12.5) << text;
    }
    double real = 0;
    EXPECT_EQ(checkReal("1000.5", 0.5, 1000, real),
              "Geben Sie bitte eine Zahl zwischen 0.5 und 1000 ein.");
}

} // namespace
} // namespace zv
