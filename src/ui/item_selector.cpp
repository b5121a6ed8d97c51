#include "ui/item_selector.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <QStringListModel>
#include <functional>
#include <utility>

#include "rom/item_table.h"
#include "ui/core_text.h"

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

  bool event(QEvent* event) override {
    // QLineEdit claims the Undo and Redo keys for its own text; the
    // window's Edit actions take them instead, to undo and redo saves.
    if (event->type() == QEvent::ShortcutOverride) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->matches(QKeySequence::Undo) ||
          key->matches(QKeySequence::Redo)) {
        event->ignore();
        return true;
      }
    }
    return QLineEdit::event(event);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      event->accept();
      // The field already holds the entry highlighted in the popup, if any.
      if (completer() != nullptr) completer()->popup()->hide();
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

// Matches the text without the spaces around it, as the editor reads it:
// QLineEdit hands its completer the text as typed after every key.
class TrimmingCompleter : public QCompleter {
 public:
  using QCompleter::QCompleter;

  QStringList splitPath(const QString& path) const override {
    return {path.trimmed()};
  }
};

}  // namespace

ItemSelector::ItemSelector(QWidget* parent) : SizedComboBox(parent) {
  // Editable through this field alone: setEditable() would make a field
  // of its own first.
  auto* field = new ItemTextField(this, [this] { emit TextEntered(); });
  setLineEdit(field);
  setInsertPolicy(QComboBox::NoInsert);
  // QComboBox's own completer would match typed text to an entry and report
  // it as a choice: the field gets one that only fills in the text, made
  // when the user first types.
  setCompleter(nullptr);
  connect(field, &QLineEdit::textEdited, this, &ItemSelector::FindItems);
}

QCompleter* ItemSelector::Finder() {
  if (lineEdit()->completer() != nullptr) return lineEdit()->completer();
  matches_ = new QStringListModel(this);
  auto* finder = new TrimmingCompleter(matches_, this);
  // The popup lists the model as FindItems fills it, with no entry current
  // until the arrow keys choose one: an entry made current by the
  // completer would be read out by screen readers, yet Enter would not
  // take it.
  finder->setCompletionMode(QCompleter::PopupCompletion);
  finder->setFilterMode(Qt::MatchContains);
  finder->setCaseSensitivity(Qt::CaseInsensitive);
  lineEdit()->setCompleter(finder);
  // As QComboBox makes it whenever it takes the focus: the popup hands
  // keys to the selector.
  finder->setWidget(this);
  // A click on an entry: the field shows it before the editor reads it.
  connect(finder, qOverload<const QString&>(&QCompleter::activated), this,
          [this](const QString& name) {
            lineEdit()->setText(name);
            emit TextEntered();
          });
  return finder;
}

void ItemSelector::FindItems(const QString& text) {
  QStringList names;
  const QString typed = text.trimmed();
  if (!typed.isEmpty()) {
    for (int code : ItemTable::Matching(typed.toStdString())) {
      names << ToQString(ItemTable::NameOf(code));
    }
  }
  QCompleter* finder = Finder();
  matches_->setStringList(names);
  if (names.isEmpty()) {
    finder->popup()->hide();
    return;
  }
  // Typed keys show the popup by themselves, but a paste or Delete does not.
  finder->setCompletionPrefix(typed);
  finder->complete();
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
