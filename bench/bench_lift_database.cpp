// Appending a downloaded lift file to lift databases of 100,000 and 1,000,000 lifts, and
// its parts alone: reading the database, the clean-up, writing the database.
#include "base/null_user_interface.h"
#include "bench_data.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "lifts/lift_database.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

using zv::bench::pilotLifts;

void writeLifts(const std::string& path, const zv::WaypointList& lifts) {
    zv::NullUserInterface ui;
    zv::CWaypointConverter converter(ui, 1596);
    converter.zvWaypoints = lifts;
    converter.writeLiftFile(path);
}

struct BenchDir {
    std::filesystem::path path;
    BenchDir() : path(std::filesystem::temp_directory_path() / "zv-bench-lifts") {
        std::filesystem::create_directories(path);
    }
    ~BenchDir() { std::filesystem::remove_all(path); }
};

// The whole append: backup, read both files, clean up, rewrite the database.
void appendToDatabase(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    BenchDir dir;
    const std::string database = (dir.path / "Lifts.lft").string();
    const std::string download = (dir.path / "download.lft").string();
    const std::string original = (dir.path / "original.lft").string();
    writeLifts(original, pilotLifts(size, 1));
    writeLifts(download, pilotLifts(200, 2));
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(original, database,
                                   std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        zv::NullUserInterface ui;
        zv::CWaypointConverter converter(ui, 1596);
        benchmark::DoNotOptimize(zv::appendLiftFile(converter, database, download));
    }
}
BENCHMARK(appendToDatabase)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The two ends of the append alone: reading the database and writing it again.
void readDatabase(benchmark::State& state) {
    BenchDir dir;
    const std::string database = (dir.path / "Lifts.lft").string();
    writeLifts(database, pilotLifts(static_cast<std::size_t>(state.range(0)), 1));
    for (auto _ : state) {
        zv::NullUserInterface ui;
        zv::CWaypointConverter converter(ui, 1596);
        converter.mode = zv::LiftReadMode::Raw;
        benchmark::DoNotOptimize(converter.readLiftFile(database));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(database)));
}
BENCHMARK(readDatabase)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void writeDatabase(benchmark::State& state) {
    BenchDir dir;
    const std::string database = (dir.path / "Lifts.lft").string();
    zv::NullUserInterface ui;
    zv::CWaypointConverter converter(ui, 1596);
    converter.zvWaypoints = pilotLifts(static_cast<std::size_t>(state.range(0)), 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(converter.writeLiftFile(database));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(database)));
}
BENCHMARK(writeDatabase)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void cleanUp(benchmark::State& state) {
    const auto lifts = pilotLifts(static_cast<std::size_t>(state.range(0)), 3);
    for (auto _ : state) {
        state.PauseTiming();
        zv::NullUserInterface ui;
        zv::CWaypointConverter converter(ui, 1596);
        converter.zvWaypoints = lifts;
        state.ResumeTiming();
        benchmark::DoNotOptimize(zv::cleanLifts(converter));
    }
}
BENCHMARK(cleanUp)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
