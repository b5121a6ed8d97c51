#include "ui/item_selector.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <functional>
#include <utility>

namespace tivok {
namespace {

// The selector's text field. QComboBox would match the text to an entry
// when editing finishes and report the match as a choice; this field never
// reports finished editing to it, and calls `entered` instead, so that the
// editor matches the text by its own rules.
class ItemTextField : public QLineEdit {
 public:
  ItemTextField(QWidget* parent, std::function<void()> entered)
      : QLineEdit(parent), entered_(std::move(entered)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      event->accept();
      entered_();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

  void focusOutEvent(QFocusEvent* event) override {
    {
      const QSignalBlocker blocker(this);
      QLineEdit::focusOutEvent(event);
    }
    // The drop-down's own list or another window taking the focus for a
    // while does not end the editing.
    if (event->reason() != Qt::PopupFocusReason &&
        event->reason() != Qt::ActiveWindowFocusReason) {
      entered_();
    }
  }

 private:
  std::function<void()> entered_;
};

}  // namespace

ItemSelector::ItemSelector(QWidget* parent) : SizedComboBox(parent) {
  // Editable through this field alone: setEditable() would make a field
  // of its own first.
  setLineEdit(new ItemTextField(this, [this] { emit TextEntered(); }));
  setInsertPolicy(QComboBox::NoInsert);
  // A completer would turn typed text into a choice of its own.
  setCompleter(nullptr);
}

void ItemSelector::ShowText(const QString& text) {
  const QSignalBlocker blocker(this);
  setCurrentIndex(-1);
  setEditText(text);
}

void ItemSelector::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (!(event->modifiers() & Qt::AltModifier)) StartFromShownEntry();
      break;
    default:
      break;
  }
  QComboBox::keyPressEvent(event);
}

void ItemSelector::wheelEvent(QWheelEvent* event) {
  StartFromShownEntry();
  QComboBox::wheelEvent(event);
}

void ItemSelector::StartFromShownEntry() {
  const QString shown = currentText();
  if (currentIndex() >= 0 && itemText(currentIndex()) == shown) return;
  for (int i = 0; i < count(); ++i) {
    if (itemText(i) == shown) {
      const QSignalBlocker blocker(this);
      setCurrentIndex(i);
      return;
    }
  }
}

}  // namespace tivok
