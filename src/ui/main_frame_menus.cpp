#include "app/command_boundary.h"
#include "ui/about_help.h"
#include "ui/icons.h"
#include "ui/main_frame.h"
#include "ui/zv_doc.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace zv {

namespace {

// The text of a menu entry without the shortcut part after the tab.
QString menuText(const QString& leaf) {
    return leaf.section(QLatin1Char('\t'), 0, 0);
}

// The toolbar tip: the part of the prompt after the line break, or the entry's own text.
QString toolTipOf(const QString& prompt, const QString& leaf) {
    if (prompt.contains(QLatin1Char('\n'))) {
        return prompt.section(QLatin1Char('\n'), 1);
    }
    QString text = menuText(leaf);
    text.remove(QLatin1Char('&'));
    text.remove(QStringLiteral("..."));
    return text;
}

} // namespace

void CMainFrame::createMenusAndToolbar() {
    const std::map<CommandId, QIcon> iconOf = {
        {CommandId::Save, icons::save()},
        {CommandId::Cut, icons::cut()},
        {CommandId::Copy, icons::copy()},
        {CommandId::Paste, icons::paste()},
        {CommandId::Print, icons::print()},
        {CommandId::About, icons::about()},
        {CommandId::ContextHelp, icons::contextHelp()},
        {CommandId::ZvToOzi, icons::zvToOzi()},
        {CommandId::OziToZv, icons::oziToZv()},
        {CommandId::FlightToTracks, icons::flightToTracks()},
        {CommandId::OpenLogbook, icons::logbook()},
        {CommandId::OziExplorer, icons::oziExplorer()},
        {CommandId::Map, icons::map()},
        {CommandId::FileManager, icons::fileManager()},
        {CommandId::ZvView, icons::zvView()},
    };

    for (const CommandEntry& entry : commandTable()) {
        const QString name = QString::fromLatin1(entry.name);
        const QString prompt = QString::fromUtf8(entry.prompt);
        const QStringList levels =
            QString::fromUtf8(entry.menuPath).split(QLatin1Char('|'), Qt::SkipEmptyParts);
        const QString leaf = levels.isEmpty() ? name : levels.last();

        QAction* action = nullptr;
        if (entry.kind == CommandKind::Separator) {
            action = new QAction(this);
            action->setSeparator(true);
        } else {
            action = new QAction(menuText(leaf), this);
            action->setObjectName(name);
            action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
            action->setToolTip(toolTipOf(prompt, leaf));
            action->setWhatsThis(action->statusTip());
            QList<QKeySequence> keys;
            for (const QString& key :
                 QString::fromLatin1(entry.shortcut).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                keys << QKeySequence(key);
            }
            action->setShortcuts(keys);
            connect(action, &QAction::triggered, this,
                    [this, id = entry.id] { triggerCommand(id); });
            actions_[entry.id] = action;
        }

        if (levels.isEmpty()) {
            addAction(action); // keyboard only
            continue;
        }
        if (levels.size() == 1) {
            menuBar()->addAction(action);
            continue;
        }
        QMenu* parent = nullptr;
        QString path;
        for (qsizetype level = 0; level + 1 < levels.size(); ++level) {
            path += (level ? QStringLiteral("|") : QString()) + levels.at(level);
            auto found = menus_.find(path);
            if (found == menus_.end()) {
                QMenu* menu = parent ? parent->addMenu(levels.at(level))
                                     : menuBar()->addMenu(levels.at(level));
                menu->menuAction()->setObjectName(QStringLiteral("menu:") + path);
                connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommands);
                found = menus_.emplace(path, menu).first;
            }
            parent = found->second;
        }
        parent->addAction(action);
    }
    windowMenu_ = menus_[QStringLiteral("&Fenster")];
    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::updateWindowMenu);
    for (const CommandId checkable :
         {CommandId::Com1, CommandId::Com2, CommandId::ViewToolbar, CommandId::ViewStatusBar}) {
        actions_.at(checkable)->setCheckable(true);
    }
    recentPlaceholder_ = actions_.at(CommandId::RecentFile);

    toolBar_ = addToolBar(QStringLiteral("Symbolleiste"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(24, 24));
    for (const CommandId id : toolbarOrder()) {
        if (id == CommandId::Separator) {
            toolBar_->addSeparator();
            continue;
        }
        // A button of its own: the menu entry may be hidden while the button stays.
        QAction* menuAction = actions_.at(id);
        auto* button = new QAction(iconOf.at(id), menuAction->text(), this);
        button->setObjectName(QStringLiteral("tool:") + menuAction->objectName());
        button->setToolTip(menuAction->toolTip());
        button->setStatusTip(menuAction->statusTip());
        button->setWhatsThis(menuAction->statusTip());
        connect(button, &QAction::triggered, menuAction, &QAction::trigger);
        toolBar_->addAction(button);
        toolbarActions_[id] = button;
    }
}

void CMainFrame::triggerCommand(CommandId id) {
    const std::function<void()> handler = handlers_[id];
    if (!handler) {
        return;
    }
    // F1 in the messages and dialogs of the command: its part of the help.
    const HelpContext helpContext(helpSectionOfMenu(QString::fromUtf8(commandEntry(id).menuPath)));
    // Whatever a command throws ends the command, never the program.
    runCommandGuarded(ui_, [&handler] {
        handler();
        return true;
    });
}

QAction* CMainFrame::action(CommandId id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::addRecentFile(const QString& path) {
    workspace_.recentFiles.removeAll(path);
    workspace_.recentFiles.prepend(path);
    while (workspace_.recentFiles.size() > recentFileCount) {
        workspace_.recentFiles.removeLast();
    }
    updateRecentFiles();
}

void CMainFrame::updateRecentFiles() {
    QMenu* fileMenu = menus_.at(QStringLiteral("&Datei"));
    for (QAction* action : recentActions_) {
        fileMenu->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    for (qsizetype i = 0; i < workspace_.recentFiles.size(); ++i) {
        const QString path = workspace_.recentFiles.at(i);
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), this);
        action->setStatusTip(QStringLiteral("Öffnet dieses Dokument."));
        connect(action, &QAction::triggered, this, [this, path] { openDocument(path); });
        fileMenu->insertAction(recentPlaceholder_, action);
        recentActions_ << action;
    }
    recentPlaceholder_->setVisible(recentActions_.isEmpty());
}

void CMainFrame::updateWindowMenu() {
    for (QAction* action : windowListActions_) {
        windowMenu_->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const QList<CChildFrame*> frames = documents();
    if (frames.isEmpty()) {
        return;
    }
    windowListActions_ << windowMenu_->addSeparator();
    for (qsizetype i = 0; i < frames.size(); ++i) {
        CChildFrame* frame = frames.at(i);
        auto* action = windowMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(frame->document().title()));
        action->setCheckable(true);
        action->setChecked(frame == activeDocument());
        action->setStatusTip(QStringLiteral("Aktiviert dieses Fenster."));
        connect(action, &QAction::triggered, this, [this, frame] {
            mdi_->setActiveSubWindow(frame);
            frame->showMaximized();
        });
        windowListActions_ << action;
    }
}

} // namespace zv
