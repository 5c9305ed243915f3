// The exchange with other programs, side by side with GPSBabel converting the same data:
//   - the export of an instrument waypoint file of 100,000 points to GPX, against GPSBabel
//     writing GPX from the OziExplorer file of the same points (ozi -> gpx);
//   - the export of 200 flights of 20,000 points each to GPX, against GPSBabel reading
//     those GPX tracks and writing them again (gpx -> gpx, all 200 in one run);
//   - the import of a GPX file of 100,000 waypoints, against GPSBabel reading it and
//     writing it again (gpx -> gpx).
// zv runs its command functions in this process, GPSBabel as a program of its own; both
// are timed by the wall clock.

#include "base/app_settings.h"
#include "base/null_user_interface.h"
#include "bench_data.h"
#include "conversions/exchange_commands.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using zv::bench::flightCount;
using zv::bench::pointCount;
using zv::bench::pointsPerFlight;

// Answers the file dialogs from a list and every question with Yes.
class AnsweringUserInterface : public zv::NullUserInterface {
public:
    std::deque<fs::path> files;
    zv::Answer ask(const std::string&, zv::Icon, zv::Buttons) override { return zv::Answer::Yes; }
    std::vector<fs::path> chooseFiles(const zv::FileDialogRequest&) override {
        if (files.empty()) {
            return {};
        }
        fs::path next = files.front();
        files.pop_front();
        return {next};
    }
};

bool run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

struct Data {
    fs::path dir;
    zv::AppSettings settings;
    fs::path zvWaypoints;
    fs::path oziWaypoints;
    fs::path flights;
    fs::path flightGpx;
    fs::path gpxWaypoints;
    bool gpsbabel = false;

    Data() {
        dir = fs::temp_directory_path() / ("zv-bench-exchange-" + std::to_string(::getpid()));
        flights = dir / "flights";
        flightGpx = dir / "flight-gpx";
        fs::create_directories(flights);
        fs::create_directories(flightGpx);
        settings.waypointDir = dir.string();
        settings.oziDir = dir.string();
        settings.routeDir = (dir / "routes").string();
        settings.serialNumber = 1596;
        zvWaypoints = dir / "zv.wpt";
        oziWaypoints = dir / "ozi.wpt";
        gpxWaypoints = dir / "waypoints.gpx";
        zv::NullUserInterface ui;
        zv::CWaypointConverter converter(ui, 1596);
        converter.oziWaypoints = zv::bench::generatePoints(false);
        converter.zvWaypoints = zv::bench::generatePoints(true);
        bool written = converter.writeZvWaypointFile(zvWaypoints) &&
                       converter.writeOziWaypointFile(oziWaypoints, false);
        for (int flight = 0; flight < flightCount && written; ++flight) {
            const fs::path path = flights / zv::test::cFormat("Flug%03d.zvc", flight);
            zv::TextWriter writer(path);
            writer.write(zv::bench::generateFlight(flight));
            written = writer.close() &&
                      zv::exportFile(settings, ui, zv::ExportFormat::Gpx, path,
                                     flightGpx / path.filename().replace_extension(".gpx"));
        }
        written = written &&
                  zv::exportFile(settings, ui, zv::ExportFormat::Gpx, zvWaypoints, gpxWaypoints);
        if (!written) {
            std::fprintf(stderr, "cannot write the benchmark files in %s\n", dir.c_str());
        }
        gpsbabel = run("gpsbabel -V");
    }
    ~Data() {
        std::error_code error;
        fs::remove_all(dir, error);
    }
};

const Data& data() {
    static const Data instance;
    return instance;
}

void zvExportWaypoints(benchmark::State& state) {
    const Data& d = data();
    zv::NullUserInterface ui;
    for (auto _ : state) {
        if (!zv::exportFile(d.settings, ui, zv::ExportFormat::Gpx, d.zvWaypoints,
                            d.dir / "zv-out.gpx")) {
            state.SkipWithError("not exported");
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * pointCount);
}

void gpsbabelOziToGpx(benchmark::State& state) {
    const Data& d = data();
    if (!d.gpsbabel) {
        state.SkipWithError("gpsbabel is not installed");
        return;
    }
    const std::string command = "gpsbabel -i ozi -f " + d.oziWaypoints.string() + " -o gpx -F " +
                                (d.dir / "babel-out.gpx").string();
    for (auto _ : state) {
        if (!run(command)) {
            state.SkipWithError("gpsbabel failed");
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * pointCount);
}

void zvExportFlights(benchmark::State& state) {
    const Data& d = data();
    zv::NullUserInterface ui;
    for (auto _ : state) {
        for (int flight = 0; flight < flightCount; ++flight) {
            const std::string name = zv::test::cFormat("Flug%03d", flight);
            if (!zv::exportFile(d.settings, ui, zv::ExportFormat::Gpx, d.flights / (name + ".zvc"),
                                d.dir / "zv-flight.gpx")) {
                state.SkipWithError("not exported");
            }
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * flightCount *
                            pointsPerFlight);
}

void gpsbabelFlightsGpxToGpx(benchmark::State& state) {
    const Data& d = data();
    if (!d.gpsbabel) {
        state.SkipWithError("gpsbabel is not installed");
        return;
    }
    std::string command = "gpsbabel -t -i gpx";
    for (int flight = 0; flight < flightCount; ++flight) {
        command += " -f " + (d.flightGpx / zv::test::cFormat("Flug%03d.gpx", flight)).string();
    }
    command += " -o gpx -F " + (d.dir / "babel-flights.gpx").string();
    for (auto _ : state) {
        if (!run(command)) {
            state.SkipWithError("gpsbabel failed");
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * flightCount *
                            pointsPerFlight);
}

void zvImportWaypoints(benchmark::State& state) {
    const Data& d = data();
    for (auto _ : state) {
        AnsweringUserInterface ui;
        ui.files = {d.gpxWaypoints, d.dir / "imported.wpt"};
        if (!zv::commandImportWaypoints(d.settings, ui)) {
            state.SkipWithError("not imported");
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * pointCount);
}

void gpsbabelWaypointsGpxToGpx(benchmark::State& state) {
    const Data& d = data();
    if (!d.gpsbabel) {
        state.SkipWithError("gpsbabel is not installed");
        return;
    }
    const std::string command = "gpsbabel -i gpx -f " + d.gpxWaypoints.string() + " -o gpx -F " +
                                (d.dir / "babel-waypoints.gpx").string();
    for (auto _ : state) {
        if (!run(command)) {
            state.SkipWithError("gpsbabel failed");
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * pointCount);
}

} // namespace

BENCHMARK(zvExportWaypoints)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(gpsbabelOziToGpx)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(zvExportFlights)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(gpsbabelFlightsGpxToGpx)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(zvImportWaypoints)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(gpsbabelWaypointsGpxToGpx)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

BENCHMARK_MAIN();
