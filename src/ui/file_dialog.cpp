#include "ui/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "rom/file_path.h"
#include "ui/core_text.h"

namespace tivok {

std::string ChosenFile(QFileDialog& dialog, const std::string& start) {
  if (!start.empty()) {
    const QString file = QtPath(start);
    dialog.setDirectory(QFileInfo(file).absolutePath());
    dialog.selectFile(file);
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().contains(QChar::Null)) return {};
  return NormalPath(PathFromQt(chosen.first()));
}

}  // namespace tivok
