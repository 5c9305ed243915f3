#pragma once

// The icons of the toolbar and the program icon. The desktop's icon theme is used where it
// has a fitting icon; otherwise the icon is drawn here, so that the program needs no image
// files and no image plug-ins. The program icon is the drawing icons/zv.svg, compiled into
// the program and installed for the desktop as well.

#include <QIcon>

namespace zv::icons {

QIcon program();
QIcon save();
QIcon cut();
QIcon copy();
QIcon paste();
QIcon print();
QIcon about();
QIcon contextHelp();
QIcon zvToOzi();
QIcon oziToZv();
QIcon flightToTracks();
QIcon logbook();
// A flight of the logbook that has its flight data file.
QIcon flightData();
QIcon oziExplorer();
QIcon map();
QIcon fileManager();
QIcon zvView();

} // namespace zv::icons
