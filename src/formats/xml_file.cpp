#include "formats/xml_file.h"

#include "base/ascii_text.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"

#include <charconv>
#include <cmath>

namespace zv {

namespace {

// pugixml hands its output to an xml_writer; this one passes it on to a TextWriter,
// which writes CR LF for each line end and checks every write.
class TextWriterSink : public pugi::xml_writer {
public:
    explicit TextWriterSink(TextWriter& writer) : writer_(writer) {}
    void write(const void* data, std::size_t size) override {
        writer_.write(std::string_view(static_cast<const char*>(data), size));
    }

private:
    TextWriter& writer_;
};

// The white space of XML around a text.
constexpr std::string_view xmlSpace = " \t\r\n";

} // namespace

pugi::xml_node startXmlDocument(pugi::xml_document& document, const char* root) {
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    return document.append_child(root);
}

void appendText(pugi::xml_node node, const char* name, const std::string& text) {
    if (!text.empty()) {
        node.append_child(name).text().set(text.c_str());
    }
}

bool writeXmlFile(const std::filesystem::path& path, const pugi::xml_document& document) {
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        return false;
    }
    TextWriterSink sink(writer);
    document.save(sink, "  ", pugi::format_default, pugi::encoding_utf8);
    return writer.close();
}

pugi::xml_node parseXmlRoot(pugi::xml_document& document, std::string_view content,
                            std::string_view root) {
    // load_buffer copies the content; the declaration's encoding (UTF-8, UTF-16,
    // ISO-8859-1) is honoured, and everything reaches us as UTF-8.
    const pugi::xml_parse_result result = document.load_buffer(
        content.data(), content.size(), pugi::parse_default, pugi::encoding_auto);
    const pugi::xml_node element = document.document_element();
    return result && localName(element) == root ? element : pugi::xml_node();
}

std::string_view localName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node childNamed(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && localName(child) == name) {
            return child;
        }
    }
    return {};
}

std::string childText(const pugi::xml_node& node, std::string_view name) {
    return std::string(trimBlanks(childNamed(node, name).child_value(), xmlSpace));
}

std::optional<double> parseDecimal(std::string_view text) {
    text = trimBlanks(text, xmlSpace);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

void appendDecimal(std::string& out, double value, int decimals) {
    appendFixed(out, value, decimals);
}

std::string heightText(double metres) {
    // "+ 0.0" turns a negative zero into zero: a height is never written as "-0".
    const double tenths = std::round(metres * 10) + 0.0;
    std::string text;
    if (std::fmod(tenths, 10) == 0) {
        appendFixed(text, tenths / 10, 0);
    } else {
        appendFixed(text, tenths / 10, 1);
    }
    return text;
}

} // namespace zv
