#pragma once

// The packet transfers from file to instrument and back: read the file, make the
// packets, send them; or receive the packets, make takeoff sites of them, write the
// file. Each step runs only when the one before succeeded; a failing step has shown its
// own message.

#include <filesystem>
#include <string>

namespace zv {

class CInstrumentLink;
class UserInterface;

// Uploads; true when every packet was acknowledged (the success message is shown).
bool sendWaypointFile(CInstrumentLink& link, UserInterface& ui, const std::filesystem::path& path);
bool sendLiftFile(CInstrumentLink& link, UserInterface& ui, const std::filesystem::path& path);
bool sendTakeoffFile(CInstrumentLink& link, UserInterface& ui, const std::filesystem::path& path);
bool sendLineFile(CInstrumentLink& link, UserInterface& ui, const std::filesystem::path& path);

// The takeoff-site download into the file at path, written with serialNumber in its
// header; true when the file was written.
bool receiveTakeoffFile(CInstrumentLink& link, UserInterface& ui, int serialNumber,
                        const std::filesystem::path& path);

} // namespace zv
