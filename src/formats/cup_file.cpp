#include "formats/cup_file.h"

#include "base/ascii_text.h"
#include "formats/cp1252.h"
#include "formats/xml_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace zv {

namespace {

enum class Column {
    Name,
    Code,
    Country,
    Latitude,
    Longitude,
    Elevation,
    Style,
    Description,
    Other
};

constexpr std::array<std::pair<std::string_view, Column>, 12> columnNames = {{
    {"name", Column::Name},
    {"title", Column::Name},
    {"code", Column::Code},
    {"country", Column::Country},
    {"lat", Column::Latitude},
    {"latitude", Column::Latitude},
    {"lon", Column::Longitude},
    {"longitude", Column::Longitude},
    {"elev", Column::Elevation},
    {"elevation", Column::Elevation},
    {"style", Column::Style},
    {"desc", Column::Description},
}};

std::string lowerTrimmed(std::string_view text) {
    return asciiLower(trimBlanks(text));
}

Column columnOf(std::string_view name) {
    const std::string lower = lowerTrimmed(name);
    for (const auto& [text, column] : columnNames) {
        if (lower == text) {
            return column;
        }
    }
    return Column::Other;
}

// "4707.407N" or "01410.467E": degrees times 100 plus decimal minutes, then the letter.
std::optional<double> coordinate(std::string_view text, char positive, char negative) {
    const std::string field = lowerTrimmed(text);
    if (field.size() < 2) {
        return std::nullopt;
    }
    const char letter = static_cast<char>(field.back() - 'a' + 'A');
    if (letter != positive && letter != negative) {
        return std::nullopt;
    }
    const std::optional<double> number =
        parseDecimal(std::string_view(field).substr(0, field.size() - 1));
    if (!number || *number < 0) {
        return std::nullopt;
    }
    const double degrees = std::floor(*number / 100);
    const double minutes = *number - degrees * 100;
    if (minutes >= 60) {
        return std::nullopt;
    }
    const double value = degrees + minutes / 60;
    return letter == negative ? -value : value;
}

// "504.0m", "525ft", "504" (metres); nothing when empty or no number.
std::optional<double> elevation(std::string_view text) {
    std::string field = lowerTrimmed(text);
    double factor = 1;
    if (field.ends_with("ft")) {
        factor = 0.3048;
        field.resize(field.size() - 2);
    } else if (field.ends_with("m")) {
        field.resize(field.size() - 1);
    }
    const std::optional<double> number = parseDecimal(field);
    if (!number) {
        return std::nullopt;
    }
    return *number * factor;
}

PointRole roleOfStyle(std::string_view text) {
    int style = 0;
    const std::string field = lowerTrimmed(text);
    std::from_chars(field.data(), field.data() + field.size(), style);
    switch (style) {
    case 20:
        return PointRole::Takeoff;
    case 2:
    case 3:
    case 4:
    case 5:
    case 21:
        return PointRole::Landing;
    default:
        return PointRole::Waypoint;
    }
}

constexpr std::array<Column, 7> standardOrder = {
    Column::Name,      Column::Code,      Column::Country, Column::Latitude,
    Column::Longitude, Column::Elevation, Column::Style};

} // namespace

std::vector<std::string> splitQuotedFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

GeoPointRead readCupPoints(std::string_view content) {
    GeoPointRead read;
    const std::string text = textToUtf8(content);
    std::vector<Column> columns(standardOrder.begin(), standardOrder.end());
    bool first = true;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (lowerTrimmed(line).find("related tasks") != std::string::npos) {
            break;
        }
        if (lowerTrimmed(line).empty()) {
            continue;
        }
        const std::vector<std::string> fields = splitQuotedFields(line);
        if (first) {
            first = false;
            // The column line names at least the position; its order is the file's.
            const auto names = [&](Column column) {
                return std::any_of(fields.begin(), fields.end(), [&](const std::string& field) {
                    return columnOf(field) == column;
                });
            };
            if (names(Column::Latitude) && names(Column::Longitude)) {
                columns.clear();
                for (const std::string& field : fields) {
                    columns.push_back(columnOf(field));
                }
                read.recognised = true;
                continue;
            }
        }
        GeoPoint point;
        std::optional<double> latitude;
        std::optional<double> longitude;
        for (std::size_t i = 0; i < fields.size() && i < columns.size(); ++i) {
            const std::string& field = fields[i];
            switch (columns[i]) {
            case Column::Name:
                point.name = field;
                break;
            case Column::Country:
                point.regionCode = field;
                break;
            case Column::Latitude:
                latitude = coordinate(field, 'N', 'S');
                break;
            case Column::Longitude:
                longitude = coordinate(field, 'E', 'W');
                break;
            case Column::Elevation:
                point.elevation = elevation(field);
                break;
            case Column::Style:
                point.role = roleOfStyle(field);
                break;
            case Column::Description:
                point.description = field;
                break;
            case Column::Code:
            case Column::Other:
                break;
            }
        }
        // A file is taken for a SeeYou file once one line holds a position.
        read.recognised = read.recognised || (latitude && longitude);
        takePoint(read, std::move(point), latitude, longitude);
    }
    if (!read.recognised) {
        read.refused.clear();
    }
    return read;
}

} // namespace zv
