#ifndef TIVOK_UI_ITEM_SELECTOR_H_
#define TIVOK_UI_ITEM_SELECTOR_H_

#include "ui/sized_combo_box.h"

namespace tivok {

// The new-item selector: a drop-down with an editable text in which only a
// choice from the list selects an entry (by mouse, arrow keys or wheel).
// Typed text never completes to, adds or selects an entry, even when it is
// an entry's exact text and the user presses Return or leaves the field.
// The arrow keys and the wheel step from the entry whose text is shown, so
// that after the text has been set to "Null" the first Down chooses the
// entry after it.
class ItemSelector : public SizedComboBox {
  Q_OBJECT

 public:
  explicit ItemSelector(QWidget* parent = nullptr);

  // Shows `text` in the field and selects no entry.
  void ShowText(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Makes the entry whose text is shown the current one, without a signal,
  // so that a step starts from it.
  void StartFromShownEntry();
};

}  // namespace tivok

#endif  // TIVOK_UI_ITEM_SELECTOR_H_
