#include "ui/sized_combo_box.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

namespace tivok {

void SizedComboBox::SetRoomFor(const QStringList& texts) {
  room_for_ = texts;
  updateGeometry();
}

QSize SizedComboBox::sizeHint() const {
  return WithRoom(QComboBox::sizeHint());
}

QSize SizedComboBox::minimumSizeHint() const {
  return WithRoom(QComboBox::minimumSizeHint());
}

QSize SizedComboBox::WithRoom(QSize hint) const {
  const QFontMetrics metrics = fontMetrics();
  int width = 0;
  for (const QString& text : room_for_) {
    width = std::max(width, metrics.horizontalAdvance(text));
  }
  // The style adds the frame, the margins and the arrow, as it does for the
  // entries QComboBox measures itself.
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QSize needed = style()->sizeFromContents(
      QStyle::CT_ComboBox, &option, QSize(width, metrics.height()), this);
  hint.setWidth(std::max(hint.width(), needed.width()));
  return hint;
}

}  // namespace tivok
