// The start and the end of the desktop program with a settings.ini in place: the named file
// is opened and closed again, and the end writes the profile and settings.ini.

#include "app/settings_file.h"
#include "support/test_files.h"
#include "ui/gui_app.h"
#include "ui/main_frame.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace zv {

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void aNamedFileIsClosedAgainAndTheEndWritesBack() {
        QTemporaryDir profileDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileDir.path());
        test::TempDir start;
        AppSettings stored;
        resetSettings(stored);
        stored.startDir = start.path().string();
        stored.logbookDir = start.path().string();
        stored.logbookFile = "Flugbuch.log";
        stored.comPort = 0;
        QVERIFY(saveSettings(stored));
        test::writeBytes(start.path() / "Flugbuch.log", "@EOF");
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromStdString(start.path().string())));
        {
            ZvGuiApp app;
            QVERIFY(app.initInstance(QString::fromStdString(start / "Flugbuch.log")));
            QVERIFY(app.mainFrame()->documents().isEmpty());
            QVERIFY(app.settings().logbookCommandsEnabled);
            QCOMPARE(app.settings().logbookFile, std::string("Flugbuch.log"));
            // The named file went into the recent-file list.
            QCOMPARE(app.mainFrame()->workspaceState().recentFiles.size(), 1);
            app.mainFrame()->action(CommandId::Com2)->trigger();
            app.exitInstance();
        }
        QVERIFY(QDir::setCurrent(before));
        AppSettings reread;
        QCOMPARE(loadSettings(reread, start.path() / "settings.ini"), SettingsFileState::Loaded);
        QCOMPARE(reread.comPort, 1);
        QSettings profile{QString::fromLatin1(profileOrganisation),
                          QString::fromLatin1(profileApplication)};
        QCOMPARE(profile.value("Print/left").toInt(), 1200);
        QVERIFY(!profile.childGroups().contains("Font"));
        QCOMPARE(profile.value("Recent File List/File1").toString(),
                 QString::fromStdString(start / "Flugbuch.log"));
    }
};

} // namespace zv

QTEST_MAIN(zv::StartUpTest)
#include "start_up_test.moc"
