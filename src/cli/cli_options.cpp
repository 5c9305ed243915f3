#include "cli/cli_options.h"

#include <charconv>
#include <chrono>
#include <string_view>

namespace zv::cli {

namespace {

// A whole number that fills the text; -1 otherwise.
int parseNumber(std::string_view text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? value : -1;
}

} // namespace

CalendarDate parseDate(const std::string& option, const std::string& text) {
    const std::size_t first = text.find('.');
    const std::size_t second = first == std::string::npos ? first : text.find('.', first + 1);
    if (second != std::string::npos) {
        const CalendarDate date{
            parseNumber(std::string_view(text).substr(0, first)),
            parseNumber(std::string_view(text).substr(first + 1, second - first - 1)),
            parseNumber(std::string_view(text).substr(second + 1))};
        const std::chrono::year_month_day ymd{std::chrono::year(date.year),
                                              std::chrono::month(static_cast<unsigned>(date.month)),
                                              std::chrono::day(static_cast<unsigned>(date.day))};
        if (date.year >= 1900 && date.year <= 9999 && date.month >= 1 && date.day >= 1 &&
            ymd.ok()) {
            return date;
        }
    }
    throw UsageError(option + " erwartet ein Datum TT.MM.JJJJ: '" + text + "'");
}

std::pair<int, int> parseTime(const std::string& option, const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos) {
        const int hour = parseNumber(std::string_view(text).substr(0, colon));
        const int minute = parseNumber(std::string_view(text).substr(colon + 1));
        if (hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59) {
            return {hour, minute};
        }
    }
    throw UsageError(option + " erwartet eine Uhrzeit HH:MM: '" + text + "'");
}

TimeSpanDialogData parseSpan(Arguments& arguments) {
    TimeSpanDialogData span;
    span.allFlights = arguments.takeFlag("--all");
    const auto from = arguments.takeOption("--from", 1);
    const auto to = arguments.takeOption("--to", 1);
    if (span.allFlights && (from || to)) {
        throw UsageError("--all schließt --from und --to aus");
    }
    if (!span.allFlights) {
        if (!from || !to) {
            throw UsageError("--all oder --from und --to angeben");
        }
        span.start = parseDate("--from", from->front());
        span.end = parseDate("--to", to->front());
    }
    return span;
}

} // namespace zv::cli
