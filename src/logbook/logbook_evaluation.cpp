#include "logbook/logbook_evaluation.h"

#include "formats/text_fields.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace zv {

namespace {

// A date to compare: four-digit year, month, day.
using DateKey = std::tuple<int, int, int>;

DateKey flightDate(const FlightRecord& f) {
    return {fourDigitYear(f.year), f.month, f.day};
}

DateKey dateKey(const CalendarDate& d) {
    return {d.year, d.month, d.day};
}

bool isEarlierDate(const FlightRecord& a, const FlightRecord& b) {
    return flightDate(a) < flightDate(b);
}

CalendarDate calendarDateOf(const FlightRecord& f) {
    return {f.day, f.month, fourDigitYear(f.year)};
}

} // namespace

EvaluationSpan evaluationSpan(const std::vector<FlightRecord>& flights,
                              const TimeSpanDialogData& data) {
    if (!data.allFlights) {
        return {data.start, data.end};
    }
    if (flights.empty()) {
        return {{0, 0, 0}, {0, 0, 0}};
    }
    const auto [first, last] = std::minmax_element(flights.begin(), flights.end(), isEarlierDate);
    return {calendarDateOf(*first), calendarDateOf(*last)};
}

void keepFlightsOfSpan(std::vector<FlightRecord>& flights, const EvaluationSpan& span) {
    const DateKey start = dateKey(span.start);
    const DateKey end = dateKey(span.end);
    std::erase_if(flights, [&](const FlightRecord& f) {
        const DateKey date = flightDate(f);
        return date < start || end < date;
    });
    // The first and the last flight kept are then the earliest and the latest evaluated,
    // also when the logbook was not in order.
    std::stable_sort(flights.begin(), flights.end(), isEarlierDate);
}

long long spanYears(const EvaluationSpan& span) {
    return std::max(0LL, static_cast<long long>(span.end.year) - span.start.year + 1);
}

FlightHoursTable flightHoursTable(const std::vector<FlightRecord>& flightsOfSpan,
                                  const EvaluationSpan& span) {
    FlightHoursTable table;
    table.start = span.start;
    table.end = span.end;
    const long long firstYear = span.start.year;
    const long long lastYear = span.end.year;
    const int firstMonth = span.start.month;
    const int lastMonth = span.end.month;
    table.years.resize(static_cast<std::size_t>(std::min<long long>(spanYears(span), chartYears)));

    // Each month of the span, flight by flight in list order.
    for (const FlightRecord& f : flightsOfSpan) {
        const long long year = fourDigitYear(f.year);
        const bool inSpan = (year > firstYear || f.month >= firstMonth) &&
                            (year < lastYear || f.month <= lastMonth);
        const long long row = year - firstYear;
        if (row < 0 || row >= static_cast<long long>(table.years.size()) || f.month < 1 ||
            f.month > 12 || !inSpan) {
            continue;
        }
        table.years[static_cast<std::size_t>(row)][static_cast<std::size_t>(f.month)].add(
            f.durationHours, f.durationMinutes);
    }
    // The month totals and each year's total, then the overall total from the years.
    for (YearHours& year : table.years) {
        for (std::size_t month = 1; month <= 12; ++month) {
            const FlightTime cell = year[month];
            table.totals[month].add(cell.hours, cell.minutes);
            year[0].add(cell.hours, cell.minutes);
        }
    }
    for (const YearHours& year : table.years) {
        table.totals[0].add(year[0].hours, year[0].minutes);
    }
    return table;
}

std::vector<TakeoffSiteEntry> takeoffSiteEntries(const std::vector<FlightRecord>& flightsOfSpan) {
    std::vector<TakeoffSiteEntry> sites;
    std::map<std::string, std::size_t> index;
    for (const FlightRecord& f : flightsOfSpan) {
        // The 11-character name field: the site text without its three leading blanks.
        std::string name = f.takeoffSite.substr(std::min<std::size_t>(3, f.takeoffSite.size()));
        auto [found, added] = index.try_emplace(name, sites.size());
        if (added) {
            sites.push_back({name, 0, 0, 0});
        }
        TakeoffSiteEntry& entry = sites[found->second];
        entry.flights += 1;
        entry.hours += f.durationHours;
        entry.minutes += f.durationMinutes;
        if (entry.minutes > 59) {
            entry.hours += entry.minutes / 60;
            entry.minutes %= 60;
        }
    }
    // Names are distinct, so byte order alone decides (std::string compares bytes as
    // unsigned char).
    std::sort(sites.begin(), sites.end(),
              [](const TakeoffSiteEntry& a, const TakeoffSiteEntry& b) { return a.name < b.name; });
    return sites;
}

std::string chartTooLongMessage() {
    return "Die Grafik umfaßt mehr als " + integerText(chartYears, 2) +
           " Jahre.\n Bitte schränken Sie den Auswertezeitraum ein!";
}

std::optional<FlightHoursTable> flightHoursChart(std::vector<FlightRecord> flights,
                                                 const TimeSpanDialogData& data) {
    const EvaluationSpan span = evaluationSpan(flights, data);
    if (spanYears(span) > chartYears) {
        return std::nullopt;
    }
    keepFlightsOfSpan(flights, span);
    return flightHoursTable(flights, span);
}

TakeoffSiteTable takeoffSitesChart(std::vector<FlightRecord> flights,
                                   const TimeSpanDialogData& data) {
    const EvaluationSpan span = evaluationSpan(flights, data);
    keepFlightsOfSpan(flights, span);
    return {span.start, span.end, takeoffSiteEntries(flights)};
}

} // namespace zv
