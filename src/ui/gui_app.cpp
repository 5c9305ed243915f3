#include "ui/gui_app.h"

#include "ui/about_help.h"
#include "ui/main_frame.h"

#include <QCoreApplication>
#include <QDir>

namespace zv {

ZvGuiApp::ZvGuiApp() = default;

ZvGuiApp::~ZvGuiApp() {
    ui_.setMainFrame(nullptr);
}

bool ZvGuiApp::initInstance(const QString& commandLineFile) {
    const QString startDir = QDir::currentPath();

    WorkspaceState workspace;
    workspace.font = profile_.loadFont();
    workspace.fontAtStart = workspace.font;
    workspace.margins = profile_.loadMargins();
    workspace.recentFiles = profile_.loadRecentFiles();

    // Every command runs through the application object, which writes settings.ini as soon
    // as a command changed the record.
    auto runner = [this](const CMainFrame::Command& command) { return app_.runCommand(command); };
    frame_ = std::make_unique<CMainFrame>(app_.settings(), ui_, runner, workspace);
    ui_.setMainFrame(frame_.get());
    frame_->placeWindow(profile_.loadWindowPlacement());

    if (!commandLineFile.isEmpty()) {
        frame_->openDocument(commandLineFile);
    }
    app_.settings().logbookCommandsEnabled = true;
    app_.settings().liftDbCommandsEnabled = true;
    frame_->show();
    QCoreApplication::processEvents();

    // settings.ini, or the first-start dialogue over the main window. A settings.ini that
    // cannot be written has been reported; the program goes on with the record it has.
    {
        // F1 in the messages of the first start and of a wrong settings.ini.
        const HelpContext helpContext(QString::fromLatin1(help::firstStart));
        app_.initSettings(startDir.toStdString());
    }
    frame_->updateCommands();

    // The workspace starts without documents, also when a file was named.
    frame_->closeAllDocuments(false);
    return true;
}

void ZvGuiApp::exitInstance() {
    if (frame_) {
        const WorkspaceState& workspace = frame_->workspaceState();
        profile_.saveFont(workspace.font, workspace.fontAtStart);
        profile_.saveMargins(workspace.margins);
        profile_.saveRecentFiles(workspace.recentFiles);
        profile_.saveWindowPlacement(frame_->placement());
        profile_.sync();
    }
    app_.exitInstance();
}

} // namespace zv
