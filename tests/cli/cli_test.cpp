// zv-cli's user interface and command line: what a script sees and how the arguments
// answer the dialogs.
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <new>
#include <set>
#include <sstream>
#include <stdexcept>

namespace zv::cli {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

TEST(CliUserInterface, MessagesAndQuestions) {
    struct Case {
        Icon icon;
        std::optional<Buttons> buttons; // none: a message
        bool yes;
        const char* expected;
        Answer answer;
    };
    const Case cases[] = {
        {Icon::Information, {}, false, "[Info] A\nB\n", Answer::Ok},
        {Icon::Exclamation, {}, true, "[Achtung] A\nB\n", Answer::Ok},
        {Icon::Stop, {}, false, "[Stopp] A\nB\n", Answer::Ok},
        {Icon::Question, Buttons::YesNo, false, "[Frage] A\nB -> Nein\n", Answer::No},
        {Icon::Question, Buttons::YesNo, true, "[Frage] A\nB -> Ja\n", Answer::Yes},
        {Icon::Question, Buttons::YesNoCancel, false, "[Frage] A\nB -> Nein\n", Answer::No},
        {Icon::Information, Buttons::OkCancel, false, "[Info] A\nB -> Abbrechen\n", Answer::Cancel},
        {Icon::Information, Buttons::OkCancel, true, "[Info] A\nB -> OK\n", Answer::Ok},
        {Icon::Stop, Buttons::Ok, false, "[Stopp] A\nB -> OK\n", Answer::Ok},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        CliUserInterface ui(out, err, "/start");
        ui.setAnswerYes(c.yes);
        Answer answer = Answer::Ok;
        if (c.buttons) {
            answer = ui.ask("A\nB", c.icon, *c.buttons);
        } else {
            ui.message("A\nB", c.icon);
        }
        EXPECT_EQ(out.str(), c.expected);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(err.str(), "");
    }
}

TEST(CliUserInterface, DocumentsAndProgress) {
    std::ostringstream out;
    std::ostringstream err;
    CliUserInterface ui(out, err, "/start/dir");
    ui.openDocument("/data/Flugbuch.log");
    ui.openDocument("Data/../Lifts.lft");
    ui.progressShow("Übertragung läuft", "Paket 1");
    ui.progressSetStep(1);
    ui.progressSetRange(10);
    ui.progressAdvance();
    ui.progressSetSecondText("Paket 2");
    ui.progressClose();
    EXPECT_EQ(out.str(), "[Dokument] /data/Flugbuch.log\n[Dokument] /start/dir/Lifts.lft\n");
    EXPECT_EQ(err.str(), "Übertragung läuft\nPaket 1\nPaket 2\n");
}

FileDialogRequest request(const std::string& extension, bool mustExist = false,
                          bool multiple = false) {
    FileDialogRequest request;
    request.title = "Datei öffnen";
    request.defaultExtension = extension;
    request.mustExist = mustExist;
    request.multiple = multiple;
    return request;
}

TEST(CliUserInterface, FileDialogsTakeTheArgumentsInOrder) {
    TempDir dir;
    writeBytes(dir / "a.log", "");
    writeBytes(dir / "b.log", "");
    std::ostringstream out;
    std::ostringstream err;
    CliUserInterface ui(out, err, dir.path());
    ui.setFileAnswers({"a", "/abs/neu.lft", "sub/x.txt", "a.log", "b", "c.log"});

    const FileDialogRequest open = request("log");
    EXPECT_EQ(ui.chooseFiles(open), std::vector<fs::path>{dir.path() / "a.log"});
    const FileDialogRequest save = request("lft");
    EXPECT_EQ(ui.chooseFiles(save), std::vector<fs::path>{"/abs/neu.lft"});
    const FileDialogRequest anyFile = request("");
    EXPECT_EQ(ui.chooseFiles(anyFile), std::vector<fs::path>{dir.path() / "sub/x.txt"});
    const FileDialogRequest several = request("log", true, true);
    // c.log is not there: the whole choice is refused, as the window would not close.
    EXPECT_EQ(ui.chooseFiles(several), std::vector<fs::path>{});
    EXPECT_NE(err.str().find("c.log"), std::string::npos);
    // Nothing left: cancelled.
    EXPECT_EQ(ui.chooseFiles(open), std::vector<fs::path>{});

    ui.setFileAnswers({"a", "b.log"});
    EXPECT_EQ(ui.chooseFiles(several),
              (std::vector<fs::path>{dir.path() / "a.log", dir.path() / "b.log"}));
    EXPECT_EQ(out.str(), "");
}

// A command of this test only: takes "--count N", then opens one file per dialog.
std::vector<fs::path> chosenByTestCommand;
const CommandRegistrar testCommand({
    .name = "test-files",
    .synopsis = "--count N FILE...",
    .description = "test",
    .needsSettings = false,
    .fileArguments = 2,
    .prepare = [](Arguments& arguments) -> CommandAction {
        const auto count = arguments.takeOption("--count", 1);
        if (!count) {
            throw UsageError("--count fehlt");
        }
        const int dialogs = std::stoi(count->front());
        return [dialogs](CZvApp&, CliUserInterface& ui) {
            chosenByTestCommand.clear();
            for (int i = 0; i < dialogs; ++i) {
                for (const auto& path : ui.chooseFiles(request("wpt"))) {
                    chosenByTestCommand.push_back(path);
                }
            }
            return chosenByTestCommand.size() == static_cast<std::size_t>(dialogs);
        };
    },
});

TEST(RunCli, ArgumentsAndExitStatus) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::vector<fs::path> chosen;
    };
    const Case cases[] = {
        {{"test-files", "--count", "2", "a", "b.txt"}, 0, {"/s/a.wpt", "/s/b.txt"}},
        {{"--no", "test-files", "a", "--count", "1"}, 0, {"/s/a.wpt"}},
        {{"test-files", "--count", "2", "a"}, 1, {"/s/a.wpt"}}, // second dialog cancelled
        {{"test-files", "a"}, 2, {}},
        {{"test-files", "--count"}, 2, {}},
        {{"test-files", "--count", "1", "--count", "1"}, 2, {}},
        {{"test-files", "--count", "1", "a", "b", "c"}, 2, {}},
        {{"test-files", "--count", "1", "--wind", "a"}, 2, {}},
        {{"--yes", "--yes", "test-files", "--count", "0"}, 0, {}},
        {{"--yes", "--no", "test-files", "--count", "0"}, 2, {}},
        {{}, 2, {}},
        {{"nix"}, 2, {}},
    };
    for (const auto& c : cases) {
        chosenByTestCommand.clear();
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runCli(c.args, "/s", out, err), c.status) << err.str();
        EXPECT_EQ(chosenByTestCommand, c.chosen);
        if (c.status == 2) {
            EXPECT_NE(err.str().find("Aufruf: zv-cli [--yes | --no] BEFEHL [ARGUMENTE]\n"),
                      std::string::npos);
            EXPECT_NE(err.str().find("\n  port 1 | 2 "), std::string::npos);
        }
    }
}

// A command of this test only that throws what its word names.
const CommandRegistrar throwingCommand({
    .name = "test-throw",
    .synopsis = "memory | fault | other",
    .description = "test",
    .needsSettings = false,
    .fileArguments = 0,
    .prepare = [](Arguments& arguments) -> CommandAction {
        const std::string what = arguments.takeWord("Fehler", {"memory", "fault", "other"});
        return [what](CZvApp&, CliUserInterface&) -> bool {
            if (what == "memory") {
                throw std::bad_alloc();
            }
            if (what == "fault") {
                throw std::runtime_error("vector::_M_range_check");
            }
            throw 42;
        };
    },
});

// Whatever a command throws ends it with a stop message and status 1, never an abort.
TEST(RunCli, AnExceptionEndsTheCommandWithAMessage) {
    const std::pair<const char*, const char*> cases[] = {
        {"memory", "[Stopp] Der Arbeitsspeicher reicht für diesen Befehl nicht aus.\n"
                   "Der Befehl wurde abgebrochen.\n"},
        {"fault", "[Stopp] Der Befehl wurde wegen eines unerwarteten Fehlers abgebrochen.\n"
                  "vector::_M_range_check\n"},
        {"other", "[Stopp] Der Befehl wurde wegen eines unerwarteten Fehlers abgebrochen.\n"},
    };
    for (const auto& [what, message] : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runCli({"test-throw", what}, "/s", out, err), 1) << what;
        EXPECT_EQ(out.str(), message);
    }
}

// Every command the menu runs headless is a sub-command of zv-cli, and every sub-command
// but the first start runs such commands; the usage text shows their menu path.
TEST(RunCli, EveryHeadlessMenuCommandIsASubCommand) {
    std::set<CommandId> named;
    for (const SubCommand* command : registeredCommands()) {
        if (command->name == "init" || command->name.starts_with("test-")) {
            continue; // the first start, and this test's own commands
        }
        EXPECT_FALSE(command->commands.empty()) << command->name;
        for (const CommandId id : command->commands) {
            const CommandKind kind = commandEntry(id).kind;
            EXPECT_TRUE(kind == CommandKind::Headless || kind == CommandKind::View)
                << command->name;
            named.insert(id);
        }
    }
    // Every command that runs without the windows, and every view that zv-cli paints.
    for (const zv::CommandEntry& entry : commandTable()) {
        EXPECT_EQ(entry.kind == CommandKind::Headless || entry.kind == CommandKind::View,
                  named.contains(entry.id))
            << entry.name;
        EXPECT_EQ(entry.kind == CommandKind::Headless || entry.kind == CommandKind::Interactive,
                  static_cast<bool>(entry.function))
            << entry.name;
    }
    EXPECT_EQ(displayedMenuPath({CommandId::ZvToOzi}),
              "Tools > Konvertieren > Wegpunkte > Zv->Ozi");
    EXPECT_EQ(displayedMenuPath({CommandId::LogbookAppend}), "Tools > Flugbuch > erweitern");
    EXPECT_EQ(displayedMenuPath({CommandId::Com1, CommandId::Com2}),
              "Zirrova > Port > COM1 / COM2");
}

} // namespace
} // namespace zv::cli
