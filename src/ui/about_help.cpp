#include "ui/about_help.h"

#include "ui/icons.h"
#include "ui/window_fit.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

// The help page is compiled into the static library; its resources must be registered.
static void initHelpResources() {
    Q_INIT_RESOURCE(zv);
}

namespace zv {

namespace {

constexpr const char* sectionProperty = "zvHelpSection";

QPointer<QDialog> theHelpWindow;
QString theHelpSection;
QString runningCommandSection;

// F1 in a window of zv: the help at the window's section.
class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) {
            return false;
        }
        QWidget* window = widget->window();
        if (window == theHelpWindow) {
            return true; // the help is open already
        }
        const QString section = helpSectionOf(widget);
        if (qobject_cast<QMainWindow*>(window) && section.isEmpty()) {
            return false; // the main window's own command "Hilfethemen"
        }
        showHelp(window, section);
        return true;
    }
};

// Puts the help beside its window, so that the dialog it explains stays in sight; where
// the screen has no room beside it, at the screen's edge on the side with more room.
void placeBeside(QWidget& help, const QWidget* owner) {
    if (!owner || !owner->isVisible()) {
        return;
    }
    const QScreen* screen = owner->screen();
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QRect beside = owner->frameGeometry();
    constexpr int gap = 8;
    const QSize size = help.size().boundedTo(available.size());
    help.resize(size);
    int x = beside.right() + gap;
    if (x + size.width() > available.right()) {
        x = beside.left() - gap - size.width();
    }
    if (x < available.left()) {
        const bool moreRoomRight =
            available.right() - beside.right() > beside.left() - available.left();
        x = moreRoomRight ? available.right() - size.width() : available.left();
    }
    // The frame's title bar is not part of the size.
    const int lowest = available.bottom() - size.height() - frameTop;
    const int y = std::clamp(beside.top(), available.top(), std::max(available.top(), lowest));
    help.move(x, y);
}

} // namespace

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

void showHelp(QWidget* parent, const QString& section) {
    // A window of the window F1 was pressed in: a modal dialog blocks every other window.
    QWidget* owner = parent ? parent->window() : nullptr;
    if (theHelpWindow && theHelpWindow->parentWidget() != owner) {
        delete theHelpWindow.data();
    }
    if (!theHelpWindow) {
        initHelpResources();
        theHelpWindow = new QDialog(owner);
        theHelpWindow->setAttribute(Qt::WA_DeleteOnClose);
        theHelpWindow->setObjectName(QStringLiteral("helpWindow"));
        theHelpWindow->setWindowTitle(QStringLiteral("zv Hilfe"));
        auto* browser = new QTextBrowser(theHelpWindow);
        browser->setSource(QUrl(QStringLiteral("qrc:/zv/help/hilfe.html")));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, theHelpWindow);
        QObject::connect(buttons, &QDialogButtonBox::rejected, theHelpWindow, &QDialog::close);
        auto* layout = new QVBoxLayout(theHelpWindow);
        layout->addWidget(browser);
        layout->addWidget(buttons);
        theHelpWindow->resize(600, 560);
        placeBeside(*theHelpWindow, owner);
    }
    theHelpWindow->show();
    theHelpWindow->raise();
    theHelpWindow->activateWindow();
    auto* browser = theHelpWindow->findChild<QTextBrowser*>();
    if (section.isEmpty()) {
        browser->verticalScrollBar()->setValue(0);
    } else {
        browser->scrollToAnchor(section);
    }
    theHelpSection = section;
}

QDialog* helpWindow() {
    return theHelpWindow;
}

QString helpWindowSection() {
    return theHelpWindow ? theHelpSection : QString();
}

void setHelpSection(QWidget* window, const QString& section) {
    window->setProperty(sectionProperty, section);
}

QString helpSectionOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant section = w->property(sectionProperty);
        if (section.isValid()) {
            return section.toString();
        }
    }
    return {};
}

HelpContext::HelpContext(QString section) : previous_(std::move(runningCommandSection)) {
    runningCommandSection = std::move(section);
}

HelpContext::~HelpContext() {
    runningCommandSection = std::move(previous_);
}

QString HelpContext::current() {
    return runningCommandSection;
}

QString helpSectionOfMenu(const QString& menuPath) {
    const auto under = [&](const char* prefix) {
        return menuPath.startsWith(QString::fromUtf8(prefix));
    };
    if (under("Zirrova|&Port")) {
        return QString::fromLatin1(help::serialLine);
    }
    if (under("Zirrova|")) {
        return QString::fromLatin1(help::transfers);
    }
    if (under("&Tools|&Flugbuch")) {
        return QString::fromLatin1(
            menuPath.contains(QStringLiteral("&Statistik")) ? help::statistics : help::logbook);
    }
    if (under("&Tools|&Aufwinddatenbank")) {
        return QString::fromLatin1(help::lifts);
    }
    if (under("&Tools|")) {
        return QString::fromLatin1(help::conversions);
    }
    if (under("&Einstellungen")) {
        return QString::fromLatin1(help::settings);
    }
    if (under("&Ansicht|&Karte")) {
        return QString::fromLatin1(help::map);
    }
    if (under("&Datei") || under("&Bearbeiten") || under("&Ansicht") || under("&Fenster")) {
        return QString::fromLatin1(help::textWindows);
    }
    return {};
}

void installHelpKey() {
    static QPointer<HelpKeyFilter> filter;
    if (!filter && qApp) {
        filter = new HelpKeyFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace zv
