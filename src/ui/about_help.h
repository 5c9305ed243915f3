#pragma once

// The About box and the help page. The help is one page with sections; F1 opens it at the
// section that fits the window it was pressed in: a dialog names its section with
// setHelpSection, a message box takes the section of the command that shows it.

#include <QString>

class QDialog;
class QWidget;

namespace zv {

void showAboutBox(QWidget* parent);

// The sections of the help page (anchors of help/hilfe.html).
namespace help {
inline constexpr const char* firstStart = "erster-start";
inline constexpr const char* settings = "einstellungen";
inline constexpr const char* serialLine = "serielle-schnittstelle";
inline constexpr const char* transfers = "uebertragung";
inline constexpr const char* logbook = "flugbuch";
inline constexpr const char* statistics = "statistik";
inline constexpr const char* lifts = "aufwinde";
inline constexpr const char* conversions = "konvertieren";
inline constexpr const char* textWindows = "textfenster";
inline constexpr const char* map = "karte";
} // namespace help

// Opens the help at a section (empty: at the top), as a window of `parent`'s window, so
// that it can be read and used while a modal dialog of zv is open. There is one help
// window; asking again brings it to the front at the new section.
void showHelp(QWidget* parent, const QString& section = {});
// The help window while it is open, and the section it was last opened at.
QDialog* helpWindow();
QString helpWindowSection();

// The section of a window: its own or, failing that, that of the nearest parent that
// names one.
void setHelpSection(QWidget* window, const QString& section);
QString helpSectionOf(const QWidget* widget);

// The section of the command that is running: message boxes and file dialogs shown
// meanwhile take it. Kept for the lifetime of the object; nested scopes restore.
class HelpContext {
public:
    explicit HelpContext(QString section);
    ~HelpContext();
    HelpContext(const HelpContext&) = delete;
    HelpContext& operator=(const HelpContext&) = delete;

    static QString current();

private:
    QString previous_;
};

// The section of a command by its menu path ("Zirrova|&empfangen|&Logbuch" -> transfers).
QString helpSectionOfMenu(const QString& menuPath);

// Makes F1 open the help in every window of the program (an application-wide event
// filter); the main window's own F1 command keeps working. Safe to call more than once.
void installHelpKey();

} // namespace zv
