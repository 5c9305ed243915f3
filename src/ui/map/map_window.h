#pragma once

// The window "Karte": the map of the files opened on it, with a toolbar to open more,
// fit the view to the data and zoom, and a status bar with the pointer's position and
// the state of the tiles. Files are read on a worker thread: a lift database of a million
// lifts does not freeze the window.

#include "base/app_settings.h"
#include "base/user_interface.h"
#include "mapdata/map_layer.h"

#include <QFutureWatcher>
#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <vector>

class QLabel;
class QMimeData;

namespace zv {

class MapWidget;
class TileSource;
struct TileSourceOptions;

// What a worker thread read: the layers, and the readers' messages to show afterwards.
struct MapLoad {
    std::vector<std::shared_ptr<const map::MapLayer>> layers;
    std::vector<std::pair<std::string, Icon>> messages;
    qint64 milliseconds = 0; // how long the reading took
};

class MapWindow : public QMainWindow {
    Q_OBJECT
public:
    // The readers' messages go to `ui`; the settings name the route directory and the
    // directory the file dialog starts in.
    MapWindow(const AppSettings& settings, UserInterface& ui, const TileSourceOptions& tiles,
              QWidget* parent = nullptr);
    ~MapWindow() override;

    // Reads the files in the background and adds them to the map (a file already on it
    // is read again), then shows all of the data.
    void showFiles(const std::vector<std::filesystem::path>& paths);
    // The file dialog of "Ansicht" > "Karte"; shows what was chosen.
    bool chooseFiles();
    void removeAll();

    MapWidget* mapWidget() const { return map_; }
    TileSource* tileSource() const { return tiles_; }
    // Files are being read, or wait to be read.
    bool loading() const { return reading_ || !pending_.empty(); }

signals:
    // The files asked for are on the map (or their messages were shown).
    void loaded();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startNextLoad();
    void loadFinished();
    void showTileProblem(const QString& text);

    const AppSettings& settings_;
    UserInterface& ui_;
    TileSource* tiles_;
    MapWidget* map_;
    QLabel* place_;
    QLabel* tileProblem_; // stays while tiles do not come; messages of a load show over it
    QFutureWatcher<MapLoad> watcher_;
    bool reading_ = false; // from the start of a load until its layers are on the map
    std::vector<std::vector<std::filesystem::path>> pending_; // loads waiting for the worker
};

// The local files among dropped URLs.
std::vector<std::filesystem::path> droppedFiles(const QMimeData* data);

} // namespace zv
