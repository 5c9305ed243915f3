// zv-cli's commands of the logbook: append, restore, insert a flight, the two
// evaluations. The dialogs' data come from options, checked as the dialogs check them.
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_user_interface.h"
#include "logbook/logbook_commands.h"

namespace zv::cli {

namespace {

std::string optionText(Arguments& arguments, std::string_view name, std::string fallback) {
    const auto values = arguments.takeOption(name, 1);
    return values ? values->front() : fallback;
}

// The entries of "Flug einfügen"; options left out keep the dialog's initial values.
struct InsertFlightOptions {
    std::optional<CalendarDate> date;
    std::string site;
    std::pair<int, int> start{0, 0};
    std::pair<int, int> landing{0, 0};
    std::string startAltitude = "0";
    std::string landingAltitude = "0";
    std::string distance = "0";
};

// Fills the dialog data as the dialog does on OK; false after the dialog's message.
bool fillInsertFlight(const InsertFlightOptions& options, InsertFlightDialogData& data,
                      UserInterface& ui) {
    if (options.date) {
        data.date = *options.date;
    }
    data.takeoffHour = options.start.first;
    data.takeoffMinute = options.start.second;
    data.landingHour = options.landing.first;
    data.landingMinute = options.landing.second;
    const InsertFlightTexts texts{options.site, options.startAltitude, options.landingAltitude,
                                  options.distance};
    if (const InsertFlightRefusal refusal = acceptInsertFlightTexts(texts, data)) {
        ui.message(refusal.text, Icon::Exclamation);
        return false;
    }
    return true;
}

const CommandRegistrar appendCommand({
    .name = "logbook-append",
    .synopsis = "LOGBUCHDATEI",
    .commands = {CommandId::LogbookAppend},
    .needsSettings = true,
    .fileArguments = 1,
});

const CommandRegistrar restoreCommand({
    .name = "logbook-restore",
    .synopsis = "",
    .commands = {CommandId::LogbookRestore},
    .needsSettings = true,
    .fileArguments = 0,
});

const CommandRegistrar insertCommand({
    .name = "logbook-insert",
    .synopsis = "--date TT.MM.JJJJ --site NAME --start HH:MM --start-alt M --landing HH:MM "
                "--landing-alt M --distance KM",
    .commands = {CommandId::LogbookInsert},
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments& arguments) -> CommandAction {
        InsertFlightOptions options;
        if (const auto date = arguments.takeOption("--date", 1)) {
            options.date = parseDate("--date", date->front());
        }
        options.site = optionText(arguments, "--site", "");
        if (const auto start = arguments.takeOption("--start", 1)) {
            options.start = parseTime("--start", start->front());
        }
        if (const auto landing = arguments.takeOption("--landing", 1)) {
            options.landing = parseTime("--landing", landing->front());
        }
        options.startAltitude = optionText(arguments, "--start-alt", "0");
        options.landingAltitude = optionText(arguments, "--landing-alt", "0");
        options.distance = optionText(arguments, "--distance", "0");
        return [options](CZvApp& app, CliUserInterface& ui) {
            ui.insertFlightDialog = [&options, &ui](InsertFlightDialogData& data) {
                return fillInsertFlight(options, data, ui);
            };
            return runTableCommand(app, CommandId::LogbookInsert);
        };
    },
});

CommandAction evaluation(const TimeSpanDialogData& span, CommandId command) {
    return [span, command](CZvApp& app, CliUserInterface& ui) {
        ui.timeSpanDialog = [&span, &ui](TimeSpanDialogData& data) {
            if (const FieldRefusal refusal = checkTimeSpan(span)) {
                ui.message(*refusal, Icon::Exclamation);
                return false;
            }
            data = span;
            return true;
        };
        return runTableCommand(app, command);
    };
}

const CommandRegistrar hoursCommand({
    .name = "stats-hours",
    .synopsis = "--all | --from TT.MM.JJJJ --to TT.MM.JJJJ",
    .commands = {CommandId::StatsHours},
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments& arguments) -> CommandAction {
        return evaluation(parseSpan(arguments), CommandId::StatsHours);
    },
});

const CommandRegistrar sitesCommand({
    .name = "stats-sites",
    .synopsis = "--all | --from TT.MM.JJJJ --to TT.MM.JJJJ",
    .commands = {CommandId::StatsSites},
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments& arguments) -> CommandAction {
        return evaluation(parseSpan(arguments), CommandId::StatsSites);
    },
});

} // namespace

} // namespace zv::cli
