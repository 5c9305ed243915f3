#include "lifts/lift_extraction.h"

#include "base/app_settings.h"
#include "base/field_checks.h"
#include "base/file_paths.h"
#include "formats/precious_files.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <filesystem>
#include <system_error>

namespace zv {

namespace {

// A coordinate edit: a number within its range, held as the float of the record.
LiftExtractRefusal readCoordinate(const std::string& text, double limit, LiftExtractField field,
                                  float& value) {
    double parsed = 0;
    if (FieldRefusal refusal = checkReal(text, -limit, limit, parsed)) {
        return {std::move(*refusal), Icon::Exclamation, field};
    }
    value = static_cast<float>(parsed);
    return {};
}

// A wind-direction edit: a whole number of degrees, 0 to 360.
LiftExtractRefusal readDirection(const std::string& text, LiftExtractField field, int& value) {
    if (FieldRefusal refusal = checkInteger(text, 0, 360, value)) {
        return {std::move(*refusal), Icon::Exclamation, field};
    }
    return {};
}

} // namespace

bool extractLifts(CWaypointConverter& converter, const std::filesystem::path& databasePath,
                  const std::filesystem::path& newPath) {
    converter.mode = LiftReadMode::Extract;
    {
        // No append or restore may replace the database while it is read.
        const auto lock = lockForReading(databasePath, converter.ui());
        if (!lock || !converter.readLiftFile(databasePath)) {
            return false;
        }
    }
    if (!converter.writeLiftFile(newPath)) {
        // The writer reports an empty selection itself; a file that could not be written
        // is said here.
        if (!converter.zvWaypoints.empty()) {
            converter.ui().message(
                "Die Datei " + newPath.string() + "\nkonnte nicht geschrieben werden!", Icon::Stop);
        }
        return false;
    }
    return true;
}

LiftExtractDialogData liftExtractDataFromSettings(const AppSettings& settings) {
    LiftExtractDialogData data;
    data.latLow = settings.extractLatMin;
    data.latHigh = settings.extractLatMax;
    data.lonLow = settings.extractLonMin;
    data.lonHigh = settings.extractLonMax;
    if (settings.extractWindFilter != 0) {
        data.windFilter = true;
        data.windFrom = settings.extractWindFrom;
        data.windTo = settings.extractWindTo;
    }
    data.fileName = settings.lastExtractFile;
    return data;
}

void rememberLiftExtractData(const LiftExtractDialogData& data, AppSettings& settings) {
    settings.extractLatMin = data.latLow;
    settings.extractLatMax = data.latHigh;
    settings.extractLonMin = data.lonLow;
    settings.extractLonMax = data.lonHigh;
    settings.extractWindFilter = data.windFilter ? 1 : 0;
    settings.extractWindFrom = data.windFrom;
    settings.extractWindTo = data.windTo;
    settings.lastExtractFile = data.fileName;
}

LiftExtractTexts liftExtractTexts(const LiftExtractDialogData& data) {
    LiftExtractTexts texts;
    texts.windFilter = data.windFilter;
    texts.latLow = generalText(data.latLow, 6);
    texts.latHigh = generalText(data.latHigh, 6);
    texts.lonLow = generalText(data.lonLow, 6);
    texts.lonHigh = generalText(data.lonHigh, 6);
    texts.windFrom = integerText(data.windFrom);
    texts.windTo = integerText(data.windTo);
    texts.fileName = data.fileName;
    return texts;
}

LiftExtractRefusal readLiftExtractTexts(const LiftExtractTexts& texts,
                                        LiftExtractDialogData& data) {
    data.windFilter = texts.windFilter;
    if (auto refusal = readCoordinate(texts.latLow, 90, LiftExtractField::LatLow, data.latLow)) {
        return refusal;
    }
    if (auto refusal = readCoordinate(texts.latHigh, 90, LiftExtractField::LatHigh, data.latHigh)) {
        return refusal;
    }
    if (auto refusal = readCoordinate(texts.lonLow, 180, LiftExtractField::LonLow, data.lonLow)) {
        return refusal;
    }
    if (auto refusal =
            readCoordinate(texts.lonHigh, 180, LiftExtractField::LonHigh, data.lonHigh)) {
        return refusal;
    }
    if (auto refusal = readDirection(texts.windFrom, LiftExtractField::WindFrom, data.windFrom)) {
        return refusal;
    }
    if (auto refusal = readDirection(texts.windTo, LiftExtractField::WindTo, data.windTo)) {
        return refusal;
    }
    data.fileName = texts.fileName;
    return {};
}

LiftExtractRefusal checkLiftExtractData(const LiftExtractDialogData& data,
                                        const AppSettings& settings) {
    if (data.latLow > data.latHigh) {
        return {"Latitude-Koordintenfenster nicht korrekt!\nuntere Ecke > obere Ecke",
                Icon::Exclamation, LiftExtractField::LatLow};
    }
    if (data.lonLow > data.lonHigh) {
        return {"Longitude-Koordintenfenster nicht korrekt!\nlinke Ecke > rechte Ecke",
                Icon::Exclamation, LiftExtractField::LonLow};
    }
    if (data.fileName.empty()) {
        return {"Bitte Namen für neue Liftdatei eingeben!", Icon::Exclamation,
                LiftExtractField::FileName};
    }
    if (data.windFilter && data.windFrom > data.windTo) {
        return {"Windrichtungsfenster nicht korrekt!\nBeginn > Ende ", Icon::Exclamation,
                LiftExtractField::WindFrom};
    }
    // The selection would replace the whole database without a backup.
    const std::filesystem::path newPath = liftExtractPath(data.fileName, settings);
    if (sameFile(newPath, liftDatabasePath(settings))) {
        return {"Sie haben die Aufwinddatenbank ausgewählt.\nBitte wählen Sie eine andere "
                "Aufwinddatei!",
                Icon::Information, LiftExtractField::FileName};
    }
    // Nor may it take the place of a backup, the logbook or settings.ini.
    if (std::string refusal = preciousTargetRefusal(settings, newPath); !refusal.empty()) {
        return {std::move(refusal), Icon::Exclamation, LiftExtractField::FileName};
    }
    return {};
}

LiftExtractRefusal acceptLiftExtractTexts(const LiftExtractTexts& texts,
                                          const AppSettings& settings,
                                          LiftExtractDialogData& data) {
    LiftExtractDialogData entered = data;
    if (auto refusal = readLiftExtractTexts(texts, entered)) {
        return refusal;
    }
    if (auto refusal = checkLiftExtractData(entered, settings)) {
        return refusal;
    }
    data = entered;
    return {};
}

std::filesystem::path liftExtractPath(const std::string& fileName, const AppSettings& settings) {
    if (fileName.find(pathSeparator) == std::string::npos && !fileName.empty()) {
        return joinPath(settings.liftDir, fileName);
    }
    return fileName;
}

bool chooseLiftExtractFile(const AppSettings& settings, UserInterface& ui, std::string& fileName) {
    FileDialogRequest request;
    request.title = "Dateinamen für neue Aufwind Datei";
    request.filter = "Aufwinde (*.lft) |*.lft||";
    request.defaultExtension = "lft";
    request.initialDir = settings.liftDir;
    request.initialName = fileName;
    request.save = true;
    for (;;) {
        const auto chosen = ui.chooseFiles(request);
        if (chosen.empty()) {
            return false;
        }
        const std::filesystem::path path = chosen.front();
        if (!canOpenForReading(path) ||
            ui.ask("Die Datei existiert schon.\nSoll sie überschrieben werden?", Icon::Question,
                   Buttons::YesNo) == Answer::Yes) {
            fileName = path;
            return true;
        }
        request.initialName.clear();
    }
}

bool commandExtractLifts(AppSettings& settings, UserInterface& ui) {
    const std::filesystem::path databasePath = liftDatabasePath(settings);
    CWaypointConverter converter(ui, settings.serialNumber);
    LiftExtractDialogData data = liftExtractDataFromSettings(settings);
    if (!ui.runLiftExtractDialog(data)) {
        return false;
    }
    rememberLiftExtractData(data, settings);
    // The dialog has checked the entries; checked again for front ends that fill the
    // data without it.
    if (const auto refusal = checkLiftExtractData(data, settings)) {
        ui.message(refusal.text, refusal.icon);
        return false;
    }
    converter.setBounds(data.latLow, data.latHigh, data.lonLow, data.lonHigh);
    converter.setWindWindow(data.windFilter, data.windFrom, data.windTo);
    const std::filesystem::path newPath = liftExtractPath(data.fileName, settings);
    bool extracted = false;
    {
        WaitCursor wait(ui);
        extracted = extractLifts(converter, databasePath, newPath);
    }
    if (!extracted) {
        return false;
    }
    ui.openDocument(newPath);
    return true;
}

} // namespace zv
