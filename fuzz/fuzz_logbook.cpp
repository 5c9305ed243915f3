// Fuzz target of the logbook reader. Besides not crashing, a logbook that reads without
// fault must read again, flight for flight, after it was sorted and written, and the
// quick flight order must be the selection procedure's.
#include "app/user_interface.h"
#include "formats/text_file.h"
#include "logbook/logbook.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class SilentUserInterface : public zv::UserInterface {
public:
    void message(const std::string&, zv::Icon) override {}
    zv::Answer ask(const std::string&, zv::Icon, zv::Buttons) override { return zv::Answer::No; }
    std::vector<std::filesystem::path> chooseFiles(const zv::FileDialogRequest&) override {
        return {};
    }
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
    bool runSettingsSheet(zv::AppSettings&) override { return false; }
    bool runLiftExtractDialog(zv::LiftExtractDialogData&) override { return false; }
    bool runInsertFlightDialog(zv::InsertFlightDialogData&) override { return false; }
    bool runTimeSpanDialog(zv::TimeSpanDialogData&) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilentUserInterface ui;
    zv::CLogbook logbook(zv::CLogbook::serialText(1596));
    zv::TextReader reader =
        zv::TextReader::fromContent(std::string(reinterpret_cast<const char*>(data), size));
    const bool whole = logbook.readLogbook(reader, ui);

    if (logbook.flights().size() <= 300 &&
        zv::takeoffOrder(logbook.flights()) != zv::takeoffOrderBySelection(logbook.flights())) {
        std::abort();
    }
    logbook.sortByTakeoff();
    logbook.removeDuplicates();
    logbook.renumber(1);
    const std::string written = logbook.logbookText(3);
    if (whole) {
        std::string bytes;
        for (const char c : written) {
            if (c == '\n') {
                bytes += '\r';
            }
            bytes += c;
        }
        zv::CLogbook again(zv::CLogbook::serialText(1596));
        zv::TextReader rewritten = zv::TextReader::fromContent(bytes);
        if (!again.readLogbook(rewritten, ui) ||
            again.flights().size() != logbook.flights().size()) {
            std::abort();
        }
    }
    return 0;
}
