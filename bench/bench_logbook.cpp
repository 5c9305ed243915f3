// Appending a download to a main logbook of 10,000 flights, appending to a logbook of
// 100,000 flights kept newest first, and the flight order alone.
#include "base/null_user_interface.h"
#include "base/user_interface.h"
#include "formats/text_file.h"
#include "logbook/logbook.h"
#include "logbook/logbook_commands.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

const char* const siteNames[] = {"STUBALPE",
                                 "KOSSEN",
                                 "TEGELBERG",
                                 "EMBERGER AL",
                                 "GR\xC4"
                                 "BERN",
                                 "HOCHFELLN",
                                 "SCH\xD6"
                                 "CKL",
                                 "LAGO"};

// Flights of a pilot from 1995 onward, in date order: `perYear` a year (by default 400,
// so 10,000 flights span 25 years and cross the change of century).
std::vector<zv::FlightRecord> pilotFlights(int count, int firstIndex = 0, int perYear = 400) {
    std::mt19937 random(17);
    std::vector<zv::FlightRecord> flights;
    for (int i = firstIndex; i < firstIndex + count; ++i) {
        zv::FlightRecord f;
        const int year = 1995 + i / perYear;
        const int dayOfYear = static_cast<int>(static_cast<long long>(i % perYear) * 360 / perYear);
        f.year = year % 100;
        f.month = 1 + dayOfYear / 30;
        f.day = 1 + dayOfYear % 30;
        f.takeoffHour = 10 + (i % 7);
        f.takeoffMinute = (i * 13) % 60;
        const int minutes = 10 + static_cast<int>(random() % 200);
        f.landingHour = f.takeoffHour + (f.takeoffMinute + minutes) / 60;
        f.landingMinute = (f.takeoffMinute + minutes) % 60;
        f.durationHours = minutes / 60;
        f.durationMinutes = minutes % 60;
        // Three blanks and the name padded to 11 characters.
        f.takeoffSite = "   " + std::string(siteNames[i % 8]);
        f.takeoffSite.resize(14, ' ');
        f.takeoffAltitude = 800 + static_cast<int>(random() % 1500);
        f.landingAltitude = 500 + static_cast<int>(random() % 300);
        f.altiMax = f.takeoffAltitude + static_cast<int>(random() % 1500);
        f.altiGain = f.altiMax - f.takeoffAltitude;
        f.altiSum = f.altiGain * 2;
        f.distance = static_cast<float>(random() % 1000) / 10.0F;
        f.varioMax = static_cast<float>(random() % 80) / 10.0F;
        f.varioMin = -static_cast<float>(random() % 80) / 10.0F;
        f.tasMax = i % 5 == 0 ? 0.0F : 30.0F + static_cast<float>(random() % 300) / 10.0F;
        f.altitudeUnit = "m";
        f.distanceUnit = "km";
        f.qnhUnit = "hPa";
        f.varioUnit = "m/s";
        f.tasUnit = f.tasMax > 0 ? "kmh" : "";
        f.polar = "PARA 1";
        f.qnh = 1000 + static_cast<int>(random() % 40);
        f.leadText = i == firstIndex ? "" : "\n";
        flights.push_back(f);
    }
    return flights;
}

void writeLogbookFile(const std::string& path, std::vector<zv::FlightRecord> flights) {
    zv::NullUserInterface ui;
    zv::CLogbook logbook(zv::CLogbook::serialText(1596));
    logbook.flights() = std::move(flights);
    logbook.renumber(1);
    logbook.writeLogbook(path, 12, ui);
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "erweitern": a download of 100 flights, 50 of them already in the logbook, appended
// to a main logbook of 10,000 flights (read both, sort, remove duplicates, back up,
// renumber, write).
void BM_AppendToTenThousandFlights(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "zv_bench_logbook";
    std::filesystem::create_directories(dir);
    const std::string mainPath = (dir / "Flugbuch.log").string();
    const std::string downloadPath = (dir / "download.log").string();
    const int count = static_cast<int>(state.range(0));
    writeLogbookFile(mainPath, pilotFlights(count));
    writeLogbookFile(downloadPath, pilotFlights(100, count - 50));
    const std::string mainBytes = readAll(mainPath);
    zv::NullUserInterface ui;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(mainPath, std::ios::binary) << mainBytes;
        state.ResumeTiming();
        zv::CLogbook logbook(zv::CLogbook::serialText(1596));
        const auto result = zv::extendLogbook(logbook, mainPath, downloadPath, 12, 1, ui);
        if (result != zv::LogbookResult::Written ||
            logbook.flights().size() != static_cast<std::size_t>(count + 50)) {
            state.SkipWithError("append failed");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_AppendToTenThousandFlights)->Arg(10000)->Unit(benchmark::kMillisecond);

// "erweitern" on a main logbook of 100,000 flights over 15 years that was kept newest
// first (1995 to 2009, across the change of century), with the same download of 100
// flights, 50 of them already in the logbook.
void BM_AppendToNewestFirstLogbook(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "zv_bench_logbook_newest";
    std::filesystem::create_directories(dir);
    const std::string mainPath = (dir / "Flugbuch.log").string();
    const std::string downloadPath = (dir / "download.log").string();
    const int count = static_cast<int>(state.range(0));
    const int perYear = (count + 14) / 15;
    auto newestFirst = pilotFlights(count, 0, perYear);
    std::reverse(newestFirst.begin(), newestFirst.end());
    writeLogbookFile(mainPath, newestFirst);
    writeLogbookFile(downloadPath, pilotFlights(100, count - 50, perYear));
    const std::string mainBytes = readAll(mainPath);
    zv::NullUserInterface ui;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(mainPath, std::ios::binary) << mainBytes;
        state.ResumeTiming();
        zv::CLogbook logbook(zv::CLogbook::serialText(1596));
        const auto result = zv::extendLogbook(logbook, mainPath, downloadPath, 12, 1, ui);
        if (result != zv::LogbookResult::Written ||
            logbook.flights().size() != static_cast<std::size_t>(count + 50)) {
            state.SkipWithError("append failed");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_AppendToNewestFirstLogbook)->Arg(100000)->Unit(benchmark::kSecond);

// The order alone: a logbook in order with a download appended, or kept newest first.
std::vector<zv::FlightRecord> listOf(int kind, int count) {
    auto flights = pilotFlights(count);
    auto download = pilotFlights(100, count - 50);
    flights.insert(flights.end(), download.begin(), download.end());
    if (kind == 1) {
        std::reverse(flights.begin(), flights.end());
    }
    return flights;
}

void BM_SortByTakeoff(benchmark::State& state) {
    const auto flights = listOf(static_cast<int>(state.range(1)), static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        zv::CLogbook logbook(zv::CLogbook::serialText(1596));
        logbook.flights() = flights;
        state.ResumeTiming();
        logbook.sortByTakeoff();
        benchmark::DoNotOptimize(logbook.flights().data());
    }
}
// Arguments: flights, 0 = in order with a download appended, 1 = newest first.
BENCHMARK(BM_SortByTakeoff)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
