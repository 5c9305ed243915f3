#pragma once

// Starting the external programs of the Tools menu. A program is started directly, never
// through a shell; a Windows program (".exe") goes through wine when wine is installed.
// Failures stay silent: the caller gets false and shows nothing.

#include <QString>

namespace zv {

bool launchProgram(const QString& path);

// The desktop's file manager on a directory.
bool openFileManager(const QString& dir);

} // namespace zv
