#pragma once

// The two command flags that follow the main logbook and the lift database: while one of
// them is open in a text window, the commands that rewrite it (append, restore, insert a
// flight) are unavailable. Also the six commands that open data files as documents.

#include "base/app_settings.h"
#include "base/user_interface.h"

#include <filesystem>
#include <string>

namespace zv {

// A document has been loaded from `path`: opening exactly the main logbook or the lift
// database path (letter case significant) clears the matching flag.
void noteDocumentOpened(AppSettings& settings, const std::filesystem::path& path);

// A document with the window title `title` (its file name) is about to close: a title equal
// to the logbook file name or to that name without its extension sets the logbook flag
// again; the same for the lift database.
void noteDocumentClosing(AppSettings& settings, const std::string& title);

// The name without its extension as the titles show it: the first "." and up to three
// characters after it are removed.
std::string nameWithoutExtension(const std::string& name);

enum class OpenFileKind { Logbook, ZvWaypoints, OziWaypoints, Lifts, Takeoffs, Lines };

// The file dialog of one open command, in the directory of that file kind.
FileDialogRequest openFileRequest(OpenFileKind kind, const AppSettings& settings);

// "Datei" > "Öffnen..." > one kind: asks for the file(s) and opens each chosen one as a
// document, in the order the dialog returns them. False when the dialog was cancelled.
bool commandOpenFiles(OpenFileKind kind, AppSettings& settings, UserInterface& ui);

} // namespace zv
