// The window behaviours a user trips over: document windows maximized whenever they are
// activated, F1 in every dialog and message box, the font dialog of "Set Font", dialogs
// wide enough for their titles, and the main window's place kept in the profile.

#include "base/app_settings.h"
#include "platform/profile.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"
#include "ui/about_help.h"
#include "ui/main_frame.h"
#include "ui/page_setup.h"
#include "ui/path_chooser_dialog.h"
#include "ui/property_sheet.h"
#include "ui/qt_user_interface.h"
#include "ui/time_span_dialog.h"
#include "ui/transfer_progress_dialog.h"
#include "ui/window_fit.h"
#include "ui/zv_doc.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>
#include <memory>

namespace zv {

namespace {

struct Workspace {
    test::TempDir dir;
    AppSettings settings;
    test::ScriptedUserInterface ui;
    std::unique_ptr<CMainFrame> frame;

    Workspace() {
        frame = std::make_unique<CMainFrame>(
            settings, ui,
            [this](const CMainFrame::Command& command) { return command(settings, ui); },
            WorkspaceState{});
        frame->show();
        for (const char* name : {"a.wpt", "b.wpt", "c.wpt"}) {
            test::writeBytes(dir.path() / name, "x\r\n");
            frame->openDocument(QString::fromStdString(dir / name));
        }
    }
};

// F1 in the window, then the help: open, a window of `window`, at the section.
void pressF1In(QWidget* window) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, Qt::Key_F1);
}

} // namespace

class WindowBehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        installHelpKey();
        installTitleFit();
    }

    void cleanup() { delete helpWindow(); }

    void activatedDocumentsAreMaximized_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("close the active one") << "close";
        QTest::newRow("next window (Ctrl+Tab)") << "next";
        QTest::newRow("previous window (Ctrl+Shift+Tab)") << "previous";
        QTest::newRow("the menu Fenster") << "menu";
        QTest::newRow("a click after Nebeneinander") << "tile";
    }

    void activatedDocumentsAreMaximized() {
        QFETCH(QString, how);
        Workspace w;
        QMdiArea* mdi = w.frame->workspace();
        QCOMPARE(w.frame->documents().size(), 3);
        if (how == "close") {
            w.frame->activeDocument()->close();
        } else if (how == "next") {
            mdi->activateNextSubWindow();
        } else if (how == "previous") {
            mdi->activatePreviousSubWindow();
        } else if (how == "menu") {
            QMenu* menu = w.frame->findChild<QAction*>(QStringLiteral("menu:&Fenster"))->menu();
            emit menu->aboutToShow();
            QAction* first = nullptr;
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(QStringLiteral("&1 "))) {
                    first = action;
                }
            }
            QVERIFY(first);
            first->trigger();
        } else if (how == "tile") {
            mdi->tileSubWindows();
            QApplication::processEvents();
            // Tiling itself keeps its arrangement until a window is activated.
            QVERIFY(!w.frame->activeDocument()->isMaximized());
            mdi->setActiveSubWindow(w.frame->documents().first());
        }
        QApplication::processEvents();
        CChildFrame* active = w.frame->activeDocument();
        QVERIFY(active);
        QVERIFY2(active->isMaximized(), qPrintable(how));
        QCOMPARE(active->size(), mdi->viewport()->size());
    }

    void helpSectionsOfTheMenus() {
        const std::pair<const char*, const char*> cases[] = {
            {"Zirrova|&empfangen|&Logbuch", help::transfers},
            {"Zirrova|&senden|&Wegpunkte", help::transfers},
            {"Zirrova|&Port|COM&2", help::serialLine},
            {"&Tools|&Flugbuch |&erweitern", help::logbook},
            {"&Tools|&Flugbuch |&Statistik|&Flugstunden", help::statistics},
            {"&Tools|&Aufwinddatenbank|e&xtrahieren", help::lifts},
            {"&Tools|&Konvertieren|&Wegpunkte|&Zv->Ozi", help::conversions},
            {"&Einstellungen", help::settings},
            {"&Ansicht|Set &Font", help::textWindows},
            {"&Ansicht|&Karte", help::map},
            {"&?|&Hilfethemen", ""},
        };
        for (const auto& [menu, section] : cases) {
            QCOMPARE(helpSectionOfMenu(QString::fromUtf8(menu)), QString::fromLatin1(section));
        }
    }

    void f1InAMessageBoxOpensTheHelpOfTheCommand() {
        // The first start: "Wenn Sie Hilfe benötigen, betätigen Sie F1."
        QtUserInterface ui;
        QString section;
        bool helpOnTop = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(qobject_cast<QMessageBox*>(box));
            pressF1In(box);
            QVERIFY(helpWindow());
            section = helpWindowSection();
            helpOnTop = helpWindow()->isVisible() && helpWindow()->parentWidget() == box;
            qobject_cast<QMessageBox*>(box)->accept();
        });
        {
            const HelpContext context(QString::fromLatin1(help::firstStart));
            ui.message("Sie müssen nun die Einstellungen aktualisieren!\nWenn Sie Hilfe "
                       "benötigen, betätigen Sie F1.",
                       Icon::Information);
        }
        QCOMPARE(section, QString::fromLatin1(help::firstStart));
        QVERIFY2(helpOnTop, "the help is no window of the message box");
        QCOMPARE(HelpContext::current(), QString());
    }

    void f1InTheSettingsSheetFollowsThePage() {
        QTemporaryDir profile;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());
        AppSettings settings;
        test::ScriptedUserInterface ui;
        CMyPropertySheet sheet(settings, ui);
        sheet.show();
        pressF1In(&sheet);
        QCOMPARE(helpWindowSection(), QString::fromLatin1(help::settings));
        sheet.tabs()->setCurrentIndex(3); // "Zirrova"
        pressF1In(&sheet);
        QCOMPARE(helpWindowSection(), QString::fromLatin1(help::serialLine));
        QCOMPARE(helpWindow()->parentWidget(), &sheet);
    }

    void f1InEveryDialogOpensItsSection_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("section");
        QTest::newRow("Seite einrichten") << "pageSetup" << help::textWindows;
        QTest::newRow("Auswertung Flugstunden") << "timeSpan" << help::statistics;
        QTest::newRow("Pfad wählen") << "pathChooser" << help::settings;
        QTest::newRow("Übertragung") << "progress" << help::transfers;
        QTest::newRow("Schriftart") << "font" << help::textWindows;
    }

    void f1InEveryDialogOpensItsSection() {
        QFETCH(QString, dialog);
        QFETCH(QString, section);
        std::unique_ptr<QWidget> window;
        if (dialog == "pageSetup") {
            window = std::make_unique<PageSetupDialog>(PrintMargins{});
        } else if (dialog == "timeSpan") {
            window = std::make_unique<TimeSpanDialog>(nullptr, TimeSpanDialogData{});
        } else if (dialog == "pathChooser") {
            window = std::make_unique<CPathChooserDialog>(QStringLiteral("Pfad wählen"));
        } else if (dialog == "progress") {
            window = std::make_unique<CTransferProgressDialog>();
        } else {
            window = makeFontDialog(QFont(), nullptr);
        }
        window->show();
        pressF1In(window.get());
        QVERIFY(helpWindow() && helpWindow()->isVisible());
        QCOMPARE(helpWindowSection(), section);
        QCOMPARE(helpWindow()->parentWidget(), window.get());
    }

    void theHelpCoversTheSerialLineOnLinux() {
        showHelp(nullptr, QString::fromLatin1(help::serialLine));
        auto* browser = helpWindow()->findChild<QTextBrowser*>();
        QVERIFY(browser);
        const QString text = browser->toPlainText();
        for (const char* needed :
             {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0", "dialout", "zv-sim", "Zirrova"}) {
            QVERIFY2(text.contains(QString::fromUtf8(needed)), needed);
        }
        for (const char* anchor :
             {help::firstStart, help::settings, help::serialLine, help::transfers, help::logbook,
              help::statistics, help::lifts, help::conversions, help::textWindows, help::map}) {
            QVERIFY2(browser->toHtml().contains(QString::fromLatin1(anchor)), anchor);
        }
    }

    void theFontDialogOffersMonospacedFontsUpright() {
        for (const QString& family : QFontDatabase::families()) {
            if (!QFontDatabase::isFixedPitch(family)) {
                continue;
            }
            QFont start(family);
            start.setPointSize(10);
            const std::unique_ptr<QFontDialog> dialog = makeFontDialog(start, nullptr);
            QVERIFY(dialog->testOption(QFontDialog::MonospacedFonts));
            // An alias such as "Monospace" shows as the family it stands for.
            QVERIFY(QFontDatabase::isFixedPitch(dialog->currentFont().family()));
            QVERIFY2(!dialog->currentFont().italic(), qPrintable(family));
        }
        // A proportional font to start from gives the fixed-pitch system font.
        QFont proportional(QStringLiteral("Sans Serif"));
        if (!QFontInfo(proportional).fixedPitch()) {
            const std::unique_ptr<QFontDialog> dialog = makeFontDialog(proportional, nullptr);
            QVERIFY(QFontInfo(dialog->currentFont()).fixedPitch());
        }
    }

    void dialogsAreWideEnoughForTheirTitles() {
        std::vector<std::unique_ptr<QWidget>> dialogs;
        dialogs.push_back(std::make_unique<PageSetupDialog>(PrintMargins{}));
        dialogs.push_back(std::make_unique<TimeSpanDialog>(nullptr, TimeSpanDialogData{}));
        auto progress = std::make_unique<CTransferProgressDialog>();
        progress->showCentred(QStringLiteral("Das Programm ist empfangsbereit!"),
                              QStringLiteral("Der Timer endet in 10 sec"));
        dialogs.push_back(std::move(progress));
        // Any other dialog, through the application-wide rule.
        auto other = std::make_unique<QDialog>();
        other->setWindowTitle(QStringLiteral("Ein ziemlich langer Titel eines Dialogs von zv"));
        dialogs.push_back(std::move(other));
        for (const auto& dialog : dialogs) {
            dialog->show();
            QApplication::processEvents();
            QVERIFY2(dialog->width() >= titleWidth(dialog.get()),
                     qPrintable(dialog->windowTitle()));
            // Wider than the title text alone: room for the frame's icon and buttons.
            QVERIFY(titleWidth(dialog.get()) >
                    dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 60);
        }
    }

    void aWindowIsFittedIntoTheScreen() {
        // 1280x800 at 125 %: 1024x640 logical pixels, a 32 px panel at the top.
        const QRect screen(0, 32, 1024, 608);
        const QRect room = screen.adjusted(frameSide, frameTop, -frameSide, -frameSide);
        struct Case {
            QRect wanted;
            QRect fitted;
        };
        const Case cases[] = {
            {QRect(100, 100, 600, 400), QRect(100, 100, 600, 400)}, // fits
            {QRect(0, 0, 900, 650), QRect(room.left(), room.top(), 900, room.height())},
            {QRect(2000, 900, 600, 400), QRect(room.right() - 599, room.bottom() - 399, 600, 400)},
            {QRect(-500, -500, 3000, 3000), room},
        };
        for (const Case& c : cases) {
            QCOMPARE(fitOnScreen(c.wanted, screen), c.fitted);
        }
    }

    void theMainWindowKeepsItsPlaceInTheProfile() {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QVERIFY(!Profile().loadWindowPlacement());
        const WindowPlacement stored{QRect(40, 60, 500, 400), true};
        {
            Profile profile;
            profile.saveWindowPlacement(stored);
            profile.sync();
        }
        QCOMPARE(Profile().loadWindowPlacement(), std::optional<WindowPlacement>(stored));

        Workspace w;
        w.frame->hide();
        w.frame->placeWindow(stored);
        QVERIFY(w.frame->windowState() & Qt::WindowMaximized);
        w.frame->placeWindow(WindowPlacement{QRect(-3000, -3000, 20000, 20000), false});
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(available.contains(w.frame->geometry()));
        // Without a stored place: the default size, centred, within the screen.
        w.frame->placeWindow(std::nullopt);
        QVERIFY(available.contains(w.frame->geometry()));
    }
};

} // namespace zv

QTEST_MAIN(zv::WindowBehaviourTest)
#include "window_behaviour_test.moc"
