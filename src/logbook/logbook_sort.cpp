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
    std::stable_sort(flights_.begin(), flights_.end(), isEarlier);
}

} // namespace zv
