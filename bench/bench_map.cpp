// The map window's frames per second: a lift database of 1,000,000 lifts and a thermal
// flight of 20,000 fixes painted at 1024x768, moving a few pixels each frame as a pilot
// drags the map, with every tile in memory, at three zoom levels: the Alps, a valley and
// a thermal. And how long reading the lift database onto the map takes.
#include "base/app_settings.h"
#include "base/null_user_interface.h"
#include "bench_data.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "mapdata/map_files.h"
#include "support/c_format.h"
#include "ui/map/map_painter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t liftCount = 1'000'000;
constexpr int fixCount = 20'000;

// A five-and-a-half-hour flight at one fix a second from 47 N 10 E: circles of 45 m in
// thermals drifting with the wind, glides between them.
std::string thermalFlight() {
    std::string text = "@ZV1596 95 07 14 11 05\n";
    double north = 0;
    double east = 0;
    double altitude = 1200;
    for (int i = 0; i < fixCount; ++i) {
        const bool circling = i % 900 < 600;
        if (circling) {
            const double turn = 2 * std::numbers::pi * i / 24;
            east += 1.5 + 11.8 * std::cos(turn);
            north += 1.0 + 11.8 * std::sin(turn);
            altitude += 1.8;
        } else {
            east += 9;
            north -= 3;
            altitude -= 3.6;
        }
        const int latitude = static_cast<int>(std::lround((47.0 + north / 111320) * 6000));
        const int longitude = static_cast<int>(std::lround((10.0 + east / 75900) * 6000));
        text += zv::test::cFormat("%06X %06X %04X\n", latitude, longitude,
                                  static_cast<int>(std::lround(altitude)));
    }
    return text + "@EOF\n";
}

struct MapData {
    fs::path dir;
    fs::path database;
    fs::path flight;
    zv::map::MapScene scene;

    MapData() {
        dir = fs::temp_directory_path() / ("zv-bench-map-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        database = dir / "Lifts.lft";
        flight = dir / "Flug.zvc";
        zv::NullUserInterface ui;
        zv::CWaypointConverter converter(ui, 1596);
        converter.zvWaypoints = zv::bench::pilotLifts(liftCount, 1);
        zv::TextWriter writer(flight);
        writer.write(thermalFlight());
        if (!converter.writeLiftFile(database) || !writer.close()) {
            std::fprintf(stderr, "cannot write the benchmark files in %s\n", dir.c_str());
        }
        for (const fs::path& file : {database, flight}) {
            if (auto layer = zv::map::readMapLayer(file, zv::AppSettings{}, ui)) {
                scene.layers.push_back(
                    std::make_shared<const zv::map::MapLayer>(std::move(*layer)));
            }
        }
    }
    ~MapData() {
        std::error_code error;
        fs::remove_all(dir, error);
    }
};

const MapData& mapData() {
    static const MapData instance;
    return instance;
}

// Reading the lift database onto the map: the reader, then the index.
void readLiftDatabase(benchmark::State& state) {
    const MapData& data = mapData();
    zv::NullUserInterface ui;
    for (auto _ : state) {
        const auto layer = zv::map::readMapLayer(data.database, zv::AppSettings{}, ui);
        if (!layer || layer->lifts.size() != liftCount) {
            state.SkipWithError("lift database not read");
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * liftCount));
}
BENCHMARK(readLiftDatabase)->Unit(benchmark::kMillisecond)->Iterations(3);

// One frame after another as the map is dragged, at the zoom level of the argument.
void paintFrames(benchmark::State& state) {
    const MapData& data = mapData();
    const int zoom = static_cast<int>(state.range(0));
    // A tile of the map: in the window every tile of the view is in memory once fetched.
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(QColor(220, 235, 205));
    const zv::TileLookup tiles = [&tile](const zv::map::TileKey&) { return &tile; };
    QImage frame(1024, 768, QImage::Format_ARGB32_Premultiplied);
    // Over the middle of the flight, in the thick of the lifts.
    const auto fixes = data.scene.layers.back()->flight.fixes();
    zv::map::MapViewport viewport(fixes[fixes.size() / 2].at, zoom, frame.width(), frame.height());
    int step = 0;
    for (auto _ : state) {
        viewport.panByPixels(step % 40 < 20 ? 7 : -7, step % 60 < 30 ? 4 : -4);
        ++step;
        QPainter painter(&frame);
        zv::paintMap(painter, viewport, data.scene, tiles);
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
// The Alps with every lift of the database in groups, a valley, a thermal.
BENCHMARK(paintFrames)->Arg(7)->Arg(11)->Arg(15)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Painting text needs Qt's GUI application; offscreen, no display is needed.
    int qtArgc = 3;
    char name[] = "bench_map";
    char platformOption[] = "-platform";
    char platform[] = "offscreen";
    char* qtArgv[] = {name, platformOption, platform, nullptr};
    const QGuiApplication application(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
