#pragma once

// The map itself in the map window: drag to move it, turn the wheel or press + and - to
// zoom, a tooltip for what lies under the pointer.

#include "mapdata/map_scene.h"
#include "mapdata/map_viewport.h"

#include <QPoint>
#include <QWidget>
#include <optional>

namespace zv {

class TileSource;

class MapWidget : public QWidget {
    Q_OBJECT
public:
    explicit MapWidget(TileSource* tiles, QWidget* parent = nullptr);

    const map::MapScene& scene() const { return scene_; }
    const map::MapViewport& viewport() const { return viewport_; }
    // Shows these layers; with `fit` all of their data.
    void setScene(map::MapScene scene, bool fit);
    // Shows all of the data.
    void fitToData();
    // Zooms by whole levels around the middle of the view.
    void zoomBy(int steps);

    QSize sizeHint() const override { return {900, 650}; }

signals:
    // The pointer's position in the instrument's text form; empty when it left the map.
    void pointerPlaceChanged(const QString& text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Paints anew and tells the place under the pointer.
    void viewChanged();

    TileSource* tiles_;
    map::MapScene scene_;
    map::MapViewport viewport_;
    std::optional<QPointF> dragFrom_;
    std::optional<QPointF> pointer_; // while the pointer is over the map
    bool fitWhenSized_ = false;
    int wheelRest_ = 0; // wheel turns short of a whole step, kept for the next turn
};

} // namespace zv
