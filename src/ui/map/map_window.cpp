#include "ui/map/map_window.h"

#include "base/null_user_interface.h"
#include "mapdata/map_files.h"
#include "ui/about_help.h"
#include "ui/map/map_widget.h"
#include "ui/map/tile_source.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QtConcurrent/QtConcurrentRun>

namespace zv {

namespace {

// The readers on the worker thread report here; the window shows their messages when
// the worker is done.
class MessageLog : public NullUserInterface {
public:
    std::vector<std::pair<std::string, Icon>> messages;

    void message(const std::string& text, Icon icon) override { messages.emplace_back(text, icon); }
    Answer ask(const std::string& text, Icon icon, Buttons) override {
        messages.emplace_back(text, icon);
        return Answer::No;
    }
};

MapLoad loadFiles(const std::vector<std::filesystem::path>& paths, const AppSettings& settings) {
    MapLoad load;
    MessageLog log;
    QElapsedTimer clock;
    clock.start();
    for (const auto& path : paths) {
        if (auto layer = map::readMapLayer(path, settings, log)) {
            load.layers.push_back(std::make_shared<const map::MapLayer>(std::move(*layer)));
        }
    }
    load.messages = std::move(log.messages);
    load.milliseconds = clock.elapsed();
    return load;
}

bool hasMapFile(const std::vector<std::filesystem::path>& paths) {
    return std::any_of(paths.begin(), paths.end(),
                       [](const auto& path) { return map::isMapFile(path); });
}

} // namespace

std::vector<std::filesystem::path> droppedFiles(const QMimeData* data) {
    std::vector<std::filesystem::path> paths;
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                paths.emplace_back(url.toLocalFile().toStdString());
            }
        }
    }
    return paths;
}

MapWindow::MapWindow(const AppSettings& settings, UserInterface& ui, const TileSourceOptions& tiles,
                     QWidget* parent)
    : QMainWindow(parent), settings_(settings), ui_(ui), tiles_(new TileSource(tiles, this)),
      map_(new MapWidget(tiles_, this)), place_(new QLabel(this)), tileProblem_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Karte"));
    setObjectName(QStringLiteral("mapWindow"));
    setHelpSection(this, QString::fromLatin1(help::map));
    setCentralWidget(map_);
    setAcceptDrops(true);

    QToolBar* bar = addToolBar(QStringLiteral("Karte"));
    bar->setObjectName(QStringLiteral("mapToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this, bar](const char* name, const QString& text, const QString& tip,
                                 auto slot) {
        QAction* action = bar->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(tip);
        action->setStatusTip(tip);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("mapOpen", QStringLiteral("Öffnen..."),
        QStringLiteral("Weitere Flüge, Wegpunkte, Startplätze oder Aufwinde auf der Karte zeigen "
                       "(Strg+O)"),
        [this] { chooseFiles(); })
        ->setShortcut(QKeySequence::Open);
    add("mapFit", QStringLiteral("Alles zeigen"),
        QStringLiteral("Zeigt alle Daten der Karte (Pos1)"), [this] { map_->fitToData(); });
    add("mapZoomIn", QStringLiteral("+"), QStringLiteral("Vergrößern (+ oder Mausrad)"),
        [this] { map_->zoomBy(1); });
    add("mapZoomOut", QStringLiteral("−"), QStringLiteral("Verkleinern (- oder Mausrad)"),
        [this] { map_->zoomBy(-1); });
    add("mapRemoveAll", QStringLiteral("Leeren"),
        QStringLiteral("Nimmt alle Dateien von der Karte"), [this] { removeAll(); });

    place_->setObjectName(QStringLiteral("mapPlace"));
    place_->setMinimumWidth(
        place_->fontMetrics().horizontalAdvance(QStringLiteral("N  47 12.50   E  10 24.00  ")));
    tileProblem_->setObjectName(QStringLiteral("mapTileProblem"));
    statusBar()->addWidget(tileProblem_, 1);
    statusBar()->addPermanentWidget(place_);
    connect(map_, &MapWidget::pointerPlaceChanged, place_, &QLabel::setText);
    connect(tiles_, &TileSource::problemChanged, this, &MapWindow::showTileProblem);
    connect(&watcher_, &QFutureWatcher<MapLoad>::finished, this, &MapWindow::loadFinished);
    resize(map_->sizeHint());
}

MapWindow::~MapWindow() {
    // A load still running finishes on its own; its result is dropped.
    watcher_.disconnect(this);
}

void MapWindow::showFiles(const std::vector<std::filesystem::path>& paths) {
    show();
    raise();
    activateWindow();
    if (paths.empty()) {
        return;
    }
    pending_.push_back(paths);
    if (!reading_) {
        startNextLoad();
    }
}

bool MapWindow::chooseFiles() {
    const auto paths = ui_.chooseFiles(map::mapFileRequest(settings_));
    if (paths.empty()) {
        return false;
    }
    showFiles(paths);
    return true;
}

void MapWindow::removeAll() {
    map_->setScene({}, false);
}

void MapWindow::startNextLoad() {
    if (pending_.empty()) {
        return;
    }
    const std::vector<std::filesystem::path> paths = pending_.front();
    pending_.erase(pending_.begin());
    QStringList names;
    for (const auto& path : paths) {
        names << QString::fromStdString(path.filename().string());
    }
    statusBar()->showMessage(QStringLiteral("Lese %1 ...").arg(names.join(QStringLiteral(", "))));
    map_->setCursor(Qt::BusyCursor);
    reading_ = true;
    watcher_.setFuture(QtConcurrent::run(loadFiles, paths, settings_));
}

void MapWindow::loadFinished() {
    MapLoad load = watcher_.result();
    reading_ = false;
    map_->setCursor(Qt::OpenHandCursor);
    map::MapScene scene = map_->scene();
    for (auto& layer : load.layers) {
        // A file shown again replaces its old picture: it may have been edited meanwhile.
        std::erase_if(scene.layers, [&](const auto& shown) { return shown->path == layer->path; });
        scene.layers.push_back(std::move(layer));
    }
    const bool added = !load.layers.empty();
    map_->setScene(std::move(scene), added);
    statusBar()->clearMessage();
    // A long read is worth a word: a lift database of a million lifts takes a second or two.
    if (constexpr qint64 worthAWord = 1000; load.milliseconds >= worthAWord) {
        statusBar()->showMessage(
            QStringLiteral("Gelesen in %1 s").arg(load.milliseconds / 1000.0, 0, 'f', 1), 5000);
    }
    for (const auto& [text, icon] : load.messages) {
        ui_.message(text, icon);
    }
    if (pending_.empty()) {
        emit loaded();
    }
    startNextLoad();
}

void MapWindow::showTileProblem(const QString& text) {
    // Tiles that do not come are no reason to interrupt the pilot: a line in the status bar.
    tileProblem_->setText(text);
}

void MapWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (hasMapFile(droppedFiles(event->mimeData()))) {
        event->acceptProposedAction();
    }
}

void MapWindow::dropEvent(QDropEvent* event) {
    std::vector<std::filesystem::path> paths = droppedFiles(event->mimeData());
    std::erase_if(paths, [](const auto& path) { return !map::isMapFile(path); });
    if (!paths.empty()) {
        showFiles(paths);
        event->acceptProposedAction();
    }
}

} // namespace zv
