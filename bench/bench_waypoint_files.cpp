// Reading and writing large instrument and OziExplorer waypoint files (100,000 points),
// and converting one into the other.
// The readers and writers work line by line in one pass, so the figures in bytes per
// second stay the same for larger files.

#include "base/null_user_interface.h"
#include "bench_data.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using zv::bench::generatePoints;
using zv::bench::pointCount;

struct Files {
    std::filesystem::path dir;
    std::string zvFile;
    std::string oziFile;

    Files() {
        dir = std::filesystem::temp_directory_path() /
              ("zv-bench-waypoints-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        zvFile = (dir / "zv.wpt").string();
        oziFile = (dir / "ozi.wpt").string();
        zv::NullUserInterface ui;
        zv::CWaypointConverter converter(ui, 1596);
        converter.oziWaypoints = generatePoints(false);
        converter.zvWaypoints = generatePoints(true);
        if (!converter.writeZvWaypointFile(zvFile) ||
            !converter.writeOziWaypointFile(oziFile, false)) {
            std::fprintf(stderr, "cannot write the benchmark files in %s\n", dir.c_str());
        }
    }
    ~Files() {
        std::error_code error;
        std::filesystem::remove_all(dir, error);
    }
};

const Files& files() {
    static const Files instance;
    return instance;
}

void setBytes(benchmark::State& state, const std::string& path) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * pointCount);
}

void readZvWaypointFile(benchmark::State& state) {
    zv::NullUserInterface ui;
    files(); // the generator runs before the clock does
    for (auto _ : state) {
        zv::CWaypointConverter converter(ui, 1596);
        if (!converter.readZvWaypointFile(files().zvFile) ||
            converter.zvWaypoints.size() != pointCount) {
            state.SkipWithError("instrument file not read");
        }
        benchmark::DoNotOptimize(converter.zvWaypoints.data());
    }
    setBytes(state, files().zvFile);
}

void writeZvWaypointFile(benchmark::State& state) {
    zv::NullUserInterface ui;
    zv::CWaypointConverter converter(ui, 1596);
    converter.oziWaypoints = generatePoints(false);
    const std::string path = (files().dir / "zv-out.wpt").string();
    for (auto _ : state) {
        if (!converter.writeZvWaypointFile(path)) {
            state.SkipWithError("instrument file not written");
        }
    }
    setBytes(state, path);
}

void readOziWaypointFile(benchmark::State& state) {
    zv::NullUserInterface ui;
    files(); // the generator runs before the clock does
    for (auto _ : state) {
        zv::CWaypointConverter converter(ui, 1596);
        if (!converter.readOziWaypointFile(files().oziFile) ||
            converter.oziWaypoints.size() != pointCount) {
            state.SkipWithError("OziExplorer file not read");
        }
        benchmark::DoNotOptimize(converter.oziWaypoints.data());
    }
    setBytes(state, files().oziFile);
}

void writeOziWaypointFile(benchmark::State& state) {
    zv::NullUserInterface ui;
    zv::CWaypointConverter converter(ui, 1596);
    converter.zvWaypoints = generatePoints(true);
    const std::string path = (files().dir / "ozi-out.wpt").string();
    for (auto _ : state) {
        if (!converter.writeOziWaypointFile(path, false)) {
            state.SkipWithError("OziExplorer file not written");
        }
    }
    setBytes(state, path);
}

// What zv-cli ozi2zv and zv2ozi do with each file: read it, write it in the other format.
void convertOziToZv(benchmark::State& state) {
    zv::NullUserInterface ui;
    const std::string path = (files().dir / "ozi-to-zv.wpt").string();
    for (auto _ : state) {
        zv::CWaypointConverter converter(ui, 1596);
        if (!converter.readOziWaypointFile(files().oziFile) ||
            !converter.writeZvWaypointFile(path)) {
            state.SkipWithError("OziExplorer file not converted");
        }
    }
    setBytes(state, files().oziFile);
}

void convertZvToOzi(benchmark::State& state) {
    zv::NullUserInterface ui;
    const std::string path = (files().dir / "zv-to-ozi.wpt").string();
    for (auto _ : state) {
        zv::CWaypointConverter converter(ui, 1596);
        if (!converter.readZvWaypointFile(files().zvFile) ||
            !converter.writeOziWaypointFile(path, false)) {
            state.SkipWithError("instrument file not converted");
        }
    }
    setBytes(state, files().zvFile);
}

BENCHMARK(readZvWaypointFile)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(writeZvWaypointFile)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(readOziWaypointFile)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(writeOziWaypointFile)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(convertOziToZv)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(convertZvToOzi)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

BENCHMARK_MAIN();
