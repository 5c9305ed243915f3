#include "ui/about_help.h"

#include "ui/icons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

// The help page is compiled into the static library; its resources must be registered.
static void initHelpResources() {
    Q_INIT_RESOURCE(zv);
}

namespace zv {

void showAboutBox(QWidget* parent) {
    QDialog box(parent);
    box.setWindowTitle(QStringLiteral("Info über zv"));
    auto* icon = new QLabel(&box);
    icon->setPixmap(icons::program().pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("zv Version 1.4"), &box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(&box);
    layout->addLayout(row);
    layout->addWidget(buttons);
    box.exec();
}

void showHelp(QWidget* parent) {
    // One help window; asking again brings it to the front.
    static QPointer<QDialog> window;
    if (!window) {
        initHelpResources();
        window = new QDialog(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("zv Hilfe"));
        auto* browser = new QTextBrowser(window);
        browser->setSource(QUrl(QStringLiteral("qrc:/zv/help/hilfe.html")));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
        QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(browser);
        layout->addWidget(buttons);
        window->resize(560, 520);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace zv
