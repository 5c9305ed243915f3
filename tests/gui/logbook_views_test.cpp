// The views of the logbook: the flight table "Übersicht" with its sorting, filter and
// totals, the charts beside the reports, a flight's profile, and the pictures of the charts.

#include "base/app_settings.h"
#include "logbook/flight_profile.h"
#include "logbook/logbook_commands.h"
#include "support/random_logbook.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"
#include "tile_server.h"
#include "ui/charts/chart_window.h"
#include "ui/charts/logbook_charts.h"
#include "ui/logbook/logbook_table_model.h"
#include "ui/logbook/logbook_table_window.h"
#include "ui/main_frame.h"
#include "ui/map/map_widget.h"
#include "ui/map/map_window.h"
#include "ui/zv_doc.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCollator>
#include <QHorizontalBarSeries>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>
#include <random>
#include <sstream>

namespace zv {

namespace {

struct Fixture {
    test::TempDir dir;
    AppSettings settings;
    test::ScriptedUserInterface ui;
    std::unique_ptr<CMainFrame> frame;
    std::vector<FlightRecord> flights;

    explicit Fixture(unsigned seed, int count = 300, int firstYear = 2001, int lastYear = 2012) {
        settings.logbookDir = dir.path().string();
        settings.logbookFile = "Flugbuch.log";
        settings.waypointDir = dir.path().string();
        settings.serialNumber = 1596;
        settings.firstFlightNumber = 1;
        settings.logbookCommandsEnabled = true;
        settings.liftDbCommandsEnabled = true;
        std::mt19937 random(seed);
        CLogbook logbook(CLogbook::serialText(1596));
        logbook.flights() = test::randomFlights(random, count, firstYear, lastYear);
        // As the commands keep it: in date order.
        logbook.sortByTakeoff();
        logbook.renumber(1);
        flights = logbook.flights();
        logbook.writeLogbook(mainLogbookPath(settings), 12, ui);
        frame = std::make_unique<CMainFrame>(
            settings, ui,
            [this](const CMainFrame::Command& command) { return command(settings, ui); },
            WorkspaceState{});
    }

    // A flight data file for the flight at `index`, with these altitudes.
    std::filesystem::path addFlightData(std::size_t index, const std::vector<int>& altitudes) {
        const FlightRecord& f = flights.at(index);
        std::string text = "@ZV1596 " + twoDigits(f.year) + " " + twoDigits(f.month) + " " +
                           twoDigits(f.day) + " " + twoDigits(f.takeoffHour) + " " +
                           twoDigits(f.takeoffMinute) + "\r\n";
        for (const int altitude : altitudes) {
            text += QStringLiteral("044D90 00F3E8 %1\r\n")
                        .arg(altitude, 4, 16, QLatin1Char('0'))
                        .toUpper()
                        .toStdString();
        }
        const std::filesystem::path path = dir.path() / ("flight" + std::to_string(index) + ".zvc");
        test::writeBytes(path, text + "@EOF\r\n");
        return path;
    }
    static std::string twoDigits(int value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')).toStdString();
    }

    LogbookTableWindow& openOverview() {
        frame->action(CommandId::LogbookOverview)->trigger();
        LogbookTableWindow* window = frame->logbookTable();
        if (!window) {
            throw std::runtime_error("no table");
        }
        return *window;
    }

    // The report's TOTAL line and the chart the command hands out, for a span.
    FlightHoursTable hoursReport(const TimeSpanDialogData& span) {
        ui.timeSpanDialog = [span](TimeSpanDialogData& data) {
            data = span;
            return true;
        };
        ui.hoursCharts.clear();
        if (!commandFlightHours(settings, ui) || ui.hoursCharts.size() != 1) {
            throw std::runtime_error("no report");
        }
        return ui.hoursCharts.front();
    }
    std::string reportLine(const char* extension, const std::string& start) const {
        const std::string report =
            test::readBytes(dir.path() / ("Flugbuch." + std::string(extension)));
        const std::size_t at = report.find("\r\n" + start);
        return report.substr(at + 2, report.find("\r\n", at + 2) - at - 2);
    }
};

// The report's "hh:mm" of a time, as the report writes it.
QString reportTime(const FlightTime& time) {
    return charts::timeText(time);
}

// A bar's hours back in the report's form.
QString barTime(qreal hours) {
    const long long minutes = std::llround(hours * 60);
    return reportTime({minutes / 60, minutes % 60});
}

QList<qreal> barValues(QChart* chart) {
    const auto* series = qobject_cast<QAbstractBarSeries*>(chart->series().at(0));
    QList<qreal> values;
    for (qsizetype i = 0; i < series->barSets().at(0)->count(); ++i) {
        values << series->barSets().at(0)->at(i);
    }
    return values;
}

// What each column sorts by, for the test's own check of the order.
std::function<double(const FlightRecord&)> columnValue(int column) {
    switch (column) {
    case LogbookTableModel::Number:
        return [](const FlightRecord& f) { return f.number; };
    case LogbookTableModel::Date:
        return [](const FlightRecord& f) {
            return (((fourDigitYear(f.year) * 13.0 + f.month) * 32 + f.day) * 24 + f.takeoffHour) *
                       60 +
                   f.takeoffMinute;
        };
    case LogbookTableModel::Takeoff:
        return [](const FlightRecord& f) { return f.takeoffHour * 60 + f.takeoffMinute; };
    case LogbookTableModel::Landing:
        return [](const FlightRecord& f) { return f.landingHour * 60 + f.landingMinute; };
    case LogbookTableModel::Duration:
        return [](const FlightRecord& f) { return f.durationHours * 60 + f.durationMinutes; };
    case LogbookTableModel::AltiMax:
        return [](const FlightRecord& f) { return f.altiMax; };
    case LogbookTableModel::AltiGain:
        return [](const FlightRecord& f) { return f.altiGain; };
    case LogbookTableModel::Distance:
        return [](const FlightRecord& f) { return f.distance; };
    case LogbookTableModel::VarioMax:
        return [](const FlightRecord& f) { return f.varioMax; };
    default:
        return [](const FlightRecord& f) { return f.varioMin; };
    }
}

} // namespace

class LogbookViewsTest : public QObject {
    Q_OBJECT

    test::TempDir home_;

private slots:
    void initTestCase() {
        // The flight's track goes on the map as well.
        test::TileServer::keepMapsOffline(home_.path());
    }

    void theOverviewOpensAlsoWhileTheLogbookIsEdited() {
        Fixture f(1);
        QVERIFY(
            f.frame->openDocument(QString::fromStdString(mainLogbookPath(f.settings).string())));
        QVERIFY(!f.frame->action(CommandId::LogbookAppend)->isEnabled());
        QVERIFY(f.frame->action(CommandId::LogbookOverview)->isEnabled());
        QCOMPARE(f.frame->action(CommandId::LogbookOverview)->text(), QString("&Übersicht"));
        LogbookTableWindow& window = f.openOverview();
        QVERIFY(window.isVisible());
        QCOMPARE(window.model()->rowCount(), static_cast<int>(f.flights.size()));
        QVERIFY(f.ui.messages.empty());
        // The newest flight first.
        QCOMPARE(window.model()->flightAt(0).number, static_cast<int>(f.flights.size()));
    }

    void theTableSortsByEveryColumn_data() {
        QTest::addColumn<int>("column");
        for (int column = 0; column < LogbookTableModel::ColumnCount; ++column) {
            QTest::newRow(qPrintable(QString::number(column))) << column;
        }
    }

    void theTableSortsByEveryColumn() {
        QFETCH(int, column);
        Fixture f(2);
        LogbookTableModel& model = *f.openOverview().model();
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            model.sort(column, order);
            QCOMPARE(model.rowCount(), static_cast<int>(f.flights.size()));
            for (int row = 1; row < model.rowCount(); ++row) {
                const FlightRecord& before = model.flightAt(row - 1);
                const FlightRecord& after = model.flightAt(row);
                if (column == LogbookTableModel::Site) {
                    QCollator german(QLocale(QLocale::German, QLocale::Germany));
                    german.setCaseSensitivity(Qt::CaseInsensitive);
                    const int compared = german.compare(model.siteAt(row - 1), model.siteAt(row));
                    QVERIFY(order == Qt::AscendingOrder ? compared <= 0 : compared >= 0);
                    continue;
                }
                const double a = columnValue(column)(before);
                const double b = columnValue(column)(after);
                QVERIFY2(order == Qt::AscendingOrder ? a <= b : a >= b,
                         qPrintable(QString::number(row)));
                if (a == b) {
                    // Equal flights keep the logbook's order.
                    QVERIFY(before.number < after.number);
                }
            }
        }
    }

    void theTableFiltersBySiteAndYearsAndTotalsWhatItShows() {
        Fixture f(3, 400, 2001, 2012);
        LogbookTableWindow& window = f.openOverview();
        window.siteFilter()->setText(QStringLiteral("stubalpe"));
        window.fromYear()->setValue(2004);
        window.toYear()->setValue(2007);
        LogbookTableModel& model = *window.model();
        int expected = 0;
        long long minutes = 0;
        for (const FlightRecord& flight : f.flights) {
            const int year = fourDigitYear(flight.year);
            // STUBALPE, stubalpe and STUBALPE 2, letter case aside.
            if (flight.takeoffSite.find("TUBALPE") != std::string::npos ||
                flight.takeoffSite.find("tubalpe") != std::string::npos) {
                if (year >= 2004 && year <= 2007) {
                    ++expected;
                    minutes += flight.durationHours * 60 + flight.durationMinutes;
                }
            }
        }
        QVERIFY(expected > 0);
        QCOMPARE(model.shownFlights(), expected);
        QCOMPARE(model.shownTime(), (FlightTime{minutes / 60, minutes % 60}));
        for (int row = 0; row < model.rowCount(); ++row) {
            QVERIFY(model.siteAt(row).contains("stubalpe", Qt::CaseInsensitive));
        }
        QVERIFY(window.totals()->text().contains(QStringLiteral("<b>%1 Flüge</b>").arg(expected)));
        QVERIFY(window.totals()->text().contains(
            QStringLiteral("%1 h").arg(charts::timeText({minutes / 60, minutes % 60}))));
        window.siteFilter()->setText(QStringLiteral("kein solcher Platz"));
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(window.totals()->text().startsWith(QStringLiteral("<b>0 Flüge</b>")));
    }

    void theTableTotalsAreTheReportsTotals() {
        for (const unsigned seed : {4U, 5U, 6U}) {
            Fixture f(seed, 250, 2001, 2015);
            LogbookTableWindow& window = f.openOverview();
            f.hoursReport({{}, {}, true});
            QVERIFY(f.reportLine("mfs", "TOTAL")
                        .ends_with(reportTime(window.model()->shownTime()).toStdString()));
            // The years of the filter, against the report of the same years.
            window.fromYear()->setValue(2005);
            window.toYear()->setValue(2009);
            f.hoursReport({{1, 1, 2005}, {31, 12, 2009}, false});
            QVERIFY(f.reportLine("mfs", "TOTAL")
                        .ends_with(reportTime(window.model()->shownTime()).toStdString()));
        }
    }

    void aDoubleClickShowsTheProfileOfAFlightWithData() {
        Fixture f(7, 30);
        const std::filesystem::path file = f.addFlightData(12, {800, 1200, 700, 1500, 600});
        LogbookTableWindow& window = f.openOverview();
        QTableView* table = window.table();
        int withData = -1;
        for (int row = 0; row < window.model()->rowCount(); ++row) {
            if (!window.model()->flightFileAt(row).empty()) {
                QCOMPARE(withData, -1);
                withData = row;
            }
        }
        QVERIFY(withData >= 0);
        QCOMPARE(window.model()->flightAt(withData).number, 13);
        QCOMPARE(window.model()->flightFileAt(withData), file);
        QVERIFY(
            !window.model()->data(window.model()->index(withData, 0), Qt::DecorationRole).isNull());

        // A flight without data: nothing opens, by Enter or by a double click.
        const int without = withData == 0 ? 1 : 0;
        const auto doubleClick = [table](const QModelIndex& index) {
            table->scrollTo(index);
            const QPoint at = table->visualRect(index).center();
            QTest::mousePress(table->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        };
        table->setCurrentIndex(window.model()->index(without, 1));
        QTest::keyClick(table, Qt::Key_Return);
        doubleClick(window.model()->index(without, 1));
        QVERIFY(!f.frame->profileWindow(file));

        QVERIFY(!f.frame->mapWindow());

        doubleClick(window.model()->index(withData, 1));
        charts::ChartWindow* profile = f.frame->profileWindow(file);
        QVERIFY(profile && profile->isVisible());
        // And the track on the map.
        MapWindow* map = f.frame->mapWindow();
        QVERIFY(map && map->isVisible());
        QVERIFY(QTest::qWaitFor([map] { return !map->loading(); }, 10000));
        QCOMPARE(map->mapWidget()->scene().layers.size(), std::size_t{1});
        QCOMPARE(map->mapWidget()->scene().layers[0]->path, file);
        // Closed and opened again by Enter: a new window.
        profile->close();
        table->setCurrentIndex(window.model()->index(withData, 1));
        QTest::keyClick(table, Qt::Key_Return);
        profile = f.frame->profileWindow(file);
        QVERIFY(profile && profile->isVisible());
        QChart* chart = profile->chartViews().at(0)->chart();
        // The climb between the points, the altitude, the maximum and the gain's two ends.
        const auto* climb = qobject_cast<QLineSeries*>(chart->series().at(0));
        const auto* altitude = qobject_cast<QLineSeries*>(chart->series().at(1));
        const auto* maximum = qobject_cast<QScatterSeries*>(chart->series().at(2));
        const auto* gain = qobject_cast<QScatterSeries*>(chart->series().at(3));
        QCOMPARE(altitude->count(), 5);
        QCOMPARE(altitude->at(3), QPointF(4, 1500));
        QCOMPARE(climb->points(), (QList<QPointF>{{2, 400}, {3, -500}, {4, 800}, {5, -900}}));
        QCOMPARE(maximum->points(), QList<QPointF>{QPointF(4, 1500)});
        QCOMPARE(gain->points(), (QList<QPointF>{{3, 700}, {4, 1500}}));
        QCOMPARE(gain->name(), QString("Höhengewinn 800 m"));
        QCOMPARE(maximum->name(), QString("Maximum 1500 m"));
    }

    void theChartsShowTheReportsNumbers() {
        for (const unsigned seed : {8U, 9U}) {
            Fixture f(seed, 300, 2003, 2010);
            const FlightHoursTable hours = f.hoursReport({{15, 4, 2004}, {10, 10, 2009}, false});
            f.frame->showFlightHoursChart(hours);
            charts::ChartWindow* window = f.frame->hoursChart();
            QVERIFY(window && window->isVisible());
            QCOMPARE(window->chartViews().size(), 2);
            const QList<qreal> months = barValues(window->chartViews().at(0)->chart());
            const QList<qreal> years = barValues(window->chartViews().at(1)->chart());
            QCOMPARE(years.size(), 6);
            // April 2004 to October 2009.
            QCOMPARE(months.size(), 9 + 12 * 4 + 10);
            std::size_t month = 0;
            for (int year = 2004; year <= 2009; ++year) {
                const std::string line = f.reportLine("mfs", std::to_string(year));
                QCOMPARE(QString::fromStdString(line.substr(line.rfind(' ') + 1)),
                         barTime(years.at(year - 2004)));
                for (int m = (year == 2004 ? 4 : 1); m <= (year == 2009 ? 10 : 12); ++m, ++month) {
                    // "yyyy    hh:mm  hh:mm ...": month m from column 8 on.
                    const std::string cell =
                        line.substr(static_cast<std::size_t>(m - 1) * 7 + 8, 5);
                    QCOMPARE(QString::fromStdString(cell),
                             barTime(months.at(static_cast<qsizetype>(month))));
                }
            }

            f.ui.timeSpanDialog = [](TimeSpanDialogData& data) {
                data.allFlights = true;
                return true;
            };
            QVERIFY(commandTakeoffSites(f.settings, f.ui));
            f.frame->showTakeoffSitesChart(f.ui.siteCharts.back());
            QChart* sites = f.frame->sitesChart()->chartViews().at(0)->chart();
            const auto* series = qobject_cast<QHorizontalBarSeries*>(sites->series().at(0));
            const QBarSet* count = series->barSets().at(0);
            const QBarSet* time = series->barSets().at(1);
            const std::vector<TakeoffSiteEntry>& entries = f.ui.siteCharts.back().sites;
            QCOMPARE(count->count(), static_cast<qsizetype>(entries.size()));
            for (std::size_t i = 0; i < entries.size(); ++i) {
                // The chart lists the sites from the bottom up.
                const auto bar = static_cast<qsizetype>(entries.size() - 1 - i);
                // "name       ...  hh:mm   flights": the time and the count after the name.
                std::istringstream columns(f.reportLine("tfs", entries[i].name).substr(11));
                std::string reported;
                int flights = 0;
                columns >> reported >> flights;
                QCOMPARE(count->at(bar), static_cast<qreal>(flights));
                QCOMPARE(barTime(time->at(bar)), QString::fromStdString(reported));
            }
        }
    }

    void eachChartIsSavedAsPngAndSvg() {
        Fixture f(10);
        f.frame->showFlightHoursChart(f.hoursReport({{}, {}, true}));
        charts::ChartWindow& window = *f.frame->hoursChart();
        QChartView* view = window.chartViews().at(1);
        f.ui.fileChoices = {{f.dir.path() / "jahre"}, {f.dir.path() / "jahre.svg"}};
        QTest::mouseClick(view->parentWidget()->findChild<QPushButton*>("savePng"), Qt::LeftButton);
        QTest::mouseClick(view->parentWidget()->findChild<QPushButton*>("saveSvg"), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(f.ui.fileRequests.at(0).initialName),
                 QString("Flugstunden_je_Jahr.png"));
        QCOMPARE(f.ui.fileRequests.at(0).initialDir, f.dir.path());
        const QImage png(QString::fromStdString(f.dir / "jahre.png"));
        QCOMPARE(png.size(), view->chart()->size().toSize());
        const std::string svg = test::readBytes(f.dir.path() / "jahre.svg");
        QVERIFY(svg.find("<svg") != std::string::npos);
        QVERIFY(svg.find("Flugstunden je Jahr") != std::string::npos);
        QVERIFY(f.ui.messages.empty());
        // Never over the logbook.
        f.ui.fileChoices = {{mainLogbookPath(f.settings)}};
        QVERIFY(!window.saveChart(view, "x", false));
        QCOMPARE(f.ui.messages.size(), std::size_t{1});
        QVERIFY(test::readBytes(mainLogbookPath(f.settings)).find("@EOF") != std::string::npos);
    }
};

} // namespace zv

QTEST_MAIN(zv::LogbookViewsTest)
#include "logbook_views_test.moc"
