// The order of the logbook: flights in calendar order of their takeoff.
//
// The instrument writes two-digit years; the century rule turns them into calendar years
// (0 to 90 are 2000 to 2090, 91 to 99 are 1991 to 1999), so a logbook of any age and
// across the change of century sorts by (calendar year, month, day, takeoff hour, takeoff
// minute). The sort is stable: flights with the same takeoff keep the order in which they
// were read (the main logbook's before the appended file's), so that duplicate removal
// keeps the first one read.

#include "logbook/logbook.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace zv {

int fourDigitYear(int twoDigitYear) {
    if (twoDigitYear >= 0 && twoDigitYear <= 90) {
        return 2000 + twoDigitYear;
    }
    if (twoDigitYear >= 91 && twoDigitYear <= 99) {
        return 1900 + twoDigitYear;
    }
    return twoDigitYear; // not a two-digit year: taken as written
}

namespace {

auto takeoffKey(const FlightRecord& f) {
    return std::make_tuple(fourDigitYear(f.year), f.month, f.day, f.takeoffHour, f.takeoffMinute);
}

} // namespace

bool isEarlier(const FlightRecord& a, const FlightRecord& b) {
    return takeoffKey(a) < takeoffKey(b);
}

void CLogbook::sortByTakeoff() {
    // The keys once per flight, sorted with the flights' positions; the records, heavy
    // with their texts, move once at the end.
    struct Entry {
        std::tuple<int, int, int, int, int> key;
        std::size_t position;
    };
    std::vector<Entry> order;
    order.reserve(flights_.size());
    for (std::size_t i = 0; i < flights_.size(); ++i) {
        order.push_back({takeoffKey(flights_[i]), i});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    std::vector<FlightRecord> sorted;
    sorted.reserve(flights_.size());
    for (const Entry& entry : order) {
        sorted.push_back(std::move(flights_[entry.position]));
    }
    flights_ = std::move(sorted);
}

} // namespace zv
