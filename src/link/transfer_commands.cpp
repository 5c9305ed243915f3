#include "link/transfer_commands.h"

#include "base/app_settings.h"
#include "base/file_choice.h"
#include "base/user_interface.h"
#include "formats/precious_files.h"
#include "link/instrument_link.h"
#include "link/transfer_chains.h"

#include <filesystem>
#include <string>

namespace zv {

namespace {

// What the upload commands differ in.
struct Upload {
    const char* filter;
    const char* defaultExtension;
    std::string AppSettings::*directory;
    const char* title;
    const char* instruction;
    bool (*chain)(CInstrumentLink&, UserInterface&, const std::filesystem::path&);
};

const Upload liftsUpload{
    "Aufwinde (*.lft) |*.lft||",
    "lft",
    &AppSettings::liftDir,
    "Aufwind-Datei wählen",
    "Stellen Sie den Zirrova auf\nAUFWINDE\nDrücken Sie die ->Taste bis Empfangsbereit "
    "erscheint\n",
    sendLiftFile};

const Upload waypointsUpload{
    "Wegpunkte (*.wpt) |*.wpt||",
    "wpt",
    &AppSettings::waypointDir,
    "Wegpunktedatei wählen",
    "Stellen Sie den Zirrova auf\nWEGPUNKTE\nDrücken Sie die ->Taste bis Empfangsbereit "
    "erscheint\n",
    sendWaypointFile};

const Upload takeoffsUpload{
    "Startplätze (*.tof) |*.tof||",
    "tof",
    &AppSettings::takeoffDir,
    "Startplatz-Datei wählen",
    "Stellen Sie den Zirrova auf\nEINSTELLUNGEN\nUEBERSICHT-AUSGABE\nSTARTPL.<->ZVCOMM\nDann -> "
    "Taste drücken\nZirrova ist empfangsbereit?",
    sendTakeoffFile};

const Upload linesUpload{
    "Lines (*.lne) |*.lne||",
    "lne",
    &AppSettings::liftDir,
    "Line-Datei öffnen",
    "Stellen Sie den Zirrova auf\nAUFWINDE, LINIEN\nDann -> Taste drücken bis Zirrova "
    "empfangsbereit\nDann bestätigen Sie diesen Dialog mit OK",
    sendLineFile};

bool runUpload(const Upload& entry, const AppSettings& settings, UserInterface& ui,
               SerialPort& serial) {
    // The port as chosen when the command starts.
    CInstrumentLink link(serial, ui, settings.comPort);

    FileDialogRequest request;
    request.title = entry.title;
    request.filter = entry.filter;
    request.defaultExtension = entry.defaultExtension;
    request.initialDir = settings.*entry.directory;
    const auto chosen = ui.chooseFiles(request);
    if (chosen.empty()) {
        return false;
    }
    std::filesystem::path source = chosen.front();
    if (!source.has_extension()) {
        source.replace_extension(entry.defaultExtension);
    }
    // The instrument has no remote control: the user makes it ready at its keys.
    ui.message(entry.instruction, Icon::Information);
    return entry.chain(link, ui, source.string());
}

} // namespace

bool commandReceiveTakeoffs(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    CInstrumentLink link(serial, ui, settings.comPort);

    FileDialogRequest request;
    request.title = "Dateinamen für neue Startplatz Datei";
    request.filter = "Startplätze (*.tof) |*.tof||";
    request.defaultExtension = "tof";
    request.initialDir = settings.takeoffDir;
    request.save = true;

    const auto chosen = chooseSafeTarget(ui, request, settings);
    if (!chosen) {
        return false;
    }
    const std::filesystem::path target = *chosen;

    ui.message("Stellen Sie den Zirrova auf\nEINSTELLUNGEN\nUEBERSICHT-AUSGABE\nSTARTPL.<->ZVCOMM\n"
               "Dann -> Taste drücken\nund nach Bestätigung dieses Dialoges drücken Sie die "
               "SENDE-Taste",
               Icon::Information);

    // The file is written only after a complete reception.
    if (!receiveTakeoffFile(link, ui, settings.serialNumber, target.string())) {
        return false;
    }
    ui.openDocument(target);
    return true;
}

bool commandSendLifts(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runUpload(liftsUpload, settings, ui, serial);
}

bool commandSendWaypoints(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runUpload(waypointsUpload, settings, ui, serial);
}

bool commandSendTakeoffs(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runUpload(takeoffsUpload, settings, ui, serial);
}

bool commandSendLines(const AppSettings& settings, UserInterface& ui, SerialPort& serial) {
    return runUpload(linesUpload, settings, ui, serial);
}

} // namespace zv
