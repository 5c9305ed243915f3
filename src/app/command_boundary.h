#pragma once

// The edge between a front end and a command: whatever a command throws (memory
// exhausted by a hostile file, a fault of the program) ends that command with a message,
// never the program.

#include <exception>
#include <functional>
#include <string>

namespace zv {

class UserInterface;

// The message for an exception that ended a command; null for one that is no
// std::exception.
std::string commandFailureMessage(const std::exception* error);

// Runs the command; an exception it throws is shown with the stop icon and counts as a
// failure. Returns what the command returned.
bool runCommandGuarded(UserInterface& ui, const std::function<bool()>& command);

} // namespace zv
