// settings.ini: reading odd files, writing the 22 lines, replacing the file safely.
#include "app/settings_file.h"
#include "formats/text_file.h"
#include "support/test_files.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

// The file of a start directory with the values of the automatic configuration.
const char* const completeFile = "Version1.4\r\n1\r\n12\r\n/f/Data/Zv/Logbuch\r\nFlugbuch.log\r\n"
                                 "/f/Data\r\n/f/Data/Zv/Routen\r\n/f/Data/Zv\r\n/o/Oziexp.exe\r\n"
                                 "/f/Data/Zv/Lifts\r\n/f/Data/Zv/Startplaetze\r\n1596\r\n0\r\n"
                                 "Lifts.lft\r\n40.0\r\n50.0\r\n 7.0\r\n11.0\r\n0\r\n0\r\n360\r\n"
                                 "/f/ZVView.exe\r\n";

TEST(SettingsFile, FirstLineMustBeTheVersionExactly) {
    struct Case {
        const char* content;
        SettingsFileState expected;
    };
    const Case cases[] = {
        {"Version1.4\r\n", SettingsFileState::Loaded},
        {"Version1.4", SettingsFileState::Loaded},
        {"Version1.4\n", SettingsFileState::Loaded},
        {"Version1.4\t\r\n", SettingsFileState::WrongVersion},
        {"\r\nVersion1.4\r\n", SettingsFileState::WrongVersion},
        {"", SettingsFileState::WrongVersion},
    };
    for (const auto& c : cases) {
        AppSettings settings;
        settings.logbookDir = "untouched";
        EXPECT_EQ(loadSettingsFromContent(settings, c.content), c.expected) << c.content;
        if (c.expected == SettingsFileState::WrongVersion) {
            // The rest of a file of another version is not read.
            EXPECT_EQ(settings.logbookDir, "untouched");
            EXPECT_EQ(settings.versionMark, "");
        }
    }
    AppSettings settings;
    EXPECT_EQ(loadSettings(settings, "/nonexistent/settings.ini"), SettingsFileState::Missing);
    TempDir dir;
    EXPECT_EQ(loadSettings(settings, dir.path()), SettingsFileState::Missing);
}

TEST(SettingsFile, ShortFileReadsMissingLinesAsEmptyAndKeepsNumbers) {
    AppSettings settings;
    settings.serialNumber = 77;
    settings.extractLatMin = 3.5F;
    settings.zvViewPath = "old";
    ASSERT_EQ(loadSettingsFromContent(settings, "Version1.4\r\n5\r\n20\r\n/l\r\nF.log\r\n/o\r\n"
                                                "/r\r\n/w\r\n/x/Oziexp.exe\r\n/lifts\r\n"),
              SettingsFileState::Loaded);
    EXPECT_EQ(settings.firstFlightNumber, 5);
    EXPECT_EQ(settings.flightsPerPage, 20);
    EXPECT_EQ(settings.liftDir, "/lifts");
    EXPECT_EQ(settings.takeoffDir, "");
    EXPECT_EQ(settings.liftDatabase, "");
    EXPECT_EQ(settings.zvViewPath, "");
    EXPECT_EQ(settings.serialNumber, 77);
    EXPECT_EQ(settings.extractLatMin, 3.5F);
}

TEST(SettingsFile, NumbersConvertAsScanfDoes) {
    struct Case {
        const char* line;
        int expectedInt;     // from 9 before reading
        float expectedFloat; // from 9.5 before reading
    };
    const Case cases[] = {
        {"12", 12, 12.0F},
        {"  -3", -3, -3.0F},
        {"+4", 4, 4.0F},
        {"\t8 km", 8, 8.0F},
        {"12abc", 12, 12.0F},
        {" 7.0", 7, 7.0F},
        {"47.26", 47, 47.26F},
        {"", 9, 9.5F},
        {"abc", 9, 9.5F},
        {"+-4", 9, 9.5F},
        {"-", 9, 9.5F},
        {".5", 9, 0.5F},
        {"99999999999", 9, 99999999999.0F}, // out of range for int: left as it was
        {"1e99", 1, 9.5F},                  // out of range for float: left as it was
    };
    for (const auto& c : cases) {
        AppSettings settings;
        settings.comPort = 9;
        settings.extractLonMax = 9.5F;
        std::string file = "Version1.4\n";
        for (int line = 2; line <= 22; ++line) {
            file += line == 13 || line == 18 ? c.line : "";
            file += '\n';
        }
        loadSettingsFromContent(settings, file);
        EXPECT_EQ(settings.comPort, c.expectedInt) << '"' << c.line << '"';
        EXPECT_EQ(settings.extractLonMax, c.expectedFloat) << '"' << c.line << '"';
    }
}

TEST(SettingsFile, WritesTheLinesInTheirColumnsAndReadsThemBack) {
    TempDir dir;
    AppSettings settings;
    ASSERT_EQ(loadSettingsFromContent(settings, completeFile), SettingsFileState::Loaded);
    settings.startDir = dir.path().string();
    ASSERT_TRUE(saveSettings(settings));
    EXPECT_EQ(readBytes(dir / "settings.ini"), completeFile);

    // A corner typed with two decimals comes back with one; a negative one keeps its sign.
    settings.extractLatMin = 47.26F;
    settings.extractLonMin = -7.04F;
    settings.extractLonMax = 123.46F;
    ASSERT_TRUE(saveSettings(settings));
    AppSettings reread;
    ASSERT_EQ(loadSettings(reread, dir / "settings.ini"), SettingsFileState::Loaded);
    EXPECT_EQ(reread.extractLatMin, 47.3F);
    EXPECT_EQ(reread.extractLonMin, -7.0F);
    EXPECT_EQ(reread.extractLonMax, 123.5F);
    const std::string bytes = readBytes(dir / "settings.ini");
    EXPECT_NE(bytes.find("\r\n47.3\r\n50.0\r\n-7.0\r\n123.5\r\n"), std::string::npos);
}

TEST(SettingsFile, TextLinesKeepTheirBytes) {
    TempDir dir;
    AppSettings settings;
    resetSettings(settings);
    settings.startDir = dir.path().string();
    settings.logbookDir = "/home/pilot/Fl\xFC"
                          "ge"; // file-system bytes, not UTF-8
    settings.liftDatabase = " Lifts mit Blank.lft ";
    ASSERT_TRUE(saveSettings(settings));
    AppSettings reread;
    ASSERT_EQ(loadSettings(reread, dir / "settings.ini"), SettingsFileState::Loaded);
    EXPECT_EQ(reread.logbookDir, settings.logbookDir);
    EXPECT_EQ(reread.liftDatabase, settings.liftDatabase);
}

TEST(SettingsFile, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    writeBytes(dir / "settings.ini", completeFile);
    AppSettings settings;
    resetSettings(settings);
    settings.startDir = dir.path().string();
    // Every write operation of the save in turn fails, as a full disk would.
    for (long fault = 1;; ++fault) {
        injectWriteFault(fault);
        const bool saved = saveSettings(settings);
        const long operations = countedWriteOperations();
        injectWriteFault(0);
        if (fault > operations) {
            EXPECT_TRUE(saved);
            break;
        }
        EXPECT_FALSE(saved) << "fault at operation " << fault;
        EXPECT_EQ(readBytes(dir / "settings.ini"), completeFile);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  1)
            << "temporary file left behind";
    }
    AppSettings reread;
    EXPECT_EQ(loadSettings(reread, dir / "settings.ini"), SettingsFileState::Loaded);
    EXPECT_EQ(formatSettingsFile(reread), formatSettingsFile(settings));

    // A start directory that is not there.
    settings.startDir = (dir.path() / "gone").string();
    EXPECT_FALSE(saveSettings(settings));
}

TEST(SettingsFile, InvalidMarkNeedsAllEightRequiredPaths) {
    AppSettings complete;
    ASSERT_EQ(loadSettingsFromContent(complete, completeFile), SettingsFileState::Loaded);
    complete.takeoffDir.clear();
    complete.liftDatabase.clear();
    AppSettings marked = complete;
    markInvalidSettings(marked);
    EXPECT_EQ(marked.versionMark, "Version1.4") << "takeoffDir and liftDatabase are optional";

    for (std::string AppSettings::*field :
         {&AppSettings::logbookDir, &AppSettings::logbookFile, &AppSettings::oziDir,
          &AppSettings::routeDir, &AppSettings::waypointDir, &AppSettings::oziExplorerPath,
          &AppSettings::zvViewPath, &AppSettings::liftDir}) {
        AppSettings settings = complete;
        (settings.*field).clear();
        markInvalidSettings(settings);
        EXPECT_EQ(settings.versionMark, "invalid");
    }
}

} // namespace
} // namespace zv
