#pragma once

// The numbers of the logbook's two evaluations, flight hours per month and year and per
// takeoff site: the reports are written from them, and the commands hand them to the
// front end, which shows them as charts beside the reports.

#include "base/dialog_data.h"

#include <array>
#include <string>
#include <vector>

namespace zv {

// A flight time in hours and minutes, as the reports show it.
struct FlightTime {
    long long hours = 0;
    long long minutes = 0;

    // Adds a time and carries full hours out of the minutes.
    void add(long long addHours, long long addMinutes) {
        hours += addHours;
        minutes += addMinutes;
        if (minutes >= 60) {
            hours += minutes / 60;
            minutes %= 60;
        }
    }

    friend bool operator==(const FlightTime&, const FlightTime&) = default;
};

// One takeoff site of the site statistics.
struct TakeoffSiteEntry {
    std::string name; // the 11-character name field with its trailing blanks (Windows-1252)
    long long hours = 0;
    long long minutes = 0;
    int flights = 0;

    friend bool operator==(const TakeoffSiteEntry&, const TakeoffSiteEntry&) = default;
};

// A year's row: cell 0 its total, cells 1 to 12 its months.
using YearHours = std::array<FlightTime, 13>;

// Flight time per month and year over a span of dates (four-digit years; both ends belong
// to it): every year of the span, also one without flights.
struct FlightHoursTable {
    CalendarDate start;
    CalendarDate end;
    // The years start.year, start.year + 1, ...; months outside the span stay 0.
    std::vector<YearHours> years;
    // Cell 0 the overall total, cells 1 to 12 each month's total over all years.
    YearHours totals{};
};

// Flight time and flights per takeoff site over a span, by name in byte order.
struct TakeoffSiteTable {
    CalendarDate start;
    CalendarDate end;
    std::vector<TakeoffSiteEntry> sites;
};

} // namespace zv
