#ifndef TIVOK_UI_WIDEST_TEXT_H_
#define TIVOK_UI_WIDEST_TEXT_H_

#include <QStringList>

class QWidget;

namespace tivok {

// The advance of the widest of `texts` in `widget`'s font. Each font and
// list is measured once: New Item and the slot list both make room for the
// 44 item names, and each measure costs a text layout per name.
int WidestText(const QWidget& widget, const QStringList& texts);

}  // namespace tivok

#endif  // TIVOK_UI_WIDEST_TEXT_H_
