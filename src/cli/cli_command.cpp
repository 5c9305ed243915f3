#include "cli/cli_command.h"

#include "app/command_boundary.h"
#include "app/settings_startup.h"
#include "app/zv_app.h"
#include "cli/cli_user_interface.h"
#include "platform/qt_serial_port.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <ostream>

namespace zv::cli {

namespace {

// By name, so that the usage text lists the commands in a fixed order.
std::map<std::string, SubCommand, std::less<>>& commandTable() {
    static std::map<std::string, SubCommand, std::less<>> table;
    return table;
}

void printCommands(std::ostream& stream) {
    stream << "Befehle:\n";
    for (const auto& [name, entry] : commandTable()) {
        std::string line = "  " + name;
        if (!entry.synopsis.empty()) {
            line += " " + entry.synopsis;
        }
        if (line.size() < 34) {
            line.resize(34, ' ');
        } else {
            line += "  ";
        }
        stream << line
               << (entry.commands.empty() ? entry.description : displayedMenuPath(entry.commands))
               << '\n';
    }
}

const char* const usageLine = "Aufruf: zv-cli [--yes | --no] BEFEHL [ARGUMENTE]\n";

// After a wrong command line.
void printUsage(std::ostream& err) {
    err << usageLine
        << "\n"
           "Führt einen Menübefehl von zv im aktuellen Verzeichnis aus (mit seiner settings.ini).\n"
           "--yes beantwortet jede Frage mit Ja bzw. OK, --no (Vorgabe) mit Nein bzw. Abbrechen.\n"
           "Dateiauswahlen nehmen der Reihe nach die übrigen Argumente. \"zv-cli --help\" zeigt\n"
           "die ganze Hilfe.\n"
           "\n";
    printCommands(err);
}

// --help, also the source of the man page zv-cli(1).
void printHelp(std::ostream& out) {
    out << usageLine
        << "\n"
           "Führt einen Menübefehl von zv ohne Fenster aus, im aktuellen Verzeichnis als\n"
           "Startverzeichnis (mit seiner settings.ini), und gibt aus, was zv in seinen\n"
           "Fenstern zeigen würde: jede Meldung als Block, der mit [Info], [Frage], [Achtung]\n"
           "oder [Stopp] beginnt; eine Frage mit der gegebenen Antwort (-> Ja, -> Nein, -> OK,\n"
           "-> Abbrechen); jede Datei, die zv in einem Fenster öffnen würde, nach [Dokument].\n"
           "Die Texte des Übertragungsfensters gehen auf die Standardfehlerausgabe.\n"
           "\n"
           "Dateiauswahlen nehmen der Reihe nach die übrigen Argumente (eine Mehrfachauswahl\n"
           "alle übrigen); ein Name ohne Endung bekommt die übliche (.log, .wpt, ...). Ändert\n"
           "ein Befehl die Einstellungen (Port, Aufwinde extrahieren), schreibt zv-cli die\n"
           "settings.ini wie zv.\n"
           "\n";
    printCommands(out);
    out << "\n"
           "Exit-Status:\n"
           "  0   der Befehl hat seine Arbeit getan, auch wenn es nichts zu tun gab\n"
           "  1   der Befehl endete mit einem Fehler oder auf Nein bzw. Abbrechen; auch\n"
           "      ohne settings.ini (zv-cli init legt sie an) oder mit der settings.ini\n"
           "      einer anderen Version\n"
           "  2   falscher Aufruf (mit dem Aufruf auf der Standardfehlerausgabe)\n"
           "\n"
           "Optionen:\n"
           "  --yes               beantwortet jede Frage mit Ja bzw. OK\n"
           "  --no                beantwortet jede Frage mit Nein bzw. Abbrechen (Vorgabe)\n"
           "  -h, --help          zeigt diese Hilfe und endet\n"
           "  --version           zeigt die Version und endet\n"
           "\n"
           "Umgebung:\n"
           "  ZV_COM1, ZV_COM2    das serielle Gerät von COM1 bzw. COM2 statt des Geräts\n"
           "                      aus dem Profil (sonst /dev/ttyS0 bzw. /dev/ttyS1)\n"
           "  ZV_LOCK_WAIT_MS     wie lange ein Befehl auf das Flugbuch oder die\n"
           "                      Aufwinddatenbank wartet, während ein anderes zv sie\n"
           "                      ändert, in ms (Vorgabe 5000)\n"
           "  XDG_CONFIG_HOME     statt ~/.config, wenn gesetzt\n"
           "\n"
           "Dateien:\n"
           "  settings.ini        im aktuellen Verzeichnis: die Einstellungen von zv\n"
           "  ~/.config/Local AppWizard-Generated Applications/zv.conf\n"
           "                      das Profil von zv; zv-cli liest daraus die seriellen\n"
           "                      Geräte (Abschnitt Ports, Schlüssel COM1 und COM2)\n"
           "  Data/Zv/Logbuch/Flugbuch.log, Data/Zv/Lifts/Lifts.lft\n"
           "                      Flugbuch und Aufwinddatenbank nach zv-cli init; ihre\n"
           "                      Sperrdateien .Flugbuch.log.lock und .Lifts.lft.lock\n"
           "                      daneben\n";
}

} // namespace

std::optional<std::vector<std::string>> Arguments::takeOption(std::string_view name,
                                                              std::size_t count) {
    const auto found = std::find(words_.begin(), words_.end(), name);
    if (found == words_.end()) {
        return std::nullopt;
    }
    const auto first = found + 1;
    if (static_cast<std::size_t>(words_.end() - first) < count) {
        throw UsageError("Option " + std::string(name) + " braucht " + std::to_string(count) +
                         (count == 1 ? " Wert" : " Werte"));
    }
    std::vector<std::string> values(first, first + static_cast<std::ptrdiff_t>(count));
    words_.erase(found, first + static_cast<std::ptrdiff_t>(count));
    if (std::find(words_.begin(), words_.end(), name) != words_.end()) {
        throw UsageError("Option " + std::string(name) + " doppelt angegeben");
    }
    return values;
}

bool Arguments::takeFlag(std::string_view name) {
    return takeOption(name, 0).has_value();
}

std::string Arguments::takeWord(std::string_view what,
                                std::initializer_list<std::string_view> words) {
    if (words_.empty()) {
        throw UsageError(std::string(what) + " fehlt");
    }
    const std::string word = words_.front();
    if (std::find(words.begin(), words.end(), word) == words.end()) {
        throw UsageError("unbekannt als " + std::string(what) + ": '" + word + "'");
    }
    words_.erase(words_.begin());
    return word;
}

void registerCommand(SubCommand command) {
    const std::string name = command.name;
    if (!commandTable().emplace(name, std::move(command)).second) {
        // Two files registering one name: a fault of the build, found at the first run.
        std::fprintf(stderr, "zv-cli: command %s registered twice\n", name.c_str());
        std::abort();
    }
}

const SubCommand* findCommand(std::string_view name) {
    const auto found = commandTable().find(name);
    return found == commandTable().end() ? nullptr : &found->second;
}

std::vector<const SubCommand*> registeredCommands() {
    std::vector<const SubCommand*> commands;
    for (const auto& [name, command] : commandTable()) {
        commands.push_back(&command);
    }
    return commands;
}

bool runTableCommand(CZvApp& app, CommandId id) {
    if (!commandEntry(id).function.onLine) {
        return app.runCommand(id);
    }
    // QSerialPort needs Qt's application object; zv-cli makes one only for the commands
    // that use the line.
    std::unique_ptr<QCoreApplication> qtApp;
    int argc = 1;
    char name[] = "zv-cli";
    char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qtApp = std::make_unique<QCoreApplication>(argc, argv);
    }
    QtSerialPort serial;
    return app.runCommand(id, &serial);
}

int runCli(const std::vector<std::string>& args, const std::filesystem::path& currentDir,
           std::ostream& out, std::ostream& err) {
    bool answerYes = false;
    bool answerGiven = false;
    std::size_t next = 0;
    CommandAction action;
    std::deque<std::string> fileAnswers;
    const SubCommand* entry = nullptr;
    try {
        for (; next < args.size() && args[next].starts_with("-"); ++next) {
            const std::string& option = args[next];
            if (option == "--help" || option == "-h") {
                printHelp(out);
                return 0;
            }
            if (option == "--version") {
                out << "zv-cli " ZV_VERSION "\n";
                return 0;
            }
            if (option != "--yes" && option != "--no") {
                throw UsageError("unbekannte Option " + option);
            }
            if (answerGiven && answerYes != (option == "--yes")) {
                throw UsageError("--yes und --no schließen sich aus");
            }
            answerGiven = true;
            answerYes = option == "--yes";
        }
        if (next == args.size()) {
            throw UsageError("Befehl fehlt");
        }
        entry = findCommand(args[next]);
        if (!entry) {
            throw UsageError("unbekannter Befehl '" + args[next] + "'");
        }
        Arguments arguments(
            std::vector<std::string>(args.begin() + static_cast<long>(next) + 1, args.end()));
        if (entry->prepare) {
            action = entry->prepare(arguments);
        } else {
            action = [id = entry->commands.front()](CZvApp& app, CliUserInterface&) {
                return runTableCommand(app, id);
            };
        }
        for (const std::string& word : arguments.remaining()) {
            if (word.starts_with("--")) {
                throw UsageError("unbekannte Option " + word + " für " + entry->name);
            }
        }
        if (arguments.remaining().size() > entry->fileArguments) {
            throw UsageError("zu viele Argumente für " + entry->name);
        }
        fileAnswers.assign(arguments.remaining().begin(), arguments.remaining().end());
    } catch (const UsageError& error) {
        err << "zv-cli: " << error.what() << "\n\n";
        printUsage(err);
        return 2;
    }

    CliUserInterface ui(out, err, currentDir);
    ui.setAnswerYes(answerYes);
    ui.setFileAnswers(std::move(fileAnswers));
    CZvApp app(ui);
    // Whatever the command throws ends it with a message and status 1.
    const bool succeeded = runCommandGuarded(ui, [&] {
        if (entry->needsSettings) {
            switch (app.readSettings(currentDir)) {
            case SettingsFileState::Loaded:
                break;
            case SettingsFileState::WrongVersion:
                ui.message(messageWrongSettingsVersion, Icon::Information);
                return false;
            case SettingsFileState::Missing: {
                // Only init builds a new configuration; the question is answered No here.
                const Answer no = Answer::No;
                ui.show(questionAutomaticConfiguration, Icon::Question, &no);
                return false;
            }
            }
        }
        return action(app, ui);
    });
    return succeeded ? 0 : 1;
}

} // namespace zv::cli
