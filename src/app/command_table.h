#pragma once

// The one table of zv's menu commands: for each its id, where the menu shows it, its
// status-bar prompt, its shortcut, when it is available and the function that runs it.
// The main frame builds its menus from the table in the table's order; zv-cli's
// sub-commands name the entries they run and show their menu paths.

#include <span>
#include <string>
#include <vector>

namespace zv {

struct AppSettings;
class SerialPort;
class UserInterface;

enum class CommandId {
    // Datei
    OpenLogbook,
    OpenZvWaypoints,
    OpenOziWaypoints,
    OpenLifts,
    OpenTakeoffs,
    OpenLines,
    Close,
    Save,
    SaveAs,
    Print,
    PrintPreview,
    PrintSetup,
    PageSetup,
    RecentFile,
    Exit,
    // Bearbeiten
    Undo,
    Cut,
    Copy,
    Paste,
    Find,
    Replace,
    // Tools
    ZvToOzi,
    OziToZv,
    FlightToTracks,
    LiftsToWpt,
    OziToTof,
    TofToOzi,
    WptToLines,
    ExportGpx,
    ExportKml,
    ImportWaypoints,
    LogbookOverview,
    LogbookAppend,
    LogbookRestore,
    LogbookInsert,
    StatsHours,
    StatsSites,
    AssignFlights,
    LiftDbAppend,
    LiftDbRestore,
    LiftDbExtract,
    OziExplorer,
    ZvView,
    // Zirrova
    Com1,
    Com2,
    ReceiveLogbook,
    ReceiveLifts,
    ReceiveWaypoints,
    ReceiveRoutes,
    ReceiveTakeoffs,
    ReceiveFlight,
    SendLifts,
    SendWaypoints,
    SendRoutes,
    SendTakeoffs,
    SendLines,
    // Einstellungen
    Settings,
    // Ansicht
    ViewToolbar,
    ViewStatusBar,
    Map,
    SetFont,
    // Fenster
    Cascade,
    Tile,
    ArrangeIcons,
    // ?
    HelpTopics,
    About,
    // Only on the toolbar or the keyboard.
    ContextHelp,
    FileManager,
    OpenAny,
    NextPane,
    PreviousPane,
    // A separator line of a menu; not a command.
    Separator,
};

enum class CommandKind {
    Headless,    // runs the table's function; the menu and a zv-cli sub-command call it
    Interactive, // runs the table's function, which needs the windows (file dialogs that
                 // open text windows, the settings sheet): menu only
    Window,      // no function here: the main frame binds it (document editing, printing,
                 // window arrangement, view toggles, help, launching programs)
    View,        // a window that shows files (the map): the main frame binds it, and a zv-cli
                 // sub-command paints the same view into a picture
    Separator,
};

// In which form of the menu an entry is shown: always, or only while a document is open.
enum class CommandForm { Always, Document };
// When an entry is available, beyond having an operation.
enum class CommandEnable { Always, LogbookFlag, LiftDbFlag, Never };

// A command on the settings record and the user interface; true on success.
using RecordCommand = bool (*)(AppSettings&, UserInterface&);
// A transfer on the serial line of the chosen port.
using LineCommand = bool (*)(const AppSettings&, UserInterface&, SerialPort&);

// What runs a command: a function on the record, or a transfer on the serial line.
struct CommandFunction {
    RecordCommand onRecord = nullptr;
    LineCommand onLine = nullptr;

    constexpr CommandFunction() = default;
    constexpr CommandFunction(RecordCommand command) : onRecord(command) {}
    constexpr CommandFunction(LineCommand command) : onLine(command) {}
    explicit operator bool() const { return onRecord != nullptr || onLine != nullptr; }
};

struct CommandEntry {
    CommandId id;
    CommandKind kind;
    const char* name;              // stable object name of the menu action
    const char* menuPath;          // "|" between the levels, "\t" before the shortcut text, "-" a
                                   // separator; empty: toolbar or keyboard only
    const char* prompt;            // status bar text, "\n", toolbar tip
    const char* shortcut;          // portable key texts separated by ";", empty: none
    CommandFunction function = {}; // Headless and Interactive entries only
    CommandForm form = CommandForm::Always;
    CommandEnable enable = CommandEnable::Always;
};

// Every entry in the order of the menus.
std::span<const CommandEntry> commandTable();
// The entry of a command (not of Separator).
const CommandEntry& commandEntry(CommandId id);

// Whether the entry's rule lets it run with these settings (the form is the frame's).
bool commandAllowed(const CommandEntry& entry, const AppSettings& settings);

// The menu path as a pilot reads it: "&Tools|&Konvertieren|&Wegpunkte|&Zv->Ozi" is
// "Tools > Konvertieren > Wegpunkte > Zv->Ozi". Several commands of one menu show as one
// path with their entries joined: "Zirrova > Port > COM1 / COM2".
std::string displayedMenuPath(const std::vector<CommandId>& ids);

// The toolbar from left to right; Separator is a gap.
std::span<const CommandId> toolbarOrder();

} // namespace zv
