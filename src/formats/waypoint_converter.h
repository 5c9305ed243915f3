#pragma once

// The object of one point-file operation: a command creates it, fills one list with a
// reader, writes that list with a writer and discards it. It holds the readers and writers
// of every point file kind; the lift reader adds its mode and filter here.

#include "formats/lift_filter.h"
#include "formats/waypoint.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace zv {

class TextReader;
class UserInterface;

class CWaypointConverter {
public:
    // Messages go to `ui`; `serialNumber` is printed in the header line of the
    // instrument files written.
    CWaypointConverter(UserInterface& ui, int serialNumber)
        : ui_(ui), serialNumber_(serialNumber) {}

    // The two lists keep the product's names, after the side of a conversion: what comes
    // from OziExplorer (or the takeoff site download) and goes to the instrument files, and
    // what comes from the instrument files and goes to OziExplorer or the instrument. Each
    // record says in its field names which coordinate form it holds (`latDegrees` and
    // `latMinutes` for the text form, `latDecimal` for signed decimal degrees).
    //
    // Filled by the OziExplorer reader (both forms) and the takeoff site download (text
    // form); written by the instrument waypoint, takeoff and line writers (text form).
    WaypointList oziWaypoints;
    // Filled by the instrument waypoint and line readers (both forms) and the lift reader
    // (by its mode); written by the OziExplorer writer (decimal form) and the lift writer
    // (text form).
    WaypointList zvWaypoints;
    // Set by the instrument waypoint reader once it has read the first two lines.
    bool zvFileOpened = false;
    // Set by the OziExplorer reader once it stored or refused a data row.
    bool oziFileOpened = false;
    // How the lift reader treats what it reads; set once before reading.
    LiftReadMode mode = LiftReadMode::Map;
    // The lifts an `Extract` read keeps.
    LiftFilter filter;

    // Instrument waypoint, route and takeoff site files.
    bool readZvWaypointFile(const std::filesystem::path& path);
    // The same from text already in memory; `path` names the file in messages.
    bool readZvWaypoints(TextReader& reader, const std::filesystem::path& path);
    bool writeZvWaypointFile(const std::filesystem::path& path);
    bool writeTakeoffFile(const std::filesystem::path& path);

    // Lift files: the reader appends to `zvWaypoints` in the text form, and in the decimal
    // form too for `Map` and `Upload`; the writer writes `zvWaypoints` in the text form.
    bool readLiftFile(const std::filesystem::path& path);
    bool readLifts(TextReader& reader, const std::filesystem::path& path);
    bool writeLiftFile(const std::filesystem::path& path);
    void setBounds(float latLow, float latHigh, float lonLow, float lonHigh);
    void setWindWindow(bool windFilter, std::int32_t windFrom, std::int32_t windTo);

    // Line files: the reader appends to `zvWaypoints` in both forms; the writer writes
    // `oziWaypoints` in the text form.
    bool readLineFile(const std::filesystem::path& path);
    bool readLines(TextReader& reader, const std::filesystem::path& path);
    bool writeLineFile(const std::filesystem::path& path);

    // OziExplorer waypoint files.
    bool readOziWaypointFile(const std::filesystem::path& path);
    bool readOziWaypoints(TextReader& reader, const std::filesystem::path& path);
    bool writeOziWaypointFile(const std::filesystem::path& path, bool withClimb);

    int serialNumber() const { return serialNumber_; }
    UserInterface& ui() { return ui_; }

private:
    UserInterface& ui_;
    int serialNumber_;
};

} // namespace zv
