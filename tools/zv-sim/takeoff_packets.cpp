#include "takeoff_packets.h"

#include "base/null_user_interface.h"
#include "formats/waypoint_converter.h"
#include "link/packet_payloads.h"

#include <cstdio>

namespace zv::sim {

namespace {

// zv-sim has no windows: the reader's messages go to standard error.
class StderrUserInterface : public NullUserInterface {
public:
    void message(const std::string& text, Icon) override {
        std::fprintf(stderr, "zv-sim: %s\n", text.c_str());
    }
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
