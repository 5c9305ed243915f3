#pragma once

// Window sizes: dialogs wide enough for their titles, and the main window within the
// screen.

#include <QRect>

class QWidget;

namespace zv {

// The width a window needs to show its whole title in the frame: the title in the bold
// variant of the program's font (as most window frames draw it) plus the frame's icon and
// its three buttons.
int titleWidth(const QWidget* window);
// Widens the window to titleWidth when it is narrower.
void fitToTitle(QWidget* window);
// Makes every dialog of zv that is shown wide enough for its title (an application-wide
// event filter). Safe to call more than once.
void installTitleFit();

// The room the window frame takes around the client area, for windows not yet shown.
inline constexpr int frameSide = 8;
inline constexpr int frameTop = 32;

// A window geometry (client area) moved and shrunk so that the window with its frame lies
// within `available`.
QRect fitOnScreen(const QRect& wanted, const QRect& available);

} // namespace zv
