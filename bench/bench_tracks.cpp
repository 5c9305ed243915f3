// "&Flug->Tracks" on a directory of 200 flight data files of 20,000 track points each (a
// long season of five-hour flights at one point a second), and reading one such file.

#include "base/null_user_interface.h"
#include "bench_data.h"
#include "conversions/track_batch.h"
#include "formats/flight_track.h"
#include "formats/text_file.h"
#include "support/c_format.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using zv::bench::flightCount;
using zv::bench::generateFlight;
using zv::bench::pointsPerFlight;

struct Flights {
    fs::path dir;
    fs::path source;
    fs::path target;

    Flights() {
        dir = fs::temp_directory_path() / ("zv-bench-tracks-" + std::to_string(::getpid()));
        source = dir / "Zv";
        target = dir / "Data";
        fs::create_directories(source);
        fs::create_directories(target);
        for (int flight = 0; flight < flightCount; ++flight) {
            zv::TextWriter writer(source / zv::test::cFormat("Flug%03d.zvc", flight));
            writer.write(generateFlight(flight));
            if (!writer.close()) {
                std::fprintf(stderr, "cannot write the benchmark files in %s\n", dir.c_str());
            }
        }
    }
    ~Flights() {
        std::error_code error;
        fs::remove_all(dir, error);
    }
};

const Flights& flights() {
    static const Flights instance;
    return instance;
}

void convertFlightDirectory(benchmark::State& state) {
    zv::NullUserInterface ui;
    const Flights& files = flights(); // the generator runs before the clock does
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(files.target);
        fs::create_directories(files.target);
        state.ResumeTiming();
        zv::CTrackBatch batch(ui);
        if (!batch.convertFlightsToTracks(files.source.string(), files.target.string()) ||
            batch.writtenFiles.size() != flightCount) {
            state.SkipWithError("tracks not written");
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * flightCount *
                            pointsPerFlight);
}

void readFlightFile(benchmark::State& state) {
    zv::NullUserInterface ui;
    const std::string path = (flights().source / "Flug000.zvc").string();
    for (auto _ : state) {
        zv::CFlightTrack track(ui);
        if (!track.readFlightFile(path) || track.points.size() != pointsPerFlight) {
            state.SkipWithError("flight not read");
        }
        benchmark::DoNotOptimize(track.points.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * pointsPerFlight);
}

} // namespace

BENCHMARK(convertFlightDirectory)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(readFlightFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
