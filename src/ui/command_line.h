#pragma once

// zv's own command line. --help and --version are answered before Qt starts, so that they
// need no screen; the rest is read from what Qt leaves of the arguments (-platform, -style
// and Qt's other options are Qt's). The help text is also the source of the man page zv(1).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

struct GuiCommandLine {
    enum class Action { Start, Help, Version, UsageError };
    Action action = Action::Start;
    // --start-dir: the start directory instead of the current directory; empty: not given.
    std::string startDir;
    // --quit-after-start: end as soon as the main window stands.
    bool quitAfterStart = false;
    // A file named at the start: opened and closed again, so that it heads the recent files.
    std::string file;
    // What is wrong with the command line (UsageError).
    std::string error;
};

// args: the arguments without the program name.
GuiCommandLine parseGuiCommandLine(const std::vector<std::string>& args);

std::string guiHelpText();
std::string guiVersionText();
// The short text after a wrong command line.
std::string guiUsageText();

// The start directory named by --start-dir: a leading "~/" (or "~" alone) stands for the
// home directory, so that the desktop entry can name ~/Zirrova without a shell; a relative
// name is relative to the current directory.
std::filesystem::path startDirectoryPath(std::string_view given, const std::filesystem::path& home);

// Makes the start directory with every parent it lacks and makes it the current directory.
// Nothing when that worked, otherwise the message to show (German).
std::optional<std::string> enterStartDirectory(const std::filesystem::path& dir);

} // namespace zv
