#include "app/command_boundary.h"

#include "base/user_interface.h"

#include <exception>
#include <new>

namespace zv {

std::string commandFailureMessage(const std::exception* error) {
    if (dynamic_cast<const std::bad_alloc*>(error) != nullptr) {
        return "Der Arbeitsspeicher reicht für diesen Befehl nicht aus.\n"
               "Der Befehl wurde abgebrochen.";
    }
    std::string text = "Der Befehl wurde wegen eines unerwarteten Fehlers abgebrochen.";
    if (error != nullptr && error->what() != nullptr && *error->what() != '\0') {
        text += "\n";
        text += error->what();
    }
    return text;
}

bool runCommandGuarded(UserInterface& ui, const std::function<bool()>& command) {
    try {
        return command();
    } catch (const std::exception& error) {
        ui.message(commandFailureMessage(&error), Icon::Stop);
    } catch (...) {
        ui.message(commandFailureMessage(nullptr), Icon::Stop);
    }
    return false;
}

} // namespace zv
