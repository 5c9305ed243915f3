#pragma once

// The save dialog of the commands that create a file: a name typed without extension
// gets the dialog's default extension, and an existing file is replaced only when the
// user says so; "No" brings the dialog back.

#include "app/user_interface.h"

#include <filesystem>
#include <optional>
#include <string>

namespace zv {

// The chosen path, or nothing when the user cancelled the dialog.
std::optional<std::filesystem::path> chooseNewFile(UserInterface& ui,
                                                   const FileDialogRequest& request);

// The open dialog of the commands that read one existing file: the chosen path, or
// nothing when the user cancelled the dialog.
std::optional<std::string> chooseExistingFile(UserInterface& ui, FileDialogRequest request);

} // namespace zv
