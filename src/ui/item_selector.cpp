#include "ui/item_selector.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tivok {
namespace {

// The selector's text field. QComboBox matches the text to an entry when
// editing finishes (Return, Enter, or focus leaving the field) and reports
// the match as a choice; this field never reports finished editing.
class ItemTextField : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      event->ignore();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

  void focusOutEvent(QFocusEvent* event) override {
    const QSignalBlocker blocker(this);
    QLineEdit::focusOutEvent(event);
  }
};

}  // namespace

ItemSelector::ItemSelector(QWidget* parent) : SizedComboBox(parent) {
  setEditable(true);
  setLineEdit(new ItemTextField(this));
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
