#include "ui/slot_list.h"

#include <QItemSelectionModel>
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
  QListWidget::focusInEvent(event);
  if (selectedItems().isEmpty()) {
    selectionModel()->setCurrentIndex(QModelIndex(),
                                      QItemSelectionModel::NoUpdate);
  }
}

}  // namespace tivok
