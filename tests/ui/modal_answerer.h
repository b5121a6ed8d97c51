#ifndef TIVOK_TESTS_UI_MODAL_ANSWERER_H_
#define TIVOK_TESTS_UI_MODAL_ANSWERER_H_

#include <QString>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <vector>

class QWidget;

namespace tivok::testing {

// What a modal box or dialog looked like when it came up.
struct ModalSeen {
  QString kind;  // the class name, such as "QMessageBox"
  QString title;
  QString text;            // a message box's text
  bool plain_text = true;  // whether the box shows its text as plain text
  bool has_icon = false;
  int buttons = 0;
  QStringList name_filters;    // a file dialog's filters
  QString directory;           // the folder a file dialog shows
  QStringList selected_files;  // the files a file dialog has chosen
};

// While it lives, answers the modal widgets that come up, as the user would
// see them (QApplication::activeModalWidget), and records each one. A
// message box gets its OK button pressed; an open dialog gets `file` chosen
// and typed into its file name field and Return, or is cancelled without a
// file.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::optional<QString> file = std::nullopt);
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  const std::vector<ModalSeen>& seen() const { return seen_; }

 private:
  void Poll();
  void Answer(QWidget* modal);

  std::optional<QString> file_;
  QTimer timer_;
  std::vector<ModalSeen> seen_;
};

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_UI_MODAL_ANSWERER_H_
