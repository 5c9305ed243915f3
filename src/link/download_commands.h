#pragma once

// The text downloads of the menu "Zirrova" > "&empfangen": logbook, lifts, waypoints,
// routes and a single flight. Each asks for the target file, tells the user how to set
// the instrument, receives the file and shows the outcome.

namespace zv {

struct AppSettings;
class UserInterface;
class SerialPort;

// True when the file arrived complete; false on cancel or on a reported failure.
bool commandReceiveLogbook(const AppSettings& settings, UserInterface& ui, SerialPort& serial);
bool commandReceiveLifts(const AppSettings& settings, UserInterface& ui, SerialPort& serial);
bool commandReceiveWaypoints(const AppSettings& settings, UserInterface& ui, SerialPort& serial);
bool commandReceiveRoutes(const AppSettings& settings, UserInterface& ui, SerialPort& serial);
bool commandReceiveFlight(const AppSettings& settings, UserInterface& ui, SerialPort& serial);

} // namespace zv
