#include "takeoff_packets.h"

#include "app/user_interface.h"
#include "formats/waypoint_converter.h"
#include "link/packet_payloads.h"

#include <cstdio>

namespace zv::sim {

namespace {

// zv-sim has no windows: the reader's messages go to standard error.
class StderrUserInterface : public UserInterface {
public:
    void message(const std::string& text, Icon) override {
        std::fprintf(stderr, "zv-sim: %s\n", text.c_str());
    }
    Answer ask(const std::string& text, Icon icon, Buttons) override {
        message(text, icon);
        return Answer::No;
    }
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
};

} // namespace

bool takeoffPacketsOf(const std::string& path, std::vector<TransferPacket>& packets) {
    StderrUserInterface ui;
    CWaypointConverter converter(ui, 0);
    if (!converter.readZvWaypointFile(path)) {
        return false;
    }
    // The instrument keeps at most 10 sites; zv-sim sends what the file holds, so that zv's
    // side can be tried with more.
    for (const auto& site : converter.zvWaypoints) {
        packets.push_back(takeoffPacket(site));
    }
    return true;
}

} // namespace zv::sim
