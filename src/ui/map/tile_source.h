#pragma once

// The tiles of the slippy map, fetched from a tile server as the OpenStreetMap tile usage
// policy asks: a User-Agent that names zv and its version, at most two downloads at a
// time, a disk cache that keeps each tile as long as the server's expiry allows. A
// server that fails or keeps silent never holds anything up: each download ends after a
// time-out, and after a failure of the connection the source rests for a while and the
// map shows its graticule.

#include "mapdata/web_mercator.h"

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <deque>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace zv {

struct TileSourceOptions {
    QString urlTemplate;    // with {z}, {x} and {y}
    QString cacheDirectory; // empty: no disk cache
    int transferTimeoutMs = 8000;
    int restAfterFailureMs = 30000; // no downloads for this long after the connection failed
};

class TileSource : public QObject {
    Q_OBJECT
public:
    static constexpr int maxDownloads = 2;

    explicit TileSource(TileSourceOptions options, QObject* parent = nullptr);
    ~TileSource() override;

    // "zv/1.4 (Zirrova companion)".
    static QString userAgent();
    static QString defaultUrlTemplate();
    // The template to use: ZV_TILE_URL when set, else the profile's (section "Karte", key
    // "TileUrl") when not empty, else the OpenStreetMap standard tiles.
    static QString configuredUrlTemplate();
    // "tiles" in zv's directory of the user's cache.
    static QString defaultCacheDirectory();
    // The template with the tile's numbers put in.
    static QString tileUrl(const QString& urlTemplate, const map::TileKey& tile);

    // The tile when it is in memory, else null (nothing is requested).
    const QImage* tile(const map::TileKey& key) const;
    // The tiles wanted now, the most important first: they replace what waited to be
    // fetched. Tiles in memory, being fetched or failed a short while ago are left out.
    void request(const std::vector<map::TileKey>& tiles);
    // Nothing waits and nothing is being fetched.
    bool idle() const;
    // Why tiles are missing, for the status bar; empty while the tiles come.
    QString problem() const { return problem_; }
    const TileSourceOptions& options() const { return options_; }

signals:
    void tilesChanged(); // a tile arrived, or the source may be asked again: paint anew
    void problemChanged(const QString& text);
    void becameIdle();

private:
    void startDownloads();
    void finished(QNetworkReply* reply, map::TileKey key);
    void setProblem(const QString& text);
    bool resting() const;

    TileSourceOptions options_;
    QNetworkAccessManager* network_;
    QCache<quint64, QImage> images_;
    std::deque<map::TileKey> waiting_;
    QSet<quint64> loading_;
    QHash<quint64, QDateTime> failed_; // when a tile failed; asked again after a while
    QDateTime restUntil_;
    QString problem_;
};

} // namespace zv
