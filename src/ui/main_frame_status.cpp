#include "ui/main_frame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace zv {

void CMainFrame::createStatusBar() {
    auto* ready = new QLabel(QStringLiteral("Bereit"), this);
    statusBar()->addWidget(ready, 1);
    capsLock_ = new QLabel(QStringLiteral("UF"), this);
    numLock_ = new QLabel(QStringLiteral("NUM"), this);
    scrollLock_ = new QLabel(QStringLiteral("RF"), this);
    for (QLabel* indicator : {capsLock_, numLock_, scrollLock_}) {
        indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(
            indicator->fontMetrics().horizontalAdvance(QStringLiteral("NUM")) + 12);
        // The lock state is not known until the key is pressed: shown as off.
        indicator->setEnabled(false);
        statusBar()->addPermanentWidget(indicator);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (takeFileDrop(watched, event)) {
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            QLabel* indicator = key->key() == Qt::Key_CapsLock     ? capsLock_
                                : key->key() == Qt::Key_NumLock    ? numLock_
                                : key->key() == Qt::Key_ScrollLock ? scrollLock_
                                                                   : nullptr;
            if (indicator && watched == QApplication::focusWidget()) {
                indicator->setEnabled(!indicator->isEnabled());
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace zv
