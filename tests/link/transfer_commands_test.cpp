#include "base/app_settings.h"
#include "base/user_interface.h"
#include "link/instrument_link.h"
#include "link/transfer_commands.h"
#include "link_test_support.h"
#include "support/scripted_serial_port.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace zv::test {
namespace {

using Command = bool (*)(const AppSettings&, UserInterface&, SerialPort&);

AppSettings settingsIn(const TempDir& dir) {
    AppSettings settings;
    settings.liftDir = dir / "lift";
    settings.waypointDir = dir / "wpt";
    settings.takeoffDir = dir / "tof";
    settings.serialNumber = 1596;
    return settings;
}

// The instrument acknowledges every whole packet with a right checksum and keeps it.
struct Instrument {
    std::vector<std::string> received;

    void attach(ScriptedSerialPort& port) {
        port.responder = [this](const std::string& written) -> std::string {
            TransferPacket packet;
            if (written.size() != TransferPacket::size) {
                return {};
            }
            std::copy(written.begin(), written.end(), packet.data());
            if (packetChecksum(packet) != packet.bytes[TransferPacket::checksumIndex]) {
                return {};
            }
            received.push_back(written);
            return "@@OK";
        };
    }
};

struct Upload {
    const char* name;
    Command command;
    std::string AppSettings::*directory;
    const char* title;
    const char* filter;
    const char* extension;
    const char* instructionLine; // the line that names the instrument's menu
    const char* file;
    std::size_t packets;
    const char* tag;
    const char* success;
};

void PrintTo(const Upload& c, std::ostream* os) {
    *os << c.name;
}

class UploadCommand : public ::testing::TestWithParam<Upload> {};

TEST_P(UploadCommand, AsksInstructsSendsAndReports) {
    const Upload& u = GetParam();
    TempDir dir;
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    Instrument instrument;
    instrument.attach(port);
    AppSettings settings = settingsIn(dir);
    settings.comPort = 1;
    ui.fileChoices.push_back({testData(u.file)});

    EXPECT_TRUE(u.command(settings, ui, port));

    ASSERT_EQ(ui.fileRequests.size(), 1u);
    const FileDialogRequest& request = ui.fileRequests[0];
    EXPECT_EQ(request.title, u.title);
    EXPECT_EQ(request.filter, u.filter);
    EXPECT_EQ(request.defaultExtension, u.extension);
    EXPECT_EQ(request.initialDir, settings.*u.directory);
    EXPECT_FALSE(request.save);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].text.find(u.instructionLine), std::string::npos);
    EXPECT_EQ(ui.messages[1].text, u.success);
    EXPECT_EQ(ui.messages[1].icon, Icon::Information);
    ASSERT_EQ(instrument.received.size(), u.packets);
    for (const auto& packet : instrument.received) {
        EXPECT_EQ(packet.substr(0, 4), u.tag);
    }
    EXPECT_EQ(port.log.front(), "open COM2 rw");
}

const Upload uploads[] = {
    {"lifts", commandSendLifts, &AppSettings::liftDir, "Aufwind-Datei wählen",
     "Aufwinde (*.lft) |*.lft||", "lft", "\nAUFWINDE\n", "formats/example.lft", 2, "@@LI",
     "Daten wurden übertragen"},
    {"waypoints", commandSendWaypoints, &AppSettings::waypointDir, "Wegpunktedatei wählen",
     "Wegpunkte (*.wpt) |*.wpt||", "wpt", "\nWEGPUNKTE\n", "formats/example_zv.wpt", 2, "@@WP",
     "Daten wurden übertragen"},
    {"takeoffs", commandSendTakeoffs, &AppSettings::takeoffDir, "Startplatz-Datei wählen",
     "Startplätze (*.tof) |*.tof||", "tof", "\nSTARTPL.<->ZVCOMM\n", "link/takeoffs.tof", 4, "@@WP",
     "Daten wurden übertragen.\nSchauen Sie in das Zv-Menü Startplätze,\nda das Display nicht "
     "aktualisiert wird!"},
    {"lines", commandSendLines, &AppSettings::liftDir, "Line-Datei öffnen",
     "Lines (*.lne) |*.lne||", "lne", "\nAUFWINDE, LINIEN\n", "formats/example.lne", 2, "@@LI",
     "Daten wurden übertragen"},
};

INSTANTIATE_TEST_SUITE_P(Transfer, UploadCommand, ::testing::ValuesIn(uploads));

TEST(UploadCommand, NothingIsSentOnCancelOrAFileThatCannotBeSent) {
    TempDir dir;
    writeBytes(dir / "bad.lft", "\r\n;   KARVELON VUVEZ\r\n\r\n\r\n\r\n\r\n\r\n*bad line\r\n");
    std::string eleven = readBytes(testData("link/takeoffs.tof"));
    const std::string row =
        "ANDES         ST   o       S  33 30.00    W  70 15.00      40000 m \r\n";
    eleven.insert(eleven.find("\r\n@EOF"), row + row + row + row + row + row + row);
    writeBytes(dir / "eleven.tof", eleven);

    struct Case {
        Command command;
        std::vector<std::filesystem::path> choice;
        std::size_t messages; // the instruction and the reason, or none on cancel
    };
    const Case cases[] = {
        {commandSendWaypoints, {}, 0},
        {commandSendLifts, {dir / "bad.lft"}, 2},
        {commandSendLines, {dir / "missing"}, 2},
        {commandSendTakeoffs, {dir / "eleven.tof"}, 2},
    };
    for (const auto& c : cases) {
        ScriptedUserInterface ui;
        ScriptedSerialPort port;
        ui.fileChoices.push_back(c.choice);
        EXPECT_FALSE(c.command(settingsIn(dir), ui, port));
        EXPECT_EQ(ui.messages.size(), c.messages);
        EXPECT_EQ(port.opens, 0);
    }
}

// The instrument sends the takeoff sites of takeoffs.tof as the upload made them.
void sendSites(ScriptedSerialPort& port, const std::vector<std::string>& packets) {
    for (const auto& packet : packets) {
        port.send(packet).expect("@@OK");
    }
    port.send(endPacket());
}

std::vector<std::string> packetsOfTakeoffFile() {
    TempDir dir;
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    Instrument instrument;
    instrument.attach(port);
    ui.fileChoices.push_back({testData("link/takeoffs.tof")});
    EXPECT_TRUE(commandSendTakeoffs(settingsIn(dir), ui, port));
    return instrument.received;
}

TEST(ReceiveTakeoffs, SitesSentBackGiveTheSameFile) {
    const std::vector<std::string> packets = packetsOfTakeoffFile();
    ASSERT_EQ(packets.size(), 4u);
    TempDir dir;
    writeBytes(dir / "old.tof", "old");
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    sendSites(port, packets);
    // Not overwritten: the dialog comes back; then a new name typed without extension.
    ui.fileChoices.push_back({dir / "old.tof"});
    ui.answers.push_back(Answer::No);
    ui.fileChoices.push_back({dir / "new"});

    EXPECT_TRUE(commandReceiveTakeoffs(settingsIn(dir), ui, port));

    ASSERT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_EQ(ui.fileRequests[0].title, "Dateinamen für neue Startplatz Datei");
    EXPECT_EQ(ui.fileRequests[0].filter, "Startplätze (*.tof) |*.tof||");
    EXPECT_EQ(ui.fileRequests[0].initialDir, dir / "tof");
    EXPECT_TRUE(ui.fileRequests[0].save);
    EXPECT_EQ(readBytes(dir / "old.tof"), "old");
    EXPECT_EQ(readBytes(dir / "new.tof"), readBytes(testData("link/takeoffs.tof")));
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{dir / "new.tof"});
    const std::vector<std::string> texts = ui.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[1].find("drücken Sie die SENDE-Taste"), std::string::npos);
}

TEST(ReceiveTakeoffs, NoFileWithoutACompleteReception) {
    TempDir dir;
    struct Case {
        const char* name;
        std::vector<std::string> script;
        const char* message;
    };
    const Case cases[] = {
        {"nothing", {endPacket()}, "Keine Startplätze gefunden!"},
        {"faulty",
         {withWrongChecksum(makePacket("WP", 1)), withWrongChecksum(makePacket("WP", 1)),
          withWrongChecksum(makePacket("WP", 1))},
         "Fehler bei der Datenübertragung\nNicht so schnell die Sendetaste drücken!\nVersuchen Sie "
         "es noch einmal!"},
    };
    for (const auto& c : cases) {
        ScriptedUserInterface ui;
        ScriptedSerialPort port;
        for (const auto& bytes : c.script) {
            port.send(bytes);
        }
        ui.fileChoices.push_back({dir / "sites.tof"});
        EXPECT_FALSE(commandReceiveTakeoffs(settingsIn(dir), ui, port)) << c.name;
        EXPECT_EQ(ui.messages.back().text, c.message) << c.name;
        EXPECT_FALSE(std::filesystem::exists(dir / "sites.tof")) << c.name;
        EXPECT_TRUE(ui.openedDocuments.empty());
    }
    // Cancelled: no transfer at all.
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    EXPECT_FALSE(commandReceiveTakeoffs(settingsIn(dir), ui, port));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(port.opens, 0);
}

} // namespace
} // namespace zv::test
