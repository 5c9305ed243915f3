#include "conversions/exchange_commands.h"

#include "base/app_settings.h"
#include "base/file_choice.h"
#include "base/user_interface.h"
#include "conversions/export_documents.h"
#include "conversions/waypoint_import.h"
#include "formats/gpx_file.h"
#include "formats/instrument_text.h"
#include "formats/kml_file.h"
#include "formats/precious_files.h"
#include "formats/regular_file.h"
#include "formats/waypoint_converter.h"

#include <string>

namespace zv {

namespace {

struct FormatTexts {
    const char* name;      // "GPX"
    const char* extension; // without the dot
    const char* filter;
};

const FormatTexts& textsOf(ExportFormat format) {
    static const FormatTexts gpx{"GPX", "gpx", "GPX-Dateien (*.gpx) |*.gpx||"};
    static const FormatTexts kml{"KML", "kml", "KML-Dateien (*.kml) |*.kml||"};
    return format == ExportFormat::Gpx ? gpx : kml;
}

// How many refused waypoints one message names; the rest are counted.
constexpr std::size_t refusalsNamed = 20;

std::string refusalList(const std::vector<RefusedPoint>& refused) {
    std::string text = "Diese Wegpunkte wurden nicht übernommen:";
    for (std::size_t i = 0; i < refused.size() && i < refusalsNamed; ++i) {
        const std::string& name = refused[i].name;
        text +=
            "\n" + (name.empty() ? std::string("(ohne Namen)") : name) + ": " + refused[i].reason;
    }
    if (refused.size() > refusalsNamed) {
        text += "\n… und " + std::to_string(refused.size() - refusalsNamed) + " weitere";
    }
    return text;
}

bool exportCommand(const AppSettings& settings, UserInterface& ui, ExportFormat format) {
    const auto source = chooseExistingFile(
        ui, {"Datei für den Export wählen",
             "Zirrova-Dateien (*.wpt;*.tof;*.lft;*.zvc) |*.wpt;*.tof;*.lft;*.zvc||", "",
             settings.waypointDir, ""});
    if (!source) {
        return false;
    }
    const FormatTexts& texts = textsOf(format);
    FileDialogRequest request{std::string(texts.name) + "-Datei speichern", texts.filter,
                              texts.extension, settings.oziDir,
                              source->stem().string() + "." + texts.extension};
    request.save = true;
    const auto target = chooseSafeTarget(ui, request, settings);
    if (!target) {
        return false;
    }
    return exportFile(settings, ui, format, *source, *target);
}

// Reads the waypoints of a file of another program; nothing after a message.
std::optional<GeoPointRead> readForeign(UserInterface& ui, const std::filesystem::path& source) {
    const std::optional<std::string> content = readFileOrSay(source, ui);
    if (!content) {
        return std::nullopt;
    }
    GeoPointRead read = readForeignWaypoints(source, *content);
    if (!read.recognised) {
        ui.message("Die Datei " + source.string() +
                       "\nist keine GPX-, KML-, SeeYou- oder OziExplorer-Wegpunktdatei.",
                   Icon::Question);
        return std::nullopt;
    }
    return read;
}

} // namespace

bool exportFile(const AppSettings& settings, UserInterface& ui, ExportFormat format,
                const std::filesystem::path& source, const std::filesystem::path& target) {
    std::optional<ExportDocument> document;
    {
        WaitCursor wait(ui);
        document = exportDocumentOf(settings, ui, source);
    }
    if (!document) {
        return false;
    }
    const FormatTexts& texts = textsOf(format);
    bool written = false;
    {
        WaitCursor wait(ui);
        written = format == ExportFormat::Gpx ? writeGpxFile(target, *document)
                                              : writeKmlFile(target, *document);
    }
    if (!written) {
        ui.message("Die Datei " + target.string() + "\nkonnte nicht geschrieben werden!",
                   Icon::Stop);
        return false;
    }
    std::string done =
        std::string("Die ") + texts.name + "-Datei\n" + target.string() + "\nwurde geschrieben.";
    if (document->pointsOffEarth > 0) {
        done += "\n" + std::to_string(document->pointsOffEarth) +
                " Punkte mit unmöglicher Position wurden ausgelassen.";
    }
    ui.message(done, Icon::Information);
    return true;
}

bool commandExportGpx(const AppSettings& settings, UserInterface& ui) {
    return exportCommand(settings, ui, ExportFormat::Gpx);
}

bool commandExportKml(const AppSettings& settings, UserInterface& ui) {
    return exportCommand(settings, ui, ExportFormat::Kml);
}

bool commandImportWaypoints(const AppSettings& settings, UserInterface& ui) {
    const auto source =
        chooseExistingFile(ui, {"Wegpunkte importieren",
                                "Wegpunkte (*.gpx;*.kml;*.cup;*.wpt) |*.gpx;*.kml;*.cup;*.wpt||",
                                "", settings.oziDir, ""});
    if (!source) {
        return false;
    }
    std::optional<GeoPointRead> read;
    {
        WaitCursor wait(ui);
        read = readForeign(ui, *source);
    }
    if (!read) {
        return false;
    }
    InstrumentWaypoints converted = instrumentWaypointsOf(read->points);
    converted.refused.insert(converted.refused.begin(), read->refused.begin(), read->refused.end());
    if (converted.waypoints.empty()) {
        ui.message(converted.refused.empty()
                       ? "Die Datei " + source->string() + "\nenthält keine Wegpunkte."
                       : refusalList(converted.refused) + "\n\nEs wurde keine Datei geschrieben.",
                   converted.refused.empty() ? Icon::Information : Icon::Exclamation);
        return false;
    }
    FileDialogRequest request{"Zv-Wegpunkte-Datei speichern", "Zv-Wegpunkte (*.wpt) |*.wpt||",
                              "wpt", settings.waypointDir, source->stem().string() + ".wpt"};
    request.save = true;
    const auto target = chooseSafeTarget(ui, request, settings);
    if (!target) {
        return false;
    }
    CWaypointConverter converter(ui, settings.serialNumber);
    converter.oziWaypoints = std::move(converted.waypoints);
    if (!converter.writeZvWaypointFile(*target)) {
        ui.message("Die Datei " + target->string() + "\nkonnte nicht geschrieben werden!",
                   Icon::Stop);
        return false;
    }
    if (!converted.refused.empty()) {
        ui.message(refusalList(converted.refused), Icon::Exclamation);
    }
    ui.openDocument(*target);
    ui.message(std::to_string(converter.oziWaypoints.size()) + " Wegpunkte in die Datei\n" +
                   target->string() + "\nübernommen.",
               Icon::Information);
    return true;
}

} // namespace zv
