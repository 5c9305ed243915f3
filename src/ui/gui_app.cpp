#include "ui/gui_app.h"

#include "ui/main_frame.h"

#include <QDir>

namespace zv {

ZvGuiApp::ZvGuiApp() = default;

ZvGuiApp::~ZvGuiApp() {
    ui_.setMainFrame(nullptr);
}

bool ZvGuiApp::initInstance(const QString& commandLineFile) {
    settings_.startDir = QDir::currentPath().toStdString();

    WorkspaceState workspace;
    workspace.font = profile_.loadFont();
    workspace.fontAtStart = workspace.font;
    workspace.margins = profile_.loadMargins();
    workspace.recentFiles = profile_.loadRecentFiles();

    auto runner = [this](const CMainFrame::Command& command) { return command(settings_, ui_); };
    frame_ = std::make_unique<CMainFrame>(settings_, ui_, runner, workspace);
    ui_.setMainFrame(frame_.get());

    if (!commandLineFile.isEmpty()) {
        frame_->openDocument(commandLineFile);
    }
    settings_.logbookCommandsEnabled = true;
    settings_.liftDbCommandsEnabled = true;
    frame_->show();
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
        profile_.sync();
    }
}

} // namespace zv
