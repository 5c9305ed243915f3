#include "ui/icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QSvgRenderer>
#include <functional>

// The program icon is a drawing in the resources of the static library.
static void initIconResources() {
    Q_INIT_RESOURCE(zv);
}

namespace zv::icons {

namespace {

constexpr int iconSize = 32;

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(iconSize, iconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

QIcon themed(const char* name, const std::function<void(QPainter&)>& draw) {
    const QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
    return icon.isNull() ? drawn(draw) : icon;
}

QIcon standard(const char* name, QStyle::StandardPixmap fallback) {
    const QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
    return icon.isNull() ? QApplication::style()->standardIcon(fallback) : icon;
}

const QColor instrumentBlue(30, 90, 170);
const QColor oziGreen(40, 140, 60);

// A file conversion: the source's letter on the left, an arrow, the target's on the right.
void conversion(QPainter& p, const QString& from, const QColor& fromColor, const QString& to,
                const QColor& toColor) {
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(Qt::NoPen);
    p.setBrush(fromColor);
    p.drawRoundedRect(QRectF(1, 1, 14, 16), 3, 3);
    p.setBrush(toColor);
    p.drawRoundedRect(QRectF(17, 15, 14, 16), 3, 3);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 1, 14, 16), Qt::AlignCenter, from);
    p.drawText(QRectF(17, 15, 14, 16), Qt::AlignCenter, to);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(8, 20), QPointF(8, 25));
    p.drawLine(QPointF(8, 25), QPointF(14, 25));
    QPainterPath head;
    head.moveTo(16, 25);
    head.lineTo(11, 21.5);
    head.lineTo(11, 28.5);
    head.closeSubpath();
    p.fillPath(head, Qt::black);
}

} // namespace

QIcon program() {
    // The same drawing as the icons of the desktop entry (icons/zv.svg), at the sizes of
    // the hicolor theme.
    initIconResources();
    QSvgRenderer renderer(QStringLiteral(":/zv/icons/zv.svg"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon save() {
    return standard("document-save", QStyle::SP_DialogSaveButton);
}

QIcon cut() {
    return themed("edit-cut", [](QPainter& p) {
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(QPointF(10, 4), QPointF(21, 21));
        p.drawLine(QPointF(22, 4), QPointF(11, 21));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 20, 8, 8));
        p.drawEllipse(QRectF(19, 20, 8, 8));
    });
}

QIcon copy() {
    return themed("edit-copy", [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 3, 16, 20));
        p.drawRect(QRectF(12, 9, 16, 20));
        for (int y = 14; y <= 24; y += 4) {
            p.drawLine(QPointF(15, y), QPointF(25, y));
        }
    });
}

QIcon paste() {
    return themed("edit-paste", [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(9, 2, 10, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(13, 12, 15, 17));
    });
}

QIcon print() {
    return themed("document-print", [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(160, 160, 160));
        p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 10));
    });
}

QIcon about() {
    return standard("help-about", QStyle::SP_MessageBoxInformation);
}

QIcon contextHelp() {
    return standard("help-contextual", QStyle::SP_TitleBarContextHelpButton);
}

QIcon zvToOzi() {
    return drawn([](QPainter& p) {
        conversion(p, QStringLiteral("Z"), instrumentBlue, QStringLiteral("O"), oziGreen);
    });
}

QIcon oziToZv() {
    return drawn([](QPainter& p) {
        conversion(p, QStringLiteral("O"), oziGreen, QStringLiteral("Z"), instrumentBlue);
    });
}

QIcon flightToTracks() {
    return drawn([](QPainter& p) {
        // A flown track: a line through fixes.
        const QPointF fixes[] = {{3, 27}, {9, 16}, {15, 21}, {21, 8}, {29, 5}};
        p.setPen(QPen(oziGreen, 2.5));
        p.drawPolyline(fixes, 5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        for (const QPointF& fix : fixes) {
            p.drawEllipse(fix, 2.5, 2.5);
        }
    });
}

QIcon logbook() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(150, 40, 40));
        p.drawRoundedRect(QRectF(5, 2, 22, 28), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(10, 6, 14, 20));
        p.setPen(QPen(Qt::black, 1));
        for (int y = 10; y <= 22; y += 4) {
            p.drawLine(QPointF(12, y), QPointF(22, y));
        }
    });
}

QIcon flightData() {
    return drawn([](QPainter& p) {
        // A flight's altitude profile: up in a thermal, a glide, down to landing.
        QPainterPath profile;
        profile.moveTo(2, 26);
        profile.lineTo(7, 20);
        profile.lineTo(11, 8);
        profile.lineTo(16, 5);
        profile.lineTo(22, 12);
        profile.lineTo(30, 26);
        p.setPen(QPen(instrumentBlue, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(profile);
        p.setPen(QPen(Qt::darkGray, 1.5));
        p.drawLine(QPointF(1, 29), QPointF(31, 29));
    });
}

QIcon oziExplorer() {
    return drawn([](QPainter& p) {
        // A globe: the map program.
        p.setPen(QPen(QColor(20, 60, 120), 1.5));
        p.setBrush(QColor(120, 180, 240));
        p.drawEllipse(QRectF(2, 2, 28, 28));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(10, 2, 12, 28));
        p.drawLine(QPointF(2, 16), QPointF(30, 16));
        p.drawLine(QPointF(16, 2), QPointF(16, 30));
    });
}

QIcon map() {
    return drawn([](QPainter& p) {
        // A folded map sheet with a track from a takeoff triangle to a red thermal.
        QPolygonF sheet;
        sheet << QPointF(2, 6) << QPointF(11, 3) << QPointF(21, 6) << QPointF(30, 3)
              << QPointF(30, 26) << QPointF(21, 29) << QPointF(11, 26) << QPointF(2, 29);
        p.setPen(QPen(QColor(90, 90, 90), 1.2));
        p.setBrush(QColor(225, 240, 205));
        p.drawPolygon(sheet);
        p.drawLine(QPointF(11, 3), QPointF(11, 26));
        p.drawLine(QPointF(21, 6), QPointF(21, 29));
        QPainterPath track;
        track.moveTo(6, 24);
        track.cubicTo(10, 12, 18, 24, 24, 12);
        p.setPen(QPen(QColor(30, 60, 200), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(track);
        p.setPen(QPen(QColor(255, 255, 0), 1.2));
        p.setBrush(QColor(255, 0, 0));
        p.drawEllipse(QRectF(21, 8, 7, 7));
    });
}

QIcon fileManager() {
    return standard("system-file-manager", QStyle::SP_DirOpenIcon);
}

QIcon zvView() {
    return drawn([](QPainter& p) {
        // A magnifier over a track.
        p.setPen(QPen(oziGreen, 2));
        p.drawLine(QPointF(3, 26), QPointF(10, 18));
        p.drawLine(QPointF(10, 18), QPointF(14, 22));
        p.setPen(QPen(Qt::black, 2.5));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(QRectF(12, 3, 15, 15));
        p.drawLine(QPointF(15, 16), QPointF(6, 29));
    });
}

} // namespace zv::icons
