#pragma once

// The charts of the logbook as Qt Charts draws them: flight hours per month and per year
// over a span, hours and flights per takeoff site, and the altitude profile of a flight.
// The chart windows show them, zv-cli chart paints them offscreen: both build them here
// from the core's tables, so that window and picture show the same.

#include "base/evaluation_tables.h"

#include <QChart>
#include <QList>
#include <QSize>
#include <QString>
#include <memory>

namespace zv {

struct FlightProfile;

namespace charts {

// The hours of a time as the bars show them: hours and the minutes as a fraction.
double hoursValue(const FlightTime& time);
// "hh:mm", as the reports show a time.
QString timeText(const FlightTime& time);
// "31.12.2004", the date as the dialogs show it.
QString dateText(const CalendarDate& date);

// The month of each bar of monthHoursChart: every month of the table's span in order.
struct MonthBar {
    int year = 0;
    int month = 0;
    FlightTime time;
};
QList<MonthBar> monthBars(const FlightHoursTable& table);

// "Flugstunden je Monat": a bar for every month of the span.
std::unique_ptr<QChart> monthHoursChart(const FlightHoursTable& table);
// "Flugstunden je Jahr": a bar for every year of the span.
std::unique_ptr<QChart> yearHoursChart(const FlightHoursTable& table);
// "Startplätze": for every site its hours and its flights, the sites from top to bottom in
// the order of the report.
std::unique_ptr<QChart> takeoffSitesChart(const TakeoffSiteTable& table);
// "Flugprofil": the altitude over the track points with its maximum and gain marked, and
// the climb from point to point on an axis of its own. `fileName` names the flight.
std::unique_ptr<QChart> profileChart(const FlightProfile& profile, const QString& fileName);

// The size each chart is drawn in when nothing else decides (zv-cli's pictures, a new
// window).
QSize hoursChartSize();
QSize sitesChartSize(const TakeoffSiteTable& table);
QSize profileChartSize();

} // namespace charts
} // namespace zv
