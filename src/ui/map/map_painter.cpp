#include "ui/map/map_painter.h"

#include "formats/climb_classes.h"
#include "mapdata/map_scale.h"
#include "mapdata/map_texts.h"
#include "mapdata/segment_clip.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <tuple>

namespace zv {

using map::LayerKind;
using map::MapLayer;
using map::MapViewport;

namespace {

const QColor background(236, 233, 224);
const QColor graticuleLine(160, 160, 160);
const QColor graticuleText(110, 110, 110);
const QColor casing(40, 40, 40);
const QColor routeColour(190, 0, 150);
const QColor takeoffColour(0, 140, 40);
const QColor windColour(30, 30, 30);
const QColor panel(255, 255, 255, 225);
// More labelled points than this in view are drawn without their names.
constexpr int maxLabels = 300;
// How far beyond the view a symbol may stand and still reach into it, in pixels.
constexpr double symbolReach = 40;

QFont pixelFont(int pixels, bool bold = false) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPointF screenOf(const MapViewport& viewport, const map::WorldPoint& at) {
    const map::ScreenPoint point = viewport.screenFromWorld(at);
    return {point.x, point.y};
}

const ClimbClass& coloursOf(float climb) {
    return climbClasses[climbClassOf(climb)];
}

// The tiles of the view; where a tile is missing, a coarser one in memory is enlarged.
// Returns what no tile covers.
QRegion paintTiles(QPainter& painter, const MapViewport& viewport, const TileLookup& tiles) {
    QRegion missing(0, 0, viewport.width(), viewport.height());
    if (!tiles) {
        return missing;
    }
    const double scale = map::worldPixels(viewport.zoom());
    const auto originX =
        static_cast<long long>(std::floor(viewport.width() / 2.0 - viewport.centre().x * scale));
    const auto originY =
        static_cast<long long>(std::floor(viewport.height() / 2.0 - viewport.centre().y * scale));
    for (const map::TileKey& tile : viewport.visibleTiles()) {
        const QRect target(static_cast<int>(originX + tile.x * 256LL),
                           static_cast<int>(originY + tile.y * 256LL), map::tilePixels,
                           map::tilePixels);
        if (const QImage* image = tiles(tile)) {
            painter.drawImage(target.topLeft(), *image);
            missing -= target;
            continue;
        }
        for (int up = 1; up <= 5 && tile.zoom - up >= 0; ++up) {
            const QImage* coarser = tiles({tile.zoom - up, tile.x >> up, tile.y >> up});
            if (coarser) {
                const int part = map::tilePixels >> up;
                const int mask = (1 << up) - 1;
                painter.drawImage(
                    target, *coarser,
                    QRect((tile.x & mask) * part, (tile.y & mask) * part, part, part));
                missing -= target;
                break;
            }
        }
    }
    return missing;
}

// Lines of latitude and longitude at round values, labelled in the instrument's text form.
void paintGraticule(QPainter& painter, const MapViewport& viewport, const QRegion& where) {
    if (where.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRegion(where);
    const map::WorldRect visible = viewport.visibleWorld();
    const map::LatLon northWest =
        map::geoFromWorld({std::max(visible.left, 0.0), std::max(visible.top, 0.0)});
    const map::LatLon southEast =
        map::geoFromWorld({std::min(visible.right, 1.0), std::min(visible.bottom, 1.0)});
    const map::LatLon middle = map::geoFromWorld(viewport.centre());
    const double degreesPerPixel = 360.0 / map::worldPixels(viewport.zoom());
    constexpr double minPixels = 110;
    const double lonStep = map::graticuleStep(degreesPerPixel, minPixels);
    const double latStep = map::graticuleStep(
        degreesPerPixel * std::cos(middle.latitude * std::numbers::pi / 180), minPixels);
    painter.setFont(pixelFont(10));
    const QFontMetrics metrics(painter.font());
    const auto lineAt = [](double value, double step) { return std::round(value / step) * step; };

    for (auto n = static_cast<long long>(std::ceil(northWest.longitude / lonStep));
         n * lonStep <= southEast.longitude; ++n) {
        const double longitude = lineAt(n * lonStep, lonStep);
        const double x = screenOf(viewport, map::worldFromGeo({middle.latitude, longitude})).x();
        painter.setPen(QPen(graticuleLine, 1));
        painter.drawLine(QPointF(x, 0), QPointF(x, viewport.height()));
        // Labels along the top and the left edge, none where the two edges meet.
        const QString label = QString::fromStdString(map::longitudeText(longitude));
        if (x > metrics.horizontalAdvance(label)) {
            painter.setPen(graticuleText);
            painter.drawText(QPointF(x + 3, metrics.ascent() + 2), label);
        }
    }
    for (auto n = static_cast<long long>(std::ceil(southEast.latitude / latStep));
         n * latStep <= northWest.latitude; ++n) {
        const double latitude = lineAt(n * latStep, latStep);
        const double y = screenOf(viewport, map::worldFromGeo({latitude, middle.longitude})).y();
        painter.setPen(QPen(graticuleLine, 1));
        painter.drawLine(QPointF(0, y), QPointF(viewport.width(), y));
        if (y > 2 * metrics.height()) {
            painter.setPen(graticuleText);
            painter.drawText(QPointF(3, y - 3),
                             QString::fromStdString(map::latitudeText(latitude)));
        }
    }
    painter.restore();
}

// A disc with an outline, drawn once for every look and size and then copied: a frame
// shows hundreds of lifts and groups, and copying a small picture costs far less than
// drawing a smooth circle. Only the painting thread uses it.
void paintDisc(QPainter& painter, const QPointF& at, double radius, const QColor& fill,
               const QColor& outline, double penWidth) {
    using Key = std::tuple<int, QRgb, QRgb, int, int>;
    static std::map<Key, QImage> sprites;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const auto quarters = [](double value) { return static_cast<int>(std::lround(value * 4)); };
    const Key key{quarters(radius), fill.rgba(), outline.rgba(), quarters(penWidth),
                  quarters(ratio)};
    auto found = sprites.find(key);
    if (found == sprites.end()) {
        const double half = radius + penWidth / 2 + 1;
        const int side = static_cast<int>(std::ceil(2 * half * ratio));
        QImage sprite(side, side, QImage::Format_ARGB32_Premultiplied);
        sprite.fill(Qt::transparent);
        sprite.setDevicePixelRatio(ratio);
        QPainter disc(&sprite);
        disc.setRenderHint(QPainter::Antialiasing);
        disc.setPen(QPen(outline, penWidth));
        disc.setBrush(fill);
        const double middle = side / ratio / 2;
        disc.drawEllipse(QPointF(middle, middle), radius, radius);
        disc.end();
        found = sprites.emplace(key, std::move(sprite)).first;
    }
    const double middle = found->second.width() / ratio / 2;
    painter.drawImage(at - QPointF(middle, middle), found->second);
}

// A lift: a disc in its climb colours and, when there is wind, an arrow where it blows to.
void paintThermal(QPainter& painter, const QPointF& at, const map::Thermal& thermal) {
    const ClimbClass& colours = coloursOf(thermal.climb);
    constexpr double radius = 6;
    if (thermal.windSpeed > 0) {
        const double toward = (thermal.windDirection + 180) * std::numbers::pi / 180;
        const QPointF direction(std::sin(toward), -std::cos(toward));
        const double length = 10 + std::min<int>(thermal.windSpeed, 60) / 3.0;
        const QPointF tail = at + direction * (radius + 1);
        const QPointF tip = at + direction * (radius + 1 + length);
        const QPointF across(-direction.y(), direction.x());
        painter.setPen(QPen(windColour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(tail, tip);
        painter.drawLine(tip, tip - direction * 5 + across * 3.5);
        painter.drawLine(tip, tip - direction * 5 - across * 3.5);
    }
    paintDisc(painter, at, radius, windowsColour(colours.bgColour), windowsColour(colours.fgColour),
              1.5);
}

// A group of lifts: a larger disc in the colours of their mean climb, with their number.
void paintThermalGroup(QPainter& painter, const QPointF& at, const map::ThermalGroup& group) {
    const ClimbClass& colours = coloursOf(group.meanClimb);
    // Half pixels are enough steps of size.
    const double radius = std::round(2 * (9 + 3.5 * std::log10(group.count))) / 2;
    QColor fill = windowsColour(colours.bgColour);
    fill.setAlpha(215);
    paintDisc(painter, at, radius, fill, windowsColour(colours.fgColour), 2);
    painter.setPen(windowsColour(colours.fgColour));
    painter.drawText(QRectF(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius),
                     Qt::AlignCenter, QString::number(group.count));
}

void paintLifts(QPainter& painter, const MapViewport& viewport, const MapLayer& layer) {
    map::WorldRect area = viewport.visibleWorld();
    const double reach = symbolReach / map::worldPixels(viewport.zoom());
    area = {area.left - reach, area.top - reach, area.right + reach, area.bottom + reach};
    painter.setFont(pixelFont(10, true));
    const auto thermals = layer.lifts.thermals();
    std::vector<std::pair<QPointF, float>> singles;
    layer.lifts.forEachGroup(area, viewport.zoom(), [&](const map::ThermalGroup& group) {
        const QPointF at = screenOf(viewport, group.at);
        if (group.count == 1) {
            paintThermal(painter, at, thermals[group.first]);
            singles.emplace_back(at, thermals[group.first].climb);
        } else {
            paintThermalGroup(painter, at, group);
        }
    });
    // A few lifts alone in view show their climb beside them.
    if (singles.size() > maxLabels) {
        return;
    }
    painter.setFont(pixelFont(10));
    painter.setPen(casing);
    for (const auto& [at, climb] : singles) {
        painter.drawText(at + QPointF(8, -6), QString::number(climb, 'f', 1));
    }
}

// A line of the map as far as the view shows it: runs of consecutive segments, each cut at
// the edges of the view (with room for the line ends beyond them), a new run wherever
// `keyOf` of a segment (from point k - 1 to point k) differs from the one before.
struct LineRun {
    QPolygonF line;
    std::size_t key = 0;
};
std::vector<LineRun> visibleRuns(const MapViewport& viewport,
                                 const std::vector<map::ScreenPoint>& points,
                                 const std::function<std::size_t(std::size_t)>& keyOf) {
    const map::ScreenRect view{-symbolReach, -symbolReach, viewport.width() + symbolReach,
                               viewport.height() + symbolReach};
    std::vector<LineRun> runs;
    for (std::size_t k = 1; k < points.size(); ++k) {
        const auto shown = map::clipSegment(points[k - 1], points[k], view);
        if (!shown) {
            continue;
        }
        const QPointF from(shown->first.x, shown->first.y);
        const std::size_t key = keyOf(k);
        if (runs.empty() || runs.back().key != key || runs.back().line.back() != from) {
            runs.push_back({QPolygonF() << from, key});
        }
        runs.back().line << QPointF(shown->second.x, shown->second.y);
    }
    return runs;
}

bool inView(const MapViewport& viewport, const QPointF& at) {
    return QRectF(-symbolReach, -symbolReach, viewport.width() + 2 * symbolReach,
                  viewport.height() + 2 * symbolReach)
        .contains(at);
}

// The track in the colours of its climb, over a dark casing that keeps it visible on any
// map; a triangle at the takeoff, a square at the landing.
void paintFlight(QPainter& painter, const MapViewport& viewport, const MapLayer& layer) {
    const map::FlightPath& flight = layer.flight;
    if (flight.empty()) {
        return;
    }
    const auto fixes = flight.fixes();
    const auto detail = flight.detail(viewport.zoom());
    std::vector<map::ScreenPoint> points;
    points.reserve(detail.size());
    for (const std::uint32_t index : detail) {
        points.push_back(viewport.screenFromWorld(fixes[index].at));
    }
    const std::vector<LineRun> runs = visibleRuns(viewport, points, [&](std::size_t k) {
        return climbClassOf(flight.meanClimb(detail[k - 1], detail[k]));
    });
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(casing, 5, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    for (const LineRun& run : runs) {
        painter.drawPolyline(run.line);
    }
    for (const LineRun& run : runs) {
        const ClimbClass& colours = climbClasses[run.key];
        painter.setPen(
            QPen(windowsColour(colours.bgColour), 3, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
        painter.drawPolyline(run.line);
    }
    const QPointF takeoff(points.front().x, points.front().y);
    if (inView(viewport, takeoff)) {
        QPolygonF triangle;
        triangle << takeoff + QPointF(0, -8) << takeoff + QPointF(7, 5) << takeoff + QPointF(-7, 5);
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(takeoffColour);
        painter.drawPolygon(triangle);
    }
    const QPointF landing(points.back().x, points.back().y);
    if (inView(viewport, landing)) {
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(casing);
        painter.drawRect(QRectF(landing - QPointF(5, 5), QSizeF(10, 10)));
    }
}

void paintMarkSymbol(QPainter& painter, LayerKind kind, const QPointF& at) {
    switch (kind) {
    case LayerKind::Takeoffs: {
        QPolygonF triangle;
        triangle << at + QPointF(0, -8) << at + QPointF(7, 5) << at + QPointF(-7, 5);
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(takeoffColour);
        painter.drawPolygon(triangle);
        break;
    }
    case LayerKind::Route:
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(routeColour);
        painter.drawEllipse(at, 6, 6);
        break;
    default:
        painter.setPen(QPen(casing, 2));
        painter.setBrush(Qt::white);
        painter.drawEllipse(at, 5.5, 5.5);
        painter.setBrush(casing);
        painter.drawEllipse(at, 1.5, 1.5);
        break;
    }
}

void paintLabel(QPainter& painter, const QPointF& at, const QString& text) {
    const QFontMetrics metrics(painter.font());
    const QRectF box(at.x() + 9, at.y() - metrics.height() / 2.0 - 1,
                     metrics.horizontalAdvance(text) + 6, metrics.height() + 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRoundedRect(box, 3, 3);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}

// Waypoints, takeoff sites and route points with their names; a route also as a line in
// the order of its file.
void paintMarks(QPainter& painter, const MapViewport& viewport, const MapLayer& layer) {
    std::vector<map::ScreenPoint> points;
    points.reserve(layer.marks.size());
    for (const map::MapMark& mark : layer.marks) {
        points.push_back(viewport.screenFromWorld(mark.at));
    }
    if (layer.kind == LayerKind::Route) {
        const std::vector<LineRun> runs =
            visibleRuns(viewport, points, [](std::size_t) { return std::size_t{0}; });
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const LineRun& run : runs) {
            painter.drawPolyline(run.line);
        }
        painter.setPen(QPen(routeColour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const LineRun& run : runs) {
            painter.drawPolyline(run.line);
        }
    }
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF at(points[i].x, points[i].y);
        if (inView(viewport, at)) {
            shown.push_back(i);
            paintMarkSymbol(painter, layer.kind, at);
        }
    }
    if (shown.size() > maxLabels) {
        return;
    }
    painter.setFont(pixelFont(11));
    for (const std::size_t i : shown) {
        QString name = QString::fromStdString(layer.marks[i].name);
        if (layer.kind == LayerKind::Route) {
            name = QString::number(i + 1) + QStringLiteral(" ") + name;
        }
        paintLabel(painter, QPointF(points[i].x, points[i].y), name);
    }
}

// The symbol of a layer kind in the legend, in a box of 18 by 12 pixels.
void paintLegendSymbol(QPainter& painter, const MapLayer& layer, const QRectF& box) {
    const QPointF middle = box.center();
    switch (layer.kind) {
    case LayerKind::Flight: {
        painter.setPen(QPen(casing, 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(box.left() + 2, middle.y()), QPointF(box.right() - 2, middle.y()));
        const double third = (box.width() - 4) / 3;
        for (int part = 0; part < 3; ++part) {
            const std::size_t climbClass = part == 0 ? 0 : (part == 1 ? 2 : 4);
            painter.setPen(QPen(windowsColour(climbClasses[climbClass].bgColour), 3));
            painter.drawLine(QPointF(box.left() + 2 + part * third, middle.y()),
                             QPointF(box.left() + 2 + (part + 1) * third, middle.y()));
        }
        break;
    }
    case LayerKind::Lifts: {
        map::Thermal sample;
        sample.climb = 2;
        paintThermal(painter, middle, sample);
        break;
    }
    default:
        paintMarkSymbol(painter, layer.kind, middle);
        break;
    }
}

void paintLegend(QPainter& painter, const MapViewport& viewport, const map::MapScene& scene) {
    if (scene.layers.empty()) {
        return;
    }
    constexpr int maxLayers = 12;
    constexpr int padding = 6;
    constexpr int symbolWidth = 18;
    painter.setFont(pixelFont(11));
    const QFontMetrics metrics(painter.font());
    const int lineHeight = std::max(metrics.height(), 14) + 2;
    const int maxTextWidth = std::max(viewport.width() / 2 - 40, 80);
    QStringList texts;
    for (std::size_t i = 0; i < scene.layers.size() && i < maxLayers; ++i) {
        texts << metrics.elidedText(QString::fromStdString(map::legendText(*scene.layers[i])),
                                    Qt::ElideMiddle, maxTextWidth);
    }
    if (scene.layers.size() > maxLayers) {
        texts << QStringLiteral("… und %1 weitere").arg(scene.layers.size() - maxLayers);
    }
    int width = 0;
    for (const QString& text : texts) {
        width = std::max(width, metrics.horizontalAdvance(text));
    }
    width += symbolWidth + 6;
    QStringList climbs;
    for (const ClimbClass& climbClass : climbClasses) {
        climbs << QString::fromUtf8(climbClass.label);
    }
    const QString climbTitle = QStringLiteral("Steigen:");
    int climbWidth = metrics.horizontalAdvance(climbTitle) + 4;
    for (const QString& climb : climbs) {
        climbWidth += 16 + metrics.horizontalAdvance(climb) + 8;
    }
    const bool withClimbs = scene.hasClimbs();
    if (withClimbs) {
        width = std::max(width, climbWidth);
    }
    const int lines = static_cast<int>(texts.size()) + (withClimbs ? 1 : 0);
    const QRectF box(8, 8, width + 2 * padding, lines * lineHeight + 2 * padding);
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(panel);
    painter.drawRoundedRect(box, 4, 4);

    double y = box.top() + padding;
    for (qsizetype i = 0; i < texts.size(); ++i, y += lineHeight) {
        const QRectF symbol(box.left() + padding, y, symbolWidth, lineHeight);
        if (i < static_cast<qsizetype>(scene.layers.size()) && i < maxLayers) {
            painter.save();
            paintLegendSymbol(painter, *scene.layers[static_cast<std::size_t>(i)], symbol);
            painter.restore();
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(symbol.right() + 6, y, width, lineHeight), Qt::AlignVCenter,
                         texts.at(i));
    }
    if (withClimbs) {
        double x = box.left() + padding;
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x, y, width, lineHeight), Qt::AlignVCenter, climbTitle);
        x += metrics.horizontalAdvance(climbTitle) + 4;
        for (std::size_t i = 0; i < climbClasses.size(); ++i) {
            painter.setPen(QPen(windowsColour(climbClasses[i].fgColour), 1));
            painter.setBrush(windowsColour(climbClasses[i].bgColour));
            painter.drawRect(QRectF(x, y + lineHeight / 2.0 - 6, 12, 12));
            x += 16;
            painter.setPen(Qt::black);
            const QString& text = climbs.at(static_cast<qsizetype>(i));
            painter.drawText(QRectF(x, y, width, lineHeight), Qt::AlignVCenter, text);
            x += metrics.horizontalAdvance(text) + 8;
        }
    }
}

void paintScaleBar(QPainter& painter, const MapViewport& viewport) {
    const double latitude = map::geoFromWorld(viewport.centre()).latitude;
    const map::ScaleBar bar = map::scaleBar(map::metresPerPixel(latitude, viewport.zoom()),
                                            std::min(150.0, viewport.width() / 3.0));
    if (bar.pixels <= 0) {
        return;
    }
    painter.setFont(pixelFont(11));
    const QFontMetrics metrics(painter.font());
    const QString label = QString::fromStdString(map::distanceText(bar.metres));
    const double left = 14;
    const double bottom = viewport.height() - 12.0;
    const QRectF box(left - 6, bottom - metrics.height() - 12,
                     std::max<double>(bar.pixels, metrics.horizontalAdvance(label)) + 12,
                     metrics.height() + 18);
    painter.setPen(Qt::NoPen);
    painter.setBrush(panel);
    painter.drawRoundedRect(box, 3, 3);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(left, bottom), QPointF(left + bar.pixels, bottom));
    painter.drawLine(QPointF(left, bottom - 5), QPointF(left, bottom));
    painter.drawLine(QPointF(left + bar.pixels, bottom - 5), QPointF(left + bar.pixels, bottom));
    painter.drawText(QPointF(left, bottom - 7), label);
}

void paintAttribution(QPainter& painter, const MapViewport& viewport) {
    painter.setFont(pixelFont(10));
    const QFontMetrics metrics(painter.font());
    const QString text = QString::fromUtf8(mapAttribution);
    const QRectF box(viewport.width() - metrics.horizontalAdvance(text) - 10,
                     viewport.height() - metrics.height() - 4, metrics.horizontalAdvance(text) + 10,
                     metrics.height() + 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(panel);
    painter.drawRect(box);
    painter.setPen(QColor(50, 50, 50));
    painter.drawText(box, Qt::AlignCenter, text);
}

void paintNoData(QPainter& painter, const MapViewport& viewport) {
    painter.setFont(pixelFont(13));
    painter.setPen(QColor(80, 80, 80));
    painter.drawText(QRectF(0, 0, viewport.width(), viewport.height()), Qt::AlignCenter,
                     QStringLiteral("Keine Dateien auf der Karte.\nÖffnen Sie Flüge, Wegpunkte, "
                                    "Startplätze oder Aufwinde\noder ziehen Sie sie hierher."));
}

} // namespace

QColor windowsColour(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

void paintMap(QPainter& painter, const MapViewport& viewport, const map::MapScene& scene,
              const TileLookup& tiles) {
    painter.save();
    painter.fillRect(QRect(0, 0, viewport.width(), viewport.height()), background);
    const QRegion missing = paintTiles(painter, viewport, tiles);
    paintGraticule(painter, viewport, missing);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& layer : scene.layers) {
        if (layer->kind == LayerKind::Lifts) {
            paintLifts(painter, viewport, *layer);
        }
    }
    for (const auto& layer : scene.layers) {
        if (layer->kind == LayerKind::Flight) {
            paintFlight(painter, viewport, *layer);
        }
    }
    for (const auto& layer : scene.layers) {
        if (!layer->marks.empty()) {
            paintMarks(painter, viewport, *layer);
        }
    }
    if (scene.layers.empty()) {
        paintNoData(painter, viewport);
    }
    paintLegend(painter, viewport, scene);
    paintScaleBar(painter, viewport);
    paintAttribution(painter, viewport);
    painter.restore();
}

} // namespace zv
