#include "modal_answerer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

namespace tivok::testing {
namespace {

// More than this means an answer did not close its widget.
constexpr std::size_t kMostAnswers = 20;

// How often the modal widget is looked for, in milliseconds.
constexpr int kPollInterval = 10;

ModalSeen Describe(QWidget* modal) {
  ModalSeen seen;
  seen.kind = modal->metaObject()->className();
  seen.title = modal->windowTitle();
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    seen.text = box->text();
    seen.plain_text = box->textFormat() == Qt::PlainText ||
                      (box->textFormat() == Qt::AutoText &&
                       !Qt::mightBeRichText(box->text()));
    seen.has_icon = box->icon() != QMessageBox::NoIcon;
    seen.buttons = static_cast<int>(box->buttons().size());
  }
  if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
    seen.name_filters = dialog->nameFilters();
    seen.directory = dialog->directory().absolutePath();
    seen.selected_files = dialog->selectedFiles();
  }
  return seen;
}

// Closes `modal` unanswered: a dialog by reject(), which ends its exec()
// whatever buttons it has, any other widget by close().
void Dismiss(QWidget* modal) {
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  } else {
    modal->close();
  }
}

}  // namespace

int ModalAnswerer::alive_ = 0;

ModalAnswerer::ModalAnswerer(std::optional<QString> file, QString button,
                             std::function<void(QDialog*)> answer_dialog)
    : file_(std::move(file)),
      button_(std::move(button)),
      answer_dialog_(std::move(answer_dialog)) {
  ++alive_;
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start(kPollInterval);
}

ModalAnswerer::~ModalAnswerer() { --alive_; }

void ModalAnswerer::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  seen_.push_back(Describe(modal));
  if (seen_.size() > kMostAnswers) {
    ADD_FAILURE() << "modal widgets keep coming up";
    Dismiss(modal);
    timer_.stop();
    return;
  }
  Answer(modal);
}

void ModalAnswerer::Answer(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    for (QAbstractButton* button : box->buttons()) {
      if (!button_.isEmpty() &&
          QString(button->text()).remove('&') == button_) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
      }
    }
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      QTest::mouseClick(ok, Qt::LeftButton);
      return;
    }
  } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    if (!file_ || name == nullptr) {
      dialog->reject();
      return;
    }
    // Choosing the file first drops the one that the dialog had chosen
    // when it opened; typing alone would add to it, as the field is not
    // focused here.
    dialog->selectFile(*file_);
    name->setText(*file_);
    QTest::keyClick(name, Qt::Key_Return);
    return;
  } else if (auto* other = qobject_cast<QDialog*>(modal);
             other != nullptr && answer_dialog_) {
    answer_dialog_(other);
    return;
  }
  ADD_FAILURE() << "cannot answer " << seen_.back().kind.toStdString();
  Dismiss(modal);
}

UnexpectedModalCloser::UnexpectedModalCloser() {
  QObject::connect(&timer_, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || ModalAnswerer::Answering()) return;
    const ModalSeen seen = Describe(modal);
    ADD_FAILURE() << "unexpected " << seen.kind.toStdString() << " \""
                  << seen.title.toStdString() << "\" came up"
                  << (seen.text.isEmpty() ? "" : ": ")
                  << seen.text.toStdString();
    Dismiss(modal);
  });
  timer_.start(kPollInterval);
}

}  // namespace tivok::testing
