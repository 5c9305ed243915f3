#include "platform/profile.h"

#include <QDir>

namespace zv {

void Profile::applyLocationFromEnvironment() {
    const QString dir = qEnvironmentVariable("ZV_PROFILE_DIR");
    if (!dir.isEmpty()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir);
    }
}

Profile::Profile()
    : settings_(std::make_unique<QSettings>(QString::fromLatin1(profileOrganisation),
                                            QString::fromLatin1(profileApplication))) {}

FontRecord Profile::loadFont() {
    FontRecord font;
    settings_->beginGroup(QStringLiteral("Font"));
    font.height = settings_->value(QStringLiteral("Height"), 0).toInt();
    if (font.height != 0) {
        font.weight = settings_->value(QStringLiteral("Weight"), 0).toInt();
        font.italic = settings_->value(QStringLiteral("Italic"), 0).toInt();
        font.underline = settings_->value(QStringLiteral("Underline"), 0).toInt();
        font.pitchAndFamily = settings_->value(QStringLiteral("PitchAndFamily"), 0).toInt();
        font.charSet = settings_->value(QStringLiteral("CharSet"), 1).toInt();
        font.faceName = settings_->value(QStringLiteral("FaceName"), QStringLiteral("System"))
                            .toString()
                            .left(31);
    }
    settings_->endGroup();
    return font;
}

void Profile::saveFont(const FontRecord& font, const FontRecord& atStart) {
    settings_->beginGroup(QStringLiteral("Font"));
    if (font.height != atStart.height) {
        settings_->setValue(QStringLiteral("Height"), font.height);
    }
    if (font.height != 0) {
        const auto write = [this](const char* key, const QVariant& now, const QVariant& before) {
            if (now != before) {
                settings_->setValue(QString::fromLatin1(key), now);
            }
        };
        write("Weight", font.weight, atStart.weight);
        write("Italic", font.italic, atStart.italic);
        write("Underline", font.underline, atStart.underline);
        write("PitchAndFamily", font.pitchAndFamily, atStart.pitchAndFamily);
        write("CharSet", font.charSet, atStart.charSet);
        write("FaceName", font.faceName.left(31), atStart.faceName);
    }
    settings_->endGroup();
}

PrintMargins Profile::loadMargins() {
    PrintMargins margins;
    settings_->beginGroup(QStringLiteral("Print"));
    const int left = settings_->value(QStringLiteral("left"), 0).toInt();
    if (left != 0) {
        margins.left = left;
        margins.top = settings_->value(QStringLiteral("top"), 0).toInt();
        margins.right = settings_->value(QStringLiteral("right"), 0).toInt();
        margins.bottom = settings_->value(QStringLiteral("bot"), 0).toInt();
    }
    settings_->endGroup();
    return margins;
}

void Profile::saveMargins(const PrintMargins& margins) {
    settings_->beginGroup(QStringLiteral("Print"));
    settings_->setValue(QStringLiteral("left"), margins.left);
    settings_->setValue(QStringLiteral("top"), margins.top);
    settings_->setValue(QStringLiteral("right"), margins.right);
    settings_->setValue(QStringLiteral("bot"), margins.bottom);
    settings_->endGroup();
}

QStringList Profile::loadRecentFiles() {
    QStringList files;
    settings_->beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= recentFileCount; ++i) {
        const QString file = settings_->value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty()) {
            files << file;
        }
    }
    settings_->endGroup();
    return files;
}

void Profile::saveRecentFiles(const QStringList& files) {
    settings_->beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= recentFileCount; ++i) {
        if (i <= files.size()) {
            settings_->setValue(QStringLiteral("File%1").arg(i), files.at(i - 1));
        } else {
            settings_->remove(QStringLiteral("File%1").arg(i));
        }
    }
    settings_->endGroup();
}

std::optional<WindowPlacement> Profile::loadWindowPlacement() {
    settings_->beginGroup(QStringLiteral("Window"));
    bool ok[4] = {};
    const int x = settings_->value(QStringLiteral("x")).toInt(&ok[0]);
    const int y = settings_->value(QStringLiteral("y")).toInt(&ok[1]);
    const int width = settings_->value(QStringLiteral("width")).toInt(&ok[2]);
    const int height = settings_->value(QStringLiteral("height")).toInt(&ok[3]);
    const bool maximized = settings_->value(QStringLiteral("maximized"), false).toBool();
    settings_->endGroup();
    if (!(ok[0] && ok[1] && ok[2] && ok[3]) || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    return WindowPlacement{QRect(x, y, width, height), maximized};
}

void Profile::saveWindowPlacement(const WindowPlacement& placement) {
    settings_->beginGroup(QStringLiteral("Window"));
    settings_->setValue(QStringLiteral("x"), placement.geometry.x());
    settings_->setValue(QStringLiteral("y"), placement.geometry.y());
    settings_->setValue(QStringLiteral("width"), placement.geometry.width());
    settings_->setValue(QStringLiteral("height"), placement.geometry.height());
    settings_->setValue(QStringLiteral("maximized"), placement.maximized);
    settings_->endGroup();
}

QString Profile::loadTileUrl() {
    return settings_->value(QStringLiteral("Karte/TileUrl")).toString().trimmed();
}

void Profile::sync() {
    settings_->sync();
}

} // namespace zv
