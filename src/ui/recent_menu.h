#ifndef TIVOK_UI_RECENT_MENU_H_
#define TIVOK_UI_RECENT_MENU_H_

#include <QByteArray>
#include <QList>
#include <QMenu>
#include <array>
#include <string>

namespace tivok {

// File, Open Recent: the images opened last, newest first and each once,
// kept across runs in the program's settings. Paths are kept as the core
// takes them, as bytes, so that a name that is not UTF-8 opens again, and
// absolute and normal, so that an image is there once. An entry shows its
// path escaped; one whose file is gone is shown disabled. Clear Recent
// forgets them all.
class RecentMenu : public QMenu {
  Q_OBJECT

 public:
  static constexpr int kMostImages = 8;

  explicit RecentMenu(QWidget* parent = nullptr);

  // Puts `path` first, dropping an older entry for it and the oldest past
  // kMostImages.
  void Add(const std::string& path);
  // The newest image, also if another Tivok opened it; empty when there is
  // none.
  std::string Newest() const;

 signals:
  // An entry was chosen: the image's path as the core takes it.
  void Chosen(const std::string& path);

 private:
  // Reads the list again, as another Tivok may have changed it, and makes
  // the entries.
  void Refresh();
  void Keep(const QList<QByteArray>& paths);

  QList<QByteArray> paths_;
  // One entry for each image that can be kept, hidden while unused: made
  // once, so that an entry is never deleted while it is being chosen.
  std::array<QAction*, kMostImages> entries_{};
};

}  // namespace tivok

#endif  // TIVOK_UI_RECENT_MENU_H_
