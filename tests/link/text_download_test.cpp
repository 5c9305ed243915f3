#include "base/user_interface.h"
#include "formats/text_file.h"
#include "link/instrument_link.h"
#include "support/scripted_serial_port.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace zv::test {
namespace {

const std::string aborted = "Die Übertragung wurde abgebrochen\n";

struct DownloadCase {
    const char* name;
    std::function<void(ScriptedSerialPort&)> instrument;
    std::string expectedFile;
    bool completes; // the end marker arrived
};

void PrintTo(const DownloadCase& c, std::ostream* os) {
    *os << c.name;
}

class TextDownload : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(TextDownload, WritesCompleteLinesAndReportsTheEnd) {
    const DownloadCase& c = GetParam();
    TempDir dir;
    ScriptedSerialPort port;
    ScriptedUserInterface ui;
    c.instrument(port);
    CInstrumentLink link(port, ui, 0);

    EXPECT_EQ(link.receiveText(dir / "in.log"), c.completes);
    EXPECT_EQ(link.wasAborted(), !c.completes);
    EXPECT_EQ(readBytes(dir / "in.log"), c.expectedFile);
    if (c.completes) {
        EXPECT_TRUE(ui.messages.empty());
    } else {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, aborted);
        EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    }
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.log.front(), "open COM1 r");
    EXPECT_FALSE(ui.progressOpen);
    EXPECT_TRUE(port.mismatches.empty());
}

std::string paced(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "   " + std::to_string(i) + "   95-04-21   SCHOECKL-SO   1021 hPa   PARA 1\r\n";
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Stream, TextDownload,
    ::testing::Values(
        DownloadCase{"NothingSent", [](ScriptedSerialPort&) {}, "", false},
        DownloadCase{"CrLfLines",
                     [](ScriptedSerialPort& p) { p.pause(3000).send("A\r\nB\r\n@EOF\r\n"); },
                     "A\r\nB\r\n@EOF\r\n", true},
        DownloadCase{"BareLfLinesGiveTheSameFile",
                     [](ScriptedSerialPort& p) { p.send("A\nB\n@EOF\n"); }, "A\r\nB\r\n@EOF\r\n",
                     true},
        DownloadCase{"EndMarkerInsideALine",
                     [](ScriptedSerialPort& p) { p.send("A\r\nxx@EOFyy\r\n"); },
                     "A\r\nxx@EOFyy\r\n", true},
        // However the bytes fall into reads, the end marker ends the download.
        DownloadCase{"LinesAfterTheEndMarkerInTheSameRead",
                     [](ScriptedSerialPort& p) { p.send("A\r\n@EOF\r\nnot wanted\r\n"); },
                     "A\r\n@EOF\r\n", true},
        DownloadCase{"FinalLineWithoutLineEndIsDropped",
                     [](ScriptedSerialPort& p) { p.send("A\r\n@EOF"); }, "A\r\n", false},
        DownloadCase{"SilentGapBeforeTheEnd",
                     [](ScriptedSerialPort& p) { p.send("A\r\n").pause(10500).send("@EOF\r\n"); },
                     "A\r\n", false},
        DownloadCase{
            "NulAndHighBytesAreData",
            [](ScriptedSerialPort& p) { p.send(std::string("\0\xB0\xC4\r\n@EOF\r\n", 11)); },
            std::string("\0\xB0\xC4\r\n@EOF\r\n", 11), true},
        DownloadCase{"ManyReadsAt9600Baud",
                     [](ScriptedSerialPort& p) {
                         p.bytePaceUs = 1042;
                         p.pause(2000).send(paced(40) + "@EOF\r\n");
                     },
                     paced(40) + "@EOF\r\n", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextDownloadWindow, ShowsTheTextsAndTimeOuts) {
    TempDir dir;
    ScriptedSerialPort port;
    ScriptedUserInterface ui;
    port.send("A\r\n@EOF\r\n");
    CInstrumentLink link(port, ui, 0);
    ASSERT_TRUE(link.receiveText(dir / "in.log"));
    EXPECT_EQ(ui.progress, (std::vector<std::string>{
                               "show:Das Programm ist empfangsbereit!|Bitte starten Sie die "
                               "Übertragung am Zirrova",
                               "step:1", "range:100", "advance", "second:Der Timer endet in 10 sec",
                               "second:Daten werden empfangen", "advance", "close"}));
    // 10 s for the first data, 100 ms for every read after it.
    EXPECT_EQ(port.log, (std::vector<std::string>{"open COM1 r", "timeouts 0/10000",
                                                  "timeouts 0/100", "close"}));
}

// Nothing on disk changes before data arrive: an existing file stays as it was, a new
// one is not made.
TEST(TextDownloadPort, MissingPortNamesItAndLeavesTheTargetAsItWas) {
    struct Case {
        int port;
        PortOpenFailure failure;
        std::string message;
    };
    const Case cases[] = {
        {0, {}, "COM1 ist nicht verfügbar\nWählen Sie einen anderen Port.\n"},
        {1, {}, "COM2 ist nicht verfügbar\nWählen Sie einen anderen Port.\n"},
        // The device that the port stands for and the reason follow the port's message.
        {1,
         {"/dev/ttyUSB0", "nicht vorhanden"},
         "COM2 ist nicht verfügbar\nWählen Sie einen anderen Port.\nGerät /dev/ttyUSB0: nicht "
         "vorhanden"},
        {0,
         {"/dev/ttyS0", ""},
         "COM1 ist nicht verfügbar\nWählen Sie einen anderen Port.\nGerät /dev/ttyS0: konnte "
         "nicht geöffnet werden"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ScriptedSerialPort port;
        ScriptedUserInterface ui;
        port.missingPorts = {c.port};
        port.failure = c.failure;
        port.send("A\r\n@EOF\r\n");
        CInstrumentLink link(port, ui, 0);
        link.setPort(c.port);
        writeBytes(dir / "in.log", "old");
        EXPECT_FALSE(link.receiveText(dir / "in.log"));
        EXPECT_FALSE(link.receiveText(dir / "new.log"));
        EXPECT_FALSE(link.wasAborted());
        EXPECT_EQ(ui.texts(), (std::vector<std::string>{c.message, c.message}));
        EXPECT_TRUE(ui.progress.empty());
        EXPECT_EQ(readBytes(dir / "in.log"), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

TEST(TextDownloadFile, TargetThatCannotBeCreatedStopsBeforeThePortIsOpened) {
    TempDir dir;
    ScriptedSerialPort port;
    ScriptedUserInterface ui;
    port.send("A\r\n@EOF\r\n");
    CInstrumentLink link(port, ui, 0);
    const std::string target = dir / "missing/in.log";
    EXPECT_FALSE(link.receiveText(target));
    EXPECT_EQ(port.opens, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Die Datei " + target + "\nkonnte nicht geöffnet werden!");
    EXPECT_EQ(ui.messages[0].icon, Icon::Stop);
    EXPECT_FALSE(link.wasAborted());
}

// Over an existing file (here through a link, with private permissions): nothing changes
// before the first byte; from then on the file holds what arrived.
TEST(TextDownloadFile, AnExistingFileIsReplacedOnlyOnceDataArrive) {
    struct Case {
        const char* name;
        std::string sent; // then silence
        std::string file;
        bool completes;
        bool keptOldFile;
    };
    const Case cases[] = {
        {"silent", "", "old\r\n", false, true},
        {"one line, then silent", "A\r\n", "A\r\n", false, false},
        {"no whole line", "AB", "", false, false},
        {"complete", "A\r\n@EOF\r\n", "A\r\n@EOF\r\n", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeBytes(dir / "real.log", "old\r\n");
        std::filesystem::permissions(dir / "real.log", std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_write);
        std::filesystem::create_symlink("real.log", dir / "in.log");
        ScriptedSerialPort port;
        ScriptedUserInterface ui;
        port.send(c.sent);
        CInstrumentLink link(port, ui, 0);
        EXPECT_EQ(link.receiveText(dir / "in.log"), c.completes);
        EXPECT_EQ(link.keptOldFile(), c.keptOldFile);
        EXPECT_EQ(link.wasAborted(), !c.completes);
        EXPECT_EQ(readBytes(dir / "real.log"), c.file);
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "in.log"));
        EXPECT_EQ(std::filesystem::status(dir / "real.log").permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
    }
}

TEST(TextDownloadFile, AWriteProtectedTargetIsRefusedBeforeThePortIsOpened) {
    TempDir dir;
    writeBytes(dir / "in.log", "old\r\n");
    std::filesystem::permissions(dir / "in.log", std::filesystem::perms::owner_read);
    ScriptedSerialPort port;
    ScriptedUserInterface ui;
    port.send("A\r\n@EOF\r\n");
    CInstrumentLink link(port, ui, 0);
    EXPECT_FALSE(link.receiveText(dir / "in.log"));
    EXPECT_EQ(port.opens, 0);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Die Datei " + dir / "in.log" +
                                                   "\nist schreibgeschützt. Es wurde nichts "
                                                   "geändert."});
    EXPECT_EQ(readBytes(dir / "in.log"), "old\r\n");
}

// The file as the instrument sends it; every prefix of whole lines is a sound leftover.
std::string faultScriptFile() {
    return paced(12) + "@EOF\r\n";
}

bool isWholeLinePrefix(const std::string& file, const std::string& full) {
    if (file.empty()) {
        return true;
    }
    return full.compare(0, file.size(), file) == 0 && file.size() >= 2 &&
           file.compare(file.size() - 2, 2, "\r\n") == 0;
}

// Every read, every write to the file and the opening in turn fail once; each run must
// end with the port closed, the window closed, one message at most (none only on
// success), and whole lines in the file.
TEST(TextDownloadFaults, EveryFailingCallEndsInAnOrderlyState) {
    enum class Fault { Open, Read, FileWrite };
    for (const Fault fault : {Fault::Open, Fault::Read, Fault::FileWrite}) {
        for (int n = 1;; ++n) {
            SCOPED_TRACE(std::to_string(static_cast<int>(fault)) + "/" + std::to_string(n));
            TempDir dir;
            ScriptedSerialPort port;
            ScriptedUserInterface ui;
            port.bytePaceUs = 1042;
            port.send(faultScriptFile());
            if (fault == Fault::Open) {
                port.failingOpens = {n};
            } else if (fault == Fault::Read) {
                port.failingReads = {n};
            } else {
                injectWriteFault(n);
            }
            CInstrumentLink link(port, ui, 0);
            const bool ok = link.receiveText(dir / "in.log");
            const long fileWrites = countedWriteOperations();
            injectWriteFault(0);

            EXPECT_FALSE(port.isOpen());
            EXPECT_FALSE(ui.progressOpen);
            EXPECT_EQ(ui.messages.size(), ok ? 0u : 1u);
            const std::string file = readBytes(dir / "in.log");
            EXPECT_TRUE(isWholeLinePrefix(file, faultScriptFile())) << file;
            if (ok) {
                EXPECT_EQ(file, faultScriptFile());
            }
            const bool faultReached = fault == Fault::Open   ? port.opens >= n
                                      : fault == Fault::Read ? port.reads >= n
                                                             : fileWrites >= n;
            if (!faultReached) {
                EXPECT_TRUE(ok);
                break;
            }
            EXPECT_FALSE(ok);
        }
    }
}

} // namespace
} // namespace zv::test
