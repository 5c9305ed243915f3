#pragma once

// The payloads of the transfer packets: waypoints, takeoff sites, lifts and lines made
// into packets for an upload, and the packets of a takeoff-site download made back into
// takeoff sites. Positions travel in 1/6000 degree (1/100 minute of arc) as 24-bit
// two's-complement numbers, least significant byte first.

#include "formats/waypoint.h"
#include "link/instrument_link.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>

namespace zv {

class UserInterface;

// The instrument takes at most this many takeoff sites.
inline constexpr std::size_t maxTakeoffSites = 10;

// Signed decimal degrees in 1/6000 degree: the product is held as float and rounded
// with halves away from zero.
std::int32_t encodeCoordinate(float decimalDegrees);
// A received 24-bit coordinate, sign-extended.
std::int32_t decodeCoordinate(const TransferPacket& packet, std::size_t first);

// The instrument's symbol code of a SIGN text (exact comparison; 0 for any other text).
std::uint8_t symbolCode(std::string_view sign);

// One packet per record, with tag, record type, checksum and CR LF. The records hold
// signed decimal degrees, as the instrument readers (and the lift reader in Upload mode)
// deliver them.
TransferPacket waypointPacket(const Waypoint& point);
TransferPacket takeoffPacket(const Waypoint& site);
TransferPacket liftPacket(const Waypoint& lift);
TransferPacket linePacket(const Waypoint& point);

// A received takeoff-site packet as a record in degrees-and-minutes form.
Waypoint decodeTakeoffPacket(const TransferPacket& packet);

// The encoders append one packet per record to `packets`; with nothing to send (or more
// takeoff sites than the instrument takes) they show the reason and append nothing.
bool encodeWaypoints(const WaypointList& points, std::deque<TransferPacket>& packets,
                     UserInterface& ui);
bool encodeTakeoffSites(const WaypointList& sites, std::deque<TransferPacket>& packets,
                        UserInterface& ui);
bool encodeLifts(const WaypointList& lifts, std::deque<TransferPacket>& packets, UserInterface& ui);
bool encodeLines(const WaypointList& points, std::deque<TransferPacket>& packets,
                 UserInterface& ui);

// Appends one takeoff site per received packet to `sites`, releasing the packets; with
// no packets it shows "Keine Startplätze gefunden!" and returns false.
bool decodeTakeoffSites(std::deque<TransferPacket>& packets, WaypointList& sites,
                        UserInterface& ui);

} // namespace zv
