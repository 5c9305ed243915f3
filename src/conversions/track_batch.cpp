#include "conversions/track_batch.h"

#include "base/app_settings.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/flight_track.h"

namespace zv {

std::string trackFileName(const std::string& flightFileName) {
    const std::size_t dot = flightFileName.find_last_of('.');
    const std::string base =
        dot == std::string::npos ? flightFileName + "." : flightFileName.substr(0, dot + 1);
    return base + "plt";
}

bool CTrackBatch::convertFlightsToTracks(const std::filesystem::path& sourceDir,
                                         const std::filesystem::path& targetDir) {
    readFailed = false;
    sourceNames = listFlightFiles(sourceDir);
    if (sourceNames.empty()) {
        ui_.message("Keine Flug-Datei vorhanden oder\nfalsche Pfadangabe in Einstellungen?",
                    Icon::Question);
        return false;
    }
    const std::vector<std::string> names = sourceNames;
    for (const auto& name : names) {
        const std::filesystem::path source = joinPath(sourceDir, name);
        const std::filesystem::path target = joinPath(targetDir, trackFileName(name));
        if (targetExists(target)) {
            continue;
        }
        // A fresh track for every flight.
        CFlightTrack track(ui_);
        if (!track.readFlightFile(source)) {
            sourceNames = {source};
            readFailed = true;
            return false;
        }
        if (!track.writeTrackFile(target)) {
            ui_.message("Plot-Datei " + target.string() + " konnte\n" + "nicht geschrieben werden!",
                        Icon::Exclamation);
            return false;
        }
        writtenFiles.push_back(target);
    }
    return true;
}

bool commandFlightsToTracks(const AppSettings& settings, UserInterface& ui) {
    CTrackBatch batch(ui);
    bool converted = false;
    {
        WaitCursor wait(ui);
        converted = batch.convertFlightsToTracks(settings.waypointDir, settings.oziDir);
    }
    if (converted) {
        // The track files are for the map program; they are not opened as documents.
        ui.message(batch.writtenFiles.empty()
                       ? "Wenn Sie Track-Dateien generieren möchten,\nsollten Sie die "
                         "entsprechenden plt-Dateien zuerst löschen."
                       : "Track-Dateien generiert!",
                   Icon::Information);
        return true;
    }
    if (batch.readFailed) {
        ui.message("Suchen Sie den Formatfehler in der zvc-Datei\n", Icon::Exclamation);
    }
    return false;
}

} // namespace zv
