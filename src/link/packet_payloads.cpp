#include "link/packet_payloads.h"

#include "base/user_interface.h"
#include "formats/instrument_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <string>

namespace zv {

namespace {

// The packets as they go over the line. Every field is a byte or a byte array, so the
// structs have no padding and are copied into the packet as they are.
using Byte = std::uint8_t;
using Coordinate = Byte[3]; // 1/6000 degree, 24-bit two's complement, low byte first

template <typename Payload> struct WireFrame {
    char tag[4];     // "@@WP" or "@@LI"
    Byte recordType; // 1 or 6
    Payload payload; // bytes 5 to 27
    Byte checksum;   // exclusive-or of bytes 2 to 27
    Byte lineEnd[2]; // CR LF
};

struct WaypointPayload {
    Byte altitude[2]; // 16 bits, high byte first
    char name[11];    // the first 11 bytes of the name, zero after a shorter one
    char id[2];
    Byte symbol; // symbolCode() of the SIGN
    Byte one;    // 1
    Coordinate lat;
    Coordinate lon;
};

struct TakeoffPayload {
    Byte altitude[2];
    char name[11];
    Byte unused[4]; // bytes 18 to 21: zero
    Coordinate lat;
    Coordinate lon;
};

// Lifts and lines share the identifier, position and altitude; the instrument tells
// them apart by byte 19 (255 for a line).
struct LiftPayload {
    char ident[4]; // characters 1, 2, 4 and 5 of the identifier
    Coordinate lat;
    Coordinate lon;
    Byte altitude25; // altitude / 25
    char ident6;     // character 6 of the identifier
    Byte climb10;    // ceiling of climb * 10
    Byte windDir2;   // wind direction / 2
    Byte windSpeed2; // wind speed * 2
    Byte unused[8];
};

struct LinePayload {
    char ident[4];
    Coordinate lat;
    Coordinate lon;
    Byte altitude25;
    char ident6;
    Byte dir1Half; // dir1 / 2
    Byte dir2Half; // dir2 / 2
    Byte lineMark; // 255
    Byte unused[8];
};

constexpr std::size_t payloadSize = 23;
static_assert(sizeof(WaypointPayload) == payloadSize);
static_assert(sizeof(TakeoffPayload) == payloadSize);
static_assert(sizeof(LiftPayload) == payloadSize);
static_assert(sizeof(LinePayload) == payloadSize);
static_assert(sizeof(WireFrame<WaypointPayload>) == TransferPacket::size);
static_assert(sizeof(WireFrame<LiftPayload>) == TransferPacket::size);
static_assert(offsetof(WireFrame<WaypointPayload>, checksum) == TransferPacket::checksumIndex);
static_assert(offsetof(WireFrame<WaypointPayload>, payload) + offsetof(WaypointPayload, lat) == 22);
static_assert(offsetof(WireFrame<LiftPayload>, payload) + offsetof(LiftPayload, windSpeed2) == 19);
static_assert(offsetof(WireFrame<LinePayload>, payload) + offsetof(LinePayload, lineMark) == 19);

constexpr std::uint8_t waypointRecord = 1;
constexpr std::uint8_t liftRecord = 6;

template <typename Payload>
TransferPacket framed(const char* tag, Byte recordType, const Payload& payload) {
    WireFrame<Payload> frame{};
    std::memcpy(frame.tag, tag, sizeof frame.tag);
    frame.recordType = recordType;
    frame.payload = payload;
    frame.lineEnd[0] = 13;
    frame.lineEnd[1] = 10;
    TransferPacket packet;
    std::memcpy(packet.bytes.data(), &frame, sizeof frame);
    packet.bytes[TransferPacket::checksumIndex] = packetChecksum(packet);
    return packet;
}

// The low 8 bits of a number, as the instrument's byte fields take them without a range
// check: 6400 m, a climb of 25.6 or a wind speed of 128 wrap around.
Byte lowByte(std::int32_t value) {
    return static_cast<Byte>(static_cast<std::uint32_t>(value) & 0xFF);
}

// The low 32 bits of a whole number held as floating point; a value beyond any integer
// (from an absurd file) must not reach an undefined conversion.
std::int32_t wrapped(double whole) {
    if (!std::isfinite(whole)) {
        return 0;
    }
    const double low = std::fmod(whole, 4294967296.0);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(low)));
}

void putCoordinate(Coordinate& target, float decimalDegrees) {
    const auto value = static_cast<std::uint32_t>(encodeCoordinate(decimalDegrees));
    target[0] = static_cast<Byte>(value & 0xFF);
    target[1] = static_cast<Byte>((value >> 8) & 0xFF);
    target[2] = static_cast<Byte>((value >> 16) & 0xFF);
}

void putAltitude(Byte (&target)[2], std::int32_t altitude) {
    const auto value = static_cast<std::uint32_t>(altitude);
    target[0] = static_cast<Byte>((value >> 8) & 0xFF);
    target[1] = static_cast<Byte>(value & 0xFF);
}

// The name's bytes from the start, zero after its end.
template <std::size_t N> void putName(char (&target)[N], std::string_view name) {
    std::memcpy(target, name.data(), std::min(N, name.size()));
}

// Character n (from 1) of a name, or zero past its end.
char nameCharacter(const std::string& name, std::size_t n) {
    return n <= name.size() ? name[n - 1] : '\0';
}

void putIdentifier(char (&ident)[4], char& ident6, const std::string& name) {
    // Character 3 is not sent.
    ident[0] = nameCharacter(name, 1);
    ident[1] = nameCharacter(name, 2);
    ident[2] = nameCharacter(name, 4);
    ident[3] = nameCharacter(name, 5);
    ident6 = nameCharacter(name, 6);
}

// Degrees and minutes of a received coordinate in 1/6000 degree.
void textForm(std::int32_t raw, float& degrees, float& minutes, char& hemisphere, char positive,
              char negative) {
    const float value = static_cast<float>(raw) * (1.0f / 6000.0f);
    hemisphere = value > 0 ? positive : negative;
    const float whole = std::trunc(value);
    degrees = std::fabs(whole);
    minutes = std::fabs(value - whole) * 60;
}

bool appendAll(const WaypointList& points, std::deque<TransferPacket>& packets,
               TransferPacket (*encode)(const Waypoint&)) {
    for (const auto& point : points) {
        packets.push_back(encode(point));
    }
    return true;
}

} // namespace

std::int32_t encodeCoordinate(float decimalDegrees) {
    const float product = decimalDegrees * 6000.0f;
    const float whole = std::trunc(product);
    const float fraction = product - whole;
    double rounded = whole;
    if (fraction >= 0.5f) {
        rounded += 1;
    } else if (fraction <= -0.5f) {
        rounded -= 1;
    }
    return wrapped(rounded);
}

std::int32_t decodeCoordinate(const TransferPacket& packet, std::size_t first) {
    std::uint32_t value = packet.bytes[first] | (packet.bytes[first + 1] << 8) |
                          (static_cast<std::uint32_t>(packet.bytes[first + 2]) << 16);
    if (value & 0x800000) {
        value |= 0xFF000000;
    }
    return static_cast<std::int32_t>(value);
}

std::uint8_t symbolCode(std::string_view sign) {
    static constexpr std::string_view codes[] = {"x", "H", "T", "o", "-", "TPT"};
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        if (sign == codes[i]) {
            return static_cast<std::uint8_t>(i + 1);
        }
    }
    return 0;
}

TransferPacket waypointPacket(const Waypoint& point) {
    WaypointPayload payload{};
    putAltitude(payload.altitude, point.altitude);
    putName(payload.name, point.name);
    putName(payload.id, point.id);
    payload.symbol = symbolCode(point.sign);
    payload.one = 1;
    putCoordinate(payload.lat, point.latDecimal);
    putCoordinate(payload.lon, point.lonDecimal);
    return framed("@@WP", waypointRecord, payload);
}

TransferPacket takeoffPacket(const Waypoint& site) {
    TakeoffPayload payload{};
    putAltitude(payload.altitude, site.altitude);
    putName(payload.name, site.name);
    putCoordinate(payload.lat, site.latDecimal);
    putCoordinate(payload.lon, site.lonDecimal);
    return framed("@@WP", waypointRecord, payload);
}

TransferPacket liftPacket(const Waypoint& lift) {
    LiftPayload payload{};
    putIdentifier(payload.ident, payload.ident6, lift.name);
    putCoordinate(payload.lat, lift.latDecimal);
    putCoordinate(payload.lon, lift.lonDecimal);
    payload.altitude25 = lowByte(lift.altitude / 25);
    payload.climb10 = lowByte(wrapped(std::ceil(lift.climb * 10.0f)));
    payload.windDir2 = lowByte(lift.windDir / 2);
    payload.windSpeed2 =
        lowByte(static_cast<std::int32_t>(static_cast<std::uint32_t>(lift.windSpeed) * 2));
    return framed("@@LI", liftRecord, payload);
}

TransferPacket linePacket(const Waypoint& point) {
    LinePayload payload{};
    putIdentifier(payload.ident, payload.ident6, point.name);
    putCoordinate(payload.lat, point.latDecimal);
    putCoordinate(payload.lon, point.lonDecimal);
    payload.altitude25 = lowByte(point.altitude / 25);
    payload.dir1Half = lowByte(point.dir1 / 2);
    payload.dir2Half = lowByte(point.dir2 / 2);
    payload.lineMark = 255;
    return framed("@@LI", liftRecord, payload);
}

Waypoint decodeTakeoffPacket(const TransferPacket& packet) {
    WaypointPayload payload;
    std::memcpy(&payload, packet.bytes.data() + offsetof(WireFrame<WaypointPayload>, payload),
                sizeof payload);
    Waypoint site;
    // Unsigned: an altitude with the top bit set is above 32767, never negative.
    site.altitude = (payload.altitude[0] << 8) | payload.altitude[1];
    // The name ends at a zero byte or after 11 characters.
    site.name.assign(payload.name,
                     std::find(std::begin(payload.name), std::end(payload.name), '\0'));
    // A byte outside the name set (a line end, ";" or "@") would break the takeoff file
    // written from it, or hide the site as a comment: it becomes a blank.
    std::replace_if(
        site.name.begin(), site.name.end(), [](char byte) { return !isNameCharacter(byte); }, ' ');
    textForm(decodeCoordinate(packet, 22), site.latDegrees, site.latMinutes, site.latHemisphere,
             'N', 'S');
    textForm(decodeCoordinate(packet, 25), site.lonDegrees, site.lonMinutes, site.lonHemisphere,
             'E', 'W');
    site.id = "ST";
    site.sign = "   o  ";
    site.unit = "m";
    return site;
}

bool encodeWaypoints(const WaypointList& points, std::deque<TransferPacket>& packets,
                     UserInterface& ui) {
    if (points.empty()) {
        ui.message("Keine Wegpunkte gefunden!", Icon::Information);
        return false;
    }
    return appendAll(points, packets, waypointPacket);
}

bool encodeTakeoffSites(const WaypointList& sites, std::deque<TransferPacket>& packets,
                        UserInterface& ui) {
    if (sites.empty()) {
        ui.message("Keine Startplätze gefunden!\nWurde eine alte Startplatzdatei geöffnet?\n"
                   "Diese Daten können nicht übertragen werden!",
                   Icon::Question);
        return false;
    }
    if (sites.size() > maxTakeoffSites) {
        ui.message("Es können nur 10 Startplätze übertragen werden.\nBitte Reduzieren sie die "
                   "Anzahl der Startplätze in der tof-Datei",
                   Icon::Information);
        return false;
    }
    return appendAll(sites, packets, takeoffPacket);
}

bool encodeLifts(const WaypointList& lifts, std::deque<TransferPacket>& packets,
                 UserInterface& ui) {
    if (lifts.empty()) {
        ui.message("Keine Aufwinde gefunden!", Icon::Information);
        return false;
    }
    return appendAll(lifts, packets, liftPacket);
}

bool encodeLines(const WaypointList& points, std::deque<TransferPacket>& packets,
                 UserInterface& ui) {
    if (points.empty()) {
        ui.message("Keine Lines gefunden!", Icon::Information);
        return false;
    }
    return appendAll(points, packets, linePacket);
}

bool decodeTakeoffSites(std::deque<TransferPacket>& packets, WaypointList& sites,
                        UserInterface& ui) {
    if (packets.empty()) {
        ui.message("Keine Startplätze gefunden!", Icon::Information);
        return false;
    }
    while (!packets.empty()) {
        sites.push_back(decodeTakeoffPacket(packets.front()));
        packets.pop_front();
    }
    return true;
}

} // namespace zv
