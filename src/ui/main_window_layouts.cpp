// MainWindow's side of File, Apply Layout...: the entry, the layout dialog
// and the preview.

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>

#include "ui/core_text.h"
#include "ui/file_dialog.h"
#include "ui/layout_preview_dialog.h"
#include "ui/main_window.h"

namespace tivok {

void MainWindow::SetApplyLayoutEnabled(bool enabled) {
  apply_layout_->setEnabled(enabled);
}

std::string MainWindow::ChooseLayoutFile(const std::string& image_path) {
  QFileDialog dialog(this, "Apply Layout");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter("Layouts and patches (*.csv *.ips *.bps)");
  // Layouts and patches are kept beside their images.
  dialog.setDirectory(QFileInfo(QtPath(image_path)).absolutePath());
  return ChosenFile(dialog, {});
}

bool MainWindow::ShowLayoutPreview(const LayoutPreview& preview) {
  // Built for each layout, as the message boxes are: nothing of it is kept.
  LayoutPreviewDialog dialog(this);
  return dialog.Ask(preview);
}

}  // namespace tivok
