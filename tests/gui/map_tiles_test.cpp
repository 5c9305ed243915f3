// The map's tiles from a tile server on the loopback interface: what is asked for and how,
// the disk cache and the server's expiry, and that a failing, silent or absent server only
// leaves a line for the status bar and the graticule.

#include "support/test_files.h"
#include "tile_server.h"
#include "ui/map/map_picture.h"
#include "ui/map/tile_source.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace zv {

namespace {

constexpr int patience = 15000; // ms; only a bound for a test that went wrong

QString tileFile() {
    return QString::fromStdString(test::testData("map/tile.png").string());
}

std::vector<map::TileKey> someTiles(int count) {
    std::vector<map::TileKey> tiles;
    for (int i = 0; i < count; ++i) {
        tiles.push_back({12, 2018 + i % 4, 1596 + i / 4});
    }
    return tiles;
}

TileSourceOptions optionsFor(const QString& urlTemplate, const test::TempDir& cache) {
    TileSourceOptions options;
    options.urlTemplate = urlTemplate;
    options.cacheDirectory = QString::fromStdString((cache.path() / "tiles").string());
    options.transferTimeoutMs = 400;
    return options;
}

} // namespace

class MapTilesTest : public QObject {
    Q_OBJECT

private slots:
    void theRequestsNameTheTileAndZv() {
        test::TileServer server(tileFile());
        test::TempDir cache;
        TileSource source(optionsFor(server.urlTemplate(), cache));
        source.request(someTiles(6));
        QTRY_VERIFY_WITH_TIMEOUT(source.idle(), patience);
        QCOMPARE(server.requests.size(), std::size_t{6});
        QCOMPARE(server.requests[0].path, QByteArray("/12/2018/1596.png"));
        QCOMPARE(server.requests[5].path, QByteArray("/12/2019/1597.png"));
        for (const auto& request : server.requests) {
            QCOMPARE(request.userAgent, QByteArray("zv/1.4 (Zirrova companion)"));
        }
        const QImage* tile = source.tile({12, 2019, 1597});
        QVERIFY(tile);
        QCOMPARE(tile->size(), QSize(256, 256));
        QCOMPARE(tile->pixelColor(30, 30), QColor("#dcebcb"));
        QVERIFY(source.problem().isEmpty());
        // What is in memory is not asked for again.
        source.request(someTiles(6));
        QVERIFY(source.idle());
        QCOMPARE(server.requests.size(), std::size_t{6});
    }

    void atMostTwoDownloadsAtATime() {
        test::TileServer server(tileFile());
        server.answerDelayMs = 30;
        test::TempDir cache;
        TileSource source(optionsFor(server.urlTemplate(), cache));
        source.request(someTiles(12));
        QTRY_VERIFY_WITH_TIMEOUT(source.idle(), patience);
        QCOMPARE(server.requests.size(), std::size_t{12});
        QCOMPARE(server.mostWaiting, TileSource::maxDownloads);
    }

    // A new view asks again: only the tiles it shows, the nearest first.
    void aNewViewReplacesWhatWaited() {
        test::TileServer server(tileFile());
        server.answerDelayMs = 30;
        test::TempDir cache;
        TileSource source(optionsFor(server.urlTemplate(), cache));
        source.request(someTiles(12));
        source.request({{13, 100, 100}});
        QTRY_VERIFY_WITH_TIMEOUT(source.idle(), patience);
        QCOMPARE(server.requests.size(), std::size_t{3});
        QCOMPARE(server.requests.back().path, QByteArray("/13/100/100.png"));
    }

    void aSecondViewTakesTheTileFromTheDiskCache() {
        test::TileServer server(tileFile());
        test::TempDir cache;
        {
            TileSource first(optionsFor(server.urlTemplate(), cache));
            first.request(someTiles(2));
            QTRY_VERIFY_WITH_TIMEOUT(first.idle(), patience);
        }
        QCOMPARE(server.requests.size(), std::size_t{2});
        TileSource second(optionsFor(server.urlTemplate(), cache));
        second.request(someTiles(3));
        QTRY_VERIFY_WITH_TIMEOUT(second.idle(), patience);
        QVERIFY(second.tile(someTiles(1).front()));
        QVERIFY(second.tile(someTiles(3).back()));
        // Only the third tile, which the first view did not show, was asked for.
        QCOMPARE(server.requests.size(), std::size_t{3});
        QCOMPARE(server.requests.back().path, QByteArray("/12/2020/1596.png"));
    }

    void anExpiredTileIsAskedForAgain() {
        test::TileServer server(tileFile());
        // What the server says: this tile expired an hour ago.
        server.cacheControl.clear();
        server.expires = test::TileServer::httpDate(QDateTime::currentDateTimeUtc().addSecs(-3600));
        test::TempDir cache;
        {
            TileSource first(optionsFor(server.urlTemplate(), cache));
            first.request(someTiles(1));
            QTRY_VERIFY_WITH_TIMEOUT(first.idle(), patience);
        }
        TileSource second(optionsFor(server.urlTemplate(), cache));
        second.request(someTiles(1));
        QTRY_VERIFY_WITH_TIMEOUT(second.idle(), patience);
        QCOMPARE(server.requests.size(), std::size_t{2});
        // Asked whether it changed; "not modified" takes the copy of the cache.
        QVERIFY(server.requests[0].ifModifiedSince.isEmpty());
        QCOMPARE(server.requests[1].ifModifiedSince, QByteArray("Fri, 02 Jan 2026 03:04:05 GMT"));
        QVERIFY(second.tile(someTiles(1).front()));
    }

    void aMissingTileFailsAlone() {
        test::TileServer server(tileFile());
        server.missing.insert("/12/2019/1596.png");
        test::TempDir cache;
        TileSource source(optionsFor(server.urlTemplate(), cache));
        QSignalSpy problems(&source, &TileSource::problemChanged);
        source.request(someTiles(4));
        QTRY_VERIFY_WITH_TIMEOUT(source.idle(), patience);
        QCOMPARE(server.requests.size(), std::size_t{4});
        QVERIFY(!source.tile({12, 2019, 1596}));
        QVERIFY(source.tile({12, 2021, 1596}));
        QVERIFY(!problems.isEmpty());
        // Not asked for again at once.
        source.request(someTiles(4));
        QVERIFY(source.idle());
    }

    void aServerThatFailsOnlyLeavesALineAndTheGraticule_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("listening");
        QTest::addColumn<int>("mostRequests");
        QTest::newRow("no server") << 0 << false << 0;
        QTest::newRow("silent server") << static_cast<int>(test::TileServer::Answer::Silence)
                                       << true << TileSource::maxDownloads;
        QTest::newRow("server error") << static_cast<int>(test::TileServer::Answer::ServerError)
                                      << true << TileSource::maxDownloads;
        QTest::newRow("no picture")
            << static_cast<int>(test::TileServer::Answer::NotAnImage) << true << 12;
    }
    void aServerThatFailsOnlyLeavesALineAndTheGraticule() {
        QFETCH(int, answer);
        QFETCH(bool, listening);
        QFETCH(int, mostRequests);
        test::TileServer server(tileFile());
        server.answer = static_cast<test::TileServer::Answer>(answer);
        test::TempDir cache;
        const QString url = listening
                                ? server.urlTemplate()
                                : test::TileServer::urlTemplateFor(test::TileServer::closedPort());
        TileSource source(optionsFor(url, cache));
        QSignalSpy problems(&source, &TileSource::problemChanged);
        source.request(someTiles(12));
        QTRY_VERIFY_WITH_TIMEOUT(source.idle(), patience);
        QVERIFY2(source.problem().contains(QStringLiteral("127.0.0.1")),
                 qPrintable(source.problem()));
        QCOMPARE(problems.size(), 1);
        QVERIFY(static_cast<int>(server.requests.size()) <= mostRequests);
        QVERIFY(!source.tile(someTiles(1).front()));
        // A failed connection rests the source, a failed tile is not asked for again at
        // once: a new view asks nothing meanwhile.
        const std::size_t asked = server.requests.size();
        source.request(someTiles(12));
        QVERIFY(source.idle());
        QCOMPARE(server.requests.size(), asked);

        // The picture does not wait for such a server longer than it was told.
        const QImage picture =
            renderMapPicture(map::MapScene{}, QSize(300, 200), &source, std::chrono::seconds(30));
        QCOMPARE(picture.size(), QSize(300, 200));
    }

    // A server that keeps silent: the picture is painted after the waiting time, with the
    // graticule in place of the tiles.
    void thePictureWaitsNoLongerThanItMay() {
        test::TileServer server(tileFile());
        server.answer = test::TileServer::Answer::Silence;
        test::TempDir cache;
        TileSourceOptions options = optionsFor(server.urlTemplate(), cache);
        options.transferTimeoutMs = 60000;
        TileSource source(options);
        const QImage picture = renderMapPicture(map::MapScene{}, QSize(320, 240), &source,
                                                std::chrono::milliseconds(300));
        QCOMPARE(picture.size(), QSize(320, 240));
        QVERIFY(!source.idle());
        // The corner shows the attribution on the pale background, not a tile's green.
        QVERIFY(picture.pixelColor(5, 5) != QColor("#dcebcb"));
    }

    void theTileTemplateComesFromTheEnvironmentTheProfileOrOpenStreetMap() {
        test::TempDir profile;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(profile.path().string()));
        qunsetenv("ZV_TILE_URL");
        QCOMPARE(TileSource::configuredUrlTemplate(),
                 QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"));
        {
            QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                               QStringLiteral("zv"));
            settings.setValue(QStringLiteral("Karte/TileUrl"),
                              QStringLiteral("http://kacheln.example/{z}/{x}/{y}.png"));
        }
        QCOMPARE(TileSource::configuredUrlTemplate(),
                 QStringLiteral("http://kacheln.example/{z}/{x}/{y}.png"));
        qputenv("ZV_TILE_URL", "http://127.0.0.1:9/{z}/{x}/{y}.png");
        QCOMPARE(TileSource::configuredUrlTemplate(),
                 QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"));
        qunsetenv("ZV_TILE_URL");
        QCOMPARE(
            TileSource::tileUrl(QStringLiteral("https://t/{z}/{x}/{y}.png?k={z}"), {7, 66, 45}),
            QStringLiteral("https://t/7/66/45.png?k=7"));
    }
};

} // namespace zv

QTEST_MAIN(zv::MapTilesTest)
#include "map_tiles_test.moc"
