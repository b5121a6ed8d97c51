// MainWindow's side of comparing with a clean image and exporting layouts:
// their dialogs, the question box and the comparisons kept in the settings.

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "ui/comparison_settings.h"
#include "ui/core_text.h"
#include "ui/file_dialog.h"
#include "ui/image_watcher.h"
#include "ui/main_window.h"
#include "ui/slot_list.h"

namespace tivok {

std::string MainWindow::ChooseCleanImage() {
  QFileDialog dialog(this, "Compare With");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter("Dragon Warrior Monsters (*.gbc)");
  // Starts at the clean image chosen last, or else in the open image's
  // folder, without offering the open image itself.
  if (!dialog_path_.empty()) {
    dialog.setDirectory(QFileInfo(QtPath(dialog_path_)).absolutePath());
  }
  const std::string chosen = ChosenFile(dialog, clean_dialog_path_);
  if (!chosen.empty()) clean_dialog_path_ = chosen;
  return chosen;
}

void MainWindow::WatchCleanImage(const std::string& path) {
  if (clean_watcher_ == nullptr) {
    if (path.empty()) return;
    clean_watcher_ = new ImageWatcher(this);
    connect(clean_watcher_, &ImageWatcher::Changed, this,
            [this] { editor_.OnCleanImageChanged(); });
  }
  clean_watcher_->Watch(path);
}

void MainWindow::SetComparing(bool comparing) {
  combo2_->ShowCleanColumn(comparing);
  stop_comparing_->setEnabled(comparing);
}

std::string MainWindow::RememberedCleanImage(const std::string& image) const {
  return RememberedClean(image);
}

void MainWindow::RememberCleanImage(const std::string& image,
                                    const std::string& clean) {
  RememberClean(image, clean);
}

std::string MainWindow::ChooseExportFile(const std::string& suggested) {
  QFileDialog dialog(this, "Export Layout");
  // The desktop asks before a file is replaced.
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter("CSV layouts (*.csv)");
  dialog.setDefaultSuffix("csv");
  return ChosenFile(dialog, suggested);
}

std::string MainWindow::ChoosePatchFile(const std::string& suggested) {
  QFileDialog dialog(this, "Export Patch");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = {"IPS patches (*.ips)", "BPS patches (*.bps)"};
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix("ips");
  // A name typed without its extension gets the chosen format's.
  connect(&dialog, &QFileDialog::filterSelected, &dialog,
          [&dialog, filters](const QString& filter) {
            dialog.setDefaultSuffix(filter == filters[1] ? "bps" : "ips");
          });
  return ChosenFile(dialog, suggested);
}

int MainWindow::AskChoice(std::string_view text, std::string_view title,
                          const std::vector<std::string>& choices) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text),
                  QMessageBox::NoButton, this);
  box.setTextFormat(Qt::PlainText);
  std::vector<QPushButton*> buttons;
  for (const std::string& choice : choices) {
    buttons.push_back(box.addButton(ToQString(choice), QMessageBox::YesRole));
  }
  QPushButton* cancel = box.addButton(QMessageBox::Cancel);
  box.setEscapeButton(cancel);
  if (!buttons.empty()) box.setDefaultButton(buttons.front());
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tivok
