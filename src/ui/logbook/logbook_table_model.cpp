#include "ui/logbook/logbook_table_model.h"

#include "formats/cp1252.h"
#include "ui/charts/logbook_charts.h"
#include "ui/icons.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace zv {

namespace {

// Numbers as a German pilot reads them: a decimal comma.
const QLocale german(QLocale::German, QLocale::Germany);

QString fromLogbook(const std::string& bytes) {
    return QString::fromStdString(cp1252ToUtf8(bytes));
}

QString clockText(int hour, int minute) {
    return QStringLiteral("%1:%2")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'));
}

QString withUnit(const QString& number, const std::string& unit) {
    return unit.empty() ? number : number + QLatin1Char(' ') + fromLogbook(unit);
}

// "+4,0", "-3,9": the sign as the logbook writes it.
QString climbText(float value) {
    return (value > 0 ? QStringLiteral("+") : QString()) + german.toString(value, 'f', 1);
}

// What a column sorts by.
using SortKey = std::tuple<long long, long long, long long, long long, long long>;

SortKey sortKey(const FlightRecord& f, int siteRank, int column) {
    // Reals sort by their tenths, as they are shown.
    const auto tenths = [](float value) { return std::llround(static_cast<double>(value) * 10); };
    switch (column) {
    case LogbookTableModel::Number:
        return {f.number, 0, 0, 0, 0};
    case LogbookTableModel::Date:
        return {fourDigitYear(f.year), f.month, f.day, f.takeoffHour, f.takeoffMinute};
    case LogbookTableModel::Takeoff:
        return {f.takeoffHour, f.takeoffMinute, 0, 0, 0};
    case LogbookTableModel::Landing:
        return {f.landingHour, f.landingMinute, 0, 0, 0};
    case LogbookTableModel::Duration:
        return {static_cast<long long>(f.durationHours) * 60 + f.durationMinutes, 0, 0, 0, 0};
    case LogbookTableModel::Site:
        return {siteRank, 0, 0, 0, 0};
    case LogbookTableModel::AltiMax:
        return {f.altiMax, 0, 0, 0, 0};
    case LogbookTableModel::AltiGain:
        return {f.altiGain, 0, 0, 0, 0};
    case LogbookTableModel::Distance:
        return {tenths(f.distance), 0, 0, 0, 0};
    case LogbookTableModel::VarioMax:
        return {tenths(f.varioMax), 0, 0, 0, 0};
    case LogbookTableModel::VarioMin:
        return {tenths(f.varioMin), 0, 0, 0, 0};
    default:
        return {};
    }
}

} // namespace

LogbookTableModel::LogbookTableModel(LogbookOverview overview, QObject* parent)
    : QAbstractTableModel(parent), overview_(std::move(overview)), fileIcon_(icons::flightData()) {
    const std::size_t count = overview_.flights.size();
    // The site names are few: each is decoded once and ranked alphabetically, German
    // umlauts beside their vowels and letter case aside.
    std::map<std::string, QString> names;
    for (const FlightRecord& f : overview_.flights) {
        names.try_emplace(f.takeoffSite, QString());
    }
    std::vector<QString> unique;
    for (auto& [bytes, name] : names) {
        name = fromLogbook(bytes).trimmed();
        unique.push_back(name);
    }
    QCollator collator(german);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(unique.begin(), unique.end(), collator);
    unique.erase(std::unique(unique.begin(), unique.end()), unique.end());

    sites_.reserve(count);
    siteRanks_.reserve(count);
    firstYear_ = count ? fourDigitYear(overview_.flights.front().year) : 0;
    lastYear_ = firstYear_;
    for (const FlightRecord& f : overview_.flights) {
        const QString& name = names.at(f.takeoffSite);
        sites_.push_back(name);
        siteRanks_.push_back(static_cast<int>(
            std::lower_bound(unique.begin(), unique.end(), name, collator) - unique.begin()));
        firstYear_ = std::min(firstYear_, fourDigitYear(f.year));
        lastYear_ = std::max(lastYear_, fourDigitYear(f.year));
    }
    fromYear_ = firstYear_;
    toYear_ = lastYear_;
    sorted_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        sorted_[i] = i;
    }
    shown_ = sorted_;
}

int LogbookTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownFlights();
}

int LogbookTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString LogbookTableModel::cellText(const FlightRecord& f, std::size_t index, int column) const {
    switch (column) {
    case Number:
        return QString::number(f.number);
    case Date:
        return charts::dateText({f.day, f.month, fourDigitYear(f.year)});
    case Takeoff:
        return clockText(f.takeoffHour, f.takeoffMinute);
    case Landing:
        return clockText(f.landingHour, f.landingMinute);
    case Duration:
        return clockText(f.durationHours, f.durationMinutes);
    case Site:
        return sites_[index];
    case AltiMax:
        return withUnit(QString::number(f.altiMax), f.altitudeUnit);
    case AltiGain:
        return withUnit(QString::number(f.altiGain), f.altitudeUnit);
    case Distance:
        return withUnit(german.toString(f.distance, 'f', 1), f.distanceUnit);
    case VarioMax:
        return withUnit(climbText(f.varioMax), f.varioUnit);
    case VarioMin:
        return withUnit(climbText(f.varioMin), f.varioUnit);
    default:
        return {};
    }
}

QVariant LogbookTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shownFlights()) {
        return {};
    }
    const std::size_t flight = flightIndex(index.row());
    const FlightRecord& f = overview_.flights[flight];
    const bool hasFile = !overview_.flightFiles[flight].empty();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(f, flight, index.column());
    case Qt::DecorationRole:
        return index.column() == Number && hasFile ? QVariant(fileIcon_) : QVariant();
    case Qt::ToolTipRole:
        if (index.column() == Number && hasFile) {
            return QStringLiteral("Flugdaten %1\nDoppelklick zeigt das Flugprofil.")
                .arg(QString::fromStdString(overview_.flightFiles[flight].filename().string()));
        }
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == Site ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                      : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant LogbookTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const titles[ColumnCount] = {
        "Nr.",       "Datum",       "Start",   "Landung",      "Dauer",       "Startplatz",
        "Max. Höhe", "Höhengewinn", "Strecke", "Steigen max.", "Sinken max.",
    };
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(titles[section]);
    }
    return {};
}

void LogbookTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount) {
        return;
    }
    std::vector<SortKey> keys;
    keys.reserve(overview_.flights.size());
    for (std::size_t i = 0; i < overview_.flights.size(); ++i) {
        keys.push_back(sortKey(overview_.flights[i], siteRanks_[i], column));
    }
    beginResetModel();
    // From the logbook's order, so that equal flights keep it in both directions.
    for (std::size_t i = 0; i < sorted_.size(); ++i) {
        sorted_[i] = i;
    }
    if (order == Qt::AscendingOrder) {
        std::stable_sort(sorted_.begin(), sorted_.end(),
                         [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    } else {
        std::stable_sort(sorted_.begin(), sorted_.end(),
                         [&](std::size_t a, std::size_t b) { return keys[b] < keys[a]; });
    }
    refilter();
    endResetModel();
}

void LogbookTableModel::setFilter(const QString& siteText, int fromYear, int toYear) {
    beginResetModel();
    siteFilter_ = siteText.trimmed();
    fromYear_ = fromYear;
    toYear_ = toYear;
    refilter();
    endResetModel();
}

void LogbookTableModel::refilter() {
    shown_.clear();
    for (const std::size_t i : sorted_) {
        const int year = fourDigitYear(overview_.flights[i].year);
        if (year >= fromYear_ && year <= toYear_ &&
            (siteFilter_.isEmpty() || sites_[i].contains(siteFilter_, Qt::CaseInsensitive))) {
            shown_.push_back(i);
        }
    }
}

FlightTime LogbookTableModel::shownTime() const {
    FlightTime total;
    for (const std::size_t i : shown_) {
        total.add(overview_.flights[i].durationHours, overview_.flights[i].durationMinutes);
    }
    return total;
}

const FlightRecord& LogbookTableModel::flightAt(int row) const {
    return overview_.flights[flightIndex(row)];
}

const std::filesystem::path& LogbookTableModel::flightFileAt(int row) const {
    return overview_.flightFiles[flightIndex(row)];
}

const QString& LogbookTableModel::siteAt(int row) const {
    return sites_[flightIndex(row)];
}

} // namespace zv
