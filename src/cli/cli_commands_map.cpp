// zv-cli's `map`: the map window's view of map files as a PNG picture, painted offscreen by
// the window's own code, for scripts and the tests.
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"
#include "mapdata/map_files.h"
#include "ui/map/map_picture.h"
#include "ui/map/tile_source.h"

#include <QGuiApplication>
#include <array>
#include <charconv>
#include <clocale>
#include <memory>
#include <optional>

namespace zv::cli {

namespace {

constexpr int smallestSide = 64;
constexpr int largestSide = 8192;

struct PictureOptions {
    std::filesystem::path png;
    int width = 1024;
    int height = 768;
};

// "WxH", e.g. "1024x768".
void takeSize(const std::string& text, PictureOptions& options) {
    const auto x = text.find('x');
    const auto number = [&text](std::size_t begin, std::size_t end, int& value) {
        const char* first = text.data() + begin;
        const char* last = text.data() + end;
        const auto [stop, error] = std::from_chars(first, last, value);
        return error == std::errc{} && stop == last && smallestSide <= value &&
               value <= largestSide;
    };
    if (x == std::string::npos || !number(0, x, options.width) ||
        !number(x + 1, text.size(), options.height)) {
        throw UsageError("--size braucht BREITExHÖHE mit Seiten von " +
                         std::to_string(smallestSide) + " bis " + std::to_string(largestSide) +
                         " Pixeln, z. B. 1024x768");
    }
}

// The map needs Qt's GUI application object, on the offscreen platform: zv-cli draws
// without a display. Only this command makes one. It keeps the arguments it was given.
class OffscreenApplication {
public:
    OffscreenApplication() : application_(argc_, argv_.data()) {
        // Qt has set the locale of the environment; the core writes numbers the C way.
        std::setlocale(LC_NUMERIC, "C");
    }

private:
    int argc_ = 3;
    std::array<char, 7> name_{"zv-cli"};
    std::array<char, 10> platformOption_{"-platform"};
    std::array<char, 10> platform_{"offscreen"};
    std::array<char*, 4> argv_{name_.data(), platformOption_.data(), platform_.data(), nullptr};
    QGuiApplication application_;
};

bool paintMap(const AppSettings& settings, CliUserInterface& ui, const PictureOptions& options) {
    const auto paths = ui.chooseFiles(map::mapFileRequest(settings));
    if (paths.empty()) {
        return false;
    }
    map::MapScene scene;
    for (const auto& path : paths) {
        auto layer = map::readMapLayer(path, settings, ui);
        if (!layer) {
            return false;
        }
        scene.layers.push_back(std::make_shared<const map::MapLayer>(std::move(*layer)));
    }
    std::optional<OffscreenApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        application.emplace();
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        ui.message("Die Karte kann ohne grafische Qt-Anwendung nicht gezeichnet werden.",
                   Icon::Stop);
        return false;
    }
    TileSource tiles({TileSource::configuredUrlTemplate(), TileSource::defaultCacheDirectory()});
    const QImage picture =
        renderMapPicture(scene, QSize(options.width, options.height), &tiles, pictureTileWait);
    if (!tiles.problem().isEmpty()) {
        // What the map window's status bar says; the picture is painted all the same.
        ui.note(tiles.problem().toStdString());
    }
    std::filesystem::path png = options.png;
    if (png.is_relative()) {
        png = ui.currentDir() / png;
    }
    return writeMapPicture(picture, png, ui);
}

const CommandRegistrar mapCommand({
    .name = "map",
    .synopsis = "KARTENDATEI... --png BILD.png [--size BxH]",
    .commands = {CommandId::Map},
    .needsSettings = true,
    .fileArguments = anyNumberOfFiles,
    .prepare = [](Arguments& arguments) -> CommandAction {
        PictureOptions options;
        const auto png = arguments.takeOption("--png", 1);
        if (!png) {
            throw UsageError("--png fehlt");
        }
        options.png = png->front();
        if (const auto size = arguments.takeOption("--size", 1)) {
            takeSize(size->front(), options);
        }
        if (arguments.remaining().empty()) {
            throw UsageError("KARTENDATEI fehlt");
        }
        return [options](CZvApp& app, CliUserInterface& ui) {
            return paintMap(app.settings(), ui, options);
        };
    },
});

} // namespace

} // namespace zv::cli
