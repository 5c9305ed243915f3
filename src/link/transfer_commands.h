#pragma once

// The packet transfers of the menu "Zirrova": the takeoff-site download of "&empfangen"
// and the four uploads of "&senden". Each asks for the file, tells the user how to set
// the instrument and runs its transfer chain, which reports the outcome.

namespace zv {

struct AppSettings;
class UserInterface;
class SerialPort;

// True when the takeoff sites arrived and were written (the file is then opened).
bool commandReceiveTakeoffs(const AppSettings& settings, UserInterface& ui, SerialPort& serial);

// True when every packet was acknowledged; false on cancel or on a reported failure.
bool commandSendLifts(const AppSettings& settings, UserInterface& ui, SerialPort& serial);
bool commandSendWaypoints(const AppSettings& settings, UserInterface& ui, SerialPort& serial);
bool commandSendTakeoffs(const AppSettings& settings, UserInterface& ui, SerialPort& serial);
bool commandSendLines(const AppSettings& settings, UserInterface& ui, SerialPort& serial);

} // namespace zv
