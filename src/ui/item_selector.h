#ifndef TIVOK_UI_ITEM_SELECTOR_H_
#define TIVOK_UI_ITEM_SELECTOR_H_

#include "ui/sized_combo_box.h"

class QCompleter;
class QStringListModel;

namespace tivok {

// The new-item selector: a drop-down with an editable text. A choice from
// the list (by mouse, arrow keys or wheel) is reported by activated(); text
// typed into the field is reported by TextEntered() once editing ends
// (Return, Enter, or focus leaving the field), never matched or added by
// QComboBox itself. While the user types, a popup lists the items whose
// names hold the text; the entry highlighted there is put into the field,
// and Return, or a click on an entry, reports it by TextEntered(). The
// arrow keys and the wheel step from the entry whose text is shown, so that
// after the text has been set to "Null" the first Down chooses the entry
// after it. Undo and Redo keys are left to the window's actions.
class ItemSelector : public SizedComboBox {
  Q_OBJECT

 public:
  explicit ItemSelector(QWidget* parent = nullptr);

  // Shows `text` in the field and selects no entry.
  void ShowText(const QString& text);

 signals:
  // Editing of the field's text ended; currentText() is what was typed.
  void TextEntered();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Makes the entry whose text is shown the current one, without a signal,
  // so that a step starts from it.
  void StartFromShownEntry();
  // Lists the items whose names hold `text` in the popup, and shows it
  // while there are any.
  void FindItems(const QString& text);
  // The field's completer, which shows the popup; made on first use, which
  // keeps it out of the time to the first window.
  QCompleter* Finder();

  // The names that the popup lists; made with the completer.
  QStringListModel* matches_ = nullptr;
};

}  // namespace tivok

#endif  // TIVOK_UI_ITEM_SELECTOR_H_
