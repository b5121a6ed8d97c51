#include "modal_answerer.h"

#include <gtest/gtest.h>

#include <QApplication>
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

}  // namespace

ModalAnswerer::ModalAnswerer(std::optional<QString> file)
    : file_(std::move(file)) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start(10);
}

void ModalAnswerer::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
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
  seen_.push_back(seen);
  if (seen_.size() > kMostAnswers) {
    ADD_FAILURE() << "modal widgets keep coming up";
    modal->close();
    timer_.stop();
    return;
  }
  Answer(modal);
}

void ModalAnswerer::Answer(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
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
  }
  ADD_FAILURE() << "cannot answer " << seen_.back().kind.toStdString();
  modal->close();
}

}  // namespace tivok::testing
