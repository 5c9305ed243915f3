#include "cli/cli_user_interface.h"

#include "base/file_paths.h"

#include <ostream>

namespace zv::cli {

namespace {

const char* tagOf(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return "[Info]";
    case Icon::Question:
        return "[Frage]";
    case Icon::Exclamation:
        return "[Achtung]";
    case Icon::Stop:
        return "[Stopp]";
    }
    return "[Info]";
}

const char* wordOf(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return "OK";
    case Answer::Cancel:
        return "Abbrechen";
    case Answer::Yes:
        return "Ja";
    case Answer::No:
        return "Nein";
    }
    return "OK";
}

} // namespace

CliUserInterface::CliUserInterface(std::ostream& out, std::ostream& err,
                                   std::filesystem::path currentDir)
    : out_(out), err_(err), currentDir_(std::move(currentDir)) {}

void CliUserInterface::show(const std::string& text, Icon icon, const Answer* answer) {
    out_ << tagOf(icon) << ' ' << text;
    if (answer) {
        out_ << " -> " << wordOf(*answer);
    }
    out_ << '\n' << std::flush;
}

void CliUserInterface::note(const std::string& text) {
    err_ << text << '\n' << std::flush;
}

void CliUserInterface::message(const std::string& text, Icon icon) {
    show(text, icon, nullptr);
}

Answer CliUserInterface::ask(const std::string& text, Icon icon, Buttons buttons) {
    Answer answer = Answer::Ok;
    switch (buttons) {
    case Buttons::Ok:
        answer = Answer::Ok;
        break;
    case Buttons::OkCancel:
        answer = answerYes_ ? Answer::Ok : Answer::Cancel;
        break;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        answer = answerYes_ ? Answer::Yes : Answer::No;
        break;
    }
    show(text, icon, &answer);
    return answer;
}

std::filesystem::path CliUserInterface::fromArgument(const std::string& argument,
                                                     const FileDialogRequest& request) const {
    std::filesystem::path path(argument);
    if (path.is_relative()) {
        path = currentDir_ / path;
    }
    // As in the window: a name typed without extension gets the dialog's extension.
    if (!path.has_extension() && !request.defaultExtension.empty() && path.has_filename()) {
        path += "." + request.defaultExtension;
    }
    return path.lexically_normal();
}

std::vector<std::filesystem::path> CliUserInterface::chooseFiles(const FileDialogRequest& request) {
    std::vector<std::filesystem::path> chosen;
    while (!fileAnswers_.empty() && (chosen.empty() || request.multiple)) {
        chosen.push_back(fromArgument(fileAnswers_.front(), request));
        fileAnswers_.pop_front();
    }
    if (request.mustExist) {
        // The window does not close on a file that is not there; here the dialog ends.
        for (const auto& path : chosen) {
            if (!canOpenForReading(path.string())) {
                err_ << "zv-cli: " << request.title << ": " << path.string()
                     << ": Datei nicht gefunden\n";
                return {};
            }
        }
    }
    return chosen;
}

void CliUserInterface::openDocument(const std::filesystem::path& path) {
    std::filesystem::path full = path.is_relative() ? currentDir_ / path : path;
    out_ << "[Dokument] " << full.lexically_normal().string() << '\n' << std::flush;
}

void CliUserInterface::progressShow(const std::string& firstText, const std::string& secondText) {
    err_ << firstText << '\n' << secondText << '\n' << std::flush;
}

void CliUserInterface::progressSetFirstText(const std::string& text) {
    err_ << text << '\n' << std::flush;
}

void CliUserInterface::progressSetSecondText(const std::string& text) {
    err_ << text << '\n' << std::flush;
}

bool CliUserInterface::runSettingsSheet(AppSettings&) {
    return settingsSheetConfirms_;
}

bool CliUserInterface::runLiftExtractDialog(LiftExtractDialogData& data) {
    return liftExtractDialog ? liftExtractDialog(data) : false;
}

bool CliUserInterface::runInsertFlightDialog(InsertFlightDialogData& data) {
    return insertFlightDialog ? insertFlightDialog(data) : false;
}

bool CliUserInterface::runTimeSpanDialog(TimeSpanDialogData& data) {
    return timeSpanDialog ? timeSpanDialog(data) : false;
}

} // namespace zv::cli
