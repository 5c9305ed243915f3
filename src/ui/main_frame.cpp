#include "ui/main_frame.h"

#include "app/command_boundary.h"
#include "app/command_enable.h"
#include "conversions/lines_conversion.h"
#include "conversions/takeoff_conversions.h"
#include "conversions/track_batch.h"
#include "conversions/waypoint_batch.h"
#include "formats/precious_files.h"
#include "lifts/lift_database.h"
#include "lifts/lift_extraction.h"
#include "lifts/lift_map_export.h"
#include "link/download_commands.h"
#include "link/transfer_commands.h"
#include "logbook/flight_assignment.h"
#include "logbook/logbook_commands.h"
#include "platform/program_launch.h"
#include "platform/qt_serial_port.h"
#include "ui/about_help.h"
#include "ui/find_replace_dialog.h"
#include "ui/icons.h"
#include "ui/page_setup.h"
#include "ui/window_fit.h"
#include "ui/zv_doc.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>
#include <cmath>

namespace zv {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

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

QFont fontOf(const FontRecord& record) {
    QFont font(record.faceName);
    font.setPixelSize(std::max(1, std::abs(record.height)));
    font.setWeight(
        static_cast<QFont::Weight>(record.weight <= 0 ? 400 : std::min(record.weight, 1000)));
    font.setItalic(record.italic != 0);
    font.setUnderline(record.underline != 0);
    if ((record.pitchAndFamily & 3) == 1) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

FontRecord fontRecordOf(const QFont& font, const FontRecord& previous) {
    FontRecord record = previous;
    const int pixels = font.pixelSize() > 0
                           ? font.pixelSize()
                           : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    record.height = -std::max(1, pixels);
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    // Fixed pitch with the modern family, or variable pitch with the swiss family.
    record.pitchAndFamily = font.fixedPitch() ? 0x31 : 0x22;
    record.faceName = font.family().left(31);
    return record;
}

void applyMargins(QPrinter& printer, const PrintMargins& margins) {
    const auto mm = [](int twips) { return twips / 1440.0 * 25.4; };
    printer.setPageMargins(
        QMarginsF(mm(margins.left), mm(margins.top), mm(margins.right), mm(margins.bottom)),
        QPageLayout::Millimeter);
}

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
    settingsCommand_ = [this] {
        runCommand([](AppSettings& s, UserInterface& u) { return u.runSettingsSheet(s); });
    };
    selectPortCommand_ = [this](int port) {
        runCommand([port](AppSettings& s, UserInterface&) {
            s.comPort = port;
            return true;
        });
    };
    table_ = buildTable();
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

void CMainFrame::setSettingsCommand(std::function<void()> command) {
    settingsCommand_ = std::move(command);
}

void CMainFrame::setSelectPortCommand(std::function<void(int)> command) {
    selectPortCommand_ = std::move(command);
}

void CMainFrame::setHandler(const QString& name, std::function<void()> handler) {
    for (auto& entry : table_) {
        if (QString::fromLatin1(entry.name) == name) {
            entry.handler = std::move(handler);
        }
    }
    updateCommands();
}

std::vector<CMainFrame::CommandEntry> CMainFrame::buildTable() {
    const auto open = [this](OpenFileKind kind) {
        return [this, kind] {
            runCommand(
                [kind](AppSettings& s, UserInterface& u) { return commandOpenFiles(kind, s, u); });
        };
    };
    const auto onView = [this](void (QPlainTextEdit::*member)()) {
        return [this, member] {
            if (CChildFrame* frame = activeDocument()) {
                (frame->view()->*member)();
            }
        };
    };
    // A command of a subsystem on the record and the port.
    const auto run = [this](bool (*command)(const AppSettings&, UserInterface&)) {
        return [this, command] {
            runCommand([command](AppSettings& s, UserInterface& u) { return command(s, u); });
        };
    };
    // A transfer on the serial line of the chosen port.
    const auto transfer = [this](bool (*command)(const AppSettings&, UserInterface&, SerialPort&)) {
        return [this, command] {
            QtSerialPort serial;
            runCommand([command, &serial](AppSettings& s, UserInterface& u) {
                return command(s, u, serial);
            });
        };
    };
    const Form doc = Form::Document;
    const Form all = Form::Always;
    return {
        // "&Datei"
        {"openLogbook", "&Datei|Ö&ffnen...\tStrg+O|&Flugbuch",
         "Das Flugbuch öffnen\nFlugbuch öffnen", "", open(OpenFileKind::Logbook)},
        {"openZvWaypoints", "&Datei|Ö&ffnen...\tStrg+O|&Zv Wegpunkte", "Zv Wegpunktedatei öffnen",
         "", open(OpenFileKind::ZvWaypoints)},
        {"openOziWaypoints", "&Datei|Ö&ffnen...\tStrg+O|&Ozi Wegpunkte",
         "Ozi Wegpunkte Datei öffnen", "", open(OpenFileKind::OziWaypoints)},
        {"openLifts", "&Datei|Ö&ffnen...\tStrg+O|&Aufwinde", "Aufwind Datei öffnen", "",
         open(OpenFileKind::Lifts)},
        {"openTakeoffs", "&Datei|Ö&ffnen...\tStrg+O|&Startplätze", "Startplatz Datei öffnen", "",
         open(OpenFileKind::Takeoffs)},
        {"openLines", "&Datei|Ö&ffnen...\tStrg+O|&Lines", "Line Datei öffnen", "",
         open(OpenFileKind::Lines)},
        {"close", "&Datei|&Schließen", "Schließt das aktive Dokument.\nSchließen", "",
         [this] { closeDocument(); }, doc},
        {"save", "&Datei|S&peichern\tStrg+S", "Speichert das aktive Dokument.\nSpeichern", "Ctrl+S",
         [this] { saveDocument(activeDocument()); }, doc},
        {"saveAs", "&Datei|Speichern &unter...",
         "Speichert das aktive Dokument unter neuem Namen.\nSpeichern unter", "",
         [this] { saveDocumentAs(activeDocument()); }, doc},
        {"", "&Datei|-", "", "", {}},
        {"print", "&Datei|&Drucken...\tStrg+P", "Druckt das aktive Dokument.\nDrucken", "Ctrl+P",
         [this] { printDocument(); }, doc},
        {"printPreview", "&Datei|Sei&tenansicht", "Zeigt ganze Seiten an.\nSeitenansicht", "",
         [this] { printPreview(); }, doc},
        {"printSetup", "&Datei|Drucker&einrichtung...",
         "Ändert den Drucker und die Druckoptionen.\nDruckereinrichtung", "",
         [this] { printerSetup(); }},
        {"pageSetup", "&Datei|Seite ein&richten", "Drucklayout festlegen", "",
         [this] { pageSetup(); }, doc},
        {"", "&Datei|-", "", "", {}},
        {"recentFile", "&Datei|Letzte Datei", "Öffnet dieses Dokument.", "", {}},
        {"", "&Datei|-", "", "", {}},
        {"exit", "&Datei|&Beenden",
         "Verläßt die Anwendung; fragt, ob Dokumente gespeichert werden sollen.\nBeenden", "",
         [this] { close(); }},
        // "&Bearbeiten"
        {"undo", "&Bearbeiten|&Rückgängig\tStrg+Z",
         "Macht die letzte Aktion rückgängig.\nRückgängig", "Ctrl+Z;Alt+Backspace",
         onView(&QPlainTextEdit::undo), doc},
        {"", "&Bearbeiten|-", "", "", {}, doc},
        {"cut", "&Bearbeiten|&Ausschneiden\tStrg+X",
         "Schneidet die Markierung aus und legt sie in die Zwischenablage.\nAusschneiden",
         "Ctrl+X;Shift+Del", onView(&QPlainTextEdit::cut), doc},
        {"copy", "&Bearbeiten|&Kopieren\tStrg+C",
         "Kopiert die Markierung und legt sie in die Zwischenablage.\nKopieren", "Ctrl+C;Ctrl+Ins",
         onView(&QPlainTextEdit::copy), doc},
        {"paste", "&Bearbeiten|E&infügen\tStrg+V",
         "Fügt den Inhalt der Zwischenablage ein.\nEinfügen", "Ctrl+V;Shift+Ins",
         onView(&QPlainTextEdit::paste), doc},
        {"", "&Bearbeiten|-", "", "", {}, doc},
        {"find", "&Bearbeiten|Suchen\tStrg+F", "Sucht den angegebenen Text.\nSuchen", "Ctrl+F",
         [this] { showFind(false); }, doc},
        {"replace", "&Bearbeiten|Ersetzen\tStrg+R",
         "Ersetzt bestimmten Text durch anderen Text.\nErsetzen", "Ctrl+R",
         [this] { showFind(true); }, doc},
        // "&Tools"
        {"zvToOzi", "&Tools|&Konvertieren|&Wegpunkte|&Zv->Ozi",
         "Konvertierung von Zv-Wegpunkten in Ozi-Wegpunkte\nZv-Wegpunkte konvertieren", "",
         run(commandZvToOzi)},
        {"oziToZv", "&Tools|&Konvertieren|&Wegpunkte|&Ozi->Zv",
         "Konvertierung von Ozi-Wegpunkten in Zv-Wegpunkte\nOzi-Wegpunkte konvertieren", "",
         run(commandOziToZv)},
        {"flightToTracks", "&Tools|&Konvertieren|&Flug->Tracks",
         "Generiert Ozi-Track-Dateien\nTracks erzeugen", "", run(commandFlightsToTracks)},
        {"liftsToWpt", "&Tools|&Konvertieren|&Lifts->Wpt",
         "Eine Aufwind-Datei in Ozi-Wegpunkte umwandeln", "", run(commandLiftsToWpt)},
        {"oziToTof", "&Tools|&Konvertieren|&Startplätze|Ozi->Tof",
         "Konvertierung von Ozi-Wegpunkte in Startplätze", "", run(commandOziToTakeoff)},
        {"tofToOzi", "&Tools|&Konvertieren|&Startplätze|Tof->Ozi",
         "Konvertierung von Startplätzen in Ozi-Wegpunkte", "", run(commandTakeoffToOzi)},
        {"wptToLines", "&Tools|&Konvertieren|Wpt->Lines",
         "Eine Ozi-Wegpunktedatei in Lines umwandeln", "", run(commandWptToLines)},
        {"logbookAppend", "&Tools|&Flugbuch |&erweitern", "Log-Dateien an Flugbuch anhängen", "",
         run(commandExtendLogbook), all, Enable::LogbookFlag},
        {"logbookRestore", "&Tools|&Flugbuch |&wiederherstellen",
         "Schreibt die Sicherungskopie zurück", "", run(commandRestoreLogbook), all,
         Enable::LogbookFlag},
        {"logbookInsert", "&Tools|&Flugbuch |&Flug einfügen",
         "Flug manuell in das Flugbuch einfügen", "", run(commandInsertFlight), all,
         Enable::LogbookFlag},
        {"statsHours", "&Tools|&Flugbuch |&Statistik|&Flugstunden",
         "Ermittelt die monatlichen Flugstunden", "", run(commandFlightHours)},
        {"statsSites", "&Tools|&Flugbuch |&Statistik|&Startplätze",
         "Ermittelt die Flugstunden in Fluggebieten", "", run(commandTakeoffSites)},
        {"assignFlights", "&Tools|&Flugbuch |&Flugdaten zuordnen",
         "Zuordnung von Flugnummern im Logbuch und zvc-Dateien", "", run(commandAssignFlightData)},
        {"liftDbAppend", "&Tools|&Aufwinddatenbank|&erweitern",
         "Aufwind-Dateien an die Datenbank anhängen", "", run(commandAppendLiftFile), all,
         Enable::LiftDbFlag},
        {"liftDbRestore", "&Tools|&Aufwinddatenbank|&wiederherstellen",
         "Schreibt die Sicherungskopie der Aufwinddatenbank zurück", "",
         run(commandRestoreLiftDatabase), all, Enable::LiftDbFlag},
        {"liftDbExtract", "&Tools|&Aufwinddatenbank|e&xtrahieren",
         "Erzeugen einer Aufwind-Datei mit ausgewählten Datensätzen", "",
         [this] { runCommand(commandExtractLifts); }},
        {"", "&Tools|-", "", "", {}},
        {"oziExplorer", "&Tools|&OziExplorer", "OziExplorer aufrufen\nOziExplorer", "",
         [this] { launch(settings_.oziExplorerPath); }},
        {"zvView", "&Tools|&ZVView", "ZVView aufrufen\nZVView", "",
         [this] { launch(settings_.zvViewPath); }},
        // "Zirrova"
        {"com1", "Zirrova|&Port|COM&1", "COM Port 1 setzen", "",
         [this] {
             selectPortCommand_(0);
             updateCommands();
         }},
        {"com2", "Zirrova|&Port|COM&2", "COM Port 2 setzen", "",
         [this] {
             selectPortCommand_(1);
             updateCommands();
         }},
        {"receiveLogbook", "Zirrova|&empfangen|&Logbuch", "Logbuch vom Zirrova laden", "",
         transfer(commandReceiveLogbook)},
        {"receiveLifts", "Zirrova|&empfangen|&Aufwinde", "Aufwinde vom Zirrova übertragen", "",
         transfer(commandReceiveLifts)},
        {"receiveWaypoints", "Zirrova|&empfangen|&Wegpunkte", "Wegpunkte vom Zirrova übertragen",
         "", transfer(commandReceiveWaypoints)},
        {"receiveRoutes", "Zirrova|&empfangen|&Routen", "Routen vom Zirrova übertragen", "",
         transfer(commandReceiveRoutes)},
        {"receiveTakeoffs", "Zirrova|&empfangen|&Startplätze", "Statplätze vom Zirrova laden", "",
         transfer(commandReceiveTakeoffs)},
        {"receiveFlight", "Zirrova|&empfangen|&Flug", "Flug vom Zirrova übertragen", "",
         transfer(commandReceiveFlight)},
        {"sendLifts", "Zirrova|&senden|&Aufwinde", "Lifts zum Zirrova senden", "",
         transfer(commandSendLifts)},
        {"sendWaypoints", "Zirrova|&senden|&Wegpunkte", "Wegpunkte zum Zirrova senden", "",
         transfer(commandSendWaypoints)},
        {"sendRoutes",
         "Zirrova|&senden|&Routen",
         "Routen zum Zirrova senden",
         "",
         {},
         all,
         Enable::Never},
        {"sendTakeoffs", "Zirrova|&senden|&Startplätze", "Startplätze zum Zirrova senden", "",
         transfer(commandSendTakeoffs)},
        {"sendLines", "Zirrova|&senden|&Lines", "Lines zum Zirrova übertragen", "",
         transfer(commandSendLines)},
        // "&Einstellungen"
        {"settings", "&Einstellungen", "Einstellungen ändern", "",
         [this] {
             settingsCommand_();
             updateCommands();
         }},
        // "&Ansicht"
        {"viewToolbar", "&Ansicht|&Symbolleiste",
         "Blendet die Symbolleiste ein oder aus.\nSymbolleiste", "",
         [this] {
             toolBar_->setVisible(!toolBar_->isVisible());
             updateCommands();
         }},
        {"viewStatusBar", "&Ansicht|S&tatusleiste",
         "Blendet die Statusleiste ein oder aus.\nStatusleiste", "",
         [this] {
             statusBar()->setVisible(!statusBar()->isVisible());
             updateCommands();
         }},
        {"setFont", "&Ansicht|Set &Font", "Font auswählen", "", [this] { chooseFont(); }, doc},
        // "&Fenster"
        {"cascade", "&Fenster|Über&lappend", "Ordnet die Fenster überlappend an.\nÜberlappend", "",
         [this] { mdi_->cascadeSubWindows(); }, doc},
        {"tile", "&Fenster|&Nebeneinander", "Ordnet die Fenster nebeneinander an.\nNebeneinander",
         "", [this] { mdi_->tileSubWindows(); }, doc},
        {"arrangeIcons", "&Fenster|&Symbole anordnen",
         "Ordnet die Symbole am unteren Fensterrand an.\nSymbole anordnen", "",
         [this] {
             for (QMdiSubWindow* window : mdi_->subWindowList()) {
                 if (window->isMinimized()) {
                     window->showMinimized();
                 }
             }
         },
         doc},
        // "&?"
        {"helpTopics", "&?|&Hilfethemen", "Listet die Hilfethemen auf.\nHilfethemen", "F1",
         [this] { showHelp(this); }},
        {"", "&?|-", "", "", {}},
        {"about", "&?|Inf&o über zv...",
         "Zeigt Programminformationen und die Versionsnummer an.\nInfo", "",
         [this] { showAboutBox(this); }},
        // Only on the toolbar or the keyboard.
        {"contextHelp", "",
         "Zeigt Hilfe zu angeklickten Schaltflächen, Menüs und Fenstern an.\nHilfe", "Shift+F1",
         [] { QWhatsThis::enterWhatsThisMode(); }},
        {"fileManager", "", "WindowsExplorer aufrufen\nWindowsExplorer", "",
         [this] { openFileManager(qt(settings_.startDir)); }},
        {"openAny", "", "Öffnet ein vorhandenes Dokument.\nÖffnen", "Ctrl+O",
         [this] { openAnyFile(); }},
        {"nextPane", "", "Wechselt zum nächsten Fenster.", "F6",
         [this] { mdi_->activateNextSubWindow(); }},
        {"previousPane", "", "Wechselt zum vorherigen Fenster.", "Shift+F6",
         [this] { mdi_->activatePreviousSubWindow(); }},
    };
}

void CMainFrame::createMenusAndToolbar() {
    const std::map<QString, QIcon> iconOf = {
        {QStringLiteral("save"), icons::save()},
        {QStringLiteral("cut"), icons::cut()},
        {QStringLiteral("copy"), icons::copy()},
        {QStringLiteral("paste"), icons::paste()},
        {QStringLiteral("print"), icons::print()},
        {QStringLiteral("about"), icons::about()},
        {QStringLiteral("contextHelp"), icons::contextHelp()},
        {QStringLiteral("zvToOzi"), icons::zvToOzi()},
        {QStringLiteral("oziToZv"), icons::oziToZv()},
        {QStringLiteral("flightToTracks"), icons::flightToTracks()},
        {QStringLiteral("openLogbook"), icons::logbook()},
        {QStringLiteral("oziExplorer"), icons::oziExplorer()},
        {QStringLiteral("fileManager"), icons::fileManager()},
        {QStringLiteral("zvView"), icons::zvView()},
    };

    for (std::size_t index = 0; index < table_.size(); ++index) {
        const CommandEntry& entry = table_[index];
        const QString name = QString::fromLatin1(entry.name);
        const QString prompt = QString::fromUtf8(entry.prompt);
        const QStringList levels =
            QString::fromUtf8(entry.menuPath).split(QLatin1Char('|'), Qt::SkipEmptyParts);
        const QString leaf = levels.isEmpty() ? name : levels.last();

        QAction* action = nullptr;
        if (leaf == QStringLiteral("-")) {
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
            connect(action, &QAction::triggered, this, [this, index] {
                if (table_[index].handler) {
                    // F1 in the messages and dialogs of the command: its part of the help.
                    const HelpContext helpContext(
                        helpSectionOfMenu(QString::fromUtf8(table_[index].menuPath)));
                    // Whatever a command throws ends the command, never the program.
                    runCommandGuarded(ui_, [this, index] {
                        table_[index].handler();
                        return true;
                    });
                }
            });
            actions_[name] = action;
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
    for (const char* checkable : {"com1", "com2", "viewToolbar", "viewStatusBar"}) {
        actions_[QString::fromLatin1(checkable)]->setCheckable(true);
    }
    recentPlaceholder_ = actions_[QStringLiteral("recentFile")];

    toolBar_ = addToolBar(QStringLiteral("Symbolleiste"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(24, 24));
    const char* order[] = {
        "save",           "|",           "cut",         "copy",        "paste",   "|",
        "print",          "|",           "about",       "contextHelp", "zvToOzi", "oziToZv",
        "flightToTracks", "openLogbook", "oziExplorer", "fileManager", "zvView"};
    for (const char* item : order) {
        const QString name = QString::fromLatin1(item);
        if (name == QStringLiteral("|")) {
            toolBar_->addSeparator();
            continue;
        }
        // A button of its own: the menu entry may be hidden while the button stays.
        QAction* menuAction = actions_.at(name);
        auto* button = new QAction(iconOf.at(name), menuAction->text(), this);
        button->setObjectName(QStringLiteral("tool:") + name);
        button->setToolTip(menuAction->toolTip());
        button->setStatusTip(menuAction->statusTip());
        button->setWhatsThis(menuAction->statusTip());
        connect(button, &QAction::triggered, menuAction, &QAction::trigger);
        toolBar_->addAction(button);
        toolbarActions_[name] = button;
    }
}

void CMainFrame::createStatusBar() {
    auto* ready = new QLabel(QStringLiteral("Bereit"), this);
    statusBar()->addWidget(ready, 1);
    capsLock_ = new QLabel(QStringLiteral("UF"), this);
    numLock_ = new QLabel(QStringLiteral("NUM"), this);
    scrollLock_ = new QLabel(QStringLiteral("RF"), this);
    for (QLabel* indicator : {capsLock_, numLock_, scrollLock_}) {
        indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(
            indicator->fontMetrics().horizontalAdvance(QStringLiteral("NUM")) + 12);
        // The lock state is not known until the key is pressed: shown as off.
        indicator->setEnabled(false);
        statusBar()->addPermanentWidget(indicator);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            QLabel* indicator = key->key() == Qt::Key_CapsLock     ? capsLock_
                                : key->key() == Qt::Key_NumLock    ? numLock_
                                : key->key() == Qt::Key_ScrollLock ? scrollLock_
                                                                   : nullptr;
            if (indicator && watched == QApplication::focusWidget()) {
                indicator->setEnabled(!indicator->isEnabled());
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* CMainFrame::action(const QString& name) const {
    const auto found = actions_.find(name);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* CMainFrame::topMenu(const QString& text) const {
    const auto found = menus_.find(text);
    return found == menus_.end() ? nullptr : found->second;
}

QList<CChildFrame*> CMainFrame::documents() const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (auto* frame = qobject_cast<CChildFrame*>(window); frame && !frame->isHidden()) {
            frames << frame;
        }
    }
    return frames;
}

CChildFrame* CMainFrame::activeDocument() const {
    auto* frame = qobject_cast<CChildFrame*>(mdi_->activeSubWindow());
    if (frame && !frame->isHidden()) {
        return frame;
    }
    return nullptr;
}

void CMainFrame::updateCommands() {
    const bool hasDocument = activeDocument() != nullptr;
    for (const CommandEntry& entry : table_) {
        QAction* action = this->action(QString::fromLatin1(entry.name));
        if (!action) {
            continue;
        }
        bool enabled = static_cast<bool>(entry.handler);
        switch (entry.enable) {
        case Enable::Always:
            break;
        case Enable::LogbookFlag:
            enabled = enabled && settings_.logbookCommandsEnabled;
            break;
        case Enable::LiftDbFlag:
            enabled = enabled && settings_.liftDbCommandsEnabled;
            break;
        case Enable::Never:
            enabled = false;
            break;
        }
        if (entry.form == Form::Document) {
            action->setVisible(hasDocument);
            enabled = enabled && hasDocument;
        }
        action->setEnabled(enabled);
        if (const auto button = toolbarActions_.find(QString::fromLatin1(entry.name));
            button != toolbarActions_.end()) {
            button->second->setEnabled(enabled);
        }
    }
    for (const QString& name : documentOnlyMenus) {
        menus_.at(name)->menuAction()->setVisible(hasDocument);
    }
    actions_.at(QStringLiteral("com1"))->setChecked(settings_.comPort == 0);
    actions_.at(QStringLiteral("com2"))->setChecked(settings_.comPort == 1);
    actions_.at(QStringLiteral("viewToolbar"))->setChecked(!toolBar_->isHidden());
    actions_.at(QStringLiteral("viewStatusBar"))->setChecked(!statusBar()->isHidden());
    recentPlaceholder_->setVisible(recentActions_.isEmpty());
    recentPlaceholder_->setEnabled(false);
}

void CMainFrame::runCommand(const Command& command) {
    runner_(command);
    updateCommands();
}

void CMainFrame::launch(const std::string& path) {
    launchProgram(qt(path));
}

CChildFrame* CMainFrame::openDocument(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty()) {
        for (CChildFrame* frame : documents()) {
            if (frame->canonicalPath() == canonical) {
                mdi_->setActiveSubWindow(frame);
                frame->showMaximized();
                return frame;
            }
        }
    }
    auto* frame = new CChildFrame;
    QString error;
    if (!frame->document().load(path, error)) {
        delete frame;
        ui_.message("Die Datei " + path.toStdString() + " kann nicht geöffnet werden.\n" +
                        error.toStdString(),
                    Icon::Stop);
        return nullptr;
    }
    if (workspace_.font.height != 0) {
        frame->view()->setFont(fontOf(workspace_.font));
    }
    frame->view()->setPrintMargins(workspace_.margins);
    connect(frame, &CChildFrame::closeRequested, this, &CMainFrame::documentCloseRequested);
    connect(frame->view()->document(), &QTextDocument::modificationChanged, this,
            [this] { updateCommands(); });
    mdi_->addSubWindow(frame);
    frame->updateTitle();
    frame->showMaximized();
    mdi_->setActiveSubWindow(frame);
    noteDocumentOpened(settings_, path.toStdString());
    addRecentFile(QFileInfo(path).absoluteFilePath());
    updateCommands();
    return frame;
}

bool CMainFrame::maybeSave(CChildFrame* frame) {
    if (!frame->document().isModified()) {
        return true;
    }
    mdi_->setActiveSubWindow(frame);
    const Answer answer =
        ui_.ask("Änderungen in " + frame->document().title().toStdString() + " speichern?",
                Icon::Exclamation, Buttons::YesNoCancel);
    if (answer == Answer::Yes) {
        return saveDocument(frame);
    }
    return answer == Answer::No;
}

void CMainFrame::documentCloseRequested(CChildFrame* frame, bool* accept) {
    if (!discardOnClose_ && !maybeSave(frame)) {
        *accept = false;
        return;
    }
    noteDocumentClosing(settings_, frame->document().title().toStdString());
    // The window is still in the list until it is gone; look again afterwards.
    QTimer::singleShot(0, this, &CMainFrame::updateCommands);
}

bool CMainFrame::closeAllDocuments(bool ask) {
    discardOnClose_ = !ask;
    for (CChildFrame* frame : documents()) {
        frame->close();
    }
    discardOnClose_ = false;
    updateCommands();
    return documents().isEmpty();
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

void CMainFrame::openAnyFile() {
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      QStringLiteral("Alle Dateien (*)"));
    if (!path.isEmpty()) {
        openDocument(path);
    }
}

void CMainFrame::closeDocument() {
    if (CChildFrame* frame = activeDocument()) {
        frame->close();
    }
}

bool CMainFrame::saveDocument(CChildFrame* frame) {
    if (!frame) {
        return false;
    }
    if (frame->document().path().isEmpty()) {
        return saveDocumentAs(frame);
    }
    return writeDocument(frame, frame->document().path());
}

bool CMainFrame::writeDocument(CChildFrame* frame, const QString& path) {
    // The logbook, the lift database, their backups and settings.ini are saved from the
    // text window under their lock, as every command that changes them is.
    std::optional<FileLock> lock;
    if (!preciousTargetRefusal(settings_, path.toStdString()).empty()) {
        lock = lockForChange(path.toStdString(), {}, ui_);
        if (!lock) {
            return false;
        }
    }
    QString error;
    if (!frame->document().save(path, error)) {
        ui_.message("Die Datei " + path.toStdString() + " konnte nicht gespeichert werden.\n" +
                        error.toStdString(),
                    Icon::Stop);
        return false;
    }
    return true;
}

bool CMainFrame::saveDocumentAs(CChildFrame* frame) {
    if (!frame) {
        return false;
    }
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Speichern unter"),
                                     frame->document().path(), QStringLiteral("Alle Dateien (*)"));
    if (path.isEmpty()) {
        return false;
    }
    if (!writeDocument(frame, path)) {
        return false;
    }
    frame->updateTitle();
    addRecentFile(QFileInfo(path).absoluteFilePath());
    updateCommands();
    return true;
}

void CMainFrame::printDocument() {
    CChildFrame* frame = activeDocument();
    if (!frame) {
        return;
    }
    applyMargins(*printer_, frame->view()->printMargins());
    printer_->setDocName(frame->document().title());
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted) {
        frame->view()->print(printer_.get());
    }
}

void CMainFrame::printPreview() {
    CChildFrame* frame = activeDocument();
    if (!frame) {
        return;
    }
    applyMargins(*printer_, frame->view()->printMargins());
    QPrintPreviewDialog preview(printer_.get(), this);
    preview.setWindowTitle(QStringLiteral("Seitenansicht"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [frame](QPrinter* printer) { frame->view()->print(printer); });
    preview.exec();
}

void CMainFrame::printerSetup() {
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    dialog.exec();
}

void CMainFrame::pageSetup() {
    PageSetupDialog dialog(workspace_.margins, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    workspace_.margins = dialog.margins();
    if (CChildFrame* frame = activeDocument()) {
        frame->view()->setPrintMargins(workspace_.margins);
    }
}

void CMainFrame::chooseFont() {
    CChildFrame* frame = activeDocument();
    if (!frame) {
        return;
    }
    const std::unique_ptr<QFontDialog> dialog = makeFontDialog(frame->view()->font(), this);
    if (dialog->exec() != QDialog::Accepted) {
        return;
    }
    const QFont font = dialog->selectedFont();
    // The active window and the windows opened later; the others keep theirs.
    frame->view()->setFont(font);
    workspace_.font = fontRecordOf(font, workspace_.font);
}

void CMainFrame::showFind(bool replace) {
    FindReplaceDialog*& dialog = replace ? replaceDialog_ : findDialog_;
    if (!dialog) {
        dialog = new FindReplaceDialog(
            replace,
            [this]() -> QPlainTextEdit* {
                CChildFrame* frame = activeDocument();
                return frame ? frame->view() : nullptr;
            },
            this);
    }
    if (CChildFrame* frame = activeDocument()) {
        const QString selected = frame->view()->textCursor().selectedText();
        if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) {
            dialog->setFindText(selected);
        }
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
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

std::unique_ptr<QFontDialog> makeFontDialog(const QFont& current, QWidget* parent) {
    // Only monospaced fonts keep the columns of the instrument files.
    QFont start = current;
    if (!QFontInfo(start).fixedPitch()) {
        // The system's fixed font under the name of the family it resolves to ("monospace"
        // is an alias the dialog does not list).
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        start = QFont(QFontInfo(fixed).family(), fixed.pointSize());
    }
    auto dialog = std::make_unique<QFontDialog>(parent);
    dialog->setWindowTitle(QStringLiteral("Schriftart"));
    setHelpSection(dialog.get(), QString::fromLatin1(help::textWindows));
    dialog->setOption(QFontDialog::MonospacedFonts);
    dialog->setCurrentFont(start);
    // The dialog picks the style by name and takes the first of the family when the name
    // is not one of its styles ("Oblique" before "Book"): keep an upright font upright.
    const QFont shown = dialog->currentFont();
    if (!start.italic() && shown.italic()) {
        const QString family = shown.family();
        for (const QString& style : QFontDatabase::styles(family)) {
            const QFont candidate = QFontDatabase::font(family, style, shown.pointSize());
            if (!candidate.italic() && candidate.weight() == start.weight()) {
                dialog->setCurrentFont(candidate);
                break;
            }
        }
    }
    return dialog;
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
