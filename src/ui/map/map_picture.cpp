#include "ui/map/map_picture.h"

#include "ui/map/map_painter.h"
#include "ui/map/tile_source.h"

#include <QEventLoop>
#include <QPainter>
#include <QSaveFile>
#include <QTimer>

namespace zv {

QImage renderMapPicture(const map::MapScene& scene, QSize size, TileSource* tiles,
                        std::chrono::milliseconds wait) {
    const map::MapViewport viewport =
        map::viewportShowing(scene.bounds(), size.width(), size.height());
    TileLookup lookup;
    if (tiles) {
        tiles->request(viewport.visibleTiles());
        if (!tiles->idle()) {
            QEventLoop loop;
            QTimer deadline;
            deadline.setSingleShot(true);
            QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
            QObject::connect(tiles, &TileSource::becameIdle, &loop, &QEventLoop::quit);
            deadline.start(wait);
            loop.exec();
        }
        lookup = [tiles](const map::TileKey& key) { return tiles->tile(key); };
    }
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    paintMap(painter, viewport, scene, lookup);
    painter.end();
    return picture;
}

bool writeMapPicture(const QImage& picture, const std::filesystem::path& path, UserInterface& ui) {
    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        ui.message("Die Datei " + path.string() + "\nkonnte nicht geschrieben werden!", Icon::Stop);
        return false;
    }
    return true;
}

} // namespace zv
