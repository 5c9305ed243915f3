#include "ui/map/tile_source.h"

#include "platform/profile.h"

#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStandardPaths>
#include <QTimer>

namespace zv {

namespace {

// About 100 MB of decoded tiles in memory; the disk cache keeps many more.
constexpr int memoryTiles = 400;
constexpr qint64 diskCacheBytes = qint64{300} << 20;
// A tile the server refused is asked for again after this many seconds.
constexpr int retryFailedTileSeconds = 300;

// Failures of the connection or of the server itself (Qt's error ranges 1-99 and 401-499):
// asking for the next tile at once would only add to the load or wait again.
bool connectionFailed(QNetworkReply::NetworkError error) {
    const int code = static_cast<int>(error);
    return (code > 0 && code < 100) || (code > 400 && code < 500);
}

} // namespace

TileSource::TileSource(TileSourceOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)), network_(new QNetworkAccessManager(this)),
      images_(memoryTiles) {
    if (!options_.cacheDirectory.isEmpty()) {
        auto* cache = new QNetworkDiskCache(network_);
        cache->setCacheDirectory(options_.cacheDirectory);
        cache->setMaximumCacheSize(diskCacheBytes);
        network_->setCache(cache);
    }
}

TileSource::~TileSource() {
    // The replies still running go with the network manager; none may call back.
    for (QNetworkReply* reply : network_->findChildren<QNetworkReply*>()) {
        reply->disconnect(this);
        reply->abort();
    }
}

QString TileSource::userAgent() {
    return QStringLiteral("zv/%1 (Zirrova companion)").arg(QStringLiteral(ZV_VERSION));
}

QString TileSource::defaultUrlTemplate() {
    return QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
}

QString TileSource::configuredUrlTemplate() {
    const QString fromEnvironment = qEnvironmentVariable("ZV_TILE_URL");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    const QString fromProfile = Profile().loadTileUrl();
    return fromProfile.isEmpty() ? defaultUrlTemplate() : fromProfile;
}

QString TileSource::defaultCacheDirectory() {
    // zv and zv-cli share one cache, whatever name the program runs under.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/zv/tiles");
}

QString TileSource::tileUrl(const QString& urlTemplate, const map::TileKey& tile) {
    QString url = urlTemplate;
    url.replace(QStringLiteral("{z}"), QString::number(tile.zoom));
    url.replace(QStringLiteral("{x}"), QString::number(tile.x));
    url.replace(QStringLiteral("{y}"), QString::number(tile.y));
    return url;
}

const QImage* TileSource::tile(const map::TileKey& key) const {
    return images_.object(map::packedTileKey(key));
}

void TileSource::request(const std::vector<map::TileKey>& tiles) {
    waiting_.clear();
    if (resting()) {
        return;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const map::TileKey& tile : tiles) {
        const int count = 1 << tile.zoom;
        if (tile.zoom < 0 || tile.zoom > map::maxZoom || tile.x < 0 || tile.x >= count ||
            tile.y < 0 || tile.y >= count) {
            continue;
        }
        const quint64 key = map::packedTileKey(tile);
        if (images_.contains(key) || loading_.contains(key)) {
            continue;
        }
        if (const auto failed = failed_.constFind(key);
            failed != failed_.constEnd() && failed->secsTo(now) < retryFailedTileSeconds) {
            continue;
        }
        waiting_.push_back(tile);
    }
    startDownloads();
}

bool TileSource::idle() const {
    return waiting_.empty() && loading_.isEmpty();
}

bool TileSource::resting() const {
    return restUntil_.isValid() && QDateTime::currentDateTimeUtc() < restUntil_;
}

void TileSource::startDownloads() {
    while (loading_.size() < maxDownloads && !waiting_.empty()) {
        const map::TileKey tile = waiting_.front();
        waiting_.pop_front();
        QNetworkRequest request(QUrl(tileUrl(options_.urlTemplate, tile)));
        request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
        // Taken from the disk cache while the server's expiry allows, asked again after.
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::PreferNetwork);
        request.setTransferTimeout(options_.transferTimeoutMs);
        QNetworkReply* reply = network_->get(request);
        loading_.insert(map::packedTileKey(tile));
        connect(reply, &QNetworkReply::finished, this,
                [this, reply, tile] { finished(reply, tile); });
    }
}

void TileSource::finished(QNetworkReply* reply, map::TileKey tile) {
    reply->deleteLater();
    const quint64 key = map::packedTileKey(tile);
    loading_.remove(key);
    const QNetworkReply::NetworkError error = reply->error();
    if (error == QNetworkReply::NoError) {
        QImage image;
        if (image.loadFromData(reply->readAll())) {
            // QCache owns what it holds.
            images_.insert(key, new QImage(image.convertToFormat(QImage::Format_RGB32)));
            failed_.remove(key);
            setProblem({});
            emit tilesChanged();
        } else {
            failed_.insert(key, QDateTime::currentDateTimeUtc());
            setProblem(QStringLiteral("Die Kartenkacheln von %1 sind keine Bilder. Die Karte "
                                      "zeigt das Gradnetz.")
                           .arg(reply->url().host()));
        }
    } else {
        failed_.insert(key, QDateTime::currentDateTimeUtc());
        // The server's answer when there was one: the error text of Qt would name the tile.
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        const QString reason =
            status.isValid()
                ? QStringLiteral("HTTP %1 %2")
                      .arg(status.toInt())
                      .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
                : reply->errorString();
        setProblem(QStringLiteral("Keine Kartenkacheln von %1: %2. Die Karte zeigt das Gradnetz.")
                       .arg(reply->url().host(), reason.trimmed()));
        if (connectionFailed(error)) {
            restUntil_ = QDateTime::currentDateTimeUtc().addMSecs(options_.restAfterFailureMs);
            waiting_.clear();
            // Afterwards the view asks again with what it shows then.
            QTimer::singleShot(options_.restAfterFailureMs, this, [this] { emit tilesChanged(); });
        }
    }
    startDownloads();
    if (idle()) {
        emit becameIdle();
    }
}

void TileSource::setProblem(const QString& text) {
    if (text != problem_) {
        problem_ = text;
        emit problemChanged(problem_);
    }
}

} // namespace zv
