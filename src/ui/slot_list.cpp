#include "ui/slot_list.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

#include "rom/store_table.h"

namespace tivok {

QSize SlotList::sizeHint() const {
  int rows = 0;
  for (const Store& store : StoreTable::All()) {
    rows = std::max(rows, store.slot_count);
  }
  // The size of the widest entry, as the list's own delegate measures it.
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.features |= QStyleOptionViewItem::HasDisplay;
  option.text = "8 (2B)";
  const QSize row = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option,
                                              QSize(), this);
  const int frame = 2 * frameWidth();
  return QSize(row.width() + frame, rows * row.height() + frame);
}

void SlotList::focusInEvent(QFocusEvent* event) {
  const bool had_current = currentIndex().isValid();
  QListWidget::focusInEvent(event);
  if (had_current) return;
  // The focus lands on the selected entry, or on none.
  const QModelIndexList selected = selectedIndexes();
  selectionModel()->setCurrentIndex(
      selected.isEmpty() ? QModelIndex() : selected.first(),
      QItemSelectionModel::NoUpdate);
}

void SlotList::paintEvent(QPaintEvent* event) {
  QListWidget::paintEvent(event);
  if (!hasFocus()) return;
  // Styles such as Fusion show the focus only after a key has moved it,
  // faintly over a selected entry, and not at all while no entry is
  // current: a frame two pixels wide marks it here instead, in the text's
  // colour around the current entry and the selection's colour around the
  // whole list.
  const QModelIndex current = currentIndex();
  const QRect area =
      current.isValid() ? visualRect(current) : viewport()->rect();
  QPainter painter(viewport());
  QPen pen(palette().color(current.isValid() ? QPalette::Text
                                             : QPalette::Highlight));
  pen.setWidth(2);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.drawRect(area.adjusted(1, 1, -1, -1));
}

void SlotList::currentChanged(const QModelIndex& current,
                              const QModelIndex& previous) {
  QListWidget::currentChanged(current, previous);
  // The mark moves between an entry and the whole list.
  viewport()->update();
}

}  // namespace tivok
