#pragma once

// CMainFrame: the main window with the menu of every command, the toolbar, the status bar
// and the document windows. It only hosts; the commands run on the settings record and the
// UserInterface port.

#include "app/command_table.h"
#include "base/app_settings.h"
#include "base/user_interface.h"
#include "platform/profile.h"

#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QFontDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace zv {

class CChildFrame;
class CZvView;
class FindReplaceDialog;
class MapWindow;
class LogbookTableWindow;
namespace charts {
class ChartWindow;
struct WindowChart;
} // namespace charts

// The state of the text windows that the profile keeps between runs.
struct WorkspaceState {
    FontRecord font;        // as now
    FontRecord fontAtStart; // as read at start
    PrintMargins margins;
    QStringList recentFiles;
};

// The dialog of "Set Font": monospaced fonts only, starting from the current font in
// its upright style unless that font is italic.
std::unique_ptr<QFontDialog> makeFontDialog(const QFont& current, QWidget* parent);

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // A command on the record and the port; the runner saves settings.ini when it changed.
    using Command = std::function<bool(AppSettings&, UserInterface&)>;
    using CommandRunner = std::function<bool(const Command&)>;

    // The menus and the toolbar come from the command table (app/command_table.h): its
    // functions run through the runner, the window's own commands are bound here.
    CMainFrame(AppSettings& settings, UserInterface& ui, CommandRunner runner,
               WorkspaceState workspace, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Gives a command of the table its operation (or takes it away with an empty one).
    void setHandler(CommandId id, std::function<void()> handler);

    // Opens a file as a document, or activates its window when it is open already.
    CChildFrame* openDocument(const QString& path);
    // Closes every document window; with `ask` a modified document asks to be saved first
    // and Cancel keeps that window open. Returns whether all are closed.
    bool closeAllDocuments(bool ask);

    // main_frame_map.cpp: "Ansicht" > "Karte" shows the file of the active text window on
    // the map, or asks for files. Files dropped on the window go on the map when they are
    // map files, into text windows otherwise.
    void showMap();
    void openDroppedFiles(const std::vector<std::filesystem::path>& paths);
    // The map window, made when it is first needed; null before.
    MapWindow* mapWindow() const;

    QList<CChildFrame*> documents() const;
    CChildFrame* activeDocument() const;
    QMdiArea* workspace() const { return mdi_; }
    const WorkspaceState& workspaceState() const { return workspace_; }
    // The settings record the commands work on.
    const AppSettings& settings() const { return settings_; }
    // The menu entry of a command; null for one only on the toolbar or keyboard.
    QAction* action(CommandId id) const;
    QToolBar* toolBar() const { return toolBar_; }

    // main_frame_logbook.cpp: the views of the logbook. "Übersicht" reads the main logbook
    // into the flight table; the charts beside the reports "Flugstunden" and "Startplätze";
    // a flight's data file, which a double click in the table asks for: its profile, and
    // its track on the map (showFlightOnMap).
    void showLogbookOverview();
    void showFlightHoursChart(const FlightHoursTable& table);
    void showTakeoffSitesChart(const TakeoffSiteTable& table);
    void showFlightData(const std::filesystem::path& path);
    void showFlightOnMap(const std::filesystem::path& path);
    // The windows shown; null before the first and after the pilot closed them.
    LogbookTableWindow* logbookTable() const;
    charts::ChartWindow* hoursChart() const;
    charts::ChartWindow* sitesChart() const;
    charts::ChartWindow* profileWindow(const std::filesystem::path& path) const;

    // Shows the form of the menu that fits and enables the commands that are available.
    void updateCommands();

    // Puts the window where the profile says, within the available screen, maximized if
    // it was; without a stored place, centred on the screen.
    void placeWindow(const std::optional<WindowPlacement>& placement);
    // Where the window is now, for the profile.
    WindowPlacement placement() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // main_frame.cpp: the operation of each entry of the table.
    std::function<void()> handlerOf(const CommandEntry& entry);
    std::function<void()> windowHandler(CommandId id);
    void runCommand(const Command& command);
    void launch(const std::filesystem::path& path);

    // main_frame_menus.cpp: menus, toolbar, recent files and the window list.
    void createMenusAndToolbar();
    void triggerCommand(CommandId id);
    void addRecentFile(const QString& path);
    void updateRecentFiles();
    void updateWindowMenu();

    // main_frame_status.cpp: the status bar with its key indicators.
    void createStatusBar();

    // main_frame_map.cpp
    MapWindow& openMapWindow();
    bool takeFileDrop(QObject* watched, QEvent* event);

    // main_frame_logbook.cpp: shows the charts in the window, a new one when there is none
    // shown.
    void showCharts(QPointer<charts::ChartWindow>& window, const QString& title,
                    std::vector<charts::WindowChart> shown, const std::filesystem::path& saveDir);
    void placeChartWindow(QWidget* window);

    // main_frame_documents.cpp: the document commands.
    void openAnyFile();
    void closeDocument();
    bool saveDocument(CChildFrame* frame);
    bool saveDocumentAs(CChildFrame* frame);
    bool writeDocument(CChildFrame* frame, const QString& path);
    void printDocument();
    void printPreview();
    void printerSetup();
    void pageSetup();
    void chooseFont();
    void showFind(bool replace);
    void documentCloseRequested(CChildFrame* frame, bool* accept);
    bool maybeSave(CChildFrame* frame);

    AppSettings& settings_;
    UserInterface& ui_;
    CommandRunner runner_;
    WorkspaceState workspace_;

    std::map<CommandId, std::function<void()>> handlers_; // empty: not available, greyed
    std::map<CommandId, QAction*> actions_;               // menu and keyboard actions
    std::map<CommandId, QAction*> toolbarActions_;        // toolbar buttons
    std::map<QString, QMenu*> menus_;                     // by menu path
    QMdiArea* mdi_;
    QToolBar* toolBar_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> windowListActions_;
    QLabel* capsLock_ = nullptr;
    QLabel* numLock_ = nullptr;
    QLabel* scrollLock_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    QPointer<LogbookTableWindow> logbookTable_;
    QPointer<charts::ChartWindow> hoursChart_;
    QPointer<charts::ChartWindow> sitesChart_;
    std::map<std::filesystem::path, QPointer<charts::ChartWindow>> profiles_;
    FindReplaceDialog* findDialog_ = nullptr;
    FindReplaceDialog* replaceDialog_ = nullptr;
    bool discardOnClose_ = false;
    QPointer<MapWindow> map_;
};

} // namespace zv
