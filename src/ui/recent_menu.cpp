#include "ui/recent_menu.h"

#include <QAction>
#include <QFontMetrics>
#include <QSettings>
#include <filesystem>
#include <system_error>

#include "rom/file_path.h"
#include "ui/core_text.h"

namespace tivok {
namespace {

constexpr char kSettingsKey[] = "RecentImages";
constexpr char kPathKey[] = "path";

// The widest that an entry's path is shown, in average characters; longer
// paths lose their middle.
constexpr int kShownChars = 60;

// The list as kept: an array of paths, each a QByteArray, so that no byte
// goes through a text encoding. Paths that older versions kept as they were
// given ("/w/./a.gbc") are made normal, so that each image is there once.
QList<QByteArray> ReadPaths() {
  QSettings settings;
  QList<QByteArray> paths;
  const int size = settings.beginReadArray(kSettingsKey);
  for (int i = 0; i < size && paths.size() < RecentMenu::kMostImages; ++i) {
    settings.setArrayIndex(i);
    const QByteArray path = QByteArray::fromStdString(
        NormalPath(settings.value(kPathKey).toByteArray().toStdString()));
    if (!path.isEmpty() && !paths.contains(path)) paths << path;
  }
  settings.endArray();
  return paths;
}

void WritePaths(const QList<QByteArray>& paths) {
  QSettings settings;
  // Entries past the new end would stay otherwise.
  settings.remove(kSettingsKey);
  settings.beginWriteArray(kSettingsKey, static_cast<int>(paths.size()));
  for (int i = 0; i < paths.size(); ++i) {
    settings.setArrayIndex(i);
    settings.setValue(kPathKey, paths[i]);
  }
  settings.endArray();
}

// On bytes, so that a name that is not UTF-8 is found too.
bool FileExists(const QByteArray& path) {
  std::error_code error;
  const std::filesystem::path file = FileSystemPath(path.toStdString());
  return std::filesystem::exists(file, error) &&
         !std::filesystem::is_directory(file, error);
}

// `path` as a menu shows it: escaped, shortened in the middle, and with its
// ampersands kept from becoming access keys.
QString EntryText(const QByteArray& path, const QFontMetrics& metrics) {
  QString shown =
      metrics.elidedText(ShownPath(path.toStdString()), Qt::ElideMiddle,
                         kShownChars * metrics.averageCharWidth());
  return shown.replace('&', "&&");
}

}  // namespace

RecentMenu::RecentMenu(QWidget* parent) : QMenu("Open Re&cent", parent) {
  setObjectName("OpenRecent");
  setToolTipsVisible(true);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    entries_[i] = addAction(QString());
    connect(entries_[i], &QAction::triggered, this, [this, i] {
      if (i < static_cast<std::size_t>(paths_.size())) {
        emit Chosen(paths_[static_cast<qsizetype>(i)].toStdString());
      }
    });
  }
  addSeparator();
  QAction* clear = addAction("&Clear Recent");
  clear->setObjectName("ClearRecent");
  connect(clear, &QAction::triggered, this, [this] { Keep({}); });
  connect(this, &QMenu::aboutToShow, this, &RecentMenu::Refresh);
  // At start only whether there is anything to offer: the entries, and
  // whether their files are still there, are looked at when it opens.
  menuAction()->setEnabled(!ReadPaths().isEmpty());
}

void RecentMenu::Add(const std::string& path) {
  const QByteArray added = QByteArray::fromStdString(path);
  QList<QByteArray> paths = ReadPaths();
  paths.removeAll(added);
  paths.prepend(added);
  Keep(paths.mid(0, kMostImages));
}

std::string RecentMenu::Newest() const {
  const QList<QByteArray> paths = ReadPaths();
  return paths.isEmpty() ? std::string() : paths.first().toStdString();
}

void RecentMenu::Refresh() {
  paths_ = ReadPaths();
  const QFontMetrics metrics = fontMetrics();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    QAction* entry = entries_[i];
    const bool used = i < static_cast<std::size_t>(paths_.size());
    entry->setVisible(used);
    if (!used) continue;
    const QByteArray& path = paths_[static_cast<qsizetype>(i)];
    entry->setText(QString("&%1 ").arg(i + 1) + EntryText(path, metrics));
    entry->setToolTip(PlainToolTip(ShownPath(path.toStdString())));
    entry->setEnabled(FileExists(path));
  }
  // A menu with nothing to offer is shown disabled.
  menuAction()->setEnabled(!paths_.isEmpty());
}

void RecentMenu::Keep(const QList<QByteArray>& paths) {
  WritePaths(paths);
  Refresh();
}

}  // namespace tivok
