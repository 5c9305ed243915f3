#include "formats/kml_file.h"

#include "formats/point_roles.h"
#include "formats/xml_file.h"

#include <charconv>
#include <cstdint>

namespace zv {

namespace {

// KML colours are "aabbggrr" in hexadecimal; a Windows colour value is 0x00bbggrr, so the
// opaque KML colour is "ff" followed by the value's six hexadecimal digits.
std::string kmlColour(std::int32_t windowsColour, const char* alpha = "ff") {
    char digits[8];
    const auto value = static_cast<std::uint32_t>(windowsColour) & 0xFFFFFFu;
    char* end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
    std::string colour(alpha);
    colour.append(6 - static_cast<std::size_t>(end - digits), '0');
    return colour.append(digits, static_cast<std::size_t>(end - digits));
}

// "longitude,latitude,height" as KML orders them.
void appendCoordinates(std::string& out, double latitude, double longitude, double height) {
    appendDecimal(out, longitude, 6);
    out += ',';
    appendDecimal(out, latitude, 6);
    out += ',';
    out += heightText(height);
}

void appendStyle(pugi::xml_node parent, const ExportStyle& style) {
    pugi::xml_node node = parent.append_child("Style");
    node.append_attribute("id").set_value(style.id.c_str());
    node.append_child("IconStyle")
        .append_child("color")
        .text()
        .set(kmlColour(style.iconColour).c_str());
    node.append_child("LabelStyle")
        .append_child("color")
        .text()
        .set(kmlColour(style.labelColour).c_str());
}

void appendPoint(pugi::xml_node folder, const ExportDocument& document, const ExportPoint& point) {
    pugi::xml_node placemark = folder.append_child("Placemark");
    appendText(placemark, "name", point.name);
    appendText(placemark, "description", point.description);
    if (point.style >= 0 && static_cast<std::size_t>(point.style) < document.styles.size()) {
        placemark.append_child("styleUrl")
            .text()
            .set(("#" + document.styles[static_cast<std::size_t>(point.style)].id).c_str());
    }
    std::string coordinates;
    appendCoordinates(coordinates, point.latitude, point.longitude, point.elevation.value_or(0));
    placemark.append_child("Point").append_child("coordinates").text().set(coordinates.c_str());
}

void appendRoute(pugi::xml_node folder, const ExportDocument& document) {
    pugi::xml_node placemark = folder.append_child("Placemark");
    appendText(placemark, "name", document.name);
    pugi::xml_node line = placemark.append_child("LineString");
    line.append_child("tessellate").text().set("1");
    std::string coordinates;
    for (const ExportPoint& point : document.points) {
        if (!coordinates.empty()) {
            coordinates += ' ';
        }
        appendCoordinates(coordinates, point.latitude, point.longitude,
                          point.elevation.value_or(0));
    }
    line.append_child("coordinates").text().set(coordinates.c_str());
}

void appendTrack(pugi::xml_node folder, const ExportTrack& track) {
    pugi::xml_node placemark = folder.append_child("Placemark");
    appendText(placemark, "name", track.name);
    placemark.append_child("styleUrl").text().set("#track");
    pugi::xml_node line = placemark.append_child("LineString");
    line.append_child("extrude").text().set("1");
    line.append_child("altitudeMode").text().set("absolute");
    std::string coordinates;
    coordinates.reserve(track.points.size() * 32);
    for (const ExportTrackPoint& point : track.points) {
        appendCoordinates(coordinates, point.latitude, point.longitude, point.elevation);
        coordinates += '\n';
    }
    line.append_child("coordinates").text().set(coordinates.c_str());
}

// The flown line in red, the wall down to the ground in half-transparent red.
void appendTrackStyle(pugi::xml_node parent) {
    pugi::xml_node style = parent.append_child("Style");
    style.append_attribute("id").set_value("track");
    pugi::xml_node line = style.append_child("LineStyle");
    line.append_child("color").text().set(kmlColour(255).c_str());
    line.append_child("width").text().set("2");
    style.append_child("PolyStyle").append_child("color").text().set(kmlColour(255, "7f").c_str());
}

std::optional<double> field(std::string_view text, std::size_t index) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        start = text.find(',', start);
        if (start == std::string_view::npos) {
            return std::nullopt;
        }
        ++start;
    }
    return parseDecimal(text.substr(start, text.find(',', start) - start));
}

void takePlacemark(GeoPointRead& read, const pugi::xml_node& placemark) {
    const pugi::xml_node point = childNamed(placemark, "Point");
    if (!point) {
        return; // lines, areas and tours are no waypoints
    }
    GeoPoint geo;
    geo.name = childText(placemark, "name");
    geo.description = childText(placemark, "description");
    geo.role = roleFromSymbolText(childText(placemark, "styleUrl"));
    // The first tuple: a Point has one; white space may stand around it.
    std::string coordinates = childText(point, "coordinates");
    coordinates = coordinates.substr(0, coordinates.find_first_of(" \t\r\n"));
    const std::optional<double> longitude = field(coordinates, 0);
    const std::optional<double> latitude = field(coordinates, 1);
    if (coordinates.find(',', coordinates.find(',') + 1) != std::string::npos) {
        geo.elevation = field(coordinates, 2);
    }
    takePoint(read, std::move(geo), latitude, longitude);
}

// Visits every Placemark, at any depth of Folders and Documents. pugixml walks the tree
// without recursion, so a file nested a million levels deep cannot exhaust the stack.
class PlacemarkWalker : public pugi::xml_tree_walker {
public:
    explicit PlacemarkWalker(GeoPointRead& read) : read_(read) {}
    bool for_each(pugi::xml_node& node) override {
        if (node.type() == pugi::node_element && localName(node) == "Placemark") {
            takePlacemark(read_, node);
        }
        return true;
    }

private:
    GeoPointRead& read_;
};

} // namespace

bool writeKmlFile(const std::filesystem::path& path, const ExportDocument& document) {
    pugi::xml_document xml;
    pugi::xml_node kml = startXmlDocument(xml, "kml");
    kml.append_attribute("xmlns").set_value("http://www.opengis.net/kml/2.2");
    pugi::xml_node root = kml.append_child("Document");
    appendText(root, "name", document.name);
    for (const ExportStyle& style : document.styles) {
        appendStyle(root, style);
    }
    if (document.track) {
        appendTrackStyle(root);
    }
    pugi::xml_node folder = root.append_child("Folder");
    appendText(folder, "name", document.name);
    for (const ExportPoint& point : document.points) {
        appendPoint(folder, document, point);
    }
    if (document.pointsFormRoute && !document.points.empty()) {
        appendRoute(folder, document);
    }
    if (document.track) {
        appendTrack(folder, *document.track);
    }
    return writeXmlFile(path, xml);
}

GeoPointRead readKmlPoints(std::string_view content) {
    GeoPointRead read;
    pugi::xml_document xml;
    pugi::xml_node kml = parseXmlRoot(xml, content, "kml");
    if (!kml) {
        return read;
    }
    read.recognised = true;
    PlacemarkWalker walker(read);
    kml.traverse(walker);
    return read;
}

} // namespace zv
