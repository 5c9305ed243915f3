// The flight table "Übersicht" of a logbook of 50,000 flights with 2,000 flight data files:
// reading the logbook and the files' headers, building the table's model, sorting it by a
// column, and the whole opening of the window as the pilot waits for it.
#include "base/app_settings.h"
#include "base/null_user_interface.h"
#include "logbook/logbook_overview.h"
#include "support/c_format.h"
#include "support/random_logbook.h"
#include "ui/logbook/logbook_table_model.h"
#include "ui/logbook/logbook_table_window.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>

namespace {

constexpr int flightCount = 50000;
constexpr int flightFiles = 2000;

// A start directory with the logbook and the flight data files, made once.
struct Logbook {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "zv_bench_table";
    zv::AppSettings settings;

    Logbook() {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "Zv");
        settings.logbookDir = dir.string();
        settings.logbookFile = "Flugbuch.log";
        settings.waypointDir = (dir / "Zv").string();
        settings.serialNumber = 1596;
        settings.firstFlightNumber = 1;
        std::mt19937 random(50);
        zv::NullUserInterface ui;
        zv::CLogbook logbook(zv::CLogbook::serialText(1596));
        logbook.flights() = zv::test::randomFlights(random, flightCount, 1995, 2024);
        logbook.sortByTakeoff();
        logbook.renumber(1);
        logbook.writeLogbook(zv::mainLogbookPath(settings), 12, ui);
        // The files of every 25th flight.
        for (int i = 0; i < flightFiles; ++i) {
            const zv::FlightRecord& f = logbook.flights()[static_cast<std::size_t>(i) * 25];
            std::ofstream(dir / "Zv" / zv::test::cFormat("%05d.zvc", i), std::ios::binary)
                << zv::test::cFormat("@ZV1596 %02d %02d %02d %02d %02d\r\n", f.year, f.month, f.day,
                                     f.takeoffHour, f.takeoffMinute)
                << "044D90 00F3E8 0258\r\n@EOF\r\n";
        }
    }
    ~Logbook() { std::filesystem::remove_all(dir); }
};

const Logbook& logbook() {
    static const Logbook book;
    return book;
}

zv::LogbookOverview readOverview() {
    zv::NullUserInterface ui;
    return zv::readLogbookOverview(logbook().settings, ui).value();
}

void BM_ReadLogbookAndFlightFiles(benchmark::State& state) {
    for (auto _ : state) {
        const zv::LogbookOverview overview = readOverview();
        benchmark::DoNotOptimize(overview.flights.data());
    }
}
BENCHMARK(BM_ReadLogbookAndFlightFiles)->Unit(benchmark::kMillisecond);

void BM_BuildTableModel(benchmark::State& state) {
    const zv::LogbookOverview overview = readOverview();
    for (auto _ : state) {
        zv::LogbookTableModel model(overview);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_BuildTableModel)->Unit(benchmark::kMillisecond);

// By the date (the order the window opens in), the site and the duration.
void BM_SortTable(benchmark::State& state) {
    zv::LogbookTableModel model(readOverview());
    const int column = static_cast<int>(state.range(0));
    bool descending = false;
    for (auto _ : state) {
        model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        descending = !descending;
    }
}
BENCHMARK(BM_SortTable)
    ->Arg(zv::LogbookTableModel::Date)
    ->Arg(zv::LogbookTableModel::Site)
    ->Arg(zv::LogbookTableModel::Duration)
    ->Unit(benchmark::kMillisecond);

void BM_FilterTable(benchmark::State& state) {
    zv::LogbookTableModel model(readOverview());
    for (auto _ : state) {
        model.setFilter(QStringLiteral("stub"), 2000, 2010);
        model.setFilter(QString(), 1995, 2024);
    }
}
BENCHMARK(BM_FilterTable)->Unit(benchmark::kMillisecond);

// "Übersicht" from the menu to the table on the screen: the logbook and the files read,
// the window filled, sorted newest first, shown and painted.
void BM_OpenOverviewWindow(benchmark::State& state) {
    for (auto _ : state) {
        zv::LogbookTableWindow window;
        window.showOverview(readOverview(), QStringLiteral("Flugbuch.log"));
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.table()->model()->rowCount());
    }
}
BENCHMARK(BM_OpenOverviewWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The window is shown on Qt's offscreen platform: no display needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
