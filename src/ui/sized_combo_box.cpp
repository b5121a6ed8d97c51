#include "ui/sized_combo_box.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "ui/widest_text.h"

namespace tivok {

void SizedComboBox::SetRoomFor(const QStringList& texts) {
  room_for_ = texts;
  room_width_ = -1;
  updateGeometry();
}

void SizedComboBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange ||
      event->type() == QEvent::StyleChange) {
    room_width_ = -1;
  }
  QComboBox::changeEvent(event);
}

QSize SizedComboBox::sizeHint() const {
  return WithRoom(QComboBox::sizeHint());
}

QSize SizedComboBox::minimumSizeHint() const {
  return WithRoom(QComboBox::minimumSizeHint());
}

QSize SizedComboBox::WithRoom(QSize hint) const {
  const QFontMetrics metrics = fontMetrics();
  if (room_width_ < 0) {
    // The style adds the frame, the margins and the arrow, as it does for
    // the entries QComboBox measures itself.
    const int width = WidestText(*this, room_for_);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    room_width_ = style()
                      ->sizeFromContents(QStyle::CT_ComboBox, &option,
                                         QSize(width, metrics.height()), this)
                      .width();
  }
  hint.setWidth(std::max(hint.width(), room_width_));
  return hint;
}

}  // namespace tivok
