#include "link/download_commands.h"

#include "base/app_settings.h"
#include "base/file_choice.h"
#include "base/user_interface.h"
#include "formats/precious_files.h"
#include "link/instrument_link.h"

#include <filesystem>
#include <string>

namespace zv {

namespace {

// What the download commands differ in.
struct TextDownload {
    const char* filter;
    const char* defaultExtension;
    std::string AppSettings::*directory;
    const char* title;
    const char* instruction;
    bool flight; // a flight is reported with a message instead of being opened
};

const TextDownload logbookDownload{
    "Logbuch (*.log) |*.log||",
    "log",
    &AppSettings::logbookDir,
    "Dateinamen für neue Logbuch Datei",
    "Stellen Sie den Zirrova auf\nEINSTELLUNGEN\nUEBERSICHT-AUSGABE\nLOGBUCH\n"
    "und nach Bestätigung dieses Dialoges drücken Sie die ->Taste",
    false};

const TextDownload liftsDownload{
    "Aufwinde (*.lft) |*.lft||",
    "lft",
    &AppSettings::liftDir,
    "Dateinamen für neue Aufwind Datei",
    "Stellen Sie den Zirrova auf\nEINSTELLUNGEN\nUEBERSICHT-AUSGABE\nAUFWINDE\n"
    "und nach Bestätigung dieses Dialoges drücken Sie die ->Taste",
    false};

const TextDownload waypointsDownload{
    "Wegpunkte (*.wpt) |*.wpt||",
    "wpt",
    &AppSettings::waypointDir,
    "Dateinamen für neue Wegpunktedatei",
    "Stellen Sie den Zirrova auf\nEINSTELLUNGEN\nUEBERSICHT-AUSGABE\nWEGPUNKTE\n"
    "und nach Bestätigung dieses Dialoges drücken Sie die ->Taste",
    false};

const TextDownload routesDownload{
    "Routen (*.wpt) |*.wpt||",
    "wpt",
    &AppSettings::routeDir,
    "Dateinamen für neue Routen Datei",
    "Stellen Sie den Zirrova auf\nEINSTELLUNGEN\nUEBERSICHT-AUSGABE\nWEGPUNKTE-AKT.ROUTE\n"
    "und nach Bestätigung dieses Dialoges drücken Sie die ->Taste",
    false};

const TextDownload flightDownload{
    "Flugdaten (*.zvc) |*.zvc||",
    "zvc",
    &AppSettings::waypointDir,
    "Dateinamen für neue Flugdaten Datei",
    "Stellen Sie den Zirrova auf\nLOGBUCH\ndann Flug auswählen\n->Taste\nFLUG > ZVCOMM/ZAD\n"
    "und nach Bestätigung dieses Dialoges drücken Sie die ZVCM-Taste",
    true};

bool runTextDownload(const TextDownload& entry, const AppSettings& settings, UserInterface& ui,
                     SerialPort& serial) {
    // The port as chosen when the command starts.
    CInstrumentLink link(serial, ui, settings.comPort);

    FileDialogRequest request;
    request.title = entry.title;
    request.filter = entry.filter;
    request.defaultExtension = entry.defaultExtension;
    request.initialDir = settings.*entry.directory;
    request.save = true;

    const auto chosen = chooseSafeTarget(ui, request, settings);
    if (!chosen) {
        return false;
    }
    const std::filesystem::path target = *chosen;

    // The instrument has no remote control: the user starts the transfer at its keys.
    ui.message(entry.instruction, Icon::Information);

    const bool received = link.receiveText(target);
    if (entry.flight) {
        if (received) {
            ui.message("Flugdaten erfolgreich übertragen", Icon::Information);
        }
    } else if (received || (link.wasAborted() && !link.keptOldFile())) {
        // An aborted download still shows what arrived, possibly nothing; an old file that
        // nothing replaced is not shown as if it had arrived.
        ui.openDocument(target);
    }
    return received;
}

} // namespace

bool commandReceiveLogbook(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runTextDownload(logbookDownload, settings, ui, serial);
}

bool commandReceiveLifts(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runTextDownload(liftsDownload, settings, ui, serial);
}

bool commandReceiveWaypoints(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runTextDownload(waypointsDownload, settings, ui, serial);
}

bool commandReceiveRoutes(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runTextDownload(routesDownload, settings, ui, serial);
}

bool commandReceiveFlight(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runTextDownload(flightDownload, settings, ui, serial);
}

} // namespace zv
