#ifndef TIVOK_UI_APP_ICON_H_
#define TIVOK_UI_APP_ICON_H_

#include <QIcon>

namespace tivok {

// Tivok's icon from the PNGs compiled into the program, so that the window
// has it without an icon theme and without Qt's SVG support.
QIcon AppIcon();

}  // namespace tivok

#endif  // TIVOK_UI_APP_ICON_H_
