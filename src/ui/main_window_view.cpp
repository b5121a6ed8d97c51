// MainWindow's side of EditorView: the editor fills and reads the controls.
// Every change blocks the control's signals, so that filling a list in code
// never comes back to the editor as a user's choice.

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMargins>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "rom/file_path.h"
#include "ui/core_text.h"
#include "ui/file_dialog.h"
#include "ui/image_watcher.h"
#include "ui/item_selector.h"
#include "ui/main_window.h"
#include "ui/recent_menu.h"
#include "ui/slot_list.h"
#include "ui/status_line.h"

namespace tivok {
namespace {

// Adds an entry to `combo` without selecting it or changing its text: a
// QComboBox would otherwise select its first entry.
void AddEntry(QComboBox* combo, std::string_view text) {
  const QSignalBlocker blocker(combo);
  const int selected = combo->currentIndex();
  const QString shown = combo->currentText();
  combo->addItem(ToQString(text));
  if (combo->currentIndex() != selected) combo->setCurrentIndex(selected);
  // Only when it changed: each setting tells screen readers of new text.
  if (combo->isEditable() && combo->currentText() != shown) {
    combo->setEditText(shown);
  }
}

// Names what Undo or Redo would do, such as "Undo Save Herb to Slot 3 of
// Portal Shop", with its first letter as the access key; with no `text` it
// is disabled under its `plain` name.
void NameEditAction(QAction* action, std::string_view text,
                    const QString& plain) {
  action->setText("&" + (text.empty() ? plain : ToQString(text)));
  action->setEnabled(!text.empty());
}

}  // namespace

void MainWindow::ClearStores() {
  const QSignalBlocker blocker(combo1_);
  combo1_->clear();
  DescribeStore();
}

void MainWindow::AddStore(std::string_view label) { AddEntry(combo1_, label); }

void MainWindow::SetStoreText(std::string_view text) {
  const int index = combo1_->findText(
      ToQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) return;
  const QSignalBlocker blocker(combo1_);
  combo1_->setCurrentIndex(index);
  DescribeStore();
}

void MainWindow::DescribeStore() {
  const QString store = combo1_->currentText();
  // Only a change is told, so that screen readers say each store once.
  if (combo1_->accessibleDescription() == store) return;
  combo1_->setAccessibleDescription(store);
  if (!combo1_->hasFocus() || combo1_->currentIndex() < 0) return;
  // The entry of the selector's own list, as when that list is open.
  QAccessibleEvent entry(combo1_->view(), QAccessible::Focus);
  entry.setChild(combo1_->currentIndex());
  QAccessible::updateAccessibility(&entry);
}

int MainWindow::SelectedStore() const { return combo1_->currentIndex(); }

void MainWindow::ClearSlots() {
  const QSignalBlocker blocker(combo2_);
  combo2_->clear();
}

void MainWindow::AddSlot(const SlotRow& row) {
  const QSignalBlocker blocker(combo2_);
  combo2_->AddRow(ToQString(row.entry), ToQString(row.item),
                  ToQString(row.clean), ToQString(row.tooltip),
                  ToQString(row.accessible_text));
}

int MainWindow::SelectedSlot() const { return combo2_->SelectedRow(); }

int MainWindow::CurrentSlot() const { return combo2_->CurrentRow(); }

void MainWindow::SelectSlot(int row) {
  const QSignalBlocker blocker(combo2_);
  if (row < 0) {
    combo2_->clearSelection();
    return;
  }
  // The keyboard focus moves only within the list: screen readers are
  // told of a current entry as of a focus change.
  if (combo2_->hasFocus()) {
    combo2_->SetCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  } else {
    combo2_->selectionModel()->select(
        combo2_->model()->index(row, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  // The list's viewport shows the change even though no signal went out.
  combo2_->viewport()->update();
}

void MainWindow::ClearItems() {
  const QSignalBlocker blocker(combo3_);
  combo3_->clear();
  combo3_->clearEditText();
}

void MainWindow::AddItem(std::string_view name) { AddEntry(combo3_, name); }

void MainWindow::SetItemText(std::string_view text) {
  combo3_->ShowText(ToQString(text));
}

int MainWindow::SelectedItem() const { return combo3_->currentIndex(); }

std::string MainWindow::ItemText() const {
  return combo3_->currentText().toStdString();
}

void MainWindow::SetSaveEnabled(bool enabled) {
  command1_->setEnabled(enabled);
  save_->setEnabled(enabled);
}

void MainWindow::SetSaveDescription(std::string_view text) {
  // Screen readers say it with the button: where Save writes.
  command1_->setAccessibleDescription(ToQString(text));
}

void MainWindow::SetUndoText(std::string_view text) {
  NameEditAction(undo_, text, "Undo");
}

void MainWindow::SetRedoText(std::string_view text) {
  NameEditAction(redo_, text, "Redo");
}

void MainWindow::SetFixChecksumEnabled(bool enabled) {
  fix_checksum_->setEnabled(enabled);
}

bool MainWindow::KeepsChecksumRight() const {
  return keep_checksum_->isChecked();
}

// The editor watches exactly the images that it has opened without refusal:
// those are the recent images, and the ones to compare and export.
void MainWindow::WatchImage(const std::string& path) {
  watcher_->Watch(path);
  for (QAction* action : {reload_, export_layout_, compare_, export_patch_}) {
    action->setEnabled(!path.empty());
  }
  if (!path.empty()) recent_->Add(path);
}

void MainWindow::ShowChecksumMark(std::string_view text,
                                  std::string_view explanation) {
  const QString shown = ToQString(text);
  // A word a line, so that the status line beside it keeps most of the
  // window's width.
  int widest = 0;
  for (const QString& word : shown.split(' ')) {
    widest =
        std::max(widest, checksum_mark_->fontMetrics().horizontalAdvance(word));
  }
  const QMargins margins = checksum_mark_->contentsMargins();
  checksum_mark_->setFixedWidth(widest + margins.left() + margins.right());
  checksum_mark_->setText(shown);
  checksum_mark_->setToolTip(ToQString(explanation));
  checksum_mark_->setAccessibleName(ToQString(explanation));
  checksum_mark_->setVisible(!text.empty());
}

void MainWindow::SetCaption(std::string_view caption) {
  // "[*]" would stand for the window's modified mark; doubled it shows as
  // it is.
  setWindowTitle(ToQString(caption).replace("[*]", "[*][*]"));
}

void MainWindow::SetStatus(std::string_view text) {
  status_->Announce(ToQString(text));
}

void MainWindow::ShowOpenDialog() {
  // The desktop's own dialog where the platform offers one, Qt's elsewhere.
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter("Dragon Warrior Monsters (*.gbc)");
  // Starts where the last file is, with that file chosen.
  const std::string chosen = ChosenFile(
      dialog, dialog_path_.empty() ? recent_->Newest() : dialog_path_);
  if (!chosen.empty()) dialog_path_ = chosen;
}

std::string MainWindow::DialogFileName() const { return dialog_path_; }

std::string MainWindow::DialogFileTitle() const {
  return FileName(dialog_path_);
}

void MainWindow::ShowMessage(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text),
                  QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace tivok
