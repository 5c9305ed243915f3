// The order of the logbook: flights sorted by date and takeoff time.
//
// The logbook has always been ordered by a selection procedure: for each position i,
// scan the positions i to the end with a candidate (first the flight at i) that is
// replaced only by a flight strictly earlier than it, then exchange the flights at i
// and at the candidate. "Earlier" compares two-digit years only when they differ by 1
// to 9, so it is no ordering at all across a span of ten years or a change of century:
// which of two such flights comes first depends on the procedure and on the order the
// flights had before. Pilots' logbooks were sorted this way for years, so the order
// must stay exactly the same, but the procedure takes n² steps.
//
// takeoffOrder follows the same procedure without scanning flight by flight: from the
// candidate it jumps straight to the next flight that is earlier than it. For each
// year present, a segment tree over the positions holds the smallest (month, day, hour,
// minute) rank of the flights of that year; the next earlier flight is the first
// position after the candidate in one of the up to nine years 1 to 9 below the
// candidate's, or in the candidate's own year with a smaller rank. A step of the
// procedure thus costs one query per replacement of the candidate; a logbook that is in
// order, or nearly so, needs O(n log n). A list far out of order (a logbook kept newest
// first) replaces the candidate at almost every flight; after a budget of replacements
// the plain procedure finishes the work from where the quick one stopped.

#include "logbook/logbook.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <tuple>

namespace zv {

namespace {

constexpr std::size_t none = static_cast<std::size_t>(-1);
constexpr int noFlight = INT_MAX;
// More distinct years than this only come from damaged files; they take the plain
// procedure rather than a tree per year.
constexpr std::size_t maxTreeYears = 100;

auto timeKey(const FlightRecord& f) {
    return std::make_tuple(f.month, f.day, f.takeoffHour, f.takeoffMinute);
}

// Minimum segment tree over the positions 0 to size - 1.
class MinTree {
public:
    explicit MinTree(std::size_t leaves) : leaves_(leaves), node_(2 * leaves, noFlight) {}

    void set(std::size_t position, int value) {
        std::size_t i = position + leaves_;
        node_[i] = value;
        for (i /= 2; i >= 1; i /= 2) {
            node_[i] = std::min(node_[2 * i], node_[2 * i + 1]);
        }
    }

    int minimum() const { return node_[1]; }

    // The first position at or after `from` whose value is below `limit`, or none.
    std::size_t firstBelow(std::size_t from, int limit) const {
        return firstBelow(1, 0, leaves_, from, limit);
    }

private:
    std::size_t firstBelow(std::size_t i, std::size_t low, std::size_t high, std::size_t from,
                           int limit) const {
        if (high <= from || node_[i] >= limit) {
            return none;
        }
        if (high - low == 1) {
            return low;
        }
        const std::size_t middle = (low + high) / 2;
        const std::size_t left = firstBelow(2 * i, low, middle, from, limit);
        return left != none ? left : firstBelow(2 * i + 1, middle, high, from, limit);
    }

    std::size_t leaves_;
    std::vector<int> node_;
};

// Within one decade "earlier" is the plain order of (year, month, day, hour, minute), and
// the candidate of a step is the first flight of the smallest such key: one minimum tree
// over the positions gives each step in O(log n), however disordered the list is.
std::vector<std::size_t> orderWithinDecade(const std::vector<FlightRecord>& flights) {
    const std::size_t n = flights.size();
    const auto key = [&](std::size_t f) {
        return std::make_tuple(flights[f].year, flights[f].month, flights[f].day,
                               flights[f].takeoffHour, flights[f].takeoffMinute);
    };
    std::vector<std::size_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(),
              [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    std::vector<int> rank(n);
    int currentRank = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && key(byKey[k - 1]) < key(byKey[k])) {
            ++currentRank;
        }
        rank[byKey[k]] = currentRank;
    }
    std::size_t leaves = 1;
    while (leaves < n) {
        leaves *= 2;
    }
    MinTree tree(leaves);
    std::vector<std::size_t> at(n);
    for (std::size_t p = 0; p < n; ++p) {
        at[p] = p;
        tree.set(p, rank[p]);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t candidate = tree.firstBelow(i, tree.minimum() + 1);
        const std::size_t moved = at[i];
        tree.set(i, noFlight);
        if (candidate != i) {
            tree.set(candidate, rank[moved]);
        }
        std::swap(at[i], at[candidate]);
    }
    return at;
}

// The selection procedure on the positions i to the end of `at`.
void selectFrom(const std::vector<FlightRecord>& flights, std::vector<std::size_t>& at,
                std::size_t first) {
    for (std::size_t i = first; i < at.size(); ++i) {
        std::size_t candidate = i;
        for (std::size_t j = i + 1; j < at.size(); ++j) {
            if (isEarlier(flights[at[j]], flights[at[candidate]])) {
                candidate = j;
            }
        }
        std::swap(at[i], at[candidate]);
    }
}

} // namespace

bool isEarlier(const FlightRecord& a, const FlightRecord& b) {
    const long long yearsBetween = static_cast<long long>(b.year) - a.year;
    if (yearsBetween >= 1 && yearsBetween <= 9) {
        return true;
    }
    return a.year == b.year && timeKey(a) < timeKey(b);
}

std::vector<std::size_t> takeoffOrderBySelection(const std::vector<FlightRecord>& flights) {
    std::vector<std::size_t> at(flights.size());
    std::iota(at.begin(), at.end(), 0);
    selectFrom(flights, at, 0);
    return at;
}

std::vector<std::size_t> takeoffOrder(const std::vector<FlightRecord>& flights) {
    const std::size_t n = flights.size();

    std::vector<int> years;
    years.reserve(n);
    for (const auto& f : flights) {
        years.push_back(f.year);
    }
    std::sort(years.begin(), years.end());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    if (years.empty() || static_cast<long long>(years.back()) - years.front() <= 9) {
        return orderWithinDecade(flights);
    }
    if (years.size() > maxTreeYears) {
        return takeoffOrderBySelection(flights);
    }

    // Per flight: its year's group and the rank of its time within the year.
    std::vector<std::size_t> group(n);
    std::vector<int> rank(n);
    std::vector<std::size_t> byTime(n);
    std::iota(byTime.begin(), byTime.end(), 0);
    std::sort(byTime.begin(), byTime.end(), [&](std::size_t a, std::size_t b) {
        return timeKey(flights[a]) < timeKey(flights[b]);
    });
    int currentRank = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && timeKey(flights[byTime[k - 1]]) < timeKey(flights[byTime[k]])) {
            ++currentRank;
        }
        rank[byTime[k]] = currentRank;
    }
    for (std::size_t f = 0; f < n; ++f) {
        group[f] = static_cast<std::size_t>(
            std::lower_bound(years.begin(), years.end(), flights[f].year) - years.begin());
    }

    std::size_t leaves = 1;
    while (leaves < n) {
        leaves *= 2;
    }
    std::vector<MinTree> trees(years.size(), MinTree(leaves));
    std::vector<std::size_t> at(n); // the flight at each position
    for (std::size_t p = 0; p < n; ++p) {
        at[p] = p;
        trees[group[p]].set(p, rank[p]);
    }

    std::size_t replacementsLeft = 8 * n + 1024;
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t candidate = i;
        for (;;) {
            const std::size_t flight = at[candidate];
            const long long year = flights[flight].year;
            std::size_t earlier = trees[group[flight]].firstBelow(candidate + 1, rank[flight]);
            for (auto y = std::lower_bound(years.begin(), years.end(), year - 9);
                 y != years.end() && *y <= year - 1; ++y) {
                const auto g = static_cast<std::size_t>(y - years.begin());
                earlier = std::min(earlier, trees[g].firstBelow(candidate + 1, noFlight));
            }
            if (earlier == none) {
                break;
            }
            if (replacementsLeft == 0) {
                // Step i starts afresh in the plain procedure; `at` is as step i found it.
                selectFrom(flights, at, i);
                return at;
            }
            --replacementsLeft;
            candidate = earlier;
        }
        // Exchange: the chosen flight leaves the trees, the flight at i moves to its place.
        const std::size_t chosen = at[candidate];
        const std::size_t moved = at[i];
        trees[group[chosen]].set(candidate, noFlight);
        trees[group[moved]].set(i, noFlight);
        if (candidate != i) {
            trees[group[moved]].set(candidate, rank[moved]);
        }
        std::swap(at[i], at[candidate]);
    }
    return at;
}

} // namespace zv
