#include "ui/main_frame.h"

#include "app/command_boundary.h"
#include "platform/program_launch.h"
#include "platform/qt_serial_port.h"
#include "ui/about_help.h"
#include "ui/icons.h"
#include "ui/window_fit.h"
#include "ui/zv_doc.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

namespace zv {

namespace {

// The menus shown only while a document is open.
const QStringList documentOnlyMenus = {QStringLiteral("&Bearbeiten"), QStringLiteral("&Fenster")};

} // namespace

CMainFrame::CMainFrame(AppSettings& settings, UserInterface& ui, CommandRunner runner,
                       WorkspaceState workspace, QWidget* parent)
    : QMainWindow(parent), settings_(settings), ui_(ui), runner_(std::move(runner)),
      workspace_(std::move(workspace)), mdi_(new QMdiArea(this)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(QStringLiteral("zv"));
    setWindowIcon(icons::program());
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    for (const CommandEntry& entry : commandTable()) {
        if (entry.kind != CommandKind::Separator) {
            handlers_[entry.id] = handlerOf(entry);
        }
    }
    createMenusAndToolbar();
    createStatusBar();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        // Every document window is shown maximized whenever it is activated: after another
        // one was closed, by F6 or Ctrl+Tab, or from the menu "Fenster".
        if (window && !window->isMaximized() && !window->isHidden()) {
            window->showMaximized();
        }
        updateCommands();
    });
    qApp->installEventFilter(this);
    installHelpKey();
    installTitleFit();
    resize(900, 650);
    updateRecentFiles();
    updateCommands();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The document windows go away with the frame; none may call back into it meanwhile.
    mdi_->disconnect(this);
    for (CChildFrame* frame : findChildren<CChildFrame*>()) {
        frame->disconnect(this);
        frame->view()->document()->disconnect(this);
    }
}

void CMainFrame::setHandler(CommandId id, std::function<void()> handler) {
    handlers_[id] = std::move(handler);
    updateCommands();
}

std::function<void()> CMainFrame::handlerOf(const CommandEntry& entry) {
    const CommandFunction function = entry.function;
    if (function.onLine) {
        // A transfer on the serial line of the chosen port.
        return [this, function] {
            QtSerialPort serial;
            runCommand([function, &serial](AppSettings& s, UserInterface& u) {
                return function.onLine(s, u, serial);
            });
        };
    }
    if (function.onRecord) {
        return [this, function] { runCommand(function.onRecord); };
    }
    return windowHandler(entry.id);
}

std::function<void()> CMainFrame::windowHandler(CommandId id) {
    const auto onView = [this](void (QPlainTextEdit::*member)()) {
        return [this, member] {
            if (CChildFrame* frame = activeDocument()) {
                (frame->view()->*member)();
            }
        };
    };
    switch (id) {
    case CommandId::Close:
        return [this] { closeDocument(); };
    case CommandId::Save:
        return [this] { saveDocument(activeDocument()); };
    case CommandId::SaveAs:
        return [this] { saveDocumentAs(activeDocument()); };
    case CommandId::Print:
        return [this] { printDocument(); };
    case CommandId::PrintPreview:
        return [this] { printPreview(); };
    case CommandId::PrintSetup:
        return [this] { printerSetup(); };
    case CommandId::PageSetup:
        return [this] { pageSetup(); };
    case CommandId::Exit:
        return [this] { close(); };
    case CommandId::Undo:
        return onView(&QPlainTextEdit::undo);
    case CommandId::Cut:
        return onView(&QPlainTextEdit::cut);
    case CommandId::Copy:
        return onView(&QPlainTextEdit::copy);
    case CommandId::Paste:
        return onView(&QPlainTextEdit::paste);
    case CommandId::Find:
        return [this] { showFind(false); };
    case CommandId::Replace:
        return [this] { showFind(true); };
    case CommandId::OziExplorer:
        return [this] { launch(settings_.oziExplorerPath); };
    case CommandId::ZvView:
        return [this] { launch(settings_.zvViewPath); };
    case CommandId::LogbookOverview:
        return [this] { showLogbookOverview(); };
    case CommandId::ViewToolbar:
        return [this] {
            toolBar_->setVisible(!toolBar_->isVisible());
            updateCommands();
        };
    case CommandId::Map:
        return [this] { showMap(); };
    case CommandId::ViewStatusBar:
        return [this] {
            statusBar()->setVisible(!statusBar()->isVisible());
            updateCommands();
        };
    case CommandId::SetFont:
        return [this] { chooseFont(); };
    case CommandId::Cascade:
        return [this] { mdi_->cascadeSubWindows(); };
    case CommandId::Tile:
        return [this] { mdi_->tileSubWindows(); };
    case CommandId::ArrangeIcons:
        return [this] {
            for (QMdiSubWindow* window : mdi_->subWindowList()) {
                if (window->isMinimized()) {
                    window->showMinimized();
                }
            }
        };
    case CommandId::HelpTopics:
        return [this] { showHelp(this); };
    case CommandId::About:
        return [this] { showAboutBox(this); };
    case CommandId::ContextHelp:
        return [] { QWhatsThis::enterWhatsThisMode(); };
    case CommandId::FileManager:
        return [this] { openFileManager(QString::fromStdString(settings_.startDir)); };
    case CommandId::OpenAny:
        return [this] { openAnyFile(); };
    case CommandId::NextPane:
        return [this] { mdi_->activateNextSubWindow(); };
    case CommandId::PreviousPane:
        return [this] { mdi_->activatePreviousSubWindow(); };
    default:
        // The recent-file placeholder and the routes upload have no operation.
        return {};
    }
}

void CMainFrame::updateCommands() {
    const bool hasDocument = activeDocument() != nullptr;
    for (const CommandEntry& entry : commandTable()) {
        QAction* action = this->action(entry.id);
        if (!action || entry.kind == CommandKind::Separator) {
            continue;
        }
        bool enabled = static_cast<bool>(handlers_[entry.id]) && commandAllowed(entry, settings_);
        if (entry.form == CommandForm::Document) {
            action->setVisible(hasDocument);
            enabled = enabled && hasDocument;
        }
        action->setEnabled(enabled);
        if (const auto button = toolbarActions_.find(entry.id); button != toolbarActions_.end()) {
            button->second->setEnabled(enabled);
        }
    }
    for (const QString& name : documentOnlyMenus) {
        menus_.at(name)->menuAction()->setVisible(hasDocument);
    }
    actions_.at(CommandId::Com1)->setChecked(settings_.comPort == 0);
    actions_.at(CommandId::Com2)->setChecked(settings_.comPort == 1);
    actions_.at(CommandId::ViewToolbar)->setChecked(!toolBar_->isHidden());
    actions_.at(CommandId::ViewStatusBar)->setChecked(!statusBar()->isHidden());
    recentPlaceholder_->setVisible(recentActions_.isEmpty());
    recentPlaceholder_->setEnabled(false);
}

void CMainFrame::runCommand(const Command& command) {
    runner_(command);
    updateCommands();
}

void CMainFrame::launch(const std::filesystem::path& path) {
    launchProgram(QString::fromStdString(path));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Every modified document is asked for first; Cancel keeps the program running.
    for (CChildFrame* frame : documents()) {
        if (!maybeSave(frame)) {
            event->ignore();
            return;
        }
    }
    closeAllDocuments(false);
    event->accept();
}

void CMainFrame::placeWindow(const std::optional<WindowPlacement>& placement) {
    const QScreen* screen =
        placement ? QGuiApplication::screenAt(placement->geometry.center()) : nullptr;
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    QRect wanted = placement ? placement->geometry : QRect(QPoint(), size());
    if (!placement) {
        wanted.moveCenter(available.center());
    }
    setGeometry(fitOnScreen(wanted, available));
    if (placement && placement->maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

WindowPlacement CMainFrame::placement() const {
    const bool maximized = isMaximized();
    const QRect normal = normalGeometry();
    return {maximized && normal.isValid() ? normal : geometry(), maximized};
}

} // namespace zv
