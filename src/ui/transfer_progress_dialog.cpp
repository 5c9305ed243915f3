#include "ui/transfer_progress_dialog.h"

#include "ui/about_help.h"
#include "ui/window_fit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

namespace zv {

CTransferProgressDialog::CTransferProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      first_(new QLabel(QStringLiteral("Das Programm ist empfangsbereit"), this)),
      bar_(new QProgressBar(this)),
      second_(new QLabel(QStringLiteral("Starten Sie die Übertragung am Zirrova"), this)) {
    setWindowTitle(QStringLiteral("Übertragung vom und zum Zirrova"));
    setHelpSection(this, QString::fromLatin1(help::transfers));
    setModal(false);
    first_->setAlignment(Qt::AlignCenter);
    second_->setAlignment(Qt::AlignCenter);
    bar_->setTextVisible(false);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(first_);
    layout->addWidget(bar_);
    layout->addWidget(second_);
    setMinimumWidth(320);
    fitToTitle(this);
}

void CTransferProgressDialog::showCentred(const QString& firstText, const QString& secondText) {
    first_->setText(firstText);
    second_->setText(secondText);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    // A window manager maps the window a moment later, and the transfer blocks the event
    // loop right after this (up to 10 s waiting for the first data): wait briefly until the
    // window is on screen, so that it shows its texts instead of an empty frame.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    paintNow();
}

void CTransferProgressDialog::setFirstText(const QString& text) {
    first_->setText(text);
    paintNow();
}

void CTransferProgressDialog::setSecondText(const QString& text) {
    second_->setText(text);
    paintNow();
}

void CTransferProgressDialog::setStep(int step) {
    step_ = step;
}

void CTransferProgressDialog::setRange(int maximum) {
    bar_->setRange(0, maximum);
    bar_->setValue(0);
    paintNow();
}

void CTransferProgressDialog::advance() {
    int next = bar_->value() + step_;
    if (next > bar_->maximum()) {
        next = 0;
    }
    bar_->setValue(next);
    paintNow();
}

QString CTransferProgressDialog::firstText() const {
    return first_->text();
}
QString CTransferProgressDialog::secondText() const {
    return second_->text();
}
int CTransferProgressDialog::position() const {
    return bar_->value();
}

void CTransferProgressDialog::closeEvent(QCloseEvent* event) {
    // Only the transfer closes the window.
    if (isVisible() && event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CTransferProgressDialog::keyPressEvent(QKeyEvent* event) {
    // Escape would reject the dialog; a transfer cannot be cancelled.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CTransferProgressDialog::paintNow() {
    if (!isVisible()) {
        return;
    }
    repaint();
    // The transfer blocks the event loop; let the window system show the change.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace zv
