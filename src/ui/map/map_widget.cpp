#include "ui/map/map_widget.h"

#include "mapdata/map_texts.h"
#include "ui/map/map_painter.h"
#include "ui/map/tile_source.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace zv {

namespace {

// How near the pointer must come to a point for its tooltip, in pixels.
constexpr double pickRadius = 10;
// The arrow keys move the map by this many pixels.
constexpr int keyStep = 80;
// One notch of a mouse wheel.
constexpr int wheelNotch = 120;

} // namespace

MapWidget::MapWidget(TileSource* tiles, QWidget* parent) : QWidget(parent), tiles_(tiles) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
    viewport_.resize(width(), height());
    if (tiles_) {
        connect(tiles_, &TileSource::tilesChanged, this, qOverload<>(&QWidget::update));
    }
}

void MapWidget::setScene(map::MapScene scene, bool fit) {
    scene_ = std::move(scene);
    if (fit) {
        fitToData();
    }
    viewChanged();
}

void MapWidget::fitToData() {
    const map::WorldRect bounds = scene_.bounds();
    if (bounds.isEmpty()) {
        return;
    }
    // A window not shown yet has no size of its own: fit again when it gets one.
    fitWhenSized_ = !isVisible();
    viewport_ = map::viewportShowing(bounds, width(), height());
    viewChanged();
}

void MapWidget::zoomBy(int steps) {
    viewport_.zoomAt({width() / 2.0, height() / 2.0}, steps);
    viewChanged();
}

void MapWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TileLookup lookup;
    if (tiles_) {
        lookup = [this](const map::TileKey& key) { return tiles_->tile(key); };
    }
    paintMap(painter, viewport_, scene_, lookup);
    if (tiles_) {
        // What the view needs now replaces what an earlier view waited for.
        tiles_->request(viewport_.visibleTiles());
    }
}

void MapWidget::resizeEvent(QResizeEvent*) {
    viewport_.resize(width(), height());
    if (fitWhenSized_) {
        viewport_ = map::viewportShowing(scene_.bounds(), width(), height());
    }
    viewChanged();
}

bool MapWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto picked = map::pickAt(
            scene_, viewport_,
            {static_cast<double>(help->pos().x()), static_cast<double>(help->pos().y())},
            pickRadius);
        if (picked) {
            QToolTip::showText(help->globalPos(), QString::fromStdString(picked->tooltip), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    if (event->type() == QEvent::Show && fitWhenSized_) {
        fitWhenSized_ = false;
        viewport_ = map::viewportShowing(scene_.bounds(), width(), height());
        viewChanged();
    }
    return QWidget::event(event);
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position();
    if (dragFrom_) {
        const QPointF moved = event->position() - *dragFrom_;
        dragFrom_ = event->position();
        viewport_.panByPixels(moved.x(), moved.y());
    }
    viewChanged();
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragFrom_.reset();
        setCursor(Qt::OpenHandCursor);
    }
}

void MapWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    viewport_.zoomAt({event->position().x(), event->position().y()},
                     event->button() == Qt::RightButton ? -1 : 1);
    viewChanged();
}

void MapWidget::wheelEvent(QWheelEvent* event) {
    wheelRest_ += event->angleDelta().y();
    const int steps = wheelRest_ / wheelNotch;
    wheelRest_ -= steps * wheelNotch;
    pointer_ = event->position();
    if (steps != 0) {
        viewport_.zoomAt({event->position().x(), event->position().y()}, steps);
        viewChanged();
    }
    event->accept();
}

void MapWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(1);
        break;
    case Qt::Key_Minus:
        zoomBy(-1);
        break;
    case Qt::Key_Left:
        viewport_.panByPixels(keyStep, 0);
        viewChanged();
        break;
    case Qt::Key_Right:
        viewport_.panByPixels(-keyStep, 0);
        viewChanged();
        break;
    case Qt::Key_Up:
        viewport_.panByPixels(0, keyStep);
        viewChanged();
        break;
    case Qt::Key_Down:
        viewport_.panByPixels(0, -keyStep);
        viewChanged();
        break;
    case Qt::Key_Home:
        fitToData();
        break;
    default:
        QWidget::keyPressEvent(event);
        break;
    }
}

void MapWidget::leaveEvent(QEvent*) {
    pointer_.reset();
    emit pointerPlaceChanged(QString());
}

void MapWidget::viewChanged() {
    update();
    if (!pointer_) {
        return;
    }
    // The place under the pointer changes with the view, also while the pointer rests.
    const map::WorldPoint world = viewport_.worldFromScreen({pointer_->x(), pointer_->y()});
    if (world.x < 0 || world.x > 1 || world.y < 0 || world.y > 1) {
        emit pointerPlaceChanged(QString());
        return;
    }
    emit pointerPlaceChanged(QString::fromStdString(map::positionText(map::geoFromWorld(world))));
}

} // namespace zv
