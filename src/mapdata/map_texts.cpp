#include "mapdata/map_texts.h"

#include "formats/coordinates.h"
#include "formats/text_fields.h"

#include <cmath>

namespace zv::map {

namespace {

void appendCoordinate(std::string& text, const TextCoordinate& coordinate) {
    text += coordinate.hemisphere;
    text += "  ";
    appendFixed(text, coordinate.degrees, 0, 2);
    text += ' ';
    appendFixed(text, coordinate.minutes, 2, 5, Fill::Zeros);
}

// "1.25", "-0.5", "+2.6" with one decimal, signed when asked.
std::string climbText(double climb, bool signedValue) {
    std::string text;
    if (signedValue && climb >= 0.05) {
        text += '+';
    }
    appendFixed(text, climb, 1);
    return text;
}

std::string countText(std::size_t count, const char* one, const char* many) {
    // Thousands grouped with points, as a German reader expects them.
    std::string digits = std::to_string(count);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += '.';
        }
        grouped += digits[i];
    }
    return grouped + ' ' + (count == 1 ? one : many);
}

std::string altitudeLine(std::int32_t altitude, const std::string& unit) {
    return "Höhe " + std::to_string(altitude) + ' ' + unit;
}

} // namespace

std::string positionText(const LatLon& place) {
    std::string text;
    appendCoordinate(text, latitudeToText(place.latitude));
    text += "   ";
    appendCoordinate(text, longitudeToText(place.longitude));
    return text;
}

std::string latitudeText(double latitude) {
    std::string text;
    appendCoordinate(text, latitudeToText(latitude));
    return text;
}

std::string longitudeText(double longitude) {
    std::string text;
    appendCoordinate(text, longitudeToText(longitude));
    return text;
}

std::string distanceText(double metres) {
    if (metres >= 1000) {
        std::string text;
        appendGeneral(text, metres / 1000, 6);
        return text + " km";
    }
    return std::to_string(std::lround(metres)) + " m";
}

std::string markTooltip(const MapLayer& layer, std::size_t mark) {
    const MapMark& point = layer.marks.at(mark);
    std::string kind;
    switch (layer.kind) {
    case LayerKind::Route:
        kind = "Routenpunkt " + std::to_string(mark + 1);
        break;
    case LayerKind::Takeoffs:
        kind = "Startplatz";
        break;
    default:
        kind = "Wegpunkt";
        break;
    }
    return point.name + "\n" + kind + "\n" + altitudeLine(point.altitude, point.altitudeUnit) +
           "\n" + layer.title;
}

std::string thermalTooltip(const MapLayer& layer, const Thermal& thermal) {
    const LiftUnits& units = layer.liftUnits.at(thermal.units);
    std::string text = "Aufwind " + utf8Field(thermal.identText()) + "\n" +
                       altitudeLine(thermal.altitude, units.altitude) + "\nSteigen " +
                       climbText(thermal.climb, false) + ' ' + units.climb + "\nWind ";
    appendInteger(text, thermal.windDirection, 3, Fill::Zeros);
    text += "° " + std::to_string(thermal.windSpeed) + ' ' + units.wind;
    return text + "\n" + layer.title;
}

std::string thermalGroupTooltip(const MapLayer& layer, const ThermalGroup& group) {
    // The lift reader reads every climb as the number it is: a group's mean is in m/s,
    // the unit the instrument writes.
    return countText(group.count, "Aufwind", "Aufwinde") + "\nSteigen im Mittel " +
           climbText(group.meanClimb, false) + " m/s, stärkster " +
           climbText(layer.lifts.strongestClimb(group), false) + " m/s\n" + layer.title;
}

std::string fixTooltip(const MapLayer& layer, std::size_t fix) {
    const FlightFix& point = layer.flight.fixes()[fix];
    return layer.title + "\nPunkt " + std::to_string(fix + 1) + "\n" +
           altitudeLine(point.altitude, "m") + "\nSteigen " + climbText(point.climb, true) + " m/s";
}

std::string legendText(const MapLayer& layer) {
    switch (layer.kind) {
    case LayerKind::Flight:
        return layer.title + ": " + countText(layer.flight.fixes().size(), "Punkt", "Punkte");
    case LayerKind::Waypoints:
        return layer.title + ": " + countText(layer.marks.size(), "Wegpunkt", "Wegpunkte");
    case LayerKind::Route:
        return layer.title + ": Route, " +
               countText(layer.marks.size(), "Routenpunkt", "Routenpunkte");
    case LayerKind::Takeoffs:
        return layer.title + ": " + countText(layer.marks.size(), "Startplatz", "Startplätze");
    case LayerKind::Lifts:
        return layer.title + ": " + countText(layer.lifts.size(), "Aufwind", "Aufwinde");
    }
    return layer.title;
}

} // namespace zv::map
