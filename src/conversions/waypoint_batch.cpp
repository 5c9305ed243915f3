#include "conversions/waypoint_batch.h"

#include "base/app_settings.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/waypoint_converter.h"

#include <algorithm>

namespace zv {

namespace {

struct DirectionTexts {
    const char* noFiles;
    const char* writeFailurePrefix;
    const char* fault;
    const char* nothingWritten;
    const char* success;
};

constexpr DirectionTexts zvToOziTexts{
    "Keine Zv-Wegpunkte Datei vorhanden oder\nfalsche Pfadangabe in Einstellungen?",
    "Ozi-Datei ",
    "Suchen Sie den Fehler in der Zv-Wegpunktedatei\n",
    "Wenn Sie Zv-Wegpunkte konvertieren möchten,\nsollten Sie die entsprechenden Ozi-Dateien "
    "zuerst löschen.\nVorschlag: Benutzen, Sie dazu das Menue Datei-Öffnen-Ozi Wegpunkte.\n",
    "Zv-Wegpunkte konvertiert!",
};

constexpr DirectionTexts oziToZvTexts{
    "Keine Ozi-Wegpunkte Datei vorhanden oder\nfalsche Pfadangabe in Einstellungen?",
    "Zv-Datei ",
    "Suchen Sie den Fehler in der Ozi-Wegpunktedatei\n",
    "Wenn Sie Ozi-Wegpunkte konvertieren möchten,\nsollten Sie die entsprechenden Zv-Dateien "
    "zuerst löschen.\nVorschlag: Benutzen, Sie dazu das Menue Datei-Öffnen-Zv Wegpunkte.\n",
    "Ozi-Wegpunkte konvertiert!",
};

// The command around the batch: open what was written, or the faulty source, and say how
// it went.
bool runCommand(bool zvToOzi, const AppSettings& settings, UserInterface& ui) {
    const DirectionTexts& texts = zvToOzi ? zvToOziTexts : oziToZvTexts;
    CWaypointBatch batch(ui, settings.serialNumber);
    bool converted = false;
    {
        WaitCursor wait(ui);
        converted = zvToOzi ? batch.convertZvToOzi(settings.waypointDir, settings.oziDir)
                            : batch.convertOziToZv(settings.oziDir, settings.waypointDir);
    }
    if (converted) {
        if (batch.writtenFiles.empty()) {
            ui.message(texts.nothingWritten, Icon::Information);
            return true;
        }
        for (const auto& file : batch.writtenFiles) {
            ui.openDocument(file);
        }
        ui.message(texts.success, Icon::Information);
        return true;
    }
    if (batch.readFailed && !batch.sourceNames.empty()) {
        ui.openDocument(batch.sourceNames.front());
        ui.message(texts.fault, Icon::Exclamation);
    }
    return false;
}

} // namespace

std::vector<std::string> listWaypointFiles(const std::filesystem::path& dir) {
    return listFilesWithExtension(dir, ".wpt");
}

bool CWaypointBatch::convertZvToOzi(const std::filesystem::path& sourceDir,
                                    const std::filesystem::path& targetDir) {
    return convert(Direction::ZvToOzi, sourceDir, targetDir);
}

bool CWaypointBatch::convertOziToZv(const std::filesystem::path& sourceDir,
                                    const std::filesystem::path& targetDir) {
    return convert(Direction::OziToZv, sourceDir, targetDir);
}

bool CWaypointBatch::convert(Direction direction, const std::filesystem::path& sourceDir,
                             const std::filesystem::path& targetDir) {
    const bool zvToOzi = direction == Direction::ZvToOzi;
    const DirectionTexts& texts = zvToOzi ? zvToOziTexts : oziToZvTexts;
    readFailed = false;
    sourceNames = listWaypointFiles(sourceDir);
    if (sourceNames.empty()) {
        ui_.message(texts.noFiles, Icon::Question);
        return false;
    }
    const std::vector<std::string> names = sourceNames;
    for (const auto& name : names) {
        const std::filesystem::path target = joinPath(targetDir, name);
        const std::filesystem::path source = joinPath(sourceDir, name);
        if (targetExists(target)) {
            continue;
        }
        // A fresh converter for every file.
        CWaypointConverter converter(ui_, serialNumber_);
        const bool read =
            zvToOzi ? converter.readZvWaypointFile(source) : converter.readOziWaypointFile(source);
        if (!read) {
            sourceNames = {source};
            readFailed = true;
            return false;
        }
        const bool written = zvToOzi ? converter.writeOziWaypointFile(target, false)
                                     : converter.writeZvWaypointFile(target);
        if (!written) {
            ui_.message(std::string(texts.writeFailurePrefix) + target.string() + " konnte\n" +
                            "nicht geschrieben werden! Pfadangabe OK?",
                        Icon::Question);
            return false;
        }
        writtenFiles.push_back(target);
    }
    return true;
}

bool commandZvToOzi(const AppSettings& settings, UserInterface& ui) {
    return runCommand(true, settings, ui);
}

bool commandOziToZv(const AppSettings& settings, UserInterface& ui) {
    return runCommand(false, settings, ui);
}

} // namespace zv
