#include "formats/gpx_file.h"

#include "formats/point_roles.h"
#include "formats/xml_file.h"

namespace zv {

namespace {

void setPosition(pugi::xml_node node, double latitude, double longitude) {
    std::string text;
    appendDecimal(text, latitude, 6);
    node.append_attribute("lat").set_value(text.c_str());
    text.clear();
    appendDecimal(text, longitude, 6);
    node.append_attribute("lon").set_value(text.c_str());
}

// A `wpt` or `rtept`: the elements in the order GPX 1.1 prescribes.
void appendPoint(pugi::xml_node parent, const char* element, const ExportPoint& point) {
    pugi::xml_node node = parent.append_child(element);
    setPosition(node, point.latitude, point.longitude);
    if (point.elevation) {
        node.append_child("ele").text().set(heightText(*point.elevation).c_str());
    }
    appendText(node, "name", point.name);
    appendText(node, "desc", point.description);
    appendText(node, "sym", point.symbol);
}

void appendTrack(pugi::xml_node gpx, const ExportTrack& track) {
    pugi::xml_node trk = gpx.append_child("trk");
    appendText(trk, "name", track.name);
    pugi::xml_node segment = trk.append_child("trkseg");
    for (const ExportTrackPoint& point : track.points) {
        pugi::xml_node node = segment.append_child("trkpt");
        setPosition(node, point.latitude, point.longitude);
        node.append_child("ele").text().set(heightText(point.elevation).c_str());
    }
}

GeoPoint pointOf(const pugi::xml_node& node) {
    GeoPoint point;
    point.name = childText(node, "name");
    point.elevation = parseDecimal(childText(node, "ele"));
    point.description = childText(node, "desc");
    if (point.description.empty()) {
        point.description = childText(node, "cmt");
    }
    point.role = roleFromSymbolText(childText(node, "sym") + ' ' + childText(node, "type"));
    return point;
}

void takeNode(GeoPointRead& read, const pugi::xml_node& node) {
    takePoint(read, pointOf(node), parseDecimal(node.attribute("lat").value()),
              parseDecimal(node.attribute("lon").value()));
}

} // namespace

bool writeGpxFile(const std::filesystem::path& path, const ExportDocument& document) {
    pugi::xml_document xml;
    pugi::xml_node gpx = startXmlDocument(xml, "gpx");
    gpx.append_attribute("version").set_value("1.1");
    gpx.append_attribute("creator").set_value("zv 1.4");
    gpx.append_attribute("xmlns").set_value("http://www.topografix.com/GPX/1/1");
    appendText(gpx.append_child("metadata"), "name", document.name);
    for (const ExportPoint& point : document.points) {
        appendPoint(gpx, "wpt", point);
    }
    if (document.pointsFormRoute) {
        pugi::xml_node route = gpx.append_child("rte");
        appendText(route, "name", document.name);
        for (const ExportPoint& point : document.points) {
            appendPoint(route, "rtept", point);
        }
    }
    if (document.track) {
        appendTrack(gpx, *document.track);
    }
    return writeXmlFile(path, xml);
}

GeoPointRead readGpxPoints(std::string_view content) {
    GeoPointRead read;
    pugi::xml_document xml;
    const pugi::xml_node gpx = parseXmlRoot(xml, content, "gpx");
    if (!gpx) {
        return read;
    }
    read.recognised = true;
    for (pugi::xml_node child = gpx.first_child(); child; child = child.next_sibling()) {
        if (localName(child) == "wpt") {
            takeNode(read, child);
        } else if (localName(child) == "rte") {
            for (pugi::xml_node point = child.first_child(); point; point = point.next_sibling()) {
                if (localName(point) == "rtept") {
                    takeNode(read, point);
                }
            }
        }
    }
    return read;
}

} // namespace zv
