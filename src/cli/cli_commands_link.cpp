// zv-cli's commands of the instrument link: the downloads and uploads of the menu "Zirrova".
#include "cli/cli_command.h"

namespace zv::cli {

namespace {

// The word of the command line names the menu entry, in the menu's order.
using Kinds = std::vector<std::pair<std::string_view, CommandId>>;

const Kinds downloads = {
    {"logbook", CommandId::ReceiveLogbook},     {"lifts", CommandId::ReceiveLifts},
    {"waypoints", CommandId::ReceiveWaypoints}, {"routes", CommandId::ReceiveRoutes},
    {"takeoffs", CommandId::ReceiveTakeoffs},   {"flight", CommandId::ReceiveFlight},
};

const Kinds uploads = {
    {"lifts", CommandId::SendLifts},
    {"waypoints", CommandId::SendWaypoints},
    {"takeoffs", CommandId::SendTakeoffs},
    {"lines", CommandId::SendLines},
};

std::vector<CommandId> idsOf(const Kinds& kinds) {
    std::vector<CommandId> ids;
    for (const auto& [word, id] : kinds) {
        ids.push_back(id);
    }
    return ids;
}

// Takes the kind word and returns the action that runs its transfer.
CommandAction transferOfKind(Arguments& arguments, const Kinds& kinds,
                             std::initializer_list<std::string_view> words) {
    const std::string word = arguments.takeWord("Art", words);
    for (const auto& [kind, id] : kinds) {
        if (kind == word) {
            return [id](CZvApp& app, CliUserInterface&) { return runTableCommand(app, id); };
        }
    }
    throw UsageError("unbekannt als Art: '" + word + "'");
}

const CommandRegistrar receiveCommand({
    .name = "receive",
    .synopsis = "logbook|lifts|waypoints|routes|takeoffs|flight FILE",
    .commands = idsOf(downloads),
    .needsSettings = true,
    .fileArguments = 1,
    .prepare = [](Arguments& arguments) -> CommandAction {
        return transferOfKind(arguments, downloads,
                              {"logbook", "lifts", "waypoints", "routes", "takeoffs", "flight"});
    },
});

const CommandRegistrar sendCommand({
    .name = "send",
    .synopsis = "lifts|waypoints|takeoffs|lines FILE",
    .commands = idsOf(uploads),
    .needsSettings = true,
    .fileArguments = 1,
    .prepare = [](Arguments& arguments) -> CommandAction {
        return transferOfKind(arguments, uploads, {"lifts", "waypoints", "takeoffs", "lines"});
    },
});

} // namespace

} // namespace zv::cli
