#pragma once

// Pictures of the charts: a chart as it is shown, saved as PNG or SVG, and charts painted
// one below the other into one picture, as zv-cli chart writes them.

#include <QChart>
#include <QImage>
#include <QSize>
#include <filesystem>
#include <memory>
#include <vector>

namespace zv {

class UserInterface;

namespace charts {

// A chart and the size to paint it in.
struct SizedChart {
    std::unique_ptr<QChart> chart;
    QSize size;
};

// The charts one below the other on white, each in its size, as a chart window shows them.
QImage paintCharts(std::vector<SizedChart> charts);

// Writes the picture as PNG, or a chart that is shown (in its view's scene, at the size it
// is shown) as PNG or SVG. The file is replaced only when the whole picture was written;
// false, after the message, when it could not be written.
bool writePng(const QImage& picture, const std::filesystem::path& path, UserInterface& ui);
bool writeChartPng(QChart& chart, const std::filesystem::path& path, UserInterface& ui);
bool writeChartSvg(QChart& chart, const std::filesystem::path& path, UserInterface& ui);

} // namespace charts
} // namespace zv
