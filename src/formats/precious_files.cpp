#include "formats/precious_files.h"

#include "base/app_settings.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/file_replacement.h"

#include <filesystem>
#include <system_error>

namespace zv {

namespace fs = std::filesystem;

namespace {

void addLogbookFiles(const AppSettings& settings, bool derived, std::vector<NamedFile>& files) {
    if (settings.logbookFile.empty()) {
        return;
    }
    const std::filesystem::path main = mainLogbookPath(settings);
    files.push_back({main, "das Flugbuch"});
    files.push_back({siblingPath(main, "bak"), "die Sicherungskopie des Flugbuchs"});
    if (derived) {
        files.push_back({siblingPath(main, "err"), "die Fehlerkopie des Flugbuchs"});
        files.push_back({siblingPath(main, "fzd"), "die Flugdaten-Zuordnung des Flugbuchs"});
        files.push_back({siblingPath(main, "mfs"), "die Flugstunden-Auswertung"});
        files.push_back({siblingPath(main, "tfs"), "die Startplatz-Auswertung"});
    }
}

void addLiftFiles(const AppSettings& settings, std::vector<NamedFile>& files) {
    if (settings.liftDatabase.empty()) {
        return;
    }
    const std::filesystem::path database = liftDatabasePath(settings);
    files.push_back({database, "die Aufwinddatenbank"});
    files.push_back({siblingPath(database, "bak"), "die Sicherungskopie der Aufwinddatenbank"});
}

void addSettingsFile(const AppSettings& settings, std::vector<NamedFile>& files) {
    if (!settings.startDir.empty()) {
        files.push_back({settingsFilePath(settings), "die Datei settings.ini"});
    }
}

// The place a path stands for: links followed, also where the file is not there yet.
fs::path placeOf(const std::filesystem::path& path) {
    const fs::path resolved = resolveLinks(path);
    std::error_code error;
    fs::path place = fs::weakly_canonical(resolved, error);
    if (error) {
        place = fs::absolute(resolved, error).lexically_normal();
    }
    return place;
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

} // namespace

std::vector<NamedFile> preciousFiles(const AppSettings& settings) {
    std::vector<NamedFile> files;
    addLogbookFiles(settings, false, files);
    addLiftFiles(settings, files);
    addSettingsFile(settings, files);
    return files;
}

std::vector<NamedFile> maintainedFiles(const AppSettings& settings) {
    std::vector<NamedFile> files;
    addLogbookFiles(settings, true, files);
    addLiftFiles(settings, files);
    addSettingsFile(settings, files);
    return files;
}

bool samePlace(const std::filesystem::path& a, const std::filesystem::path& b) {
    return placeOf(a) == placeOf(b) || sameFile(a, b);
}

std::string preciousTargetRefusal(const AppSettings& settings,
                                  const std::filesystem::path& target) {
    for (const NamedFile& file : preciousFiles(settings)) {
        if (samePlace(target, file.path)) {
            return "Die Datei " + target.string() + "\nist " + file.role +
                   " und kann hier nicht überschrieben werden.\n"
                   "Bitte wählen Sie einen anderen Dateinamen!";
        }
    }
    return {};
}

std::optional<std::filesystem::path>
chooseSafeTarget(UserInterface& ui, const FileDialogRequest& request, const AppSettings& settings) {
    return chooseNewFile(ui, request, [&settings](const std::filesystem::path& target) {
        return preciousTargetRefusal(settings, target.string());
    });
}

std::string sharedPathRefusal(const AppSettings& settings) {
    const std::vector<NamedFile> files = maintainedFiles(settings);
    std::vector<fs::path> places;
    places.reserve(files.size());
    for (const NamedFile& file : files) {
        places.push_back(placeOf(file.path));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            if (places[i] == places[j] || sameFile(files[i].path, files[j].path)) {
                return capitalised(files[i].role) + " und " + files[j].role +
                       "\nwären dieselbe Datei:\n" + files[j].path.string() +
                       "\nBitte wählen Sie einen anderen Namen oder ein anderes Verzeichnis!";
            }
        }
    }
    return {};
}

bool maintainedFilesApart(const AppSettings& settings, UserInterface& ui) {
    const std::string refusal = sharedPathRefusal(settings);
    if (refusal.empty()) {
        return true;
    }
    ui.message(refusal, Icon::Stop);
    return false;
}

std::string fileInUseMessage(const std::filesystem::path& path) {
    return "Die Datei " + path.string() +
           "\nwird gerade von einem anderen Zv benutzt.\n"
           "Es wurde nichts geändert. Bitte versuchen Sie es gleich noch einmal!";
}

std::string writeProtectedMessage(const std::filesystem::path& path) {
    return "Die Datei " + path.string() + "\nist schreibgeschützt. Es wurde nichts geändert.";
}

std::optional<FileLock> lockForChange(const std::filesystem::path& lockedFile,
                                      std::initializer_list<std::filesystem::path> replaced,
                                      UserInterface& ui) {
    FileLock lock(lockedFile, FileLock::Kind::Exclusive);
    if (lock.state() == FileLock::State::Busy) {
        ui.message(fileInUseMessage(lockedFile), Icon::Stop);
        return std::nullopt;
    }
    for (const std::filesystem::path& file : replaced) {
        // Only under the lock: without it a temporary could be another zv's work.
        if (lock.held()) {
            removeStaleTemporaries(file);
        }
        if (isWriteProtected(resolveLinks(file))) {
            ui.message(writeProtectedMessage(file), Icon::Stop);
            return std::nullopt;
        }
    }
    return lock;
}

std::optional<FileLock> lockForReading(const std::filesystem::path& file, UserInterface& ui) {
    FileLock lock(file, FileLock::Kind::Shared);
    if (lock.state() == FileLock::State::Busy) {
        ui.message(fileInUseMessage(file), Icon::Stop);
        return std::nullopt;
    }
    return lock;
}

} // namespace zv
