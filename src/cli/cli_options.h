#pragma once

// The values of zv-cli's options that several commands take: dates, times and the span of
// an evaluation, as the dialogs' pickers give them. A wrong value is a UsageError.

#include "base/dialog_data.h"
#include "cli/cli_command.h"

#include <string>
#include <utility>

namespace zv::cli {

// DD.MM.YYYY, a real calendar date (the date picker offers no other); `option` names the
// option in the message.
CalendarDate parseDate(const std::string& option, const std::string& text);
// HH:MM, the hours and minutes of the time picker.
std::pair<int, int> parseTime(const std::string& option, const std::string& text);
// --all, or --from and --to: the span of "Auswertung Flugstunden", taken from the
// arguments.
TimeSpanDialogData parseSpan(Arguments& arguments);

} // namespace zv::cli
