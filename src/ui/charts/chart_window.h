#pragma once

// A window of charts: the hours beside the report "Flugstunden", the sites beside
// "Startplätze", a flight's profile. The charts stand one below the other, each with its
// buttons to save it as PNG or SVG.

#include "ui/charts/chart_files.h"

#include <QChart>
#include <QList>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <vector>

class QChartView;
class QVBoxLayout;

namespace zv {

struct AppSettings;
class UserInterface;

namespace charts {

// A chart to show and the name its files are offered under ("Flugstunden_je_Monat").
struct WindowChart {
    std::unique_ptr<QChart> chart;
    QSize size;
    QString fileName;
};

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    // The save dialogs go through `ui` and never name one of the precious files of
    // `settings`.
    ChartWindow(UserInterface& ui, const AppSettings& settings, QWidget* parent = nullptr);

    // Shows these charts, in place of those shown before; their save dialogs start in
    // `saveDir`.
    void showCharts(const QString& title, std::vector<WindowChart> charts,
                    const std::filesystem::path& saveDir);

    QList<QChartView*> chartViews() const { return views_; }

    // The file dialog for the picture of one chart, then the file. False when cancelled or
    // not written (after the message).
    bool saveChart(QChartView* view, const QString& fileName, bool svg);

private:
    QWidget* panel(WindowChart chart);

    UserInterface& ui_;
    const AppSettings& settings_;
    std::filesystem::path saveDir_;
    QVBoxLayout* layout_;
    QWidget* content_ = nullptr;
    QList<QChartView*> views_;
};

} // namespace charts
} // namespace zv
