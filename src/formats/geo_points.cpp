#include "formats/geo_points.h"

namespace zv {

std::string positionRefusal(std::optional<double> latitude, std::optional<double> longitude) {
    if (!latitude || !longitude) {
        return "keine gültige Position";
    }
    if (!(*latitude >= -90 && *latitude <= 90)) {
        return "Breite außerhalb von -90° bis 90°";
    }
    if (!(*longitude >= -180 && *longitude <= 180)) {
        return "Länge außerhalb von -180° bis 180°";
    }
    return {};
}

void takePoint(GeoPointRead& read, GeoPoint point, std::optional<double> latitude,
               std::optional<double> longitude) {
    if (std::string refusal = positionRefusal(latitude, longitude); !refusal.empty()) {
        read.refused.push_back({std::move(point.name), std::move(refusal)});
        return;
    }
    point.latitude = *latitude;
    point.longitude = *longitude;
    read.points.push_back(std::move(point));
}

} // namespace zv
