#ifndef TIVOK_UI_SLOT_LIST_H_
#define TIVOK_UI_SLOT_LIST_H_

#include <QItemSelectionModel>
#include <QTreeWidget>

namespace tivok {

// The slot list: one row a slot, its entry in the first column, its item's
// name in the second, headed "Item", and while comparing with a clean image
// the clean image's item where it differs in a third, headed "Clean" and
// hidden otherwise. Whole rows are selected, one at
// a time. It asks for room for the most slots that a store has and for the
// longest item name, so that no store's slots scroll. Unlike a plain view,
// focus entering it lands on the selected row, and leaves no row current
// while none is selected, so that the first arrow key or Home selects slot
// 1 instead of stepping past it. While it has the keyboard focus it marks
// where the focus is, whatever the style and whether or not a row is
// selected: the current row, or the whole list while no row is current.
class SlotList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit SlotList(QWidget* parent = nullptr);

  // Adds a row of `entry`, `item` and `clean`, all with `tooltip`; screen
  // readers read the row's entry as `accessible_text`.
  void AddRow(const QString& entry, const QString& item, const QString& clean,
              const QString& tooltip, const QString& accessible_text);
  // Shows or hides the Clean column; the list asks for room for it only
  // while it shows.
  void ShowCleanColumn(bool shown);
  // The row that is selected, or that has the keyboard focus; -1 for none.
  int SelectedRow() const;
  int CurrentRow() const;
  // Makes `row` current, changing the selection as `command` says.
  void SetCurrentRow(int row, QItemSelectionModel::SelectionFlags command);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  // The current row changed, by the keyboard or in code: not the column
  // within a row, nor the focus entering the list.
  void CurrentRowChanged();

 protected:
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void currentChanged(const QModelIndex& current,
                      const QModelIndex& previous) override;

 private:
  // The width that `text` takes in a row, as the view's own delegate
  // measures it, and the row's height.
  QSize CellSize(const QString& text) const;
  // Measures the columns for the current font and style and sizes the first.
  void MeasureColumns();

  // The widths of the entry and item columns, measured once per font and
  // style; the Clean column is as wide as the item column.
  int entry_width_ = 0;
  int item_width_ = 0;
  int row_height_ = 0;
  // While the focus enters: the current row it lands on is not reported.
  bool entering_ = false;
};

}  // namespace tivok

#endif  // TIVOK_UI_SLOT_LIST_H_
