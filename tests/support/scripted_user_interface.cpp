#include "support/scripted_user_interface.h"

namespace zv::test {

void ScriptedUserInterface::message(const std::string& text, Icon icon) {
    messages.push_back({text, icon, false, Answer::Ok});
}

Answer ScriptedUserInterface::ask(const std::string& text, Icon icon, Buttons buttons) {
    Answer answer = Answer::No;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    } else if (buttons == Buttons::Ok || buttons == Buttons::OkCancel) {
        answer = buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    messages.push_back({text, icon, true, answer});
    return answer;
}

std::vector<std::filesystem::path>
ScriptedUserInterface::chooseFiles(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileChoices.empty()) {
        return {};
    }
    auto choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
}

void ScriptedUserInterface::openDocument(const std::filesystem::path& path) {
    openedDocuments.push_back(path);
}

void ScriptedUserInterface::closeAllDocuments() {
    ++closeAllCalls;
}

void ScriptedUserInterface::beginWait() {
    ++waitDepth;
    if (waitDepth > maxWaitDepth) {
        maxWaitDepth = waitDepth;
    }
}

void ScriptedUserInterface::endWait() {
    --waitDepth;
}

void ScriptedUserInterface::progressShow(const std::string& firstText,
                                         const std::string& secondText) {
    progressOpen = true;
    progress.push_back("show:" + firstText + "|" + secondText);
}

void ScriptedUserInterface::progressSetFirstText(const std::string& text) {
    progress.push_back("first:" + text);
}

void ScriptedUserInterface::progressSetSecondText(const std::string& text) {
    progress.push_back("second:" + text);
}

void ScriptedUserInterface::progressSetStep(int step) {
    progress.push_back("step:" + std::to_string(step));
}

void ScriptedUserInterface::progressSetRange(int maximum) {
    progress.push_back("range:" + std::to_string(maximum));
}

void ScriptedUserInterface::progressAdvance() {
    progress.push_back("advance");
}

void ScriptedUserInterface::progressClose() {
    progressOpen = false;
    progress.push_back("close");
}

bool ScriptedUserInterface::runSettingsSheet(AppSettings& settings) {
    return settingsSheet ? settingsSheet(settings) : false;
}

bool ScriptedUserInterface::runLiftExtractDialog(LiftExtractDialogData& data) {
    return liftExtractDialog ? liftExtractDialog(data) : false;
}

bool ScriptedUserInterface::runInsertFlightDialog(InsertFlightDialogData& data) {
    return insertFlightDialog ? insertFlightDialog(data) : false;
}

bool ScriptedUserInterface::runTimeSpanDialog(TimeSpanDialogData& data) {
    return timeSpanDialog ? timeSpanDialog(data) : false;
}

void ScriptedUserInterface::showFlightHoursChart(const FlightHoursTable& table) {
    hoursCharts.push_back(table);
}

void ScriptedUserInterface::showTakeoffSitesChart(const TakeoffSiteTable& table) {
    siteCharts.push_back(table);
}

std::vector<std::string> ScriptedUserInterface::texts() const {
    std::vector<std::string> result;
    result.reserve(messages.size());
    for (const auto& shown : messages) {
        result.push_back(shown.text);
    }
    return result;
}

} // namespace zv::test
