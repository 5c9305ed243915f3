#pragma once

// The lifts on the map: a lift file becomes the OziExplorer waypoint file Lift.wpt in the
// OziExplorer directory, each lift named after its wind and coloured after its climb.

namespace zv {

struct AppSettings;
class UserInterface;

// Tools > Konvertieren > "&Lifts->Wpt".
bool commandLiftsToWpt(const AppSettings& settings, UserInterface& ui);

} // namespace zv
