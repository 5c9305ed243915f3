#pragma once

// The per-user profile: the window font, the print margins, the recent-file list and the
// map's tile server, kept with QSettings under the organisation "Local AppWizard-Generated
// Applications" and the application "zv". ZV_PROFILE_DIR moves the whole profile into
// that directory (tests, or a portable set-up).

#include <QRect>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace zv {

inline constexpr const char* profileOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* profileApplication = "zv";
inline constexpr int recentFileCount = 4;

// The window font as the profile keeps it: a logical-font record. height 0 means that no
// font has been chosen and the text windows keep their default font.
struct FontRecord {
    int height = 0; // negative: character height in pixels
    int weight = 0; // 0 = default, 400 normal, 700 bold
    int italic = 0;
    int underline = 0;
    int pitchAndFamily = 0;
    int charSet = 1;
    QString faceName = QStringLiteral("System"); // at most 31 characters

    friend bool operator==(const FontRecord&, const FontRecord&) = default;
};

// Page margins in twips (1/1440 inch).
struct PrintMargins {
    int left = 1200;
    int top = 720;
    int right = 720;
    int bottom = 720;

    friend bool operator==(const PrintMargins&, const PrintMargins&) = default;
};

// The main window's place: its client area in the normal state, and whether it is
// maximized.
struct WindowPlacement {
    QRect geometry;
    bool maximized = false;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

class Profile {
public:
    // Points QSettings at ZV_PROFILE_DIR when that is set; call before the first Profile.
    static void applyLocationFromEnvironment();

    Profile();

    FontRecord loadFont();
    // Writes "Height" when it differs from `atStart`, and, when a font has been chosen,
    // every other value that differs from `atStart`.
    void saveFont(const FontRecord& font, const FontRecord& atStart);

    PrintMargins loadMargins();
    void saveMargins(const PrintMargins& margins);

    QStringList loadRecentFiles();
    void saveRecentFiles(const QStringList& files);

    // Section "Window": x, y, width, height, maximized. Nothing when none is stored.
    std::optional<WindowPlacement> loadWindowPlacement();
    void saveWindowPlacement(const WindowPlacement& placement);

    // Section "Karte", key "TileUrl": the map's tile server, a URL with {z}, {x} and {y};
    // empty when none is set.
    QString loadTileUrl();

    void sync();

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace zv
