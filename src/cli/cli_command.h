#pragma once

// The sub-commands of zv-cli. Each subsystem registers its own from its own file
// (cli_commands_<subsystem>.cpp) with a static CommandRegistrar:
//
//     const CommandRegistrar registrar({
//         .name = "zv2ozi",
//         .synopsis = "",
//         .commands = {CommandId::ZvToOzi},
//         .needsSettings = true,
//         .fileArguments = 0,
//     });
//
// A sub-command names the entries of the command table it runs; the usage text shows
// their menu path. prepare() reads the command's own words and options (throwing
// UsageError on a bad one) before anything else happens; what is left of the arguments
// answers the file dialogs, in order. The returned action then runs the menu command
// itself. A sub-command without words of its own needs no prepare(): it runs its one
// table entry.

#include "app/command_table.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zv {
class CZvApp;
}

namespace zv::cli {

class CliUserInterface;

// A wrong command line: zv-cli prints the message and its usage text and exits 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments after the command's name.
class Arguments {
public:
    explicit Arguments(std::vector<std::string> words) : words_(std::move(words)) {}

    // Removes "--name V1 ... Vn" and returns the n values; nothing when the option is not
    // given. Fewer than n values, or the option twice, is a usage error.
    std::optional<std::vector<std::string>> takeOption(std::string_view name, std::size_t count);
    // Removes a switch "--name"; whether it was given.
    bool takeFlag(std::string_view name);
    // Removes the first argument, which must be one of the given words; a usage error
    // otherwise (what: the name of the argument in the message).
    std::string takeWord(std::string_view what, std::initializer_list<std::string_view> words);

    const std::vector<std::string>& remaining() const { return words_; }

private:
    std::vector<std::string> words_;
};

using CommandAction = std::function<bool(CZvApp&, CliUserInterface&)>;

inline constexpr std::size_t anyNumberOfFiles = static_cast<std::size_t>(-1);

struct SubCommand {
    std::string name;
    std::string synopsis; // the arguments, as shown in the usage text
    // The menu commands it runs; the usage text shows their menu path.
    std::vector<CommandId> commands = {};
    // Shown instead of a menu path by a sub-command that runs none (the first start).
    std::string description = {};
    // Whether ./settings.ini must be there (every command but init).
    bool needsSettings = true;
    // How many arguments may be left for the file dialogs after prepare().
    std::size_t fileArguments = 0;
    std::function<CommandAction(Arguments&)> prepare = {};
};

// Adds a command; a second command of the same name is a programming error.
void registerCommand(SubCommand command);
const SubCommand* findCommand(std::string_view name);
// Every sub-command, by name.
std::vector<const SubCommand*> registeredCommands();

struct CommandRegistrar {
    explicit CommandRegistrar(SubCommand command) { registerCommand(std::move(command)); }
};

// Runs a command of the table through the application object; a transfer on the serial
// line of the settings' port.
bool runTableCommand(CZvApp& app, CommandId id);

// zv-cli itself: args without the program name. Returns the exit status.
int runCli(const std::vector<std::string>& args, const std::filesystem::path& currentDir,
           std::ostream& out, std::ostream& err);

} // namespace zv::cli
