#pragma once

// A user who sees nothing and answers every question with No: the fuzz targets and
// benchmarks run readers and commands without showing their messages.

#include "base/user_interface.h"

namespace zv {

class NullUserInterface : public UserInterface {
public:
    void message(const std::string&, Icon) override {}
    Answer ask(const std::string&, Icon, Buttons) override { return Answer::No; }
    std::vector<std::filesystem::path> chooseFiles(const FileDialogRequest&) override { return {}; }
    void openDocument(const std::filesystem::path&) override {}
    void closeAllDocuments() override {}
    void beginWait() override {}
    void endWait() override {}
    void progressShow(const std::string&, const std::string&) override {}
    void progressSetFirstText(const std::string&) override {}
    void progressSetSecondText(const std::string&) override {}
    void progressSetStep(int) override {}
    void progressSetRange(int) override {}
    void progressAdvance() override {}
    void progressClose() override {}
    bool runSettingsSheet(AppSettings&) override { return false; }
    bool runLiftExtractDialog(LiftExtractDialogData&) override { return false; }
    bool runInsertFlightDialog(InsertFlightDialogData&) override { return false; }
    bool runTimeSpanDialog(TimeSpanDialogData&) override { return false; }
    void showFlightHoursChart(const FlightHoursTable&) override {}
    void showTakeoffSitesChart(const TakeoffSiteTable&) override {}
};

} // namespace zv
