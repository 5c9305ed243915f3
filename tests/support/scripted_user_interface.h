#pragma once

// The user of the unit tests: answers come from queues, and everything the command
// showed is recorded in order.

#include "base/app_settings.h"
#include "base/user_interface.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zv::test {

struct ShownMessage {
    std::string text;
    Icon icon;
    bool question = false; // shown with ask()
    Answer answer = Answer::Ok;
};

class ScriptedUserInterface : public UserInterface {
public:
    // Answers to ask(), in order; when the queue is empty, questions get No (or Cancel).
    std::deque<Answer> answers;
    // Answers to the file dialogs, in order; an empty entry, or an empty queue, cancels.
    std::deque<std::vector<std::filesystem::path>> fileChoices;
    // The dialogs: each may change the data and returns whether the user confirmed.
    // Unset: the dialog is cancelled.
    std::function<bool(AppSettings&)> settingsSheet;
    std::function<bool(LiftExtractDialogData&)> liftExtractDialog;
    std::function<bool(InsertFlightDialogData&)> insertFlightDialog;
    std::function<bool(TimeSpanDialogData&)> timeSpanDialog;

    // What the command showed.
    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::filesystem::path> openedDocuments;
    int closeAllCalls = 0;
    int waitDepth = 0;
    int maxWaitDepth = 0;
    // The progress window as a log of calls, e.g. "show:A|B", "second:C", "advance".
    std::vector<std::string> progress;
    bool progressOpen = false;
    // The charts shown beside the reports.
    std::vector<FlightHoursTable> hoursCharts;
    std::vector<TakeoffSiteTable> siteCharts;

    void message(const std::string& text, Icon icon) override;
    Answer ask(const std::string& text, Icon icon, Buttons buttons) override;
    std::vector<std::filesystem::path> chooseFiles(const FileDialogRequest& request) override;
    void openDocument(const std::filesystem::path& path) override;
    void closeAllDocuments() override;
    void beginWait() override;
    void endWait() override;
    void progressShow(const std::string& firstText, const std::string& secondText) override;
    void progressSetFirstText(const std::string& text) override;
    void progressSetSecondText(const std::string& text) override;
    void progressSetStep(int step) override;
    void progressSetRange(int maximum) override;
    void progressAdvance() override;
    void progressClose() override;
    bool runSettingsSheet(AppSettings& settings) override;
    bool runLiftExtractDialog(LiftExtractDialogData& data) override;
    bool runInsertFlightDialog(InsertFlightDialogData& data) override;
    bool runTimeSpanDialog(TimeSpanDialogData& data) override;
    void showFlightHoursChart(const FlightHoursTable& table) override;
    void showTakeoffSitesChart(const TakeoffSiteTable& table) override;

    // The texts of all messages and questions, in order.
    std::vector<std::string> texts() const;
};

} // namespace zv::test
