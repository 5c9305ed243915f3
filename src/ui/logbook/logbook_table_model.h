#pragma once

// The flights of the main logbook as the table "Übersicht" shows them: one row per
// flight, sortable by every column and filtered by site and years. The model sorts and
// filters its own list of row numbers instead of going through QSortFilterProxyModel: the
// keys are the logbook's numbers, compared directly, so that 50,000 flights sort in
// milliseconds.

#include "base/evaluation_tables.h"
#include "logbook/logbook_overview.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <filesystem>
#include <vector>

namespace zv {

class LogbookTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Number,
        Date,
        Takeoff,
        Landing,
        Duration,
        Site,
        AltiMax,
        AltiGain,
        Distance,
        VarioMax,
        VarioMin,
        ColumnCount
    };

    explicit LogbookTableModel(LogbookOverview overview, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Flights that are equal in the column keep the logbook's order.
    void sort(int column, Qt::SortOrder order) override;

    // Shows only the flights whose site name contains `siteText` (letter case aside) and
    // whose year (four digits) lies from `fromYear` to `toYear`.
    void setFilter(const QString& siteText, int fromYear, int toYear);

    // The earliest and the latest year of the logbook.
    int firstYear() const { return firstYear_; }
    int lastYear() const { return lastYear_; }
    int totalFlights() const { return static_cast<int>(overview_.flights.size()); }
    // The flights shown and their flight time.
    int shownFlights() const { return static_cast<int>(shown_.size()); }
    FlightTime shownTime() const;

    const FlightRecord& flightAt(int row) const;
    // Its flight data file; empty when it has none.
    const std::filesystem::path& flightFileAt(int row) const;
    // The site name as shown: without the leading and trailing blanks of its field.
    const QString& siteAt(int row) const;

private:
    std::size_t flightIndex(int row) const { return shown_[static_cast<std::size_t>(row)]; }
    QString cellText(const FlightRecord& flight, std::size_t index, int column) const;
    void refilter();

    LogbookOverview overview_;
    std::vector<QString> sites_;      // per flight
    std::vector<int> siteRanks_;      // per flight: its site's place in alphabetical order
    std::vector<std::size_t> sorted_; // every flight, in the order of the sort column
    std::vector<std::size_t> shown_;  // the flights that pass the filter, in that order
    QString siteFilter_;
    int fromYear_ = 0;
    int toYear_ = 0;
    int firstYear_ = 0;
    int lastYear_ = 0;
    QIcon fileIcon_;
};

} // namespace zv
