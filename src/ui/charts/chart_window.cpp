#include "ui/charts/chart_window.h"

#include "base/user_interface.h"
#include "formats/precious_files.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

namespace zv::charts {

namespace {

// A chart taller than this is shown in a scroll area at its full height.
constexpr int tallestShown = 640;

} // namespace

ChartWindow::ChartWindow(UserInterface& ui, const AppSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(ui), settings_(settings), layout_(new QVBoxLayout(this)) {
    // Closed, it is gone; the next chart or profile gets a new window.
    setAttribute(Qt::WA_DeleteOnClose);
    layout_->setContentsMargins(4, 4, 4, 4);
}

void ChartWindow::showCharts(const QString& title, std::vector<WindowChart> charts,
                             const std::filesystem::path& saveDir) {
    setWindowTitle(title);
    saveDir_ = saveDir;
    delete content_;
    views_.clear();
    QSize wanted(0, 0);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    for (WindowChart& chart : charts) {
        wanted.setWidth(std::max(wanted.width(), chart.size.width()));
        wanted.rheight() += std::min(chart.size.height(), tallestShown) + 40;
        splitter->addWidget(panel(std::move(chart)));
    }
    content_ = splitter;
    layout_->addWidget(content_);
    resize(wanted.width() + 8, wanted.height() + 8);
}

QWidget* ChartWindow::panel(WindowChart chart) {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new QChartView(chart.chart.release());
    view->setRenderHint(QPainter::Antialiasing);
    views_.append(view);
    if (chart.size.height() > tallestShown) {
        // Every bar keeps its room; the window scrolls.
        view->setMinimumHeight(chart.size.height());
        auto* scroll = new QScrollArea;
        scroll->setWidget(view);
        scroll->setWidgetResizable(true);
        layout->addWidget(scroll, 1);
    } else {
        view->setMinimumSize(320, 200);
        layout->addWidget(view, 1);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* png = new QPushButton(QStringLiteral("Als &PNG speichern…"));
    png->setObjectName(QStringLiteral("savePng"));
    auto* svg = new QPushButton(QStringLiteral("Als S&VG speichern…"));
    svg->setObjectName(QStringLiteral("saveSvg"));
    buttons->addWidget(png);
    buttons->addWidget(svg);
    layout->addLayout(buttons);
    const QString fileName = chart.fileName;
    connect(png, &QPushButton::clicked, this,
            [this, view, fileName] { saveChart(view, fileName, false); });
    connect(svg, &QPushButton::clicked, this,
            [this, view, fileName] { saveChart(view, fileName, true); });
    return panel;
}

bool ChartWindow::saveChart(QChartView* view, const QString& fileName, bool svg) {
    FileDialogRequest request;
    request.title = svg ? "Grafik als SVG speichern" : "Grafik als PNG speichern";
    request.filter = svg ? "SVG-Grafik (*.svg) |*.svg||" : "PNG-Bild (*.png) |*.png||";
    request.defaultExtension = svg ? "svg" : "png";
    request.initialDir = saveDir_;
    request.initialName =
        (fileName + (svg ? QStringLiteral(".svg") : QStringLiteral(".png"))).toStdString();
    request.save = true;
    const std::optional<std::filesystem::path> chosen = chooseSafeTarget(ui_, request, settings_);
    if (!chosen) {
        return false;
    }
    return svg ? writeChartSvg(*view->chart(), *chosen, ui_)
               : writeChartPng(*view->chart(), *chosen, ui_);
}

} // namespace zv::charts
