#include "link/packet_payloads.h"
#include "support/scripted_user_interface.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace zv {
namespace {

std::string hex(const TransferPacket& packet) {
    std::string text;
    for (const auto byte : packet.bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", byte);
        text += digits;
    }
    return text;
}

std::string coordinateBytes(float degrees) {
    Waypoint point;
    point.latDecimal = degrees;
    const TransferPacket packet = waypointPacket(point);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02X %02X %02X", packet.bytes[22], packet.bytes[23],
                  packet.bytes[24]);
    return digits;
}

// Signed decimal degrees of a position written as degrees and minutes, as the readers
// deliver them.
float degrees(float whole, float minutes) {
    return static_cast<float>(whole + static_cast<double>(minutes) / 60);
}

Waypoint point(const std::string& name, float lat, float lon, int altitude) {
    Waypoint record;
    record.name = name;
    record.latDecimal = lat;
    record.lonDecimal = lon;
    record.altitude = altitude;
    return record;
}

TEST(PacketPayloads, EachKindByteForByte) {
    Waypoint waypoint = point("WP1           ", degrees(47, 12.5f), degrees(11, 3.2f), 1200);
    waypoint.id = "DE";
    waypoint.sign = "TPT";
    // A short name is followed by zeros; bytes 18 to 21 are zero whatever the record holds.
    Waypoint site = point("SITE", -degrees(36, 49.43f), -degrees(2, 34.21f), 351);
    site.id = "ES";
    site.sign = "TPT";
    Waypoint lift = point("DE.BOP", degrees(50, 14.03f), degrees(8, 30.89f), 875);
    lift.climb = 2.6f;
    lift.windDir = 46;
    lift.windSpeed = 18;
    Waypoint line = point("BRAUNECK-NORD ", degrees(47, 40.05f), degrees(11, 31.2f), 1555);
    line.dir1 = 0;
    line.dir2 = 180;

    struct Case {
        const char* kind;
        TransferPacket packet;
        const char* bytes;
    };
    const Case cases[] = {
        {"waypoint", waypointPacket(waypoint),
         "40 40 57 50 01 04 B0 57 50 31 20 20 20 20 20 20 20 20 44 45 06 01 72 52 04 10 03 01 "
         "B4 0D 0A"},
        {"takeoff site", takeoffPacket(site),
         "40 40 57 50 01 01 5F 53 49 54 45 00 00 00 00 00 00 00 00 00 00 00 F1 A0 FC C3 C3 FF "
         "01 0D 0A"},
        {"lift", liftPacket(lift),
         "40 40 4C 49 06 44 45 42 4F 5B 99 04 91 C7 00 23 50 1A 17 24 00 00 00 00 00 00 00 00 "
         "C5 0D 0A"},
        {"line", linePacket(line),
         "40 40 4C 49 06 42 52 55 4E 35 5D 04 00 0E 01 3E 45 00 5A FF 00 00 00 00 00 00 00 00 "
         "B5 0D 0A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hex(c.packet), c.bytes) << c.kind;
    }
}

TEST(PacketPayloads, CoordinatesRoundHalvesAwayFromZero) {
    EXPECT_EQ(coordinateBytes(46.5f), "D8 41 04");
    EXPECT_EQ(coordinateBytes(-46.5f), "28 BE FB");
    EXPECT_EQ(encodeCoordinate(46.5f), 279000);

    // The float whose product with 6000 is exactly 2.5 (and its negative).
    float half = 2.5f / 6000;
    while (half * 6000.0f != 2.5f) {
        half = std::nextafter(half, half * 6000.0f < 2.5f ? 1.0f : 0.0f);
    }
    EXPECT_EQ(encodeCoordinate(half), 3);
    EXPECT_EQ(encodeCoordinate(-half), -3);
    EXPECT_EQ(encodeCoordinate(0.49f / 6000), 0);
    EXPECT_EQ(encodeCoordinate(-0.49f / 6000), 0);
    // An absurd value from a file must not reach an undefined conversion.
    encodeCoordinate(3e38f);
    encodeCoordinate(-3e38f);
}

TEST(PacketPayloads, SymbolCodesCompareTheWholeSign) {
    const std::pair<const char*, int> cases[] = {
        {"x", 1}, {"H", 2}, {"T", 3},   {"o", 4}, {"-", 5},      {"TPT", 6},
        {"+", 0}, {"X", 0}, {"tpt", 0}, {"", 0},  {"   o  ", 0}, {"TP", 0},
    };
    for (const auto& [sign, code] : cases) {
        EXPECT_EQ(symbolCode(sign), code) << sign;
    }
}

TEST(PacketPayloads, LiftAndLineBytesAreCutToEightBits) {
    struct Case {
        int altitude;
        float climb;
        int windDir;
        int windSpeed;
        int altitudeByte;
        int climbByte;
        int windDirByte;
        int windSpeedByte;
    };
    const Case cases[] = {
        {1999, 1.25f, 359, 7, 79, 13, 179, 14},
        {6400, 25.6f, 0, 128, 0, 0, 0, 0},
        {24, 0.0f, 1, 0, 0, 0, 0, 0},
        {-25, -0.15f, -3, -1, 255, 255, 255, 254},
    };
    for (const auto& c : cases) {
        Waypoint lift = point("L1", 0, 0, c.altitude);
        lift.climb = c.climb;
        lift.windDir = c.windDir;
        lift.windSpeed = c.windSpeed;
        const TransferPacket packet = liftPacket(lift);
        EXPECT_EQ(packet.bytes[15], c.altitudeByte) << c.altitude;
        EXPECT_EQ(packet.bytes[17], c.climbByte) << c.climb;
        EXPECT_EQ(packet.bytes[18], c.windDirByte) << c.windDir;
        EXPECT_EQ(packet.bytes[19], c.windSpeedByte) << c.windSpeed;
        // "L1": characters 1 and 2, then zeros for the missing ones.
        EXPECT_EQ(packet.bytes[5], 'L');
        EXPECT_EQ(packet.bytes[6], '1');
        EXPECT_EQ(packet.bytes[7], 0);
        EXPECT_EQ(packet.bytes[16], 0);
    }
    Waypoint line = point("L1", 0, 0, 0);
    line.dir1 = 359;
    line.dir2 = 1;
    const TransferPacket packet = linePacket(line);
    EXPECT_EQ(packet.bytes[17], 179);
    EXPECT_EQ(packet.bytes[18], 0);
    EXPECT_EQ(packet.bytes[19], 255);
}

// Names, altitudes and positions of decoded sites are checked byte for byte through the
// takeoff-site download; here what the file cannot show.
TEST(PacketPayloads, DecodedTakeoffSites) {
    // Zero is neither north nor east; the altitude is unsigned.
    TransferPacket zero = takeoffPacket(point("", 0, 0, 0));
    zero.bytes[5] = 0x80;
    zero.bytes[6] = 0x01;
    const Waypoint origin = decodeTakeoffPacket(zero);
    EXPECT_EQ(origin.latHemisphere, 'S');
    EXPECT_EQ(origin.lonHemisphere, 'W');
    EXPECT_EQ(origin.latDegrees, 0);
    EXPECT_EQ(origin.latMinutes, 0);
    EXPECT_EQ(origin.altitude, 32769);
    EXPECT_EQ(origin.name, "");

    // Bytes that would break the written file's lines, or hide the row as a comment.
    TransferPacket odd = takeoffPacket(point("AB;C@D\r\nE\xC4", 0, 0, 0));
    EXPECT_EQ(decodeTakeoffPacket(odd).name, "AB C D  E\xC4");
}

TEST(PacketPayloads, TenTakeoffSitesAreSentElevenRefused) {
    test::ScriptedUserInterface ui;
    std::deque<TransferPacket> packets;
    WaypointList sites(10, point("SITE", 47, 11, 1000));
    EXPECT_TRUE(encodeTakeoffSites(sites, packets, ui));
    EXPECT_EQ(packets.size(), 10u);
    sites.push_back(sites.back());
    EXPECT_FALSE(encodeTakeoffSites(sites, packets, ui));
    EXPECT_EQ(packets.size(), 10u);
    EXPECT_EQ(ui.messages.back().text,
              "Es können nur 10 Startplätze übertragen werden.\nBitte "
              "Reduzieren sie die Anzahl der Startplätze in der tof-Datei");
}

} // namespace
} // namespace zv
