// The main window's side of the map: "Ansicht" > "Karte" and files dropped on the window.
#include "mapdata/map_files.h"
#include "ui/main_frame.h"
#include "ui/map/map_window.h"
#include "ui/map/tile_source.h"
#include "ui/zv_doc.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QTimer>

namespace zv {

MapWindow* CMainFrame::mapWindow() const {
    return map_;
}

MapWindow& CMainFrame::openMapWindow() {
    if (!map_) {
        map_ = new MapWindow(
            settings_, ui_,
            {TileSource::configuredUrlTemplate(), TileSource::defaultCacheDirectory()}, this);
        map_->setWindowFlag(Qt::Window);
    }
    return *map_;
}

void CMainFrame::showMap() {
    if (const CChildFrame* frame = activeDocument()) {
        const QString path = frame->document().path();
        if (!path.isEmpty() && map::isMapFile(path.toStdString())) {
            openMapWindow().showFiles({path.toStdString()});
            return;
        }
    }
    openMapWindow().chooseFiles();
}

void CMainFrame::openDroppedFiles(const std::vector<std::filesystem::path>& paths) {
    std::vector<std::filesystem::path> onMap;
    for (const auto& path : paths) {
        if (map::isMapFile(path)) {
            onMap.push_back(path);
        } else {
            openDocument(QString::fromStdString(path.string()));
        }
    }
    if (!onMap.empty()) {
        openMapWindow().showFiles(onMap);
    }
}

bool CMainFrame::takeFileDrop(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return false;
    }
    // Files dropped anywhere on this window, also on a text window, which would otherwise
    // insert their names as text.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) {
        return false;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    std::vector<std::filesystem::path> paths = droppedFiles(drop->mimeData());
    if (paths.empty()) {
        return false;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        // Opened after the drag has ended: a message about a file must not hold up the
        // program the files came from.
        QTimer::singleShot(0, this, [this, paths] { openDroppedFiles(paths); });
    }
    return true;
}

} // namespace zv
