#include "ui/charts/logbook_charts.h"

#include "formats/cp1252.h"
#include "logbook/flight_profile.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>

namespace zv::charts {

namespace {

const QColor hoursColor(30, 90, 170);
const QColor flightsColor(230, 140, 30);
const QColor climbColor(100, 150, 100, 170);
const QColor maximumColor(200, 30, 30);
const QColor gainColor(20, 140, 60);

const char* const monthNames[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                  "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
const char* const fullMonthNames[] = {"Januar",    "Februar", "März",     "April",
                                      "Mai",       "Juni",    "Juli",     "August",
                                      "September", "Oktober", "November", "Dezember"};

// Up to this many months each bar has its month written below it; a longer span names
// the years only.
constexpr int namedMonths = 24;
// Up to this many years their labels stand upright.
constexpr int uprightYears = 20;

std::unique_ptr<QChart> newChart(const QString& title) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    chart->setTitleFont(font);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    return chart;
}

QValueAxis* valueAxis(QChart& chart, const QString& title, Qt::Alignment alignment) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setMin(0);
    chart.addAxis(axis, alignment);
    return axis;
}

// Rounds the axis up to a whole number of ticks, so that every label is a whole number.
void niceRange(QValueAxis& axis, double low, double high) {
    axis.setRange(low, std::max(high, low + 1));
    axis.applyNiceNumbers();
}

QBarSet* barSet(const QString& name, const QColor& color) {
    auto* set = new QBarSet(name);
    set->setColor(color);
    set->setBorderColor(color.darker(120));
    return set;
}

// The tooltip of each bar while the pointer rests on it.
void showTips(QBarSet* set, QList<QString> tips) {
    QObject::connect(set, &QBarSet::hovered, set, [tips = std::move(tips)](bool on, int index) {
        if (on && index >= 0 && index < tips.size()) {
            QToolTip::showText(QCursor::pos(), tips.at(index));
        } else {
            QToolTip::hideText();
        }
    });
}

// One bar of hours for each category of the axis, with its tooltip.
std::unique_ptr<QChart> hoursBars(const QString& title, const QList<FlightTime>& times,
                                  QList<QString> tips, QAbstractAxis* categories, qreal barWidth) {
    auto chart = newChart(title);
    chart->legend()->hide();
    auto* set = barSet(QStringLiteral("Stunden"), hoursColor);
    double highest = 0;
    for (const FlightTime& time : times) {
        *set << hoursValue(time);
        highest = std::max(highest, hoursValue(time));
    }
    showTips(set, std::move(tips));
    auto* series = new QBarSeries;
    series->setBarWidth(barWidth);
    series->append(set);
    chart->addSeries(series);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QValueAxis* hours = valueAxis(*chart, QStringLiteral("Stunden"), Qt::AlignLeft);
    series->attachAxis(hours);
    niceRange(*hours, 0, highest);
    return chart;
}

QString hoursTitle(const QString& what, const FlightHoursTable& table) {
    return QStringLiteral("%1 %2 – %3 (gesamt %4 h)")
        .arg(what, dateText(table.start), dateText(table.end), timeText(table.totals[0]));
}

} // namespace

double hoursValue(const FlightTime& time) {
    return static_cast<double>(time.hours) + static_cast<double>(time.minutes) / 60.0;
}

QString timeText(const FlightTime& time) {
    return QStringLiteral("%1:%2")
        .arg(time.hours, 2, 10, QLatin1Char('0'))
        .arg(time.minutes, 2, 10, QLatin1Char('0'));
}

QString dateText(const CalendarDate& date) {
    return QStringLiteral("%1.%2.%3")
        .arg(date.day, 2, 10, QLatin1Char('0'))
        .arg(date.month, 2, 10, QLatin1Char('0'))
        .arg(date.year, 4, 10, QLatin1Char('0'));
}

QList<MonthBar> monthBars(const FlightHoursTable& table) {
    QList<MonthBar> bars;
    for (std::size_t row = 0; row < table.years.size(); ++row) {
        const int year = table.start.year + static_cast<int>(row);
        for (int month = 1; month <= 12; ++month) {
            const bool afterStart = year > table.start.year || month >= table.start.month;
            const bool beforeEnd = year < table.end.year || month <= table.end.month;
            if (afterStart && beforeEnd) {
                bars.append({year, month, table.years[row][static_cast<std::size_t>(month)]});
            }
        }
    }
    return bars;
}

std::unique_ptr<QChart> monthHoursChart(const FlightHoursTable& table) {
    const QList<MonthBar> bars = monthBars(table);
    QList<FlightTime> times;
    QList<QString> tips;
    for (const MonthBar& bar : bars) {
        times << bar.time;
        tips << QStringLiteral("%1 %2: %3 h")
                    .arg(QString::fromUtf8(fullMonthNames[bar.month - 1]))
                    .arg(bar.year)
                    .arg(timeText(bar.time));
    }
    QAbstractAxis* categories = nullptr;
    if (bars.size() <= namedMonths) {
        auto* axis = new QBarCategoryAxis;
        for (const MonthBar& bar : bars) {
            axis->append(QStringLiteral("%1 %2")
                             .arg(QString::fromUtf8(monthNames[bar.month - 1]))
                             .arg(bar.year % 100, 2, 10, QLatin1Char('0')));
        }
        if (bars.size() > 12) {
            axis->setLabelsAngle(-60);
        }
        categories = axis;
    } else {
        // A label for each year, under the middle of its months; a grid line between years.
        auto* axis = new QCategoryAxis;
        axis->setStartValue(-0.5);
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
        for (qsizetype i = 0; i < bars.size(); ++i) {
            if (i + 1 == bars.size() || bars.at(i + 1).year != bars.at(i).year) {
                axis->append(QString::number(bars.at(i).year), static_cast<double>(i) + 0.5);
            }
        }
        if (table.years.size() > uprightYears) {
            axis->setLabelsAngle(-90);
        }
        categories = axis;
    }
    return hoursBars(hoursTitle(QStringLiteral("Flugstunden je Monat"), table), times,
                     std::move(tips), categories, 0.8);
}

std::unique_ptr<QChart> yearHoursChart(const FlightHoursTable& table) {
    auto* axis = new QBarCategoryAxis;
    QList<FlightTime> times;
    QList<QString> tips;
    for (std::size_t row = 0; row < table.years.size(); ++row) {
        const int year = table.start.year + static_cast<int>(row);
        const FlightTime& time = table.years[row][0];
        times << time;
        axis->append(QString::number(year));
        tips << QStringLiteral("%1: %2 h").arg(year).arg(timeText(time));
    }
    if (table.years.size() > uprightYears) {
        axis->setLabelsAngle(-90);
    }
    return hoursBars(hoursTitle(QStringLiteral("Flugstunden je Jahr"), table), times,
                     std::move(tips), axis, 0.7);
}

std::unique_ptr<QChart> takeoffSitesChart(const TakeoffSiteTable& table) {
    int flights = 0;
    for (const TakeoffSiteEntry& site : table.sites) {
        flights += site.flights;
    }
    auto chart = newChart(QStringLiteral("Startplätze %1 – %2 (%3 Flüge)")
                              .arg(dateText(table.start), dateText(table.end))
                              .arg(flights));
    auto* hours = barSet(QStringLiteral("Stunden"), hoursColor);
    auto* count = barSet(QStringLiteral("Flüge"), flightsColor);
    auto* axis = new QBarCategoryAxis;
    QList<QString> tips;
    double highest = 0;
    // A horizontal chart draws its first category at the bottom: the sites go in from the
    // last, so that they read from top to bottom in the report's order.
    for (auto site = table.sites.rbegin(); site != table.sites.rend(); ++site) {
        const FlightTime time{site->hours, site->minutes};
        *hours << hoursValue(time);
        *count << site->flights;
        highest = std::max({highest, hoursValue(time), static_cast<double>(site->flights)});
        // The name field keeps its trailing blanks: sites that differ only in them stay
        // apart, as in the report.
        const QString name = QString::fromStdString(cp1252ToUtf8(site->name));
        axis->append(name);
        tips << QStringLiteral("%1: %2 h in %3 %4")
                    .arg(name.trimmed(), timeText(time))
                    .arg(site->flights)
                    .arg(site->flights == 1 ? QStringLiteral("Flug") : QStringLiteral("Flügen"));
    }
    showTips(hours, tips);
    showTips(count, std::move(tips));
    auto* series = new QHorizontalBarSeries;
    series->setBarWidth(0.8);
    // Within a site, too, the first set is drawn lowest: the hours go on top.
    series->append(count);
    series->append(hours);
    chart->addSeries(series);
    chart->addAxis(axis, Qt::AlignLeft);
    series->attachAxis(axis);
    QValueAxis* values = valueAxis(*chart, QStringLiteral("Stunden bzw. Flüge"), Qt::AlignBottom);
    series->attachAxis(values);
    niceRange(*values, 0, highest);
    return chart;
}

std::unique_ptr<QChart> profileChart(const FlightProfile& profile, const QString& fileName) {
    auto chart = newChart(QStringLiteral("Flugprofil %1, Start %2:%3 – %4")
                              .arg(dateText(profile.date))
                              .arg(profile.takeoffHour, 2, 10, QLatin1Char('0'))
                              .arg(profile.takeoffMinute, 2, 10, QLatin1Char('0'))
                              .arg(fileName));
    const auto point = [](std::size_t index, int value) {
        // Points are counted from 1, as a pilot counts them.
        return QPointF(static_cast<double>(index + 1), value);
    };

    auto* climb = new QLineSeries;
    climb->setName(QStringLiteral("Steigen (m je Punkt)"));
    climb->setPen(QPen(climbColor, 1));
    QList<QPointF> climbPoints;
    int fastestSink = -1;
    int bestClimb = 1;
    for (std::size_t i = 0; i < profile.climbs.size(); ++i) {
        climbPoints << point(i + 1, profile.climbs[i]);
        fastestSink = std::min(fastestSink, profile.climbs[i]);
        bestClimb = std::max(bestClimb, profile.climbs[i]);
    }
    climb->replace(climbPoints);

    auto* altitude = new QLineSeries;
    altitude->setName(QStringLiteral("Höhe (m)"));
    altitude->setPen(QPen(hoursColor, 2));
    QList<QPointF> altitudePoints;
    for (std::size_t i = 0; i < profile.altitudes.size(); ++i) {
        altitudePoints << point(i, profile.altitudes[i]);
    }
    altitude->replace(altitudePoints);

    auto* gain = new QScatterSeries;
    gain->setName(QStringLiteral("Höhengewinn %1 m").arg(profile.gain()));
    gain->setColor(gainColor);
    gain->setBorderColor(Qt::white);
    gain->setMarkerSize(9);
    if (profile.gain() > 0) {
        *gain << point(profile.gainFrom, profile.altitudes[profile.gainFrom])
              << point(profile.gainTo, profile.altitudes[profile.gainTo]);
    }
    auto* maximum = new QScatterSeries;
    maximum->setName(QStringLiteral("Maximum %1 m").arg(profile.maximum()));
    maximum->setColor(maximumColor);
    maximum->setBorderColor(Qt::white);
    maximum->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    maximum->setMarkerSize(15);
    *maximum << point(profile.highest, profile.maximum());

    // The climb first, so that the altitude and the marks are drawn over it; the gain's
    // small marks over the maximum's larger one, which is often the gain's top.
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(climb), static_cast<QAbstractSeries*>(altitude),
          static_cast<QAbstractSeries*>(maximum), static_cast<QAbstractSeries*>(gain)}) {
        chart->addSeries(series);
    }
    auto* points = new QValueAxis;
    points->setTitleText(QStringLiteral("Punkt"));
    points->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(points, Qt::AlignBottom);
    points->setRange(1, std::max<double>(2, static_cast<double>(profile.altitudes.size())));
    points->applyNiceNumbers();

    QValueAxis* metres = valueAxis(*chart, QStringLiteral("Höhe [m]"), Qt::AlignLeft);
    const auto [lowest, highest] =
        std::minmax_element(profile.altitudes.begin(), profile.altitudes.end());
    if (lowest != profile.altitudes.end()) {
        metres->setRange(std::max(0, *lowest - 50), *highest + 50);
        metres->applyNiceNumbers();
    }
    QValueAxis* climbs = valueAxis(*chart, QStringLiteral("Steigen [m je Punkt]"), Qt::AlignRight);
    climbs->setRange(fastestSink, bestClimb);
    climbs->applyNiceNumbers();
    climbs->setLinePenColor(climbColor);
    climbs->setLabelsColor(climbColor.darker(150));

    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(altitude), static_cast<QAbstractSeries*>(gain),
          static_cast<QAbstractSeries*>(maximum)}) {
        series->attachAxis(points);
        series->attachAxis(metres);
    }
    climb->attachAxis(points);
    climb->attachAxis(climbs);
    return chart;
}

QSize hoursChartSize() {
    return {1200, 420};
}

QSize sitesChartSize(const TakeoffSiteTable& table) {
    return {1000, 160 + 34 * static_cast<int>(std::max<std::size_t>(table.sites.size(), 4))};
}

QSize profileChartSize() {
    return {1200, 600};
}

} // namespace zv::charts
