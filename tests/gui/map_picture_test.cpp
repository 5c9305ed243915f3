// The map as zv-cli paints it: the headless picture of a flight with waypoints, a route
// with takeoff sites and a lift database, offline and over the tiles of a loopback server,
// compared with reference pictures in tests/data/map (fonts may differ a little between
// machines, so a few pixels may differ). ZV_UPDATE_MAP_REFERENCES=1 writes the references
// anew instead; look at them before committing them. Then `zv-cli map` itself.

#include "app/zv_app.h"
#include "base/app_settings.h"
#include "base/null_user_interface.h"
#include "cli/cli_command.h"
#include "formats/waypoint_converter.h"
#include "mapdata/map_files.h"
#include "support/test_files.h"
#include "tile_server.h"
#include "ui/map/map_picture.h"
#include "ui/map/tile_source.h"

#include <QTest>
#include <random>
#include <sstream>

namespace zv {

namespace {

namespace fs = std::filesystem;

// A pixel differs when one of its channels differs by more than this.
constexpr int channelTolerance = 40;
// A picture matches when at most this share of its pixels differs.
constexpr double differingShare = 0.015;

double differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return 1.0;
    }
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto* l = reinterpret_cast<const QRgb*>(left.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            if (std::abs(qRed(l[x]) - qRed(r[x])) > channelTolerance ||
                std::abs(qGreen(l[x]) - qGreen(r[x])) > channelTolerance ||
                std::abs(qBlue(l[x]) - qBlue(r[x])) > channelTolerance) {
                ++differing;
            }
        }
    }
    return static_cast<double>(differing) / (static_cast<double>(left.width()) * left.height());
}

QString dataPath(const std::string& relative) {
    return QString::fromStdString(test::testData(relative).string());
}

// Lifts of one flying area, the same on every run: many around a few house thermals.
fs::path writeLiftDatabase(const fs::path& dir) {
    std::mt19937 random(11);
    const auto uniform = [&random](double low, double high) {
        return low + (high - low) * static_cast<double>(random()) / std::mt19937::max();
    };
    NullUserInterface ui;
    CWaypointConverter converter(ui, 1596);
    for (int i = 0; i < 3000; ++i) {
        const double spot = static_cast<double>(i % 12);
        const double latitude = 50.20 + 0.011 * spot + uniform(-0.01, 0.01) * (1 + spot / 3);
        const double longitude = 8.45 + 0.017 * std::fmod(spot * 5, 12) + uniform(-0.015, 0.015);
        Waypoint lift;
        lift.name = i % 2 ? "DE.BOP" : "DE.WAS";
        lift.latHemisphere = 'N';
        lift.latDegrees = 50;
        lift.latMinutes = static_cast<float>((latitude - 50) * 60);
        lift.lonHemisphere = 'E';
        lift.lonDegrees = 8;
        lift.lonMinutes = static_cast<float>((longitude - 8) * 60);
        lift.altitude = 800 + i % 900;
        lift.unit = "m";
        lift.climb = static_cast<float>(spot / 2.5 + uniform(-1, 1));
        lift.climbUnit = "m/s";
        lift.windDir = (i * 37) % 360;
        lift.windSpeed = i % 30;
        lift.windSpeedUnit = "kmh";
        converter.zvWaypoints.push_back(lift);
    }
    const fs::path path = dir / "Taunus.lft";
    converter.writeLiftFile(path);
    return path;
}

map::MapScene sceneOf(const std::vector<fs::path>& files, const AppSettings& settings) {
    map::MapScene scene;
    NullUserInterface ui;
    for (const auto& file : files) {
        auto layer = map::readMapLayer(file, settings, ui);
        if (layer) {
            scene.layers.push_back(std::make_shared<const map::MapLayer>(std::move(*layer)));
        }
    }
    return scene;
}

// Compares with the reference of this name, or writes it when asked to.
void compareWithReference(const QImage& picture, const QString& name) {
    const QString reference = dataPath("map/" + name.toStdString() + ".png");
    if (qEnvironmentVariableIsSet("ZV_UPDATE_MAP_REFERENCES")) {
        QVERIFY(picture.save(reference, "PNG"));
        return;
    }
    const QImage expected(reference);
    QVERIFY2(!expected.isNull(), qPrintable(reference));
    const double share = differingPixels(picture, expected);
    if (share > differingShare) {
        picture.save(QDir::temp().filePath(name + QStringLiteral("-actual.png")), "PNG");
    }
    QVERIFY2(share <= differingShare,
             qPrintable(QStringLiteral("%1: %2 % of the pixels differ (actual picture in %3)")
                            .arg(name)
                            .arg(share * 100, 0, 'f', 2)
                            .arg(QDir::tempPath())));
}

} // namespace

class MapPictureTest : public QObject {
    Q_OBJECT

    test::TempDir cache_;
    AppSettings settings_;

private slots:
    void initTestCase() {
        qputenv("XDG_CACHE_HOME", cache_.path().string().c_str());
        settings_.routeDir = test::testData("map").string();
    }

    void pictures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("tiles");
        QTest::addColumn<QSize>("size");
        const QString flight = dataPath("map/thermal_flight.zvc");
        const QString waypoints = dataPath("formats/example_zv.wpt");
        QTest::newRow("flight") << "flight_offline" << QStringList{flight, waypoints} << false
                                << QSize(800, 600);
        QTest::newRow("flight over tiles")
            << "flight_tiles" << QStringList{flight, waypoints} << true << QSize(800, 600);
        QTest::newRow("route and takeoff sites")
            << "route_offline"
            << QStringList{dataPath("map/route.wpt"), dataPath("map/sites.tof"), flight} << false
            << QSize(640, 480);
    }
    void pictures() {
        QFETCH(QString, name);
        QFETCH(QStringList, files);
        QFETCH(bool, tiles);
        QFETCH(QSize, size);
        std::vector<fs::path> paths;
        for (const QString& file : files) {
            paths.emplace_back(file.toStdString());
        }
        const map::MapScene scene = sceneOf(paths, settings_);
        QCOMPARE(scene.layers.size(), paths.size());
        test::TileServer server(dataPath("map/tile.png"));
        test::TempDir cache;
        TileSource source(
            {server.urlTemplate(), QString::fromStdString((cache.path() / "tiles").string())});
        const QImage picture =
            renderMapPicture(scene, size, tiles ? &source : nullptr, pictureTileWait);
        if (tiles) {
            QVERIFY(source.idle());
            QVERIFY(!server.requests.empty());
        }
        compareWithReference(picture, name);

        // The comparison sees a missing layer.
        map::MapScene without = scene;
        without.layers.pop_back();
        const QImage other =
            renderMapPicture(without, size, tiles ? &source : nullptr, pictureTileWait);
        QVERIFY(differingPixels(picture, other) > differingShare);
    }

    void aLiftDatabaseInGroupsAndAlone() {
        test::TempDir dir;
        const map::MapScene scene = sceneOf({writeLiftDatabase(dir.path())}, settings_);
        QCOMPARE(scene.layers.front()->lifts.size(), std::size_t{3000});
        compareWithReference(renderMapPicture(scene, QSize(800, 600), nullptr, {}),
                             QStringLiteral("lifts_offline"));
    }

    // zv-cli's `map`, run in this process: what a script sees.
    void theCommandLine() {
        test::TempDir start;
        std::ostringstream ignored;
        QCOMPARE(cli::runCli({"init"}, start.path(), ignored, ignored), 0);
        qputenv("ZV_TILE_URL",
                test::TileServer::urlTemplateFor(test::TileServer::closedPort()).toUtf8());
        const std::string flight = test::testData("map/thermal_flight.zvc").string();
        const std::string waypoints = test::testData("formats/example_zv.wpt").string();
        test::writeBytes(start.path() / "notes.txt", "nichts\r\n");
        test::writeBytes(start.path() / "broken.lft",
                         "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n;-\r\n\r\n;I\r\n\r\n"
                         "DE.BOP    N  50 14.03   E   8 30.89     875 m\r\n@EOF\r\n");
        struct Case {
            std::vector<std::string> args;
            int status;
            std::string png; // the picture written, with its size
            QSize size;
            std::string out;
            std::string err;
        };
        const std::string broken = (start.path() / "broken.lft").string();
        const std::string notes = (start.path() / "notes.txt").string();
        const Case cases[] = {
            {{"map", flight, "--png", "a.png"},
             0,
             "a.png",
             QSize(1024, 768),
             "",
             "Keine Kartenkacheln"},
            {{"map", flight, waypoints, "--png", "b.png", "--size", "640x480"},
             0,
             "b.png",
             QSize(640, 480),
             "",
             ""},
            {{"map", "--png", "c.png"}, 2, "", {}, "", "KARTENDATEI fehlt"},
            {{"map", flight}, 2, "", {}, "", "--png fehlt"},
            {{"map", flight, "--png", "c.png", "--size", "10x10"}, 2, "", {}, "", "--size braucht"},
            {{"map", flight, "--png", "c.png", "--size", "800"}, 2, "", {}, "", "--size braucht"},
            {{"map", "fehlt.zvc", "--png", "c.png"}, 1, "", {}, "", "Datei nicht gefunden"},
            {{"map", broken, "--png", "c.png"},
             1,
             "",
             {},
             "[Achtung] Zeile in Datei " + broken +
                 "\nkonnte nicht\trichtig interpretiert werden. Bitte überprüfen!\n",
             ""},
            {{"map", notes, "--png", "c.png"},
             1,
             "",
             {},
             "[Achtung] Die Datei " + notes +
                 "\nist keine Kartendatei (Flug .zvc, Wegpunkte oder Route .wpt, Startplätze "
                 ".tof, Aufwinde .lft, GPX, KML, SeeYou .cup).\n",
             ""},
            {{"map", flight, "--png", "kein/Verzeichnis/c.png"},
             1,
             "",
             {},
             "[Stopp] Die Datei " + (start.path() / "kein/Verzeichnis/c.png").string() +
                 "\nkonnte nicht geschrieben werden!\n",
             ""},
        };
        for (const Case& c : cases) {
            std::ostringstream out;
            std::ostringstream err;
            const int status = cli::runCli(c.args, start.path(), out, err);
            QVERIFY2(status == c.status, qPrintable(QString::fromStdString(err.str())));
            if (!c.out.empty() || c.status == 0) {
                QCOMPARE(out.str(), c.out);
            }
            QVERIFY2(err.str().find(c.err) != std::string::npos, err.str().c_str());
            if (!c.png.empty()) {
                const QImage written(QString::fromStdString((start.path() / c.png).string()));
                QCOMPARE(written.size(), c.size);
            }
        }
        QVERIFY(!fs::exists(start.path() / "c.png"));
        qunsetenv("ZV_TILE_URL");
    }
};

} // namespace zv

QTEST_MAIN(zv::MapPictureTest)
#include "map_picture_test.moc"
