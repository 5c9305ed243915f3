#include "link/transfer_chains.h"

#include "base/user_interface.h"
#include "formats/waypoint_converter.h"
#include "link/instrument_link.h"
#include "link/packet_payloads.h"

namespace zv {

namespace {

const char* const sentMessage = "Daten wurden übertragen";

// Reading needs no serial number: nothing is written.
constexpr int noSerialNumber = 0;

bool sendPackets(CInstrumentLink& link, UserInterface& ui, const char* success) {
    if (!link.sendPackets()) {
        return false;
    }
    ui.message(success, Icon::Information);
    return true;
}

} // namespace

bool sendWaypointFile(CInstrumentLink& link, UserInterface& ui, const std::filesystem::path& path) {
    CWaypointConverter converter(ui, noSerialNumber);
    return converter.readZvWaypointFile(path) &&
           encodeWaypoints(converter.zvWaypoints, link.packets(), ui) &&
           sendPackets(link, ui, sentMessage);
}

bool sendLiftFile(CInstrumentLink& link, UserInterface& ui, const std::filesystem::path& path) {
    CWaypointConverter converter(ui, noSerialNumber);
    converter.mode = LiftReadMode::Upload;
    return converter.readLiftFile(path) && encodeLifts(converter.zvWaypoints, link.packets(), ui) &&
           sendPackets(link, ui, sentMessage);
}

bool sendTakeoffFile(CInstrumentLink& link, UserInterface& ui, const std::filesystem::path& path) {
    CWaypointConverter converter(ui, noSerialNumber);
    return converter.readZvWaypointFile(path) &&
           encodeTakeoffSites(converter.zvWaypoints, link.packets(), ui) &&
           sendPackets(link, ui,
                       "Daten wurden übertragen.\nSchauen Sie in das Zv-Menü Startplätze,\nda das "
                       "Display nicht aktualisiert wird!");
}

bool sendLineFile(CInstrumentLink& link, UserInterface& ui, const std::filesystem::path& path) {
    CWaypointConverter converter(ui, noSerialNumber);
    return converter.readLineFile(path) && encodeLines(converter.zvWaypoints, link.packets(), ui) &&
           sendPackets(link, ui, sentMessage);
}

bool receiveTakeoffFile(CInstrumentLink& link, UserInterface& ui, int serialNumber,
                        const std::filesystem::path& path) {
    CWaypointConverter converter(ui, serialNumber);
    return link.receivePackets() &&
           decodeTakeoffSites(link.packets(), converter.oziWaypoints, ui) &&
           converter.writeTakeoffFile(path);
}

} // namespace zv
