#pragma once

// The one way in which commands reach the user. The desktop program implements it with
// Qt windows, zv-cli with standard output and the command line, the tests with a script.
// Every text is UTF-8.

#include "base/dialog_data.h"
#include "base/evaluation_tables.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zv {

struct AppSettings;

enum class Icon { Information, Question, Exclamation, Stop };

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

enum class Answer { Ok, Cancel, Yes, No };

// A file dialog as the commands describe it. The filter is kept in the program's stored
// form, "Flugbuch (*.log) |*.log||"; each front end converts it for its own dialog.
struct FileDialogRequest {
    std::string title;
    std::string filter;           // empty: all files
    std::string defaultExtension; // without dot, empty: none
    std::filesystem::path initialDir;
    std::string initialName;
    bool mustExist = false;
    bool multiple = false;
    bool save = false;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A message box with an OK button.
    virtual void message(const std::string& text, Icon icon) = 0;
    // A message box with a choice of buttons; returns the button pressed.
    virtual Answer ask(const std::string& text, Icon icon, Buttons buttons) = 0;
    // The chosen paths, in the order the dialog returns them; empty when cancelled.
    virtual std::vector<std::filesystem::path> chooseFiles(const FileDialogRequest& request) = 0;

    // Shows a file as a text document (an open window of the same file is reused).
    virtual void openDocument(const std::filesystem::path& path) = 0;
    // Closes every text window; a modified document asks whether to save it first.
    virtual void closeAllDocuments() = 0;

    // The wait cursor while a long command runs; see WaitCursor below.
    virtual void beginWait() = 0;
    virtual void endWait() = 0;

    // The transfer progress window: two centred texts around a progress bar.
    virtual void progressShow(const std::string& firstText, const std::string& secondText) = 0;
    virtual void progressSetFirstText(const std::string& text) = 0;
    virtual void progressSetSecondText(const std::string& text) = 0;
    virtual void progressSetStep(int step) = 0;
    virtual void progressSetRange(int maximum) = 0; // minimum is 0, position back to 0
    virtual void progressAdvance() = 0;             // past the maximum it starts again at 0
    virtual void progressClose() = 0;

    // The modal dialogs, each on its own data; true when the user confirmed with OK.
    // The settings sheet edits the fourteen fields of the record it shows and changes
    // the record only when confirmed.
    virtual bool runSettingsSheet(AppSettings& settings) = 0;
    virtual bool runLiftExtractDialog(LiftExtractDialogData& data) = 0;
    virtual bool runInsertFlightDialog(InsertFlightDialogData& data) = 0;
    virtual bool runTimeSpanDialog(TimeSpanDialogData& data) = 0;

    // The charts beside the reports of flight hours and takeoff sites, of the numbers the
    // reports are written from; a front end without windows leaves them out.
    virtual void showFlightHoursChart(const FlightHoursTable& table) = 0;
    virtual void showTakeoffSitesChart(const TakeoffSiteTable& table) = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    explicit WaitCursor(UserInterface& ui) : ui_(ui) { ui_.beginWait(); }
    ~WaitCursor() { ui_.endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserInterface& ui_;
};

} // namespace zv
