#include "ui/charts/chart_files.h"

#include "base/user_interface.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace zv::charts {

namespace {

void reportWriteFailure(const std::filesystem::path& path, UserInterface& ui) {
    ui.message("Die Datei " + path.string() + "\nkonnte nicht geschrieben werden!", Icon::Stop);
}

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Paints the chart as its scene shows it into `target` of the painter's device.
void paintChart(QChart& chart, QPainter& painter, const QRectF& target) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    chart.scene()->render(&painter, target, chart.sceneBoundingRect());
}

} // namespace

QImage paintCharts(std::vector<SizedChart> charts) {
    int width = 0;
    int height = 0;
    for (const SizedChart& c : charts) {
        width = std::max(width, c.size.width());
        height += c.size.height();
    }
    QImage picture(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    picture.fill(Qt::white);
    // The scene owns the charts from here on and lays each out at its place.
    QGraphicsScene scene;
    int top = 0;
    for (SizedChart& c : charts) {
        QChart* chart = c.chart.release();
        scene.addItem(chart);
        chart->setGeometry(QRectF(QPointF(0, top), QSizeF(c.size)));
        chart->layout()->activate();
        top += c.size.height();
    }
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF all(0, 0, width, height);
    scene.render(&painter, all, all);
    painter.end();
    return picture;
}

bool writePng(const QImage& picture, const std::filesystem::path& path, UserInterface& ui) {
    QSaveFile file(qtPath(path));
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        reportWriteFailure(path, ui);
        return false;
    }
    return true;
}

bool writeChartPng(QChart& chart, const std::filesystem::path& path, UserInterface& ui) {
    const QSize size = chart.size().toSize();
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paintChart(chart, painter, QRectF(QPointF(0, 0), chart.size()));
    painter.end();
    return writePng(picture, path, ui);
}

bool writeChartSvg(QChart& chart, const std::filesystem::path& path, UserInterface& ui) {
    QSaveFile file(qtPath(path));
    if (!file.open(QIODevice::WriteOnly)) {
        reportWriteFailure(path, ui);
        return false;
    }
    const QSize size = chart.size().toSize();
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(chart.title());
    svg.setDescription(QStringLiteral("zv"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        reportWriteFailure(path, ui);
        return false;
    }
    paintChart(chart, painter, QRectF(QPointF(0, 0), chart.size()));
    painter.end();
    if (!file.commit()) {
        reportWriteFailure(path, ui);
        return false;
    }
    return true;
}

} // namespace zv::charts
