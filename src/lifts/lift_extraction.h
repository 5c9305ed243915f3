#pragma once

// Extraction from the lift database: the lifts of a rectangle (and a wind-direction
// window) into a new lift file, for example to upload only one flying area. The dialog
// "Aufwinde extrahieren" asks for the window; its checks live here so that the window and
// zv-cli refuse the same entries with the same messages.

#include "base/dialog_data.h"
#include "base/user_interface.h"

#include <filesystem>
#include <string>

namespace zv {

struct AppSettings;
class CWaypointConverter;

// Reads the database in Extract mode (the converter's filter set before) and writes the
// lifts kept to newPath. False after the reader's or writer's message.
bool extractLifts(CWaypointConverter& converter, const std::filesystem::path& databasePath,
                  const std::filesystem::path& newPath);

// The dialog as the command fills it: the remembered rectangle; the wind window only
// when it was on at the last run (otherwise off, 0 to 360); the last file name.
LiftExtractDialogData liftExtractDataFromSettings(const AppSettings& settings);
// Remembers the entries of a confirmed dialog.
void rememberLiftExtractData(const LiftExtractDialogData& data, AppSettings& settings);

// The dialog's edits as typed, in the order they are read back on OK.
struct LiftExtractTexts {
    bool windFilter = false;
    std::string latLow;
    std::string latHigh;
    std::string lonLow;
    std::string lonHigh;
    std::string windFrom;
    std::string windTo;
    std::string fileName;
};

// The edits a refusal gives the focus to.
enum class LiftExtractField { None, LatLow, LatHigh, LonLow, LonHigh, WindFrom, WindTo, FileName };

struct LiftExtractRefusal {
    std::string text; // empty: accepted
    Icon icon = Icon::Exclamation;
    LiftExtractField field = LiftExtractField::None;

    explicit operator bool() const { return !text.empty(); }
};

// The numbers as the dialog shows them: up to six significant digits.
LiftExtractTexts liftExtractTexts(const LiftExtractDialogData& data);
// Reads the edits back with the framework's range checks (coordinates -90..90 and
// -180..180 as numbers, wind directions 0..360 as whole numbers). On a refusal `data`
// keeps what was read before the refused edit.
LiftExtractRefusal readLiftExtractTexts(const LiftExtractTexts& texts, LiftExtractDialogData& data);
// The checks of OK, in order: latitude order, longitude order, empty name, wind window
// order, and the lift database itself as the new file.
LiftExtractRefusal checkLiftExtractData(const LiftExtractDialogData& data,
                                        const AppSettings& settings);
// Both of the above: what OK does before it closes the dialog.
LiftExtractRefusal acceptLiftExtractTexts(const LiftExtractTexts& texts,
                                          const AppSettings& settings, LiftExtractDialogData& data);

// Where the new file goes: a name typed without a directory lands in liftDir.
std::filesystem::path liftExtractPath(const std::string& fileName, const AppSettings& settings);

// The "..." button: the save dialog in liftDir; an existing file is overwritten only after
// Yes, No clears the name and shows the dialog again. True with the chosen full path in
// fileName; false when the dialog was cancelled (fileName as it was, or cleared after No).
bool chooseLiftExtractFile(const AppSettings& settings, UserInterface& ui, std::string& fileName);

// Tools > Aufwinddatenbank > "e&xtrahieren". Remembers the entries in the settings record.
bool commandExtractLifts(AppSettings& settings, UserInterface& ui);

} // namespace zv
