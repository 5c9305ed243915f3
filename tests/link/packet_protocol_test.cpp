#include "base/user_interface.h"
#include "link/instrument_link.h"
#include "link_test_support.h"
#include "support/scripted_serial_port.h"
#include "support/scripted_user_interface.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace zv::test {
namespace {

const std::string notAcknowledged = "Fehler bei der Datenübertragung\nWar der Zirrova "
                                    "empfangsbereit?\nVersuchen sie es noch einmal!";
const std::string stayedFaulty = "Fehler bei der Datenübertragung\nNicht so schnell die "
                                 "Sendetaste drücken!\nVersuchen Sie es noch einmal!";

TEST(PacketChecksum, IsTheExclusiveOrOfBytesTwoToTwentySeven) {
    TransferPacket zero;
    zero.bytes[0] = zero.bytes[1] = '@';
    zero.bytes[29] = 13;
    EXPECT_EQ(packetChecksum(zero), 0);
    TransferPacket packet;
    packet.bytes[2] = 0x57; // W
    packet.bytes[3] = 0x50; // P
    packet.bytes[4] = 0x01;
    packet.bytes[27] = 0x80;
    packet.bytes[28] = 0xFF; // the checksum byte itself is outside
    EXPECT_EQ(packetChecksum(packet), 0x57 ^ 0x50 ^ 0x01 ^ 0x80);
}

// --- sending ---------------------------------------------------------------------------

struct SendCase {
    const char* name;
    // The instrument's answers to the attempts for the first packet.
    std::function<void(ScriptedSerialPort&, const std::string& packet)> instrument;
    bool acknowledged;
    int attempts;
};

void PrintTo(const SendCase& c, std::ostream* os) {
    *os << c.name;
}

class SendPackets : public ::testing::TestWithParam<SendCase> {};

TEST_P(SendPackets, RetriesUpToThreeTimes) {
    const SendCase& c = GetParam();
    ScriptedSerialPort port;
    ScriptedUserInterface ui;
    CInstrumentLink link(port, ui, 1);
    const TransferPacket first = makePacket("WP", 1);
    const TransferPacket second = makePacket("WP", 2);
    link.packets() = {first, second};
    c.instrument(port, bytesOf(first));
    port.expect(bytesOf(second)).send("@@OK");

    EXPECT_EQ(link.sendPackets(), c.acknowledged);
    EXPECT_EQ(port.writes, c.acknowledged ? c.attempts + 1 : c.attempts);
    EXPECT_EQ(port.opens, port.writes);
    EXPECT_EQ(port.closes, port.opens);
    EXPECT_TRUE(port.mismatches.empty());
    EXPECT_EQ(port.log.front(), "open COM2 rw");
    EXPECT_EQ(port.log[1], "timeouts 100/0");
    EXPECT_FALSE(ui.progressOpen);
    if (c.acknowledged) {
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(link.packets().empty());
    } else {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, notAcknowledged);
        EXPECT_EQ(ui.messages[0].icon, Icon::Question);
        // The packet that failed and the ones after it are not sent.
        EXPECT_EQ(link.packets().size(), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SendPackets,
    ::testing::Values(
        SendCase{"AcknowledgedAtOnce",
                 [](ScriptedSerialPort& p, const std::string& pk) { p.expect(pk).send("@@OK"); },
                 true, 1},
        SendCase{"AnyFifthByte",
                 [](ScriptedSerialPort& p, const std::string& pk) { p.expect(pk).send("@@OKx"); },
                 true, 1},
        SendCase{"ThreeBytesOnly",
                 [](ScriptedSerialPort& p, const std::string& pk) {
                     p.expect(pk).send("@@O").expect(pk).send("@@O").expect(pk).send("@@O");
                 },
                 false, 3},
        SendCase{"AcknowledgedAtTheThirdAttempt",
                 [](ScriptedSerialPort& p, const std::string& pk) {
                     p.expect(pk).expect(pk).expect(pk).send("@@OK");
                 },
                 true, 3},
        SendCase{"NoAcknowledgementAfterThree",
                 [](ScriptedSerialPort& p, const std::string& pk) {
                     p.expect(pk).expect(pk).expect(pk);
                 },
                 false, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SendPacketsList, EmptyListShowsNothing) {
    ScriptedSerialPort port;
    ScriptedUserInterface ui;
    CInstrumentLink link(port, ui, 0);
    EXPECT_FALSE(link.sendPackets());
    EXPECT_EQ(port.opens, 0);
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_TRUE(ui.messages.empty());
}

// --- receiving -------------------------------------------------------------------------

struct ReceiveCase {
    const char* name;
    std::function<void(ScriptedSerialPort&)> instrument;
    bool ok;
    std::vector<TransferPacket> stored;
    int acknowledgements;
};

void PrintTo(const ReceiveCase& c, std::ostream* os) {
    *os << c.name;
}

class ReceivePackets : public ::testing::TestWithParam<ReceiveCase> {};

TEST_P(ReceivePackets, AcknowledgesRightPacketsOnly) {
    const ReceiveCase& c = GetParam();
    ScriptedSerialPort port;
    ScriptedUserInterface ui;
    c.instrument(port);
    CInstrumentLink link(port, ui, 0);

    EXPECT_EQ(link.receivePackets(), c.ok);
    ASSERT_EQ(link.packets().size(), c.stored.size());
    for (std::size_t i = 0; i < c.stored.size(); ++i) {
        EXPECT_EQ(bytesOf(link.packets()[i]), bytesOf(c.stored[i])) << i;
    }
    int acks = 0;
    for (const std::string& entry : port.log) {
        acks += entry == "write 40404F4B" ? 1 : 0;
    }
    EXPECT_EQ(acks, c.acknowledgements);
    EXPECT_EQ(port.writes, c.acknowledgements);
    EXPECT_EQ(port.closes, port.opens);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(ui.progressOpen);
    EXPECT_TRUE(port.mismatches.empty());
    if (c.ok) {
        EXPECT_TRUE(ui.messages.empty());
    } else {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, stayedFaulty);
        EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    }
}

TransferPacket packetStartingWithNul() {
    TransferPacket packet = makePacket("WP", 7);
    packet.bytes[0] = 0; // outside the checksum
    return packet;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ReceivePackets,
    ::testing::Values(
        ReceiveCase{
            "EndPacketAtOnce", [](ScriptedSerialPort& p) { p.send(endPacket()); }, true, {}, 0},
        ReceiveCase{"SilenceAtOnce", [](ScriptedSerialPort&) {}, true, {}, 0},
        ReceiveCase{"TwoPacketsThenEnd",
                    [](ScriptedSerialPort& p) {
                        p.send(bytesOf(makePacket("WP", 1))).expect("@@OK");
                        p.send(bytesOf(makePacket("WP", 2))).expect("@@OK");
                        p.send(endPacket());
                    },
                    true,
                    {makePacket("WP", 1), makePacket("WP", 2)},
                    2},
        ReceiveCase{"FaultyCopyThenRightCopy",
                    [](ScriptedSerialPort& p) {
                        p.send(withWrongChecksum(makePacket("WP", 1))).pause(1000);
                        p.send(bytesOf(makePacket("WP", 1))).expect("@@OK").send(endPacket());
                    },
                    true,
                    {makePacket("WP", 1)},
                    1},
        ReceiveCase{"ThreeFaultyCopies",
                    [](ScriptedSerialPort& p) {
                        for (int i = 0; i < 3; ++i) {
                            p.send(withWrongChecksum(makePacket("WP", 1)));
                        }
                        p.send(endPacket());
                    },
                    false,
                    {},
                    0},
        ReceiveCase{"FaultyCopyThenSilence",
                    [](ScriptedSerialPort& p) { p.send(withWrongChecksum(makePacket("WP", 1))); },
                    false,
                    {},
                    0},
        ReceiveCase{"ThreeBytesOnly", [](ScriptedSerialPort& p) { p.send("@@W"); }, false, {}, 0},
        ReceiveCase{"NulFirstByteIsData",
                    [](ScriptedSerialPort& p) {
                        p.send(bytesOf(packetStartingWithNul())).expect("@@OK").send(endPacket());
                    },
                    true,
                    {packetStartingWithNul()},
                    1}),
    [](const auto& info) { return std::string(info.param.name); });

// --- faults ----------------------------------------------------------------------------

enum class Fault { Open, Read, Write };

void setFault(ScriptedSerialPort& port, Fault fault, int n) {
    (fault == Fault::Open   ? port.failingOpens
     : fault == Fault::Read ? port.failingReads
                            : port.failingWrites) = {n};
}

bool reached(const ScriptedSerialPort& port, Fault fault, int n) {
    return (fault == Fault::Open   ? port.opens
            : fault == Fault::Read ? port.reads
                                   : port.writes) >= n;
}

// An instrument that acknowledges every whole packet with a right checksum.
std::string acknowledgeRightPackets(const std::string& written) {
    TransferPacket packet;
    if (written.size() != TransferPacket::size) {
        return {};
    }
    std::copy(written.begin(), written.end(), packet.data());
    return packetChecksum(packet) == packet.bytes[TransferPacket::checksumIndex] ? "@@OK" : "";
}

TEST(PacketFaults, EverySendingCallMayFail) {
    for (const Fault fault : {Fault::Open, Fault::Read, Fault::Write}) {
        for (int n = 1;; ++n) {
            SCOPED_TRACE(std::to_string(static_cast<int>(fault)) + "/" + std::to_string(n));
            ScriptedSerialPort port;
            ScriptedUserInterface ui;
            port.responder = acknowledgeRightPackets;
            setFault(port, fault, n);
            CInstrumentLink link(port, ui, 0);
            link.packets() = {makePacket("WP", 1), makePacket("WP", 2), makePacket("LI", 3)};
            const bool ok = link.sendPackets();

            EXPECT_FALSE(port.isOpen());
            EXPECT_FALSE(ui.progressOpen);
            EXPECT_EQ(ui.messages.size(), ok ? 0u : 1u);
            // A single fault costs one attempt; only a lost opening stops the upload.
            EXPECT_EQ(ok, fault != Fault::Open || !reached(port, fault, n));
            EXPECT_EQ(link.packets().empty(), ok);
            if (!reached(port, fault, n)) {
                break;
            }
        }
    }
}

TEST(PacketFaults, EveryReceivingCallMayFail) {
    const auto instrument = [](ScriptedSerialPort& p) {
        for (int i = 1; i <= 3; ++i) {
            p.send(bytesOf(makePacket("WP", i))).expect("@@OK");
        }
        p.send(endPacket());
    };
    for (const Fault fault : {Fault::Open, Fault::Read, Fault::Write}) {
        for (int n = 1;; ++n) {
            SCOPED_TRACE(std::to_string(static_cast<int>(fault)) + "/" + std::to_string(n));
            ScriptedSerialPort port;
            ScriptedUserInterface ui;
            instrument(port);
            setFault(port, fault, n);
            CInstrumentLink link(port, ui, 0);
            const bool ok = link.receivePackets();

            EXPECT_FALSE(port.isOpen());
            EXPECT_FALSE(ui.progressOpen);
            EXPECT_EQ(ui.messages.size(), ok ? 0u : 1u);
            // Whatever was stored is a run of the instrument's packets, each right.
            for (std::size_t i = 0; i < link.packets().size(); ++i) {
                EXPECT_EQ(bytesOf(link.packets()[i]),
                          bytesOf(makePacket("WP", static_cast<int>(i) + 1)));
            }
            if (!reached(port, fault, n)) {
                EXPECT_TRUE(ok);
                EXPECT_EQ(link.packets().size(), 3u);
                break;
            }
        }
    }
}

} // namespace
} // namespace zv::test
