// zv-cli: runs one menu command of zv headless, in the current directory.
#include "cli/cli_command.h"
#include "formats/file_lock.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

// ZV_LOCK_WAIT_MS: how long a command waits for the logbook or the lift database while
// another zv changes it (5000 ms unless set); the stress scripts shorten it.
void takeLockWaitFromEnvironment() {
    const char* text = std::getenv("ZV_LOCK_WAIT_MS");
    if (text == nullptr) {
        return;
    }
    long milliseconds = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, milliseconds);
    if (error == std::errc{} && stop == end && milliseconds >= 0) {
        zv::setLockWaitTime(std::chrono::milliseconds(milliseconds));
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code error;
    std::filesystem::path currentDir = std::filesystem::current_path(error);
    if (error) {
        std::cerr << "zv-cli: aktuelles Verzeichnis nicht lesbar: " << error.message() << '\n';
        return 1;
    }
    takeLockWaitFromEnvironment();
    return zv::cli::runCli(args, currentDir, std::cout, std::cerr);
}
