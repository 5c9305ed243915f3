// The main window: the two forms of the menu, the command flags that follow the main
// logbook and the lift database, the port check marks and the document windows.

#include "formats/file_lock.h"
#include "formats/precious_files.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"
#include "ui/main_frame.h"
#include "ui/zv_doc.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextCursor>
#include <QToolBar>
#include <memory>
#include <stdexcept>

namespace zv {

namespace {

// Every entry of the menu bar as "Top|Sub|Entry", hidden ones left out.
void collect(const QList<QAction*>& actions, const QString& prefix, QStringList& paths) {
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible()) {
            continue;
        }
        const QString path = prefix.isEmpty() ? action->text() : prefix + "|" + action->text();
        if (action->menu()) {
            collect(action->menu()->actions(), path, paths);
        } else {
            paths << path;
        }
    }
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

    struct Fixture {
        test::TempDir dir;
        AppSettings settings;
        test::ScriptedUserInterface ui;
        std::unique_ptr<CMainFrame> frame;
        int commandsRun = 0;

        Fixture() {
            settings.logbookDir = dir.path().string();
            settings.logbookFile = "Flugbuch.log";
            settings.liftDir = dir.path().string();
            settings.liftDatabase = "Lifts.lft";
            settings.logbookCommandsEnabled = true;
            settings.liftDbCommandsEnabled = true;
            for (const char* name : {"Flugbuch.log", "flugbuch.log", "Lifts.lft", "a.wpt"}) {
                test::writeBytes(dir.path() / name, "x\r\n");
            }
            frame = std::make_unique<CMainFrame>(
                settings, ui,
                [this](const CMainFrame::Command& command) {
                    ++commandsRun;
                    return command(settings, ui);
                },
                WorkspaceState{});
            // Give the maintenance commands something to run, so that only the flags count.
            for (const CommandId id :
                 {CommandId::LogbookAppend, CommandId::LogbookRestore, CommandId::LogbookInsert,
                  CommandId::LiftDbAppend, CommandId::LiftDbRestore, CommandId::SendRoutes}) {
                frame->setHandler(id, [] {});
            }
        }
        QString path(const char* name) const { return QString::fromStdString(dir / name); }
        bool enabled(CommandId id) const { return frame->action(id)->isEnabled(); }
        QStringList menuPaths() const {
            QStringList paths;
            collect(frame->menuBar()->actions(), QString(), paths);
            return paths;
        }
    };

private slots:
    // A command that throws ends with a stop message; the program goes on.
    void anExceptionOfACommandIsShownAndTheWindowStays() {
        Fixture f;
        f.frame->setHandler(CommandId::ZvToOzi, [] { throw std::runtime_error("kaputt"); });
        f.frame->action(CommandId::ZvToOzi)->trigger();
        QCOMPARE(f.ui.messages.size(), std::size_t{1});
        QCOMPARE(f.ui.messages[0].text,
                 std::string("Der Befehl wurde wegen eines unerwarteten Fehlers abgebrochen.\n"
                             "kaputt"));
        QCOMPARE(f.ui.messages[0].icon, Icon::Stop);
        QVERIFY(f.frame->openDocument(f.path("a.wpt")));
    }

    void theMenuHasTwoForms() {
        Fixture f;
        const QStringList shortForm = f.menuPaths();
        QVERIFY(f.frame->openDocument(f.path("a.wpt")));
        const QStringList fullForm = f.menuPaths();

        // What only the full form shows.
        const QStringList documentOnly = {
            "&Datei|&Schließen",         "&Datei|S&peichern",         "&Datei|Speichern &unter...",
            "&Datei|&Drucken...",        "&Datei|Sei&tenansicht",     "&Datei|Seite ein&richten",
            "&Bearbeiten|&Rückgängig",   "&Bearbeiten|&Ausschneiden", "&Bearbeiten|&Kopieren",
            "&Bearbeiten|E&infügen",     "&Bearbeiten|Suchen",        "&Bearbeiten|Ersetzen",
            "&Ansicht|Set &Font",        "&Fenster|Über&lappend",     "&Fenster|&Nebeneinander",
            "&Fenster|&Symbole anordnen"};
        for (const QString& path : documentOnly) {
            QVERIFY2(fullForm.contains(path), qPrintable(path));
            QVERIFY2(!shortForm.contains(path), qPrintable(path));
        }
        // Both forms share the rest, e.g. the deepest entries and the top-level command.
        for (const char* path :
             {"&Datei|Ö&ffnen...\tStrg+O|&Lines", "&Datei|&Beenden",
              "&Tools|&Konvertieren|&Startplätze|Tof->Ozi",
              "&Tools|&Flugbuch |&Statistik|&Flugstunden", "Zirrova|&senden|&Routen",
              "Zirrova|&Port|COM&2", "&Einstellungen", "&Ansicht|S&tatusleiste", "&Ansicht|&Karte",
              "&?|Inf&o über zv..."}) {
            QVERIFY2(shortForm.contains(QString::fromUtf8(path)), path);
            QVERIFY2(fullForm.contains(QString::fromUtf8(path)), path);
        }
        // The full form adds exactly these entries.
        QCOMPARE(fullForm.size() - shortForm.size(), documentOnly.size());

        QStringList tops;
        for (QAction* action : f.frame->menuBar()->actions()) {
            if (action->isVisible()) {
                tops << action->text();
            }
        }
        QCOMPARE(tops, QStringList({"&Datei", "&Bearbeiten", "&Tools", "Zirrova", "&Einstellungen",
                                    "&Ansicht", "&Fenster", "&?"}));
        f.frame->closeAllDocuments(false);
        // The short form again, with the file in the recent-file list.
        QStringList expected = shortForm;
        expected.replace(expected.indexOf("&Datei|Letzte Datei"), "&Datei|&1 " + f.path("a.wpt"));
        QCOMPARE(f.menuPaths(), expected);
    }

    void everyCommandHasItsPromptAndTheToolbarItsOrder() {
        Fixture f;
        const QAction* zvToOzi = f.frame->action(CommandId::ZvToOzi);
        QCOMPARE(zvToOzi->statusTip(), QString("Konvertierung von Zv-Wegpunkten in Ozi-Wegpunkte"));
        QCOMPARE(zvToOzi->toolTip(), QString("Zv-Wegpunkte konvertieren"));
        for (const auto& entry : commandTable()) {
            if (QAction* action = f.frame->action(entry.id)) {
                QVERIFY2(!action->statusTip().isEmpty(), entry.name);
            }
        }
        QStringList toolbar;
        for (QAction* action : f.frame->toolBar()->actions()) {
            toolbar << (action->isSeparator() ? QString("|") : action->objectName().mid(5));
        }
        QCOMPARE(toolbar,
                 QStringList({"save", "|", "cut", "copy", "paste", "|", "print", "|", "about",
                              "contextHelp", "zvToOzi", "oziToZv", "flightToTracks", "openLogbook",
                              "oziExplorer", "map", "fileManager", "zvView"}));
        QCOMPARE(f.frame->action(CommandId::Save)->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(f.frame->action(CommandId::Replace)->shortcut(), QKeySequence("Ctrl+R"));
        QCOMPARE(f.frame->action(CommandId::OpenAny)->shortcut(), QKeySequence("Ctrl+O"));
        QVERIFY(f.frame->action(CommandId::Copy)->shortcuts().contains(QKeySequence("Ctrl+Ins")));
    }

    void routesAreNeverSentAndMissingCommandsAreGreyed() {
        Fixture f;
        QVERIFY(!f.enabled(CommandId::SendRoutes));
        QVERIFY(f.frame->action(CommandId::SendRoutes)->isVisible());
        QVERIFY(f.enabled(CommandId::OpenLogbook));
        // A command without an operation is greyed until it gets one.
        f.frame->setHandler(CommandId::LiftDbExtract, {});
        QVERIFY(!f.enabled(CommandId::LiftDbExtract));
        f.frame->setHandler(CommandId::LiftDbExtract, [] {});
        QVERIFY(f.enabled(CommandId::LiftDbExtract));
    }

    void theMaintenanceCommandsFollowTheOpenFiles() {
        struct Case {
            const char* file;
            bool logbookAfterOpen;
            bool liftDbAfterOpen;
        };
        const Case cases[] = {
            {"Flugbuch.log", false, true},
            {"Lifts.lft", true, false},
            {"flugbuch.log", true, true}, // other letter case: not the main logbook
            {"a.wpt", true, true},
        };
        for (const Case& c : cases) {
            Fixture f;
            CChildFrame* window = f.frame->openDocument(f.path(c.file));
            QVERIFY(window);
            QCOMPARE(f.settings.logbookCommandsEnabled, c.logbookAfterOpen);
            QCOMPARE(f.settings.liftDbCommandsEnabled, c.liftDbAfterOpen);
            for (const CommandId id :
                 {CommandId::LogbookAppend, CommandId::LogbookRestore, CommandId::LogbookInsert}) {
                QCOMPARE(f.enabled(id), c.logbookAfterOpen);
            }
            for (const CommandId id : {CommandId::LiftDbAppend, CommandId::LiftDbRestore}) {
                QCOMPARE(f.enabled(id), c.liftDbAfterOpen);
            }
            QVERIFY(window->close());
            QCoreApplication::processEvents();
            QVERIFY(f.settings.logbookCommandsEnabled);
            QVERIFY(f.settings.liftDbCommandsEnabled);
            QVERIFY(f.enabled(CommandId::LogbookAppend));
            QVERIFY(f.enabled(CommandId::LiftDbRestore));
        }
    }

    void theOpenCommandClearsTheFlagBeforeOpening() {
        Fixture f;
        f.ui.fileChoices.push_back({f.dir / "Lifts.lft"});
        f.frame->action(CommandId::OpenLifts)->trigger();
        QCOMPARE(f.frame->documents().size(), 0); // the scripted port records the document
        QCOMPARE(f.ui.openedDocuments.size(), std::size_t{1});
        QVERIFY(!f.settings.liftDbCommandsEnabled);
        QVERIFY(!f.enabled(CommandId::LiftDbAppend));
        QCOMPARE(f.commandsRun, 1);
    }

    void thePortEntriesCarryTheCheckMark() {
        Fixture f;
        f.settings.comPort = 0;
        f.frame->updateCommands();
        QVERIFY(f.frame->action(CommandId::Com1)->isChecked());
        QVERIFY(!f.frame->action(CommandId::Com2)->isChecked());
        f.frame->action(CommandId::Com2)->trigger();
        QCOMPARE(f.settings.comPort, 1);
        QVERIFY(!f.frame->action(CommandId::Com1)->isChecked());
        QVERIFY(f.frame->action(CommandId::Com2)->isChecked());
        f.frame->action(CommandId::Com1)->trigger();
        QCOMPARE(f.settings.comPort, 0);
        QVERIFY(f.frame->action(CommandId::Com1)->isChecked());
        QCOMPARE(f.commandsRun, 2);
    }

    void openingAnOpenFileActivatesItsWindow() {
        Fixture f;
        CChildFrame* first = f.frame->openDocument(f.path("a.wpt"));
        CChildFrame* other = f.frame->openDocument(f.path("Lifts.lft"));
        QVERIFY(first && other && first != other);
        QCOMPARE(f.frame->activeDocument(), other);
        // The same file through another spelling of its path.
        CChildFrame* again = f.frame->openDocument(QString::fromStdString(f.dir / "./a.wpt"));
        QCOMPARE(again, first);
        QCOMPARE(f.frame->documents().size(), 2);
        QCOMPARE(f.frame->activeDocument(), first);
        QVERIFY(first->isMaximized());
        QCOMPARE(first->windowTitle(), QString("a.wpt[*]"));
    }

    void closingAllAsksForModifiedDocuments() {
        Fixture f;
        CChildFrame* plain = f.frame->openDocument(f.path("a.wpt"));
        CChildFrame* edited = f.frame->openDocument(f.path("Lifts.lft"));
        QVERIFY(plain && edited);
        edited->view()->moveCursor(QTextCursor::Start);
        edited->view()->insertPlainText("neu ");
        // Cancel keeps the modified window open; the others close all the same.
        f.ui.answers.push_back(Answer::Cancel);
        QVERIFY(!f.frame->closeAllDocuments(true));
        QCoreApplication::processEvents();
        QCOMPARE(f.frame->documents(), QList<CChildFrame*>{edited});
        QCOMPARE(f.ui.messages.size(), std::size_t{1});
        QCOMPARE(f.ui.messages[0].text, std::string("Änderungen in Lifts.lft speichern?"));
        QVERIFY(!f.settings.liftDbCommandsEnabled);
        // Yes saves it and closes it.
        f.ui.answers.push_back(Answer::Yes);
        QVERIFY(f.frame->closeAllDocuments(true));
        QCOMPARE(test::readBytes(f.dir.path() / "Lifts.lft"), std::string("neu x\r\n"));
        QVERIFY(f.settings.liftDbCommandsEnabled);
    }

    // Saving the logbook from its window waits for the lock like a command; while another
    // zv holds it, the file stays as it was.
    void savingAPreciousFileHoldsItsLock() {
        Fixture f;
        setLockWaitTime(std::chrono::milliseconds(50));
        CChildFrame* logbook = f.frame->openDocument(f.path("Flugbuch.log"));
        CChildFrame* other = f.frame->openDocument(f.path("a.wpt"));
        QVERIFY(logbook && other);
        for (CChildFrame* frame : {logbook, other}) {
            frame->view()->moveCursor(QTextCursor::Start);
            frame->view()->insertPlainText("neu ");
        }
        {
            const FileLock held(f.dir.path() / "Flugbuch.log", FileLock::Kind::Exclusive);
            QVERIFY(held.held());
            f.frame->findChild<QMdiArea*>()->setActiveSubWindow(logbook);
            f.frame->action(CommandId::Save)->trigger();
            QCOMPARE(test::readBytes(f.dir.path() / "Flugbuch.log"), std::string("x\r\n"));
            QCOMPARE(f.ui.messages.size(), std::size_t{1});
            QCOMPARE(f.ui.messages[0].text, fileInUseMessage(f.dir / "Flugbuch.log"));
            // Other files need no lock.
            f.frame->findChild<QMdiArea*>()->setActiveSubWindow(other);
            f.frame->action(CommandId::Save)->trigger();
            QCOMPARE(test::readBytes(f.dir.path() / "a.wpt"), std::string("neu x\r\n"));
        }
        f.frame->findChild<QMdiArea*>()->setActiveSubWindow(logbook);
        f.frame->action(CommandId::Save)->trigger();
        QCOMPARE(test::readBytes(f.dir.path() / "Flugbuch.log"), std::string("neu x\r\n"));
        QCOMPARE(f.ui.messages.size(), std::size_t{1});
        setLockWaitTime(std::chrono::seconds(5));
    }

    void anUnreadableFileIsReported() {
        Fixture f;
        QVERIFY(!f.frame->openDocument(f.path("missing.log")));
        QCOMPARE(f.ui.messages.size(), std::size_t{1});
        QCOMPARE(f.ui.messages[0].icon, Icon::Stop);
        QVERIFY(f.frame->documents().isEmpty());
    }
};

} // namespace zv

QTEST_MAIN(zv::MainFrameTest)
#include "main_frame_test.moc"
