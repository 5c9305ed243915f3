#pragma once

// The save dialog of the commands that create a file: a name typed without extension
// gets the dialog's default extension, and an existing file is replaced only when the
// user says so; "No" brings the dialog back.

#include "base/user_interface.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zv {

// The chosen path, or nothing when the user cancelled the dialog. A path that `refuse`
// gives a message for is not taken: the message is shown and the dialog comes back.
using TargetRefusal = std::function<std::string(const std::filesystem::path&)>;
std::optional<std::filesystem::path> chooseNewFile(UserInterface& ui,
                                                   const FileDialogRequest& request,
                                                   const TargetRefusal& refuse = {});

// The open dialog of the commands that read one existing file: the chosen path, or
// nothing when the user cancelled the dialog.
std::optional<std::filesystem::path> chooseExistingFile(UserInterface& ui,
                                                        FileDialogRequest request);

} // namespace zv
