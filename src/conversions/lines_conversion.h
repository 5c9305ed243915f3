#pragma once

// Lines for the instrument from OziExplorer waypoints: consecutive waypoints with the same
// ID form one line group, closed into a ring; every point gets the compass direction to
// the next point of its ring (DIR1) and to the previous one (DIR2).

#include <cstddef>

namespace zv {

struct AppSettings;
class CWaypointConverter;
class UserInterface;

inline constexpr std::size_t maxLinePoints = 100;
inline constexpr std::size_t maxLineGroups = 10;

// Sets dir1 and dir2 of every point of converter.oziWaypoints. Refuses more than 100
// points or more than 10 groups with "Die Datei enthält zuviele Lines!\nBitte reduzieren!"
// and leaves the list as it was.
bool convertToLines(CWaypointConverter& converter);

// Tools > Konvertieren > "Wpt->Lines": the line file goes to liftDir.
bool commandWptToLines(const AppSettings& settings, UserInterface& ui);

} // namespace zv
