// Reading and writing large instrument and OziExplorer waypoint files (100,000 points),
// and converting one into the other.
// The readers and writers work line by line in one pass, so the figures in bytes per
// second stay the same for larger files.

#include "base/null_user_interface.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/c_format.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int pointCount = 100000;

// Points in both forms: degrees and minutes for the instrument writer, decimal degrees
// for the OziExplorer writer. Every tenth point carries a comment line.
zv::WaypointList generatePoints(bool decimal) {
    zv::WaypointList points;
    points.reserve(pointCount);
    const char* const signs[] = {"o", "TPT", "H", "X", "+", "T"};
    for (int i = 0; i < pointCount; ++i) {
        zv::Waypoint point;
        point.name = zv::test::cFormat("WP%06d", i);
        point.name.resize(zv::nameLimit, ' ');
        point.id = "DE";
        point.sign = signs[i % 6];
        point.altitude = i % 4000;
        point.unit = "m";
        const float latMinutes = static_cast<float>(i % 6000) / 100;
        const float lonMinutes = static_cast<float>((i * 7) % 6000) / 100;
        point.latHemisphere = i % 2 ? 'N' : 'S';
        point.lonHemisphere = i % 3 ? 'E' : 'W';
        if (decimal) {
            point.latDecimal = (45 + latMinutes / 60) * (i % 2 ? 1 : -1);
            point.lonDecimal = (10 + lonMinutes / 60) * (i % 3 ? 1 : -1);
        } else {
            point.latDegrees = 45;
            point.latMinutes = latMinutes;
            point.lonDegrees = 10;
            point.lonMinutes = lonMinutes;
        }
        if (i % 10 == 0) {
            point.comment = zv::test::cFormat("; Wegpunkt %d", i);
        }
        points.push_back(std::move(point));
    }
    return points;
}

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
