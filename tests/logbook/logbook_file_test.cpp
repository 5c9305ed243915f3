#include "formats/text_file.h"
#include "logbook/logbook.h"
#include "support/c_format.h"
#include "support/german_locale.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace zv {
namespace {

using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::testData;

const std::string serial = CLogbook::serialText(1596);

// The example logbook of the automatic configuration, as it is written there: fixed text
// whose record lines have one blank fewer in three places than the writer's columns.
const std::string exampleLogbook =
    "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n"
    ";---------------------------------- LOG --------------------------------------\r\n\r\n"
    ";    No.          TAKEOFF:    LANDING:    TOTAL TIME    ALTI MAX    VARIO MAX\r\n"
    ";    DATE         TIME/       TIME/ALTI   DISTANCE      ALTI GAIN   VARIO MIN\r\n"
    ";  TAKEOFF-LOC    ALTI/QNH    POLARE                    ALTI SUM    TAS MAX\r\n\r\n"
    "       0          14:00       14:23       00:23         1542 m      + 4.0 m/s\r\n"
    "   95-04-21         852 m      1542 m       3.4 km       757 m      - 3.9 m/s\r\n"
    "   SCHOECKL-SO     1021 hPa   PARA 1                    1437 m       39.0 kmh\r\n"
    "\r\n@EOF";

std::string pageHeader() {
    std::string text = "\n";
    const CLogbook logbook(serial);
    for (const auto& line : logbook.headerLines()) {
        text += line;
    }
    return text;
}

// Reads bytes as a logbook; the messages shown are left in ui.
bool readContent(CLogbook& logbook, const std::string& bytes, ScriptedUserInterface& ui) {
    TextReader reader = TextReader::fromContent(bytes);
    return logbook.readLogbook(reader, ui);
}

std::string roundTrip(const std::string& input, int flightsPerPage) {
    TempDir dir;
    ScriptedUserInterface ui;
    CLogbook logbook(serial);
    EXPECT_TRUE(logbook.readLogbook(input, ui));
    EXPECT_TRUE(ui.messages.empty());
    logbook.renumber(1);
    EXPECT_TRUE(logbook.writeLogbook(dir / "out.log", flightsPerPage, ui));
    return readBytes(dir / "out.log");
}

TEST(LogbookFile, HandMadeLogbooksReadAndWrittenBackByteForByte) {
    struct Case {
        const char* input;
        const char* expected;
        int flightsPerPage;
    };
    const Case cases[] = {
        // Three pages, form feeds after the 3rd and 6th flight, a ";NO FLIGHT DATA" line
        // before a flight, a flight without air speed, a climb of 0 written with '-'.
        {"logbook/seven_flights.log", "logbook/seven_flights.log", 3},
        // A page size below 1 cannot form pages: all flights on one page.
        {"logbook/seven_flights.log", "logbook/seven_flights~one_page.log", 0},
        {"logbook/seven_flights.log", "logbook/seven_flights~one_page.log", -5},
        // The landing altitude with a sign token of its own is written as a plain number.
        {"logbook/signed_landing.log", "logbook/signed_landing~written.log", 12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(roundTrip(testData(c.input).string(), c.flightsPerPage),
                  readBytes(testData(c.expected)))
            << c.input << " at " << c.flightsPerPage;
    }
}

// The three record lines of every flight are what their printf formats write, for any
// field values a logbook can hold (units and site texts included, air speed or none).
TEST(LogbookFile, RecordLinesAreWhatTheirPrintfFormatsWrite) {
    std::mt19937 random(42);
    const auto integer = [&] {
        return random() % 3 == 0 ? std::bit_cast<int>(static_cast<unsigned>(random()))
                                 : static_cast<int>(random() % 3000) - 100;
    };
    const auto real = [&] {
        static const float edges[] = {0.0f,
                                      -0.0f,
                                      0.05f,
                                      0.25f,
                                      -0.25f,
                                      99.95f,
                                      4.0f,
                                      -3.9f,
                                      1e-10f,
                                      1e-11f,
                                      12345.6f,
                                      3e38f,
                                      std::numeric_limits<float>::infinity(),
                                      std::numeric_limits<float>::quiet_NaN()};
        return random() % 2 == 0
                   ? edges[random() % std::size(edges)]
                   : static_cast<float>(static_cast<int>(random() % 20001) - 10000) / 100.0f;
    };
    // With a NUL byte now and then, which ends a text as it ends a C string.
    const std::string bytes("mkhPa/s AZ09\xB0\0", 14);
    const auto text = [&](std::size_t longest) {
        std::string t(random() % (longest + 1), ' ');
        for (char& c : t) {
            c = bytes[random() % bytes.size()];
        }
        return t;
    };
    const std::string header = pageHeader();
    for (int i = 0; i < 2000; ++i) {
        FlightRecord f;
        for (int* field :
             {&f.number, &f.takeoffHour, &f.takeoffMinute, &f.landingHour, &f.landingMinute,
              &f.durationHours, &f.durationMinutes, &f.altiMax, &f.year, &f.month, &f.day,
              &f.takeoffAltitude, &f.landingAltitude, &f.altiGain, &f.qnh, &f.altiSum}) {
            *field = integer();
        }
        f.varioMax = real();
        f.varioMin = real();
        f.distance = real();
        f.tasMax = real();
        f.altitudeUnit = text(3);
        f.varioUnit = text(4);
        f.distanceUnit = text(3);
        f.qnhUnit = text(5);
        f.tasUnit = text(5);
        f.takeoffSite = text(15);
        f.polar = text(7);
        const auto sign = [](float value) { return value > 0 ? '+' : '-'; };
        std::string expected =
            test::cFormat(
                "%8d           %2d:%02d       %2d:%02d       %02d:%02d         %4d%2s      "
                "%c%4.1f %3s\n",
                f.number, f.takeoffHour, f.takeoffMinute, f.landingHour, f.landingMinute,
                f.durationHours, f.durationMinutes, f.altiMax, f.altitudeUnit.c_str(),
                sign(f.varioMax), std::fabs(static_cast<double>(f.varioMax)), f.varioUnit.c_str()) +
            test::cFormat(
                "   %02d-%02d-%02d        %4d%2s      %4d%2s      %5.1f %2s      %4d%2s      "
                "%c%4.1f %3s\n",
                f.year, f.month, f.day, f.takeoffAltitude, f.altitudeUnit.c_str(),
                f.landingAltitude, f.altitudeUnit.c_str(), static_cast<double>(f.distance),
                f.distanceUnit.c_str(), f.altiGain, f.altitudeUnit.c_str(), sign(f.varioMin),
                std::fabs(static_cast<double>(f.varioMin)), f.varioUnit.c_str());
        if (f.tasMax >= 1e-10F) {
            expected += test::cFormat(
                "%14s     %4d%4s   %6s                     %4d%2s       %4.1f%4s\n",
                f.takeoffSite.c_str(), f.qnh, f.qnhUnit.c_str(), f.polar.c_str(), f.altiSum,
                f.altitudeUnit.c_str(), static_cast<double>(f.tasMax), f.tasUnit.c_str());
        } else {
            expected += test::cFormat("%14s     %4d%4s   %6s                     %4d%2s       \n",
                                      f.takeoffSite.c_str(), f.qnh, f.qnhUnit.c_str(),
                                      f.polar.c_str(), f.altiSum, f.altitudeUnit.c_str());
        }
        CLogbook logbook(serial);
        logbook.flights().push_back(f);
        ASSERT_EQ(logbook.logbookText(12), header + expected + "\n@EOF\n") << "flight " << i;
    }
}

TEST(LogbookFile, AGermanLocaleChangesNoByte) {
    test::GermanLocale german;
    if (!german.active()) {
        GTEST_SKIP() << test::GermanLocale::missing;
    }
    EXPECT_EQ(roundTrip(testData("logbook/seven_flights.log").string(), 3),
              readBytes(testData("logbook/seven_flights.log")));
}

TEST(LogbookFile, RecordFieldsAsRead) {
    ScriptedUserInterface ui;
    CLogbook logbook(serial);
    ASSERT_TRUE(logbook.readLogbook(testData("logbook/seven_flights.log").string(), ui));
    const auto& flights = logbook.flights();
    ASSERT_EQ(flights.size(), 7U);
    EXPECT_EQ(flights[1].takeoffSite, "   SCH\xD6"
                                      "CKL    ");
    EXPECT_EQ(flights[1].tasMax, 0.0F);
    EXPECT_EQ(flights[1].tasUnit, "");
    EXPECT_EQ(flights[2].leadText, ";NO FLIGHT DATA\n");
    EXPECT_EQ(flights[0].leadText, "");
    EXPECT_EQ(flights[3].leadText, "\n");
    EXPECT_FLOAT_EQ(flights[3].varioMin, -3.9F);
    EXPECT_FLOAT_EQ(flights[3].tasMax, 52.3F);
    EXPECT_EQ(flights[4].takeoffAltitude, 2010);
    EXPECT_EQ(flights[4].landingAltitude, 640);
    EXPECT_EQ(flights[6].polar, "PARA 1");
    EXPECT_EQ(flights[6].altitudeUnit, "m");
    EXPECT_EQ(flights[6].varioUnit, "m/s");

    CLogbook signedLanding(serial);
    ASSERT_TRUE(signedLanding.readLogbook(testData("logbook/signed_landing.log").string(), ui));
    EXPECT_EQ(signedLanding.flights().at(0).landingAltitude, -12);
}

TEST(LogbookFile, ExampleFlightIsFixedTextThatReadsAsAnEmptyLogbook) {
    ScriptedUserInterface ui;
    CLogbook logbook(serial);
    EXPECT_TRUE(readContent(logbook, exampleLogbook, ui));
    EXPECT_TRUE(logbook.flights().empty());
    EXPECT_TRUE(ui.messages.empty());
    // Written back, an empty logbook is the page header and "@EOF".
    EXPECT_EQ(logbook.logbookText(12), pageHeader() + "@EOF\n");
}

TEST(LogbookFile, ARealFlightFromTheExampleSiteIsKept) {
    std::string bytes = exampleLogbook;
    bytes.replace(bytes.find("95-04-21"), 8, "95-04-22");
    ScriptedUserInterface ui;
    CLogbook logbook(serial);
    EXPECT_TRUE(readContent(logbook, bytes, ui));
    ASSERT_EQ(logbook.flights().size(), 1U);
    EXPECT_EQ(logbook.flights()[0].day, 22);
}

TEST(LogbookFile, FaultyFilesAreFormatErrorsAndKeepTheFlightsReadBefore) {
    const std::string whole = readBytes(testData("logbook/seven_flights.log"));
    const std::size_t fourth = whole.find("       4   ");
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t flightsKept;
    };
    const Case cases[] = {
        {"empty file", "", 0},
        {"maker line first", whole.substr(2), 0},
        {"no maker line", "\r\n;   KARVELON\r\n" + whole.substr(whole.find("\r\n\r\n;---")), 0},
        {"cut off inside the header", whole.substr(0, 60), 0},
        {"cut off before @EOF", whole.substr(0, whole.find("@EOF")), 7},
        {"cut off between record lines", whole.substr(0, fourth + 100), 3},
        {"record line 1 damaged",
         whole.substr(0, fourth) + "       4           12.00" + whole.substr(fourth + 24), 3},
        {"unit too long",
         [&] {
             std::string b = whole;
             b.replace(b.find("m/s", fourth + 120), 3, "m/sec");
             return b;
         }(),
         3},
        {"site outside the name letters",
         [&] {
             std::string b = whole;
             b.replace(b.find("GR\xC4"), 3, "G(R");
             return b;
         }(),
         3},
    };
    for (const auto& c : cases) {
        ScriptedUserInterface ui;
        CLogbook logbook(serial);
        EXPECT_FALSE(readContent(logbook, c.bytes, ui)) << c.what;
        EXPECT_TRUE(logbook.formatError()) << c.what;
        EXPECT_EQ(logbook.flights().size(), c.flightsKept) << c.what;
        ASSERT_EQ(ui.messages.size(), 1U) << c.what;
        EXPECT_EQ(ui.messages[0].text, "Flugbuch hat falsches Format\n");
        EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    }
}

TEST(LogbookFile, EofAnywhereInALineEndsReadingAndBlanksAreTolerated) {
    std::string bytes = exampleLogbook;
    bytes.replace(bytes.find("95-04-21"), 8, "96-04-21");
    bytes.replace(bytes.find("@EOF"), 4, "xx @EOF yy\r\ngarbage that is never read");
    // Extra and fewer blanks between the columns, tabs, LF line ends.
    bytes.replace(bytes.find("   852 m"), 8, "\t852   m");
    bytes.replace(bytes.find("1021 hPa"), 8, "1021  hPa");
    std::string lf;
    for (const char c : bytes) {
        if (c != '\r') {
            lf += c;
        }
    }
    ScriptedUserInterface ui;
    CLogbook logbook(serial);
    EXPECT_TRUE(readContent(logbook, lf, ui));
    ASSERT_EQ(logbook.flights().size(), 1U);
    EXPECT_EQ(logbook.flights()[0].takeoffAltitude, 852);
    EXPECT_EQ(logbook.flights()[0].qnh, 1021);
}

TEST(LogbookFile, TwoFilesNumberedOnAndEmptyErrorCopyWithoutEof) {
    ScriptedUserInterface ui;
    CLogbook logbook(serial);
    const std::string file = testData("logbook/seven_flights.log").string();
    ASSERT_TRUE(logbook.readLogbook(file, ui));
    ASSERT_TRUE(logbook.readLogbook(file, ui));
    ASSERT_EQ(logbook.flights().size(), 14U);
    EXPECT_EQ(logbook.flights()[13].number, 14);
    EXPECT_EQ(logbook.flights()[7].leadText, ""); // each file starts without a lead text

    CLogbook broken(serial);
    EXPECT_FALSE(readContent(broken, "\r\nno logbook\r\n", ui));
    EXPECT_EQ(broken.logbookText(12), pageHeader());
}

TEST(LogbookFile, MissingFileIsReportedWithoutFormatError) {
    ScriptedUserInterface ui;
    CLogbook logbook(serial);
    EXPECT_FALSE(logbook.readLogbook("/nonexistent/Flugbuch.log", ui));
    EXPECT_FALSE(logbook.formatError());
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text,
              "Das Flugbuch /nonexistent/Flugbuch.log\nkonnte nicht "
              "geöffnet werden. Bitte Einstellungen Flugbuchpfad korrigieren!");
    EXPECT_EQ(ui.messages[0].icon, Icon::Stop);
}

TEST(LogbookFile, SiblingPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"/d/Flugbuch.log", "/d/Flugbuch.bak"},     {"/d.x/Flugbuch", "/d.x/Flugbuch.bak"},
        {"Flug.2003.log", "Flug.2003.bak"},         {"/d/Flugbuch.", "/d/Flugbuch.bak"},
        {"/d/Flugbuch.bak", "/d/Flugbuch.bak.bak"}, // never the logbook itself
        {"/d/Flugbuch.BAK", "/d/Flugbuch.bak"},
    };
    for (const auto& [path, sibling] : cases) {
        EXPECT_EQ(siblingPath(path, "bak"), sibling);
    }
}

FlightRecord flight(int year, int month, int day, int hour, int minute, std::string site = "") {
    FlightRecord f;
    f.year = year;
    f.month = month;
    f.day = day;
    f.takeoffHour = hour;
    f.takeoffMinute = minute;
    f.takeoffSite = std::move(site);
    return f;
}

TEST(LogbookOrder, EarlierFollowsTheCalendarAcrossDecadesAndTheCentury) {
    struct Case {
        FlightRecord a;
        FlightRecord b;
        bool aEarlier;
    };
    const Case cases[] = {
        {flight(94, 12, 31, 23, 59), flight(95, 1, 1, 0, 0), true},
        {flight(0, 1, 1, 0, 0), flight(10, 1, 1, 0, 0), true},     // ten years apart
        {flight(95, 1, 1, 0, 0), flight(14, 1, 1, 0, 0), true},    // 1995 before 2014
        {flight(14, 1, 1, 0, 0), flight(95, 1, 1, 0, 0), false},   //
        {flight(99, 12, 31, 23, 59), flight(0, 1, 1, 0, 0), true}, // New Year 2000
        {flight(0, 1, 1, 0, 0), flight(99, 12, 31, 23, 59), false},
        {flight(91, 1, 1, 0, 0), flight(90, 1, 1, 0, 0), true}, // 1991 before 2090
        {flight(3, 4, 5, 6, 7), flight(3, 4, 5, 6, 8), true},
        {flight(3, 4, 5, 6, 7), flight(3, 4, 5, 7, 0), true},
        {flight(3, 4, 5, 6, 7), flight(3, 4, 6, 0, 0), true},
        {flight(3, 4, 5, 6, 7), flight(3, 4, 5, 6, 7), false}, // equal takeoffs
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isEarlier(c.a, c.b), c.aEarlier)
            << c.a.year << "-" << c.a.month << "-" << c.a.day << " against " << c.b.year << "-"
            << c.b.month << "-" << c.b.day;
    }
}

// The order a pilot expects, written out plainly: calendar year by the century rule, then
// month, day, hour and minute; an insertion sort that moves a flight only past flights
// that are strictly later, so that equal takeoffs keep the order in which they were read.
std::vector<FlightRecord> referenceSort(std::vector<FlightRecord> flights) {
    const auto calendarYear = [](int year) { return year <= 90 ? 2000 + year : 1900 + year; };
    const auto later = [&](const FlightRecord& a, const FlightRecord& b) {
        if (calendarYear(a.year) != calendarYear(b.year)) {
            return calendarYear(a.year) > calendarYear(b.year);
        }
        if (a.month != b.month) {
            return a.month > b.month;
        }
        if (a.day != b.day) {
            return a.day > b.day;
        }
        if (a.takeoffHour != b.takeoffHour) {
            return a.takeoffHour > b.takeoffHour;
        }
        return a.takeoffMinute > b.takeoffMinute;
    };
    for (std::size_t i = 1; i < flights.size(); ++i) {
        for (std::size_t j = i; j > 0 && later(flights[j - 1], flights[j]); --j) {
            std::swap(flights[j - 1], flights[j]);
        }
    }
    return flights;
}

// Keeps the first of every group of flights with the same site, date and takeoff time.
std::vector<FlightRecord> referenceWithoutDuplicates(const std::vector<FlightRecord>& flights) {
    std::vector<FlightRecord> kept;
    for (const FlightRecord& f : flights) {
        bool seen = false;
        for (const FlightRecord& k : kept) {
            seen = seen || (k.takeoffSite == f.takeoffSite && k.day == f.day &&
                            k.month == f.month && k.year == f.year &&
                            k.takeoffHour == f.takeoffHour && k.takeoffMinute == f.takeoffMinute);
        }
        if (!seen) {
            kept.push_back(f);
        }
    }
    return kept;
}

std::vector<int> numbersOf(const std::vector<FlightRecord>& flights) {
    std::vector<int> numbers;
    for (const auto& f : flights) {
        numbers.push_back(f.number);
    }
    return numbers;
}

TEST(LogbookOrder, SortAndDuplicateRemovalEqualTheReferenceOnRandomLogbooks) {
    // Logbooks of up to 100 years, across the change of century or not, with few distinct
    // takeoff times (ties) and copies of flights (duplicates), in order, newest first or
    // shuffled. Each flight's number is its position as read.
    std::mt19937 random(4711);
    for (int round = 0; round < 600; ++round) {
        const int n = static_cast<int>(random() % 120);
        const int yearSpread = 1 + static_cast<int>(random() % 100);
        const int firstYear = 1991 + static_cast<int>(random() % 100);
        std::vector<FlightRecord> flights;
        for (int i = 0; i < n; ++i) {
            if (i > 0 && random() % 5 == 0) {
                flights.push_back(flights[random() % flights.size()]); // a duplicate
            } else {
                const int year =
                    std::min(2090, firstYear + static_cast<int>(random() % yearSpread));
                flights.push_back(flight(year % 100, 1 + static_cast<int>(random() % 3),
                                         1 + static_cast<int>(random() % 2), 10,
                                         static_cast<int>(random() % 3),
                                         random() % 2 == 0 ? "A" : "B"));
            }
        }
        if (round % 3 != 2) {
            flights = referenceSort(flights);
            if (round % 3 == 1) {
                std::reverse(flights.begin(), flights.end());
            }
        }
        for (int i = 0; i < n; ++i) {
            flights[static_cast<std::size_t>(i)].number = i;
        }
        CLogbook logbook(serial);
        logbook.flights() = flights;
        logbook.sortByTakeoff();
        const std::vector<FlightRecord> expected = referenceSort(flights);
        ASSERT_EQ(numbersOf(logbook.flights()), numbersOf(expected)) << "round " << round;
        logbook.removeDuplicates();
        ASSERT_EQ(numbersOf(logbook.flights()), numbersOf(referenceWithoutDuplicates(expected)))
            << "round " << round;
    }
}

TEST(LogbookOrder, AForgottenFlightAndANewYearDownloadGoWhereTheyBelong) {
    // A clean 1995-2014 logbook, one flight a year, and a forgotten 1999 flight appended.
    CLogbook logbook(serial);
    auto& flights = logbook.flights();
    for (int year = 1995; year <= 2014; ++year) {
        flights.push_back(flight(year % 100, 6, 1, 12, 0));
    }
    flights.push_back(flight(99, 8, 15, 11, 30));
    logbook.sortByTakeoff();
    std::vector<int> years;
    for (const auto& f : flights) {
        years.push_back(f.year);
    }
    EXPECT_EQ(years, (std::vector<int>{95, 96, 97, 98, 99, 99, 0,  1,  2,  3, 4,
                                       5,  6,  7,  8,  9,  10, 11, 12, 13, 14}));
    EXPECT_EQ(flights[5].month, 8);

    // A download sent newest first across New Year.
    flights = {flight(0, 1, 2, 10, 0), flight(0, 1, 1, 10, 0), flight(99, 12, 31, 10, 0),
               flight(99, 12, 30, 10, 0)};
    logbook.sortByTakeoff();
    EXPECT_EQ(flights.front().year, 99);
    EXPECT_EQ(flights.front().day, 30);
    EXPECT_EQ(flights.back().year, 0);
    EXPECT_EQ(flights.back().day, 2);
}

TEST(LogbookOrder, EqualTakeoffsKeepTheOrderReadAndTheFirstDuplicateStays) {
    CLogbook logbook(serial);
    auto& flights = logbook.flights();
    flights = {flight(3, 5, 1, 10, 0, "B"), flight(3, 5, 1, 10, 0, "A"),
               flight(3, 4, 1, 10, 0, "C"), flight(3, 5, 1, 10, 0, "B"),
               flight(3, 5, 1, 10, 0, "b")};
    for (int i = 0; i < 5; ++i) {
        flights[static_cast<std::size_t>(i)].number = i;
    }
    logbook.sortByTakeoff();
    EXPECT_EQ(numbersOf(flights), (std::vector<int>{2, 0, 1, 3, 4}));
    logbook.removeDuplicates();
    EXPECT_EQ(numbersOf(flights), (std::vector<int>{2, 0, 1, 4}));
}

} // namespace
} // namespace zv
