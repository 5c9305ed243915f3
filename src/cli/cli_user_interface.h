#pragma once

// zv-cli's user: message boxes printed on standard output, questions answered by
// --yes/--no, file dialogs answered from the command line's arguments.

#include "base/user_interface.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

namespace zv::cli {

class CliUserInterface : public UserInterface {
public:
    // currentDir: where relative paths of the arguments start.
    CliUserInterface(std::ostream& out, std::ostream& err, std::filesystem::path currentDir);

    const std::filesystem::path& currentDir() const { return currentDir_; }

    // --yes: every question is answered with Yes or OK; otherwise with No or Cancel.
    void setAnswerYes(bool yes) { answerYes_ = yes; }
    // The answers of the file dialogs, in order.
    void setFileAnswers(std::deque<std::string> answers) { fileAnswers_ = std::move(answers); }
    // Whether the settings sheet counts as confirmed without change (the first start);
    // otherwise zv-cli never shows it and it counts as cancelled.
    void setSettingsSheetConfirms(bool confirms) { settingsSheetConfirms_ = confirms; }

    // Hooks of the other dialogs: a command fills the dialog data from its options.
    // Unset: the dialog counts as cancelled.
    std::function<bool(LiftExtractDialogData&)> liftExtractDialog;
    std::function<bool(InsertFlightDialogData&)> insertFlightDialog;
    std::function<bool(TimeSpanDialogData&)> timeSpanDialog;

    // Prints a message box; with an answer, as a question answered so.
    void show(const std::string& text, Icon icon, const Answer* answer);
    // A line on standard error that the window shows in its status bar (the map's tiles).
    void note(const std::string& text);

    void message(const std::string& text, Icon icon) override;
    Answer ask(const std::string& text, Icon icon, Buttons buttons) override;
    std::vector<std::filesystem::path> chooseFiles(const FileDialogRequest& request) override;
    void openDocument(const std::filesystem::path& path) override;
    void closeAllDocuments() override {}
    void beginWait() override {}
    void endWait() override {}
    void progressShow(const std::string& firstText, const std::string& secondText) override;
    void progressSetFirstText(const std::string& text) override;
    void progressSetSecondText(const std::string& text) override;
    void progressSetStep(int) override {}
    void progressSetRange(int) override {}
    void progressAdvance() override {}
    void progressClose() override {}
    bool runSettingsSheet(AppSettings& settings) override;
    bool runLiftExtractDialog(LiftExtractDialogData& data) override;
    bool runInsertFlightDialog(InsertFlightDialogData& data) override;
    bool runTimeSpanDialog(TimeSpanDialogData& data) override;
    // The reports' charts are drawn by "zv-cli chart", not beside the reports.
    void showFlightHoursChart(const FlightHoursTable&) override {}
    void showTakeoffSitesChart(const TakeoffSiteTable&) override {}

private:
    std::filesystem::path fromArgument(const std::string& argument,
                                       const FileDialogRequest& request) const;

    std::ostream& out_;
    std::ostream& err_;
    std::filesystem::path currentDir_;
    std::deque<std::string> fileAnswers_;
    bool answerYes_ = false;
    bool settingsSheetConfirms_ = false;
};

} // namespace zv::cli
