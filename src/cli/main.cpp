// zv-cli: runs one menu command of zv headless, in the current directory.
#include "cli/cli_command.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code error;
    std::filesystem::path currentDir = std::filesystem::current_path(error);
    if (error) {
        std::cerr << "zv-cli: aktuelles Verzeichnis nicht lesbar: " << error.message() << '\n';
        return 1;
    }
    return zv::cli::runCli(args, currentDir, std::cout, std::cerr);
}
