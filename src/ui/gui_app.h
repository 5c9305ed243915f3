#pragma once

// The start and the end of the desktop program: the profile, the main frame, the settling
// of the settings, and at the end the profile values and settings.ini.

#include "app/zv_app.h"
#include "base/app_settings.h"
#include "platform/profile.h"
#include "ui/qt_user_interface.h"

#include <QString>
#include <memory>

namespace zv {

class CMainFrame;

class ZvGuiApp {
public:
    ZvGuiApp();
    ~ZvGuiApp();
    ZvGuiApp(const ZvGuiApp&) = delete;
    ZvGuiApp& operator=(const ZvGuiApp&) = delete;

    // The start-up; `commandLineFile` (may be empty) is opened and closed again. False ends
    // the program at once.
    bool initInstance(const QString& commandLineFile);
    // Writes the font, the margins, the recent files and settings.ini.
    void exitInstance();

    CMainFrame* mainFrame() const { return frame_.get(); }
    AppSettings& settings() { return app_.settings(); }
    CZvApp& app() { return app_; }
    QtUserInterface& ui() { return ui_; }

private:
    QtUserInterface ui_;
    CZvApp app_{ui_};
    Profile profile_;
    FontRecord fontAtStart_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace zv
