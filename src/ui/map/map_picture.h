#pragma once

// The map as a picture without a window, for zv-cli's `map` and the tests: all of the
// data in view, the tiles that arrive within the waiting time, the graticule where none
// came.

#include "base/user_interface.h"
#include "mapdata/map_scene.h"

#include <QImage>
#include <QSize>
#include <chrono>
#include <filesystem>

namespace zv {

class TileSource;

// How long a picture waits for its tiles at most.
inline constexpr std::chrono::milliseconds pictureTileWait{10000};

// Paints the scene fitted into `size`; with a tile source, first waits until it has
// fetched what the view needs or `wait` has passed (the Qt event loop runs meanwhile).
QImage renderMapPicture(const map::MapScene& scene, QSize size, TileSource* tiles,
                        std::chrono::milliseconds wait);

// Writes the picture as PNG, replacing `path` only when the whole file was written.
// False, after a message, when it could not be written.
bool writeMapPicture(const QImage& picture, const std::filesystem::path& path, UserInterface& ui);

} // namespace zv
