// The main window's side of the logbook's views: the flight table "Übersicht", the charts
// beside the reports of flight hours and takeoff sites, and the profile of a flight.
#include "logbook/flight_profile.h"
#include "logbook/logbook_overview.h"
#include "ui/charts/chart_window.h"
#include "ui/charts/logbook_charts.h"
#include "ui/logbook/logbook_table_window.h"
#include "ui/main_frame.h"
#include "ui/map/map_window.h"
#include "ui/window_fit.h"

#include <QFileInfo>
#include <QScreen>

namespace zv {

void CMainFrame::placeChartWindow(QWidget* window) {
    // On the right of the screen, leaving the left part of the report's text in view.
    const QScreen* screen = this->screen();
    if (!screen || window->isVisible()) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize size = window->size().boundedTo(
        QSize(available.width() * 3 / 5, available.height() - frameTop - frameSide));
    QRect wanted(QPoint(), size);
    wanted.moveTopRight(available.topRight() + QPoint(-frameSide, frameTop));
    window->setGeometry(fitOnScreen(wanted, available));
}

void CMainFrame::showCharts(QPointer<charts::ChartWindow>& window, const QString& title,
                            std::vector<charts::WindowChart> shown,
                            const std::filesystem::path& saveDir) {
    // A window the pilot has closed is on its way out: a new one takes its place.
    if (!window || !window->isVisible()) {
        window = new charts::ChartWindow(ui_, settings_, this);
    }
    window->showCharts(title, std::move(shown), saveDir);
    placeChartWindow(window);
    window->show();
    window->raise();
}

void CMainFrame::showLogbookOverview() {
    std::optional<LogbookOverview> overview;
    {
        WaitCursor wait(ui_);
        overview = readLogbookOverview(settings_, ui_);
    }
    if (!overview) {
        return;
    }
    if (!logbookTable_ || !logbookTable_->isVisible()) {
        logbookTable_ = new LogbookTableWindow(this);
        connect(logbookTable_, &LogbookTableWindow::flightDataRequested, this,
                &CMainFrame::showFlightData);
    }
    logbookTable_->showOverview(std::move(*overview),
                                QString::fromStdString(settings_.logbookFile));
    logbookTable_->show();
    logbookTable_->raise();
    logbookTable_->activateWindow();
}

void CMainFrame::showFlightHoursChart(const FlightHoursTable& table) {
    std::vector<charts::WindowChart> shown;
    shown.push_back({charts::monthHoursChart(table), charts::hoursChartSize(),
                     QStringLiteral("Flugstunden_je_Monat")});
    shown.push_back({charts::yearHoursChart(table), charts::hoursChartSize(),
                     QStringLiteral("Flugstunden_je_Jahr")});
    showCharts(hoursChart_, QStringLiteral("Flugstunden – Grafik"), std::move(shown),
               settings_.logbookDir);
}

void CMainFrame::showTakeoffSitesChart(const TakeoffSiteTable& table) {
    std::vector<charts::WindowChart> shown;
    shown.push_back({charts::takeoffSitesChart(table), charts::sitesChartSize(table),
                     QStringLiteral("Startplaetze")});
    showCharts(sitesChart_, QStringLiteral("Startplätze – Grafik"), std::move(shown),
               settings_.logbookDir);
}

LogbookTableWindow* CMainFrame::logbookTable() const {
    return logbookTable_;
}

charts::ChartWindow* CMainFrame::hoursChart() const {
    return hoursChart_;
}

charts::ChartWindow* CMainFrame::sitesChart() const {
    return sitesChart_;
}

charts::ChartWindow* CMainFrame::profileWindow(const std::filesystem::path& path) const {
    const auto found = profiles_.find(path);
    return found == profiles_.end() ? nullptr : found->second.data();
}

void CMainFrame::showFlightData(const std::filesystem::path& path) {
    // The profile: read anew, so that a file downloaded again shows its new track.
    if (const std::optional<FlightProfile> profile = readFlightProfile(path, ui_)) {
        const QString name = QString::fromStdString(path.filename().string());
        std::vector<charts::WindowChart> shown;
        shown.push_back({charts::profileChart(*profile, name), charts::profileChartSize(),
                         QFileInfo(name).completeBaseName() + QStringLiteral("_Profil")});
        showCharts(profiles_[path], QStringLiteral("Flugprofil – %1").arg(name), std::move(shown),
                   path.parent_path());
    }
    showFlightOnMap(path);
}

void CMainFrame::showFlightOnMap(const std::filesystem::path& path) {
    openMapWindow().showFiles({path});
}

} // namespace zv
