#pragma once

// The evaluations of the logbook over a span of dates: which flights count, their flight
// time per month and year, and per takeoff site. The reports "Flugstunden" and
// "Startplätze" are written from these tables and the charts beside them show the same
// tables, so that report and chart cannot disagree.

#include "base/dialog_data.h"
#include "base/evaluation_tables.h"
#include "logbook/logbook.h"

#include <optional>
#include <string>
#include <vector>

namespace zv {

// The dates an evaluation covers, with four-digit years; both ends belong to it.
struct EvaluationSpan {
    CalendarDate start;
    CalendarDate end;
};

// With "Alle Flüge", from the earliest to the latest flight date (century rule), wherever
// those flights stand in the list; otherwise the dialog's two dates.
EvaluationSpan evaluationSpan(const std::vector<FlightRecord>& flights,
                              const TimeSpanDialogData& data);
// Keeps the flights of the span, in date order (flights of one date keep their order).
void keepFlightsOfSpan(std::vector<FlightRecord>& flights, const EvaluationSpan& span);
// How many calendar years the span touches (0 when it ends before it begins).
long long spanYears(const EvaluationSpan& span);

// Flight time per month and year of the span, from its flights (keepFlightsOfSpan), added
// flight by flight in list order. The span must touch at most chartYears years.
FlightHoursTable flightHoursTable(const std::vector<FlightRecord>& flightsOfSpan,
                                  const EvaluationSpan& span);
// Flight time and number of flights per takeoff site (the site text without its three
// leading blanks), by name in byte order.
std::vector<TakeoffSiteEntry> takeoffSiteEntries(const std::vector<FlightRecord>& flightsOfSpan);

// A chart covers any span the logbook's two-digit years can hold (1991 to 2090); the
// report of flight hours keeps its limit of hoursTableYears.
inline constexpr int chartYears = 100;
std::string chartTooLongMessage();

// The tables of the charts, from all flights of a logbook and the span chosen. No hours
// table for a span of more than chartYears years.
std::optional<FlightHoursTable> flightHoursChart(std::vector<FlightRecord> flights,
                                                 const TimeSpanDialogData& data);
TakeoffSiteTable takeoffSitesChart(std::vector<FlightRecord> flights,
                                   const TimeSpanDialogData& data);

} // namespace zv
