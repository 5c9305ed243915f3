#include "ui/window_fit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <algorithm>

namespace zv {

namespace {

class TitleFitFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            // Message boxes size themselves to their text, and their title is "zv".
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isWindow() && !qobject_cast<QMessageBox*>(dialog)) {
                fitToTitle(dialog);
            }
        }
        return false;
    }
};

} // namespace

int titleWidth(const QWidget* window) {
    QFont font = QApplication::font();
    font.setBold(true);
    const int text = QFontMetrics(font).horizontalAdvance(window->windowTitle());
    const int bar =
        std::max(window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window),
                 QFontMetrics(font).height() + 8);
    // The icon on the left, close, maximize and minimize on the right, and the margins.
    constexpr int frameButtons = 4;
    return text + frameButtons * bar + 4 * frameSide;
}

void fitToTitle(QWidget* window) {
    const int needed = titleWidth(window);
    if (window->minimumWidth() < needed) {
        window->setMinimumWidth(std::min(needed, QWIDGETSIZE_MAX));
    }
}

void installTitleFit() {
    static QPointer<TitleFitFilter> filter;
    if (!filter && qApp) {
        filter = new TitleFitFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

QRect fitOnScreen(const QRect& wanted, const QRect& available) {
    const QRect room = available.adjusted(frameSide, frameTop, -frameSide, -frameSide);
    if (room.width() <= 0 || room.height() <= 0) {
        return wanted;
    }
    QRect fitted = wanted;
    fitted.setWidth(std::min(wanted.width(), room.width()));
    fitted.setHeight(std::min(wanted.height(), room.height()));
    fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), room.top(), room.bottom() - fitted.height() + 1));
    return fitted;
}

} // namespace zv
