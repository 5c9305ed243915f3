#include "lifts/lift_map_export.h"

#include "base/app_settings.h"
#include "base/file_choice.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/waypoint_converter.h"

namespace zv {

bool commandLiftsToWpt(const AppSettings& settings, UserInterface& ui) {
    const auto chosen = chooseExistingFile(
        ui, {"Aufwind-Datei öffnen", "Aufwinde (*.lft) |*.lft||", "lft", settings.liftDir, ""});
    if (!chosen) {
        return false;
    }
    const std::filesystem::path liftPath = *chosen;
    CWaypointConverter converter(ui, settings.serialNumber);
    converter.mode = LiftReadMode::Map;
    if (!converter.readLiftFile(liftPath)) {
        // The pilot finds the line the reader's message names; a file that could not be
        // opened at all is not shown.
        if (converter.zvFileOpened) {
            ui.openDocument(liftPath);
        }
        return false;
    }
    const std::filesystem::path mapPath = joinPath(settings.oziDir, "Lift.wpt");
    if (!converter.writeOziWaypointFile(mapPath, true)) {
        ui.message("Die Datei " + mapPath.string() + "\nkonnte nicht geschrieben werden!",
                   Icon::Stop);
        return false;
    }
    ui.openDocument(mapPath);
    ui.message("Lift-Datei in Ozi-Wegunkte konvertiert.\nStarten Sie den OziExplorer,\num sich "
               "die Aufwinde\nLift.wpt auf der Karte anzusehen.",
               Icon::Information);
    return true;
}

} // namespace zv
