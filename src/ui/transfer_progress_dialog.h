#pragma once

// The window every transfer shows: two centred texts around a progress bar, no buttons,
// no close box. A transfer blocks the program, so every change paints at once.

#include <QDialog>

class QLabel;
class QProgressBar;

namespace zv {

class CTransferProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTransferProgressDialog(QWidget* parent = nullptr);

    void showCentred(const QString& firstText, const QString& secondText);
    void setFirstText(const QString& text);
    void setSecondText(const QString& text);
    void setStep(int step);
    void setRange(int maximum); // minimum 0, position back to 0
    void advance();             // past the maximum it starts again at 0

    QString firstText() const;
    QString secondText() const;
    int position() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintNow();

    QLabel* first_;
    QProgressBar* bar_;
    QLabel* second_;
    int step_ = 10;
};

} // namespace zv
