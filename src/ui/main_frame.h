#pragma once

// CMainFrame: the main window with the menu of every command, the toolbar, the status bar
// and the document windows. It only hosts; the commands run on the settings record and the
// UserInterface port.

#include "base/app_settings.h"
#include "base/user_interface.h"
#include "platform/profile.h"

#include <QMainWindow>
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

    // When a command becomes available, and in which form of the menu it is shown.
    enum class Form { Always, Document };
    enum class Enable { Always, LogbookFlag, LiftDbFlag, Never };

    struct CommandEntry {
        const char* name;              // object name of the action
        const char* menuPath;          // "|" between the levels; empty: toolbar only
        const char* prompt;            // status bar text, "\n", toolbar tip
        const char* shortcut;          // portable key text, empty: none
        std::function<void()> handler; // empty: not yet available, greyed
        Form form = Form::Always;
        Enable enable = Enable::Always;
    };

    CMainFrame(AppSettings& settings, UserInterface& ui, CommandRunner runner,
               WorkspaceState workspace, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The frame's own commands need these; the default is the port itself.
    void setSettingsCommand(std::function<void()> command);
    void setSelectPortCommand(std::function<void(int)> command);
    // Gives a command of the table its operation (or takes it away with an empty one).
    void setHandler(const QString& name, std::function<void()> handler);

    // Opens a file as a document, or activates its window when it is open already.
    CChildFrame* openDocument(const QString& path);
    // Closes every document window; with `ask` a modified document asks to be saved first
    // and Cancel keeps that window open. Returns whether all are closed.
    bool closeAllDocuments(bool ask);

    QList<CChildFrame*> documents() const;
    CChildFrame* activeDocument() const;
    QMdiArea* workspace() const { return mdi_; }
    const WorkspaceState& workspaceState() const { return workspace_; }
    // The settings record the commands work on.
    const AppSettings& settings() const { return settings_; }
    QAction* action(const QString& name) const;
    QMenu* topMenu(const QString& text) const;
    QToolBar* toolBar() const { return toolBar_; }
    const std::vector<CommandEntry>& commandTable() const { return table_; }

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
    std::vector<CommandEntry> buildTable();
    void createMenusAndToolbar();
    void createStatusBar();
    void runCommand(const Command& command);

    // The document commands.
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
    void addRecentFile(const QString& path);
    void updateRecentFiles();
    void updateWindowMenu();
    void launch(const std::string& path);

    AppSettings& settings_;
    UserInterface& ui_;
    CommandRunner runner_;
    WorkspaceState workspace_;
    std::function<void()> settingsCommand_;
    std::function<void(int)> selectPortCommand_;

    std::vector<CommandEntry> table_;
    std::map<QString, QAction*> actions_;        // menu actions by name
    std::map<QString, QAction*> toolbarActions_; // toolbar buttons by name
    std::map<QString, QMenu*> menus_;            // by menu path
    QMdiArea* mdi_;
    QToolBar* toolBar_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> windowListActions_;
    QLabel* capsLock_ = nullptr;
    QLabel* numLock_ = nullptr;
    QLabel* scrollLock_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    FindReplaceDialog* findDialog_ = nullptr;
    FindReplaceDialog* replaceDialog_ = nullptr;
    bool discardOnClose_ = false;
};

} // namespace zv
