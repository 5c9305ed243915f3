#pragma once

// A tile server on the loopback interface for the map tests: it answers HTTP requests for
// tiles with a PNG from tests/data/map, as the server is told to, and records every
// request with its headers and how many were waiting for their answer at once.

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QPointer>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <vector>

namespace zv::test {

class TileServer {
public:
    enum class Answer {
        Tile,        // 200 with the tile, the cache headers below, 304 to a revalidation
        Silence,     // accepts the request and never answers
        ServerError, // 503
        NotAnImage,  // 200 with text
    };

    struct Request {
        QByteArray path;
        QByteArray userAgent;
        QByteArray ifModifiedSince;
    };

    explicit TileServer(const QString& tileFile) {
        QFile file(tileFile);
        if (file.open(QIODevice::ReadOnly)) {
            tile_ = file.readAll();
        }
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
    }

    // A port on the loopback interface where nothing listens.
    static quint16 closedPort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        return port;
    }
    static QString urlTemplateFor(quint16 port) {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(port);
    }

    QString urlTemplate() const { return urlTemplateFor(server_.serverPort()); }

    // For the tests of windows that open the map: its tiles come from a port where nothing
    // listens, so that no test reaches the network, and its cache lies in `cacheHome`.
    static void keepMapsOffline(const std::filesystem::path& cacheHome) {
        qputenv("ZV_TILE_URL", urlTemplateFor(closedPort()).toUtf8());
        qputenv("XDG_CACHE_HOME", cacheHome.string().c_str());
    }

    Answer answer = Answer::Tile;
    QByteArray cacheControl = "max-age=86400"; // empty: none sent
    QByteArray expires;                        // empty: none sent
    int answerDelayMs = 0;    // each answer waits this long (to see downloads overlap)
    QSet<QByteArray> missing; // paths answered with 404
    std::vector<Request> requests;
    int waiting = 0; // requests received and not answered yet
    int mostWaiting = 0;

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket* socket) {
        QByteArray& buffer = buffers_[socket];
        buffer += socket->readAll();
        for (qsizetype end = buffer.indexOf("\r\n\r\n"); end >= 0;
             end = buffer.indexOf("\r\n\r\n")) {
            const QByteArray head = buffer.left(end);
            buffer.remove(0, end + 4);
            Request request;
            const QList<QByteArray> lines = head.split('\n');
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            request.path = first.value(1);
            for (const QByteArray& line : lines.mid(1)) {
                const qsizetype colon = line.indexOf(':');
                const QByteArray name = line.left(colon).trimmed().toLower();
                const QByteArray value = line.mid(colon + 1).trimmed();
                if (name == "user-agent") {
                    request.userAgent = value;
                } else if (name == "if-modified-since") {
                    request.ifModifiedSince = value;
                }
            }
            requests.push_back(request);
            ++waiting;
            mostWaiting = std::max(mostWaiting, waiting);
            if (answer == Answer::Silence) {
                continue;
            }
            QTimer::singleShot(answerDelayMs, socket,
                               [this, socket = QPointer<QTcpSocket>(socket), request] {
                                   if (socket) {
                                       respond(*socket, request);
                                   }
                               });
        }
    }

    void respond(QTcpSocket& socket, const Request& request) {
        --waiting;
        QByteArray status = "200 OK";
        QByteArray type = "image/png";
        QByteArray body = tile_;
        if (missing.contains(request.path)) {
            status = "404 Not Found";
            type = "text/plain";
            body = "keine Kachel";
        } else if (answer == Answer::ServerError) {
            status = "503 Service Unavailable";
            type = "text/plain";
            body = "überlastet";
        } else if (answer == Answer::NotAnImage) {
            type = "text/plain";
            body = "kein Bild";
        } else if (!request.ifModifiedSince.isEmpty()) {
            status = "304 Not Modified";
            body.clear();
        }
        QByteArray reply = "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
                           "\r\nContent-Length: " + QByteArray::number(body.size()) +
                           "\r\nLast-Modified: " + lastModified() +
                           "\r\nDate: " + httpDate(QDateTime::currentDateTimeUtc());
        if (!cacheControl.isEmpty()) {
            reply += "\r\nCache-Control: " + cacheControl;
        }
        if (!expires.isEmpty()) {
            reply += "\r\nExpires: " + expires;
        }
        reply += "\r\nConnection: keep-alive\r\n\r\n" + body;
        socket.write(reply);
    }

public:
    static QByteArray httpDate(const QDateTime& time) {
        return QLocale::c()
            .toString(time.toUTC(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"))
            .toLatin1();
    }

private:
    static QByteArray lastModified() {
        return httpDate(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC));
    }

    QByteArray tile_;
    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
};

} // namespace zv::test
