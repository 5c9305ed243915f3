// Reads any bytes as a file the map shows, under every extension the map opens, and goes
// through what the map does with it: the view that fits the data, each zoom level's detail
// of a flight and groups of lifts, and what lies under the pointer. The first byte picks
// the extension; the rest is the file.
#include "base/app_settings.h"
#include "base/null_user_interface.h"
#include "mapdata/map_files.h"
#include "mapdata/map_scene.h"
#include "mapdata/map_viewport.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

// The map reads files by name: each input goes into a file of a directory of this process,
// removed when the process ends.
struct ScratchDirectory {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("zv-fuzz-map-" + std::to_string(::getpid()));
    ScratchDirectory() { std::filesystem::create_directories(path); }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
};

const std::filesystem::path& scratchDirectory() {
    static const ScratchDirectory dir;
    return dir.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static constexpr std::array extensions{".zvc", ".wpt", ".tof", ".lft", ".gpx", ".kml", ".cup"};
    const std::filesystem::path path =
        scratchDirectory() / (std::string("fuzz") + extensions[data[0] % extensions.size()]);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    zv::AppSettings settings;
    settings.waypointDir = scratchDirectory().string();
    zv::NullUserInterface ui;
    std::optional<zv::map::MapLayer> layer = zv::map::readMapLayer(path, settings, ui);
    if (!layer) {
        return 0;
    }
    zv::map::MapScene scene;
    scene.layers.push_back(std::make_shared<const zv::map::MapLayer>(std::move(*layer)));
    zv::map::MapViewport viewport = zv::map::viewportShowing(scene.bounds(), 640, 480);
    for (int zoom = zv::map::minZoom; zoom <= zv::map::maxZoom; zoom += 3) {
        const zv::map::MapLayer& shown = *scene.layers.front();
        const auto detail = shown.flight.detail(zoom);
        for (std::size_t i = 1; i < detail.size(); ++i) {
            if (detail[i - 1] >= detail[i] || detail[i] >= shown.flight.fixes().size()) {
                __builtin_trap();
            }
            (void)shown.flight.meanClimb(detail[i - 1], detail[i]);
        }
        shown.lifts.forEachGroup(viewport.visibleWorld(), zoom,
                                 [&](const zv::map::ThermalGroup& group) {
                                     if (group.first + group.count > shown.lifts.size()) {
                                         __builtin_trap();
                                     }
                                     (void)shown.lifts.strongestClimb(group);
                                 });
        (void)zv::map::pickAt(scene, viewport, {320, 240}, 12);
        viewport.zoomAt({320, 240}, 3);
    }
    return 0;
}
