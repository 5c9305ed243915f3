// The window "Karte" in the main window: what "Ansicht" > "Karte" and dropped files put
// on it, how it follows the mouse and the keys, and that tiles that do not come leave a
// line in the status bar and nothing else.

#include "mapdata/map_texts.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"
#include "tile_server.h"
#include "ui/about_help.h"
#include "ui/main_frame.h"
#include "ui/map/map_widget.h"
#include "ui/map/map_window.h"
#include "ui/zv_doc.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>

namespace zv {

namespace {

namespace fs = std::filesystem;

constexpr int patience = 15000; // ms; only a bound for a test that went wrong

struct Fixture {
    test::TempDir dir;
    AppSettings settings;
    test::ScriptedUserInterface ui;
    std::unique_ptr<CMainFrame> frame;

    Fixture() {
        settings.waypointDir = dir.path().string();
        settings.routeDir = (dir.path() / "Routen").string();
        fs::create_directories(settings.routeDir);
        fs::copy_file(test::testData("map/thermal_flight.zvc"), dir.path() / "Flug.zvc");
        fs::copy_file(test::testData("formats/example_zv.wpt"), dir.path() / "Example.wpt");
        fs::copy_file(test::testData("formats/example.lft"), dir.path() / "Lifts.lft");
        fs::copy_file(test::testData("map/route.wpt"), dir.path() / "Routen" / "Tour.wpt");
        test::writeBytes(dir.path() / "notes.log", "Notizen\r\n");
        frame = std::make_unique<CMainFrame>(
            settings, ui,
            [this](const CMainFrame::Command& command) { return command(settings, ui); },
            WorkspaceState{});
        frame->show();
    }
    ~Fixture() { frame->closeAllDocuments(false); }

    QString path(const char* name) const { return QString::fromStdString(dir / name); }
    MapWindow* map() const { return frame->mapWindow(); }
    MapWidget* widget() const { return map()->mapWidget(); }

    // Runs "Ansicht" > "Karte" and waits until the map has read its files.
    bool showMap() {
        frame->action(CommandId::Map)->trigger();
        return waitForMap();
    }
    bool waitForMap() {
        if (!QTest::qWaitFor([this] { return map() != nullptr; }, patience)) {
            return false;
        }
        return QTest::qWaitFor([this] { return !map()->loading(); }, patience) &&
               QTest::qWaitFor([this] { return !map()->isHidden(); }, patience);
    }
    QStringList layers() const {
        QStringList names;
        if (map()) {
            for (const auto& layer : widget()->scene().layers) {
                names << QString::fromStdString(layer->path.filename().string());
            }
        }
        return names;
    }
};

std::unique_ptr<QMimeData> filesData(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data->setUrls(urls);
    return data;
}

// Drags the files over `target` and drops them there; whether the drop was taken.
bool dropFiles(QWidget* target, const QStringList& paths) {
    const auto data = filesData(paths);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

void sendMouse(QWidget* widget, QEvent::Type type, const QPointF& at, Qt::MouseButton button) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QPointF screenOf(const map::MapViewport& viewport, const map::WorldPoint& at) {
    const map::ScreenPoint point = viewport.screenFromWorld(at);
    return {point.x, point.y};
}

} // namespace

class MapWindowTest : public QObject {
    Q_OBJECT

    test::TempDir home_;

private slots:
    void initTestCase() {
        test::TileServer::keepMapsOffline(home_.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(home_.path().string()));
    }

    void theMenuShowsTheFileOfTheActiveTextWindow() {
        Fixture f;
        QVERIFY(f.frame->openDocument(f.path("Flug.zvc")));
        QVERIFY(f.showMap());
        QCOMPARE(f.map()->windowTitle(), QStringLiteral("Karte"));
        QCOMPARE(f.layers(), QStringList{"Flug.zvc"});
        QVERIFY(f.ui.fileRequests.empty());
        // All of the flight in view.
        const map::MapViewport& view = f.widget()->viewport();
        const map::WorldRect data = f.widget()->scene().bounds();
        const QRectF shown(0, 0, view.width(), view.height());
        QVERIFY(shown.contains(screenOf(view, {data.left, data.top})));
        QVERIFY(shown.contains(screenOf(view, {data.right, data.bottom})));

        // A text window that is no map file: the dialog asks, in the directory of the
        // waypoints, for several files.
        QVERIFY(f.frame->openDocument(f.path("notes.log")));
        f.ui.fileChoices.push_back({f.dir.path() / "Example.wpt", f.dir.path() / "Lifts.lft",
                                    f.dir.path() / "Routen" / "Tour.wpt"});
        QVERIFY(f.showMap());
        QCOMPARE(f.layers(), QStringList({"Flug.zvc", "Example.wpt", "Lifts.lft", "Tour.wpt"}));
        QCOMPARE(f.ui.fileRequests.size(), std::size_t{1});
        QCOMPARE(f.ui.fileRequests[0].initialDir, f.dir.path());
        QVERIFY(f.ui.fileRequests[0].multiple);
        QCOMPARE(f.widget()->scene().layers[3]->kind, map::LayerKind::Route);

        // The flight again: read anew, not twice on the map.
        f.frame->openDocument(f.path("Flug.zvc"));
        QVERIFY(f.showMap());
        QCOMPARE(f.layers(), QStringList({"Example.wpt", "Lifts.lft", "Tour.wpt", "Flug.zvc"}));
        QVERIFY(f.ui.messages.empty());

        f.map()->removeAll();
        QVERIFY(f.layers().isEmpty());
    }

    void aCancelledDialogOpensNoWindow() {
        Fixture f;
        f.frame->action(CommandId::Map)->trigger();
        QCOMPARE(f.ui.fileRequests.size(), std::size_t{1});
        QVERIFY(!f.map() || f.map()->isHidden());
        // The toolbar has its button; the entry is always there.
        QVERIFY(f.frame->action(CommandId::Map)->isEnabled());
    }

    void droppedFilesGoWhereTheyBelong() {
        Fixture f;
        QVERIFY(dropFiles(f.frame->workspace()->viewport(),
                          {f.path("Example.wpt"), f.path("notes.log")}));
        QVERIFY(f.waitForMap());
        QCOMPARE(f.layers(), QStringList{"Example.wpt"});
        QCOMPARE(f.frame->documents().size(), 1);
        CChildFrame* notes = f.frame->documents().front();
        QCOMPARE(notes->document().path(), f.path("notes.log"));

        // Dropped on a text window: on the map, not into the text.
        const QString text = notes->view()->toPlainText();
        QVERIFY(dropFiles(notes->view()->viewport(), {f.path("Flug.zvc")}));
        QVERIFY(QTest::qWaitFor([&] { return f.layers().size() == 2; }, patience));
        QCOMPARE(notes->view()->toPlainText(), text);

        // And on the map window itself; what is no map file it does not take.
        QVERIFY(dropFiles(f.map(), {f.path("Lifts.lft")}));
        QVERIFY(!dropFiles(f.map(), {f.path("notes.log")}));
        QVERIFY(QTest::qWaitFor([&] { return f.layers().size() == 3; }, patience));
        // Something that is no file is not taken at all.
        QMimeData words;
        words.setText(QStringLiteral("Thermik"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.frame->workspace()->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
    }

    void theMapFollowsTheMouseAndTheKeys() {
        Fixture f;
        f.ui.fileChoices.push_back({f.dir.path() / "Flug.zvc", f.dir.path() / "Example.wpt"});
        QVERIFY(f.showMap());
        MapWidget* widget = f.widget();
        const int fitted = widget->viewport().zoom();
        const map::WorldPoint centre = widget->viewport().centre();

        QTest::keyClick(widget, Qt::Key_Plus);
        QCOMPARE(widget->viewport().zoom(), fitted + 1);
        QTest::keyClick(widget, Qt::Key_Minus);
        QTest::keyClick(widget, Qt::Key_Minus);
        QCOMPARE(widget->viewport().zoom(), fitted - 1);
        QTest::keyClick(widget, Qt::Key_Left);
        QVERIFY(widget->viewport().centre().x < centre.x);
        QTest::keyClick(widget, Qt::Key_Home);
        QCOMPARE(widget->viewport().zoom(), fitted);
        QCOMPARE(widget->viewport().centre(), centre);

        // The wheel zooms around the pointer.
        const QPointF pointer(widget->width() * 0.75, widget->height() * 0.25);
        const map::WorldPoint under =
            widget->viewport().worldFromScreen({pointer.x(), pointer.y()});
        QWheelEvent wheel(pointer, widget->mapToGlobal(pointer), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(widget, &wheel);
        QCOMPARE(widget->viewport().zoom(), fitted + 1);
        const QPointF after = screenOf(widget->viewport(), under);
        QVERIFY(std::abs(after.x() - pointer.x()) < 1e-6 &&
                std::abs(after.y() - pointer.y()) < 1e-6);

        // Dragging moves the map with the pointer.
        const QPointF from(100, 120);
        const QPointF to(160, 90);
        const map::WorldPoint grabbed = widget->viewport().worldFromScreen({from.x(), from.y()});
        sendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton);
        sendMouse(widget, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        sendMouse(widget, QEvent::MouseMove, to, Qt::LeftButton);
        sendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton);
        const QPointF moved = screenOf(widget->viewport(), grabbed);
        QVERIFY(std::abs(moved.x() - to.x()) < 1e-6 && std::abs(moved.y() - to.y()) < 1e-6);

        // The toolbar does the same.
        QAction* zoomOut = f.map()->findChild<QAction*>(QStringLiteral("mapZoomOut"));
        QVERIFY(zoomOut);
        zoomOut->trigger();
        QCOMPARE(widget->viewport().zoom(), fitted);
    }

    void thePointerShowsWhereItIsAndWhatLiesThere() {
        Fixture f;
        f.ui.fileChoices.push_back({f.dir.path() / "Example.wpt"});
        QVERIFY(f.showMap());
        MapWidget* widget = f.widget();
        const map::MapLayer& layer = *widget->scene().layers.front();
        const QPointF waypoint = screenOf(widget->viewport(), layer.marks[0].at);
        sendMouse(widget, QEvent::MouseMove, waypoint + QPointF(2, 1), Qt::NoButton);
        auto* place = f.map()->findChild<QLabel*>(QStringLiteral("mapPlace"));
        QVERIFY(place);
        QVERIFY2(place->text().startsWith(QStringLiteral("N  36 49.4")), qPrintable(place->text()));
        QVERIFY2(place->text().contains(QStringLiteral("   W   2 34.2")),
                 qPrintable(place->text()));

        // The pointer rests while the view moves: the place follows.
        const QString before = place->text();
        QTest::keyClick(widget, Qt::Key_Right);
        QVERIFY(place->text() != before);
        QTest::keyClick(widget, Qt::Key_Left);
        QCOMPARE(place->text(), before);

        QHelpEvent help(QEvent::ToolTip, (waypoint + QPointF(2, 1)).toPoint(),
                        widget->mapToGlobal((waypoint + QPointF(2, 1)).toPoint()));
        QCoreApplication::sendEvent(widget, &help);
        QCOMPARE(QToolTip::text(),
                 QStringLiteral("AGUADULCE-S\nWegpunkt\nHöhe 350 m\nExample.wpt"));
        QToolTip::hideText();

        // F1 opens the help at the map.
        QTest::keyClick(widget, Qt::Key_F1);
        QVERIFY(helpWindow() && helpWindow()->isVisible());
        QCOMPARE(helpWindowSection(), QStringLiteral("karte"));
        helpWindow()->close();
    }

    void tilesThatDoNotComeLeaveALineInTheStatusBar() {
        Fixture f;
        f.ui.fileChoices.push_back({f.dir.path() / "Example.wpt", f.dir.path() / "broken.lft"});
        test::writeBytes(f.dir.path() / "broken.lft",
                         "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n;-\r\n\r\n;I\r\n\r\n"
                         "DE.BOP    N  50 14.03   E   8 30.89     875 m\r\n@EOF\r\n");
        QVERIFY(f.showMap());
        // The reader's message is shown; the good file is on the map.
        QCOMPARE(f.layers(), QStringList{"Example.wpt"});
        QCOMPARE(f.ui.messages.size(), std::size_t{1});
        QVERIFY(f.ui.messages[0].text.starts_with("Zeile in Datei "));
        f.widget()->repaint();
        const auto* problem = f.map()->findChild<QLabel*>(QStringLiteral("mapTileProblem"));
        QVERIFY(problem);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return problem->text().startsWith(
                    QStringLiteral("Keine Kartenkacheln von 127.0.0.1"));
            },
            patience));
        // It stays while a load shows its own message over it.
        f.ui.fileChoices.push_back({f.dir.path() / "Lifts.lft"});
        QVERIFY(f.showMap());
        QVERIFY(!problem->isHidden());
        QVERIFY(problem->text().startsWith(QStringLiteral("Keine Kartenkacheln")));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(f.ui.messages.size(), std::size_t{1});
        // The map still follows the keys.
        const int zoom = f.widget()->viewport().zoom();
        QTest::keyClick(f.widget(), Qt::Key_Minus);
        QCOMPARE(f.widget()->viewport().zoom(), zoom - 1);
    }
};

} // namespace zv

QTEST_MAIN(zv::MapWindowTest)
#include "map_window_test.moc"
