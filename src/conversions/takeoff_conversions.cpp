#include "conversions/takeoff_conversions.h"

#include "base/app_settings.h"
#include "base/file_choice.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/waypoint_converter.h"

#include <filesystem>

namespace zv {

namespace {

struct TakeoffDirection {
    bool oziToTakeoff;
    const char* defaultExtension;
    const char* title;
    const char* filter;
    const char* targetExtension;
    const char* faultText;
};

constexpr TakeoffDirection oziToTakeoff{
    true,
    "wpt",
    "Ozi-Wegunkte-Datei öffen",
    "Ozi-Wegpunkte (*.wpt) |*.wpt||",
    "tof",
    "Suchen Sie den Fehler in der Ozi-Wegpunktedatei\n",
};

constexpr TakeoffDirection takeoffToOzi{
    false,
    "tof",
    "Startplatzdatei öffen",
    "Startplätze (*.tof) |*.tof||",
    "wpt",
    "Suchen Sie den Fehler in der Startplatzdatei\n",
};

bool convert(const TakeoffDirection& direction, const AppSettings& settings, UserInterface& ui) {
    const auto chosen = chooseExistingFile(
        ui, {direction.title, direction.filter, direction.defaultExtension,
             direction.oziToTakeoff ? settings.oziDir : settings.takeoffDir, ""});
    if (!chosen) {
        return false;
    }
    const std::filesystem::path source = *chosen;
    const std::filesystem::path target =
        convertedFilePath(source, direction.oziToTakeoff ? settings.takeoffDir : settings.oziDir,
                          direction.targetExtension);
    if (canOpenForReading(target) &&
        ui.ask("Die Datei " + target.string() + "\nexistiert schon. Soll sie überschrieben werden?",
               Icon::Question, Buttons::YesNo) != Answer::Yes) {
        return false;
    }

    CWaypointConverter converter(ui, settings.serialNumber);
    const bool read = direction.oziToTakeoff ? converter.readOziWaypointFile(source)
                                             : converter.readZvWaypointFile(source);
    if (!read) {
        if (direction.oziToTakeoff ? converter.oziFileOpened : converter.zvFileOpened) {
            ui.openDocument(source);
            ui.message(direction.faultText, Icon::Exclamation);
        }
        return false;
    }
    if (direction.oziToTakeoff) {
        // The takeoff writer reports its own failures.
        if (!converter.writeTakeoffFile(target)) {
            return false;
        }
    } else if (!converter.writeOziWaypointFile(target, false)) {
        ui.message("Die Datei " + target.string() + "\nkonnte nicht geschrieben werden!",
                   Icon::Stop);
        return false;
    }
    ui.openDocument(target);
    return true;
}

} // namespace

std::filesystem::path convertedFilePath(const std::filesystem::path& sourcePath,
                                        const std::filesystem::path& targetDir,
                                        const std::string& extension) {
    std::string name = std::filesystem::path(sourcePath).filename().string();
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) {
        name += '.';
    } else {
        name.resize(dot + 1);
    }
    return joinPath(targetDir, name + extension);
}

bool commandOziToTakeoff(const AppSettings& settings, UserInterface& ui) {
    return convert(oziToTakeoff, settings, ui);
}

bool commandTakeoffToOzi(const AppSettings& settings, UserInterface& ui) {
    return convert(takeoffToOzi, settings, ui);
}

} // namespace zv
