#include "ui/command_line.h"

#include <cerrno>
#include <system_error>

namespace zv {

namespace {

constexpr std::string_view startDirOption = "--start-dir";

// The reason a directory could not be made or entered, as the pilot reads it.
std::string reasonText(const std::error_code& error) {
    switch (error.value()) {
    case EACCES:
    case EPERM:
        return "keine Berechtigung";
    case EEXIST:
    case ENOTDIR:
        return "eine Datei steht im Weg";
    case EROFS:
        return "das Dateisystem ist schreibgeschützt";
    case ENOSPC:
        return "kein Platz mehr auf dem Datenträger";
    case ENOENT:
        return "nicht vorhanden";
    default:
        return error.message();
    }
}

} // namespace

GuiCommandLine parseGuiCommandLine(const std::vector<std::string>& args) {
    GuiCommandLine line;
    // --help and --version win over a wrong word elsewhere on the line.
    bool help = false;
    bool version = false;
    std::string error;
    const auto refuse = [&error](std::string text) {
        if (error.empty()) {
            error = std::move(text);
        }
    };
    bool startDirGiven = false;
    bool optionsEnd = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnd || arg == "-" || !arg.starts_with("-")) {
            files.push_back(arg);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--quit-after-start") {
            line.quitAfterStart = true;
        } else if (arg == startDirOption || arg.starts_with(std::string(startDirOption) + "=")) {
            if (startDirGiven) {
                refuse("--start-dir doppelt angegeben");
            }
            startDirGiven = true;
            if (arg == startDirOption) {
                line.startDir = i + 1 < args.size() ? args[++i] : std::string();
            } else {
                line.startDir = arg.substr(startDirOption.size() + 1);
            }
            if (line.startDir.empty()) {
                refuse("--start-dir braucht ein Verzeichnis");
            }
        } else {
            refuse("unbekannte Option " + arg);
        }
    }
    if (files.size() > 1) {
        refuse("mehr als eine Datei angegeben");
    } else if (!files.empty()) {
        line.file = files.front();
    }
    if (help) {
        line.action = GuiCommandLine::Action::Help;
    } else if (version) {
        line.action = GuiCommandLine::Action::Version;
    } else if (!error.empty()) {
        line.action = GuiCommandLine::Action::UsageError;
        line.error = std::move(error);
    }
    return line;
}

std::string guiUsageText() {
    return "Aufruf: zv [--start-dir VERZEICHNIS] [--quit-after-start] [DATEI]\n"
           "\"zv --help\" zeigt die Hilfe.\n";
}

std::string guiVersionText() {
    return "zv " ZV_VERSION "\n";
}

std::string guiHelpText() {
    return "Aufruf: zv [OPTION]... [DATEI]\n"
           "\n"
           "Das Desktop-Programm zum GPS-Fluginstrument Zirrova für Gleitschirm- und\n"
           "Drachenflieger: Flugbuch, Aufwinde, Wegpunkte, Routen, Startplätze und Flüge\n"
           "vom Instrument empfangen und zu ihm senden, mit dem OziExplorer austauschen,\n"
           "das Flugbuch mit seiner Statistik und die Aufwinddatenbank führen.\n"
           "\n"
           "zv hält seine Einstellungen in settings.ini im Startverzeichnis: dem aktuellen\n"
           "Verzeichnis oder dem von --start-dir. Beim ersten Start in einem Verzeichnis\n"
           "ohne settings.ini bietet zv die automatische Konfiguration an, die dort die\n"
           "Ordner Data/Zv/... mit Beispieldateien anlegt. Ohne Fenster führt zv-cli(1)\n"
           "jeden Menübefehl aus.\n"
           "\n"
           "Exit-Status:\n"
           "  0   zv wurde beendet\n"
           "  1   das Startverzeichnis ließ sich nicht anlegen oder nicht öffnen\n"
           "  2   falscher Aufruf\n"
           "\n"
           "Optionen:\n"
           "  --start-dir VERZEICHNIS\n"
           "                      VERZEICHNIS ist das Startverzeichnis; es wird mit allen\n"
           "                      fehlenden Ordnern darüber angelegt. ~/ am Anfang steht\n"
           "                      für das Home-Verzeichnis: der Eintrag im Startmenü\n"
           "                      startet zv mit --start-dir ~/Zirrova.\n"
           "  --quit-after-start  endet, sobald das Hauptfenster steht, wie nach Datei >\n"
           "                      Beenden (zum Prüfen einer Installation)\n"
           "  -h, --help          zeigt diese Hilfe und endet\n"
           "  --version           zeigt die Version und endet\n"
           "\n"
           "Eine DATEI wird beim Start geöffnet und wieder geschlossen; sie steht dann oben\n"
           "in der Liste der zuletzt geöffneten Dateien. Dazu nimmt zv die Optionen von Qt\n"
           "an, etwa -platform NAME und -style NAME.\n"
           "\n"
           "Umgebung:\n"
           "  ZV_COM1, ZV_COM2    das serielle Gerät von COM1 bzw. COM2 für diesen Lauf,\n"
           "                      statt des Geräts aus dem Profil (etwa /dev/ttyUSB0)\n"
           "  ZV_PROFILE_DIR      das Verzeichnis des Profils statt ~/.config\n"
           "  XDG_CONFIG_HOME     statt ~/.config, wenn gesetzt\n"
           "  HOME                das Home-Verzeichnis, für ~/ in --start-dir\n"
           "\n"
           "Dateien:\n"
           "  settings.ini        im Startverzeichnis: die Verzeichnisse und Dateien, der\n"
           "                      Port und die übrigen Einstellungen\n"
           "  ~/.config/Local AppWizard-Generated Applications/zv.conf\n"
           "                      das Profil: die seriellen Geräte (Abschnitt Ports,\n"
           "                      Schlüssel COM1 und COM2), Schrift, Seitenränder, zuletzt\n"
           "                      geöffnete Dateien und die Lage des Fensters\n"
           "  Data/Zv/Logbuch/Flugbuch.log, Data/Zv/Lifts/Lifts.lft\n"
           "                      Flugbuch und Aufwinddatenbank nach der automatischen\n"
           "                      Konfiguration; daneben ihre Sicherungskopien\n"
           "                      Flugbuch.bak und Lifts.bak und ihre Sperrdateien\n"
           "                      .Flugbuch.log.lock und .Lifts.lft.lock\n";
}

std::filesystem::path startDirectoryPath(std::string_view given,
                                         const std::filesystem::path& home) {
    if (given == "~") {
        return home;
    }
    if (given.starts_with("~/")) {
        return home / std::filesystem::path(given.substr(2));
    }
    return std::filesystem::path(given);
}

std::optional<std::string> enterStartDirectory(const std::filesystem::path& dir) {
    const std::string shown = "Das Startverzeichnis\n" + dir.string() + "\n";
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!error && !std::filesystem::is_directory(dir, error) && !error) {
        error = std::make_error_code(std::errc::file_exists);
    }
    if (error) {
        return shown + "lässt sich nicht anlegen: " + reasonText(error) + ".";
    }
    std::filesystem::current_path(dir, error);
    if (error) {
        return shown + "lässt sich nicht öffnen: " + reasonText(error) + ".";
    }
    return std::nullopt;
}

} // namespace zv
