#include "app/command_table.h"

#include "app/command_enable.h"
#include "app/settings_startup.h"
#include "base/app_settings.h"
#include "conversions/exchange_commands.h"
#include "conversions/lines_conversion.h"
#include "conversions/takeoff_conversions.h"
#include "conversions/track_batch.h"
#include "conversions/waypoint_batch.h"
#include "lifts/lift_database.h"
#include "lifts/lift_extraction.h"
#include "lifts/lift_map_export.h"
#include "link/download_commands.h"
#include "link/transfer_commands.h"
#include "logbook/flight_assignment.h"
#include "logbook/logbook_commands.h"

#include <algorithm>
#include <stdexcept>

namespace zv {

namespace {

// A command that only reads the record.
template <bool (*Command)(const AppSettings&, UserInterface&)>
bool reading(AppSettings& settings, UserInterface& ui) {
    return Command(settings, ui);
}

// "Datei" > "Öffnen..." > one kind of file.
template <OpenFileKind Kind> bool openFiles(AppSettings& settings, UserInterface& ui) {
    return commandOpenFiles(Kind, settings, ui);
}

// "Zirrova" > "Port" > "COM1" (port 0) or "COM2" (port 1).
template <int Port> bool selectPort(AppSettings& settings, UserInterface&) {
    settings.comPort = Port;
    return true;
}

using Id = CommandId;
constexpr CommandKind headless = CommandKind::Headless;
constexpr CommandKind interactive = CommandKind::Interactive;
constexpr CommandKind window = CommandKind::Window;
constexpr CommandForm always = CommandForm::Always;
constexpr CommandForm document = CommandForm::Document;

constexpr CommandEntry separator(const char* menuPath, CommandForm form = CommandForm::Always) {
    return {Id::Separator, CommandKind::Separator, "", menuPath, "", "", {}, form};
}

const CommandEntry table[] = {
    // "&Datei"
    {Id::OpenLogbook, interactive, "openLogbook", "&Datei|Ö&ffnen...\tStrg+O|&Flugbuch",
     "Das Flugbuch öffnen\nFlugbuch öffnen", "", openFiles<OpenFileKind::Logbook>},
    {Id::OpenZvWaypoints, interactive, "openZvWaypoints", "&Datei|Ö&ffnen...\tStrg+O|&Zv Wegpunkte",
     "Zv Wegpunktedatei öffnen", "", openFiles<OpenFileKind::ZvWaypoints>},
    {Id::OpenOziWaypoints, interactive, "openOziWaypoints",
     "&Datei|Ö&ffnen...\tStrg+O|&Ozi Wegpunkte", "Ozi Wegpunkte Datei öffnen", "",
     openFiles<OpenFileKind::OziWaypoints>},
    {Id::OpenLifts, interactive, "openLifts", "&Datei|Ö&ffnen...\tStrg+O|&Aufwinde",
     "Aufwind Datei öffnen", "", openFiles<OpenFileKind::Lifts>},
    {Id::OpenTakeoffs, interactive, "openTakeoffs", "&Datei|Ö&ffnen...\tStrg+O|&Startplätze",
     "Startplatz Datei öffnen", "", openFiles<OpenFileKind::Takeoffs>},
    {Id::OpenLines, interactive, "openLines", "&Datei|Ö&ffnen...\tStrg+O|&Lines",
     "Line Datei öffnen", "", openFiles<OpenFileKind::Lines>},
    {Id::Close,
     window,
     "close",
     "&Datei|&Schließen",
     "Schließt das aktive Dokument.\nSchließen",
     "",
     {},
     document},
    {Id::Save,
     window,
     "save",
     "&Datei|S&peichern\tStrg+S",
     "Speichert das aktive Dokument.\nSpeichern",
     "Ctrl+S",
     {},
     document},
    {Id::SaveAs,
     window,
     "saveAs",
     "&Datei|Speichern &unter...",
     "Speichert das aktive Dokument unter neuem Namen.\nSpeichern unter",
     "",
     {},
     document},
    separator("&Datei|-"),
    {Id::Print,
     window,
     "print",
     "&Datei|&Drucken...\tStrg+P",
     "Druckt das aktive Dokument.\nDrucken",
     "Ctrl+P",
     {},
     document},
    {Id::PrintPreview,
     window,
     "printPreview",
     "&Datei|Sei&tenansicht",
     "Zeigt ganze Seiten an.\nSeitenansicht",
     "",
     {},
     document},
    {Id::PrintSetup, window, "printSetup", "&Datei|Drucker&einrichtung...",
     "Ändert den Drucker und die Druckoptionen.\nDruckereinrichtung", ""},
    {Id::PageSetup,
     window,
     "pageSetup",
     "&Datei|Seite ein&richten",
     "Drucklayout festlegen",
     "",
     {},
     document},
    separator("&Datei|-"),
    {Id::RecentFile, window, "recentFile", "&Datei|Letzte Datei", "Öffnet dieses Dokument.", ""},
    separator("&Datei|-"),
    {Id::Exit, window, "exit", "&Datei|&Beenden",
     "Verläßt die Anwendung; fragt, ob Dokumente gespeichert werden sollen.\nBeenden", ""},
    // "&Bearbeiten"
    {Id::Undo,
     window,
     "undo",
     "&Bearbeiten|&Rückgängig\tStrg+Z",
     "Macht die letzte Aktion rückgängig.\nRückgängig",
     "Ctrl+Z;Alt+Backspace",
     {},
     document},
    separator("&Bearbeiten|-", document),
    {Id::Cut,
     window,
     "cut",
     "&Bearbeiten|&Ausschneiden\tStrg+X",
     "Schneidet die Markierung aus und legt sie in die Zwischenablage.\nAusschneiden",
     "Ctrl+X;Shift+Del",
     {},
     document},
    {Id::Copy,
     window,
     "copy",
     "&Bearbeiten|&Kopieren\tStrg+C",
     "Kopiert die Markierung und legt sie in die Zwischenablage.\nKopieren",
     "Ctrl+C;Ctrl+Ins",
     {},
     document},
    {Id::Paste,
     window,
     "paste",
     "&Bearbeiten|E&infügen\tStrg+V",
     "Fügt den Inhalt der Zwischenablage ein.\nEinfügen",
     "Ctrl+V;Shift+Ins",
     {},
     document},
    separator("&Bearbeiten|-", document),
    {Id::Find,
     window,
     "find",
     "&Bearbeiten|Suchen\tStrg+F",
     "Sucht den angegebenen Text.\nSuchen",
     "Ctrl+F",
     {},
     document},
    {Id::Replace,
     window,
     "replace",
     "&Bearbeiten|Ersetzen\tStrg+R",
     "Ersetzt bestimmten Text durch anderen Text.\nErsetzen",
     "Ctrl+R",
     {},
     document},
    // "&Tools"
    {Id::ZvToOzi, headless, "zvToOzi", "&Tools|&Konvertieren|&Wegpunkte|&Zv->Ozi",
     "Konvertierung von Zv-Wegpunkten in Ozi-Wegpunkte\nZv-Wegpunkte konvertieren", "",
     reading<commandZvToOzi>},
    {Id::OziToZv, headless, "oziToZv", "&Tools|&Konvertieren|&Wegpunkte|&Ozi->Zv",
     "Konvertierung von Ozi-Wegpunkten in Zv-Wegpunkte\nOzi-Wegpunkte konvertieren", "",
     reading<commandOziToZv>},
    {Id::FlightToTracks, headless, "flightToTracks", "&Tools|&Konvertieren|&Flug->Tracks",
     "Generiert Ozi-Track-Dateien\nTracks erzeugen", "", reading<commandFlightsToTracks>},
    {Id::LiftsToWpt, headless, "liftsToWpt", "&Tools|&Konvertieren|&Lifts->Wpt",
     "Eine Aufwind-Datei in Ozi-Wegpunkte umwandeln", "", reading<commandLiftsToWpt>},
    {Id::OziToTof, headless, "oziToTof", "&Tools|&Konvertieren|&Startplätze|Ozi->Tof",
     "Konvertierung von Ozi-Wegpunkte in Startplätze", "", reading<commandOziToTakeoff>},
    {Id::TofToOzi, headless, "tofToOzi", "&Tools|&Konvertieren|&Startplätze|Tof->Ozi",
     "Konvertierung von Startplätzen in Ozi-Wegpunkte", "", reading<commandTakeoffToOzi>},
    {Id::WptToLines, headless, "wptToLines", "&Tools|&Konvertieren|Wpt->Lines",
     "Eine Ozi-Wegpunktedatei in Lines umwandeln", "", reading<commandWptToLines>},
    {Id::ExportGpx, headless, "exportGpx", "&Tools|&Exportieren|&GPX…",
     "Wegpunkte, Startplätze, Aufwinde oder einen Flug als GPX-Datei speichern", "",
     reading<commandExportGpx>},
    {Id::ExportKml, headless, "exportKml", "&Tools|&Exportieren|&KML…",
     "Wegpunkte, Startplätze, Aufwinde oder einen Flug als KML-Datei speichern", "",
     reading<commandExportKml>},
    {Id::ImportWaypoints, headless, "importWaypoints", "&Tools|&Importieren…",
     "Wegpunkte aus einer GPX-, KML-, SeeYou- oder OziExplorer-Datei übernehmen", "",
     reading<commandImportWaypoints>},
    // A view that only reads the logbook: available also while the logbook is edited.
    {Id::LogbookOverview, window, "logbookOverview", "&Tools|&Flugbuch |&Übersicht",
     "Zeigt die Flüge des Flugbuchs als Tabelle mit Summen\nFlugbuch-Übersicht", ""},
    {Id::LogbookAppend, headless, "logbookAppend", "&Tools|&Flugbuch |&erweitern",
     "Log-Dateien an Flugbuch anhängen", "", reading<commandExtendLogbook>, always,
     CommandEnable::LogbookFlag},
    {Id::LogbookRestore, headless, "logbookRestore", "&Tools|&Flugbuch |&wiederherstellen",
     "Schreibt die Sicherungskopie zurück", "", reading<commandRestoreLogbook>, always,
     CommandEnable::LogbookFlag},
    {Id::LogbookInsert, headless, "logbookInsert", "&Tools|&Flugbuch |&Flug einfügen",
     "Flug manuell in das Flugbuch einfügen", "", reading<commandInsertFlight>, always,
     CommandEnable::LogbookFlag},
    {Id::StatsHours, headless, "statsHours", "&Tools|&Flugbuch |&Statistik|&Flugstunden",
     "Ermittelt die monatlichen Flugstunden", "", reading<commandFlightHours>},
    {Id::StatsSites, headless, "statsSites", "&Tools|&Flugbuch |&Statistik|&Startplätze",
     "Ermittelt die Flugstunden in Fluggebieten", "", reading<commandTakeoffSites>},
    {Id::AssignFlights, headless, "assignFlights", "&Tools|&Flugbuch |&Flugdaten zuordnen",
     "Zuordnung von Flugnummern im Logbuch und zvc-Dateien", "", reading<commandAssignFlightData>},
    {Id::LiftDbAppend, headless, "liftDbAppend", "&Tools|&Aufwinddatenbank|&erweitern",
     "Aufwind-Dateien an die Datenbank anhängen", "", reading<commandAppendLiftFile>, always,
     CommandEnable::LiftDbFlag},
    {Id::LiftDbRestore, headless, "liftDbRestore", "&Tools|&Aufwinddatenbank|&wiederherstellen",
     "Schreibt die Sicherungskopie der Aufwinddatenbank zurück", "",
     reading<commandRestoreLiftDatabase>, always, CommandEnable::LiftDbFlag},
    {Id::LiftDbExtract, headless, "liftDbExtract", "&Tools|&Aufwinddatenbank|e&xtrahieren",
     "Erzeugen einer Aufwind-Datei mit ausgewählten Datensätzen", "", commandExtractLifts},
    separator("&Tools|-"),
    {Id::OziExplorer, window, "oziExplorer", "&Tools|&OziExplorer",
     "OziExplorer aufrufen\nOziExplorer", ""},
    {Id::ZvView, window, "zvView", "&Tools|&ZVView", "ZVView aufrufen\nZVView", ""},
    // "Zirrova"
    {Id::Com1, headless, "com1", "Zirrova|&Port|COM&1", "COM Port 1 setzen", "", selectPort<0>},
    {Id::Com2, headless, "com2", "Zirrova|&Port|COM&2", "COM Port 2 setzen", "", selectPort<1>},
    {Id::ReceiveLogbook, headless, "receiveLogbook", "Zirrova|&empfangen|&Logbuch",
     "Logbuch vom Zirrova laden", "", commandReceiveLogbook},
    {Id::ReceiveLifts, headless, "receiveLifts", "Zirrova|&empfangen|&Aufwinde",
     "Aufwinde vom Zirrova übertragen", "", commandReceiveLifts},
    {Id::ReceiveWaypoints, headless, "receiveWaypoints", "Zirrova|&empfangen|&Wegpunkte",
     "Wegpunkte vom Zirrova übertragen", "", commandReceiveWaypoints},
    {Id::ReceiveRoutes, headless, "receiveRoutes", "Zirrova|&empfangen|&Routen",
     "Routen vom Zirrova übertragen", "", commandReceiveRoutes},
    {Id::ReceiveTakeoffs, headless, "receiveTakeoffs", "Zirrova|&empfangen|&Startplätze",
     "Statplätze vom Zirrova laden", "", commandReceiveTakeoffs},
    {Id::ReceiveFlight, headless, "receiveFlight", "Zirrova|&empfangen|&Flug",
     "Flug vom Zirrova übertragen", "", commandReceiveFlight},
    {Id::SendLifts, headless, "sendLifts", "Zirrova|&senden|&Aufwinde", "Lifts zum Zirrova senden",
     "", commandSendLifts},
    {Id::SendWaypoints, headless, "sendWaypoints", "Zirrova|&senden|&Wegpunkte",
     "Wegpunkte zum Zirrova senden", "", commandSendWaypoints},
    // The instrument takes no routes: shown, never available.
    {Id::SendRoutes,
     window,
     "sendRoutes",
     "Zirrova|&senden|&Routen",
     "Routen zum Zirrova senden",
     "",
     {},
     always,
     CommandEnable::Never},
    {Id::SendTakeoffs, headless, "sendTakeoffs", "Zirrova|&senden|&Startplätze",
     "Startplätze zum Zirrova senden", "", commandSendTakeoffs},
    {Id::SendLines, headless, "sendLines", "Zirrova|&senden|&Lines", "Lines zum Zirrova übertragen",
     "", commandSendLines},
    // "&Einstellungen"
    {Id::Settings, interactive, "settings", "&Einstellungen", "Einstellungen ändern", "",
     runSettingsCommand},
    // "&Ansicht"
    {Id::ViewToolbar, window, "viewToolbar", "&Ansicht|&Symbolleiste",
     "Blendet die Symbolleiste ein oder aus.\nSymbolleiste", ""},
    {Id::ViewStatusBar, window, "viewStatusBar", "&Ansicht|S&tatusleiste",
     "Blendet die Statusleiste ein oder aus.\nStatusleiste", ""},
    {Id::Map, CommandKind::View, "map", "&Ansicht|&Karte",
     "Zeigt die Datei des aktiven Fensters oder gewählte Dateien auf der Karte.\nKarte", ""},
    {Id::SetFont, window, "setFont", "&Ansicht|Set &Font", "Font auswählen", "", {}, document},
    // "&Fenster"
    {Id::Cascade,
     window,
     "cascade",
     "&Fenster|Über&lappend",
     "Ordnet die Fenster überlappend an.\nÜberlappend",
     "",
     {},
     document},
    {Id::Tile,
     window,
     "tile",
     "&Fenster|&Nebeneinander",
     "Ordnet die Fenster nebeneinander an.\nNebeneinander",
     "",
     {},
     document},
    {Id::ArrangeIcons,
     window,
     "arrangeIcons",
     "&Fenster|&Symbole anordnen",
     "Ordnet die Symbole am unteren Fensterrand an.\nSymbole anordnen",
     "",
     {},
     document},
    // "&?"
    {Id::HelpTopics, window, "helpTopics", "&?|&Hilfethemen",
     "Listet die Hilfethemen auf.\nHilfethemen", "F1"},
    separator("&?|-"),
    {Id::About, window, "about", "&?|Inf&o über zv...",
     "Zeigt Programminformationen und die Versionsnummer an.\nInfo", ""},
    // Only on the toolbar or the keyboard.
    {Id::ContextHelp, window, "contextHelp", "",
     "Zeigt Hilfe zu angeklickten Schaltflächen, Menüs und Fenstern an.\nHilfe", "Shift+F1"},
    {Id::FileManager, window, "fileManager", "", "WindowsExplorer aufrufen\nWindowsExplorer", ""},
    {Id::OpenAny, window, "openAny", "", "Öffnet ein vorhandenes Dokument.\nÖffnen", "Ctrl+O"},
    {Id::NextPane, window, "nextPane", "", "Wechselt zum nächsten Fenster.", "F6"},
    {Id::PreviousPane, window, "previousPane", "", "Wechselt zum vorherigen Fenster.", "Shift+F6"},
};

const CommandId toolbar[] = {
    Id::Save,           Id::Separator,   Id::Cut,         Id::Copy,
    Id::Paste,          Id::Separator,   Id::Print,       Id::Separator,
    Id::About,          Id::ContextHelp, Id::ZvToOzi,     Id::OziToZv,
    Id::FlightToTracks, Id::OpenLogbook, Id::OziExplorer, Id::Map,
    Id::FileManager,    Id::ZvView,
};

// One level of a menu path without its mnemonic, shortcut text and trailing blanks.
std::string readableLevel(std::string level) {
    level = level.substr(0, level.find('\t'));
    std::erase(level, '&');
    while (!level.empty() && level.back() == ' ') {
        level.pop_back();
    }
    return level;
}

std::vector<std::string> readableLevels(const char* menuPath) {
    std::vector<std::string> levels;
    std::string path = menuPath;
    for (std::size_t start = 0;;) {
        const std::size_t bar = path.find('|', start);
        levels.push_back(readableLevel(path.substr(start, bar - start)));
        if (bar == std::string::npos) {
            return levels;
        }
        start = bar + 1;
    }
}

} // namespace

std::span<const CommandEntry> commandTable() {
    return table;
}

const CommandEntry& commandEntry(CommandId id) {
    const auto found = std::find_if(std::begin(table), std::end(table),
                                    [id](const CommandEntry& entry) { return entry.id == id; });
    if (id == CommandId::Separator || found == std::end(table)) {
        throw std::logic_error("no command table entry");
    }
    return *found;
}

bool commandAllowed(const CommandEntry& entry, const AppSettings& settings) {
    switch (entry.enable) {
    case CommandEnable::Always:
        return true;
    case CommandEnable::LogbookFlag:
        return settings.logbookCommandsEnabled;
    case CommandEnable::LiftDbFlag:
        return settings.liftDbCommandsEnabled;
    case CommandEnable::Never:
        return false;
    }
    return false;
}

std::string displayedMenuPath(const std::vector<CommandId>& ids) {
    std::string shown;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        std::vector<std::string> levels = readableLevels(commandEntry(ids[i]).menuPath);
        if (i == 0) {
            for (std::size_t level = 0; level + 1 < levels.size(); ++level) {
                shown += levels[level] + " > ";
            }
        } else {
            shown += " / ";
        }
        shown += levels.back();
    }
    return shown;
}

std::span<const CommandId> toolbarOrder() {
    return toolbar;
}

} // namespace zv
