#include "formats/ozi_any_waypoints.h"

#include "base/ascii_text.h"
#include "formats/cp1252.h"
#include "formats/xml_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace zv {

namespace {

constexpr std::string_view headLine = "OziExplorer Waypoint File Version";
constexpr double metresPerFoot = 0.3048;
constexpr double noAltitude = -777;

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

// A text field in UTF-8, with "Ñ" standing for the comma it replaced.
std::string textField(std::string_view field) {
    std::string text(trimBlanks(field));
    for (char& c : text) {
        if (c == '\xD1') {
            c = ',';
        }
    }
    return textToUtf8(text);
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(" \t", start)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        result.push_back(text.substr(start, end - start));
        start = end;
    }
    return result;
}

struct IdAndAltitude {
    std::string id;
    double metres = 0;
};

// "ES  350 m ..." as zv writes the description: an ID of one or two letters or digits,
// a whole number and the unit "m" or "ft".
std::optional<IdAndAltitude> idAndAltitude(std::string_view description) {
    const std::vector<std::string_view> tokens = words(description);
    if (tokens.size() < 3 || tokens[0].size() > 2) {
        return std::nullopt;
    }
    for (const char c : tokens[0]) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return std::nullopt;
        }
    }
    long altitude = 0;
    const auto [end, error] =
        std::from_chars(tokens[1].data(), tokens[1].data() + tokens[1].size(), altitude);
    if (error != std::errc{} || end != tokens[1].data() + tokens[1].size()) {
        return std::nullopt;
    }
    double factor = 0;
    if (tokens[2] == "m") {
        factor = 1;
    } else if (tokens[2] == "ft") {
        factor = metresPerFoot;
    } else {
        return std::nullopt;
    }
    return IdAndAltitude{std::string(tokens[0]), static_cast<double>(altitude) * factor};
}

PointRole roleOfSymbol(std::string_view field) {
    int symbol = -1;
    const std::string_view text = trimBlanks(field);
    std::from_chars(text.data(), text.data() + text.size(), symbol);
    if (symbol == 14) {
        return PointRole::Takeoff;
    }
    if (symbol == 12) {
        return PointRole::Landing;
    }
    return PointRole::Waypoint;
}

} // namespace

bool isOziWaypointText(std::string_view content) {
    const std::string_view first = content.substr(0, content.find('\n'));
    return first.find(headLine) != std::string_view::npos;
}

GeoPointRead readAnyOziWaypoints(std::string_view content) {
    GeoPointRead read;
    if (!isOziWaypointText(content)) {
        return read;
    }
    read.recognised = true;
    std::size_t start = 0;
    for (int lineNumber = 1; start < content.size(); ++lineNumber) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        std::string_view line = content.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (lineNumber <= 4 || trimBlanks(line).empty()) {
            continue; // the head: title, datum and two reserved lines
        }
        const std::vector<std::string_view> fields = splitFields(line);
        GeoPoint point;
        point.name = fields.size() > 1 ? textField(fields[1]) : std::string();
        if (fields.size() < 4) {
            read.refused.push_back({point.name, "Zeile ohne Position"});
            continue;
        }
        if (fields.size() > 5) {
            point.role = roleOfSymbol(fields[5]);
        }
        if (fields.size() > 10) {
            point.description = textField(fields[10]);
        }
        if (const auto given = idAndAltitude(point.description)) {
            point.regionCode = given->id;
            point.elevation = given->metres;
        } else if (fields.size() > 14) {
            const std::optional<double> feet = parseDecimal(fields[14]);
            if (feet && *feet != noAltitude) {
                point.elevation = *feet * metresPerFoot;
            }
        }
        takePoint(read, std::move(point), parseDecimal(fields[2]), parseDecimal(fields[3]));
    }
    return read;
}

} // namespace zv
