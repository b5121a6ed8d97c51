#ifndef TIVOK_UI_SLOT_LIST_H_
#define TIVOK_UI_SLOT_LIST_H_

#include <QListWidget>

namespace tivok {

// The slot list. It asks for room for the most slots that a store has, so
// that no store's slots scroll. Unlike a plain QListWidget, focus entering it
// lands on the selected row, and leaves no row current while none is
// selected, so that the first arrow key or Home selects slot 1 instead of
// stepping past it. While it has the
// keyboard focus it marks where the focus is, whatever the style and
// whether or not an entry is selected: the current entry, or the whole list
// while no entry is current.
class SlotList : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void currentChanged(const QModelIndex& current,
                      const QModelIndex& previous) override;
};

}  // namespace tivok

#endif  // TIVOK_UI_SLOT_LIST_H_
