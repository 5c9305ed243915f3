#pragma once

// The About box and the help page.

class QWidget;

namespace zv {

void showAboutBox(QWidget* parent);
void showHelp(QWidget* parent);

} // namespace zv
