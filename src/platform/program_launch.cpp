#include "platform/program_launch.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace zv {

bool launchProgram(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    if (path.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (!wine.isEmpty() && QFileInfo(path).isFile()) {
            return QProcess::startDetached(wine, {path});
        }
    }
    return QProcess::startDetached(path, {});
}

bool openFileManager(const QString& dir) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(dir));
}

} // namespace zv
