#pragma once

// XML files of other programs (GPX, KML), read and written with pugixml. Written as
// UTF-8 with CR LF line ends, like every file of zv, and replaced only when complete.

#include <filesystem>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace zv {

// Starts a document to be written: the declaration of XML 1.0 in UTF-8, then the root
// element, which it returns.
pugi::xml_node startXmlDocument(pugi::xml_document& document, const char* root);
// Appends the element `name` with the text, unless the text is empty.
void appendText(pugi::xml_node node, const char* name, const std::string& text);

// Writes the document; false when the file could not be written completely (it is then
// as it was before).
bool writeXmlFile(const std::filesystem::path& path, const pugi::xml_document& document);

// Parses XML text and returns its root element when that has the local name `root`
// ("gpx", "kml"); an empty node when the text is no well-formed XML or has another root.
pugi::xml_node parseXmlRoot(pugi::xml_document& document, std::string_view content,
                            std::string_view root);

// An element's name without its namespace prefix ("kml:Placemark" is "Placemark"): the
// files of other programs use prefixes as they like.
std::string_view localName(const pugi::xml_node& node);
// The first child element of that local name, or an empty node.
pugi::xml_node childNamed(const pugi::xml_node& node, std::string_view name);
// The text of that child with the white space around it removed; empty when there is none.
std::string childText(const pugi::xml_node& node, std::string_view name);

// A decimal number in the C form ("47.5", "-3e2") with nothing but white space around it.
std::optional<double> parseDecimal(std::string_view text);

// Appends "<value>" with `decimals` decimals in the C form, whatever the locale.
void appendDecimal(std::string& out, double value, int decimals);
// A height in metres: whole metres without decimals, otherwise one decimal.
std::string heightText(double metres);

} // namespace zv
