#ifndef TIVOK_TESTS_UI_MODAL_ANSWERER_H_
#define TIVOK_TESTS_UI_MODAL_ANSWERER_H_

#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

class QDialog;
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
// message box gets its button of the text `button` pressed (access key
// marks left out), or else OK; a file dialog gets `file` chosen and typed
// into its file name field and Return, or is cancelled without a file; any
// other dialog is given to `answer_dialog`, which must close it.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::optional<QString> file = std::nullopt,
                         QString button = {},
                         std::function<void(QDialog*)> answer_dialog = nullptr);
  ~ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  const std::vector<ModalSeen>& seen() const { return seen_; }

  // True while any ModalAnswerer lives.
  static bool Answering() { return alive_ > 0; }

 private:
  void Poll();
  void Answer(QWidget* modal);

  static int alive_;
  std::optional<QString> file_;
  QString button_;
  std::function<void(QDialog*)> answer_dialog_;
  QTimer timer_;
  std::vector<ModalSeen> seen_;
};

// While it lives, a modal box or dialog that comes up with no ModalAnswerer
// there to answer it fails the running test at once, naming the widget,
// its title and its text, and is closed, so that the test goes on rather
// than waiting for a click that never comes.
class UnexpectedModalCloser {
 public:
  UnexpectedModalCloser();
  UnexpectedModalCloser(const UnexpectedModalCloser&) = delete;
  UnexpectedModalCloser& operator=(const UnexpectedModalCloser&) = delete;

 private:
  QTimer timer_;
};

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_UI_MODAL_ANSWERER_H_
