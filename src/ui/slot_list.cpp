#include "ui/slot_list.h"

#include <QItemSelectionModel>

namespace tivok {

void SlotList::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  if (selectedItems().isEmpty()) {
    selectionModel()->setCurrentIndex(QModelIndex(),
                                      QItemSelectionModel::NoUpdate);
  }
}

}  // namespace tivok
