#ifndef TIVOK_TESTS_UI_WINDOW_TEST_H_
#define TIVOK_TESTS_UI_WINDOW_TEST_H_

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "modal_answerer.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"

// Failures show Qt's texts as text, not as their UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tivok::testing {

// What a tooltip shows of `tip`: text that looks like HTML as the rich text
// that it is read as.
inline QString ShownToolTip(const QString& tip) {
  if (!Qt::mightBeRichText(tip)) return tip;
  QTextDocument document;
  document.setHtml(tip);
  return document.toPlainText();
}

// A shown, active main window, reached only through its controls. A modal
// box or dialog that comes up outside a ModalAnswerer's life fails the
// test and is closed.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  // The window's control `name`; stops the tests if it is missing.
  template <typename T>
  T* Find(const char* name) const {
    T* found = window.findChild<T*>(name);
    if (found == nullptr) qFatal("no control named %s", name);
    return found;
  }
  QComboBox* Stores() const { return Find<QComboBox>("Combo1"); }
  QTreeWidget* Slots() const { return Find<QTreeWidget>("Combo2"); }
  QComboBox* Items() const { return Find<QComboBox>("Combo3"); }
  QPushButton* Save() const { return Find<QPushButton>("Command1"); }
  QString Status() const { return Find<QLabel>("Status")->text(); }

  // Presses Ctrl+O and answers the open dialog with `path`, or cancels it;
  // message boxes that follow get OK. Returns every modal widget seen.
  std::vector<ModalSeen> Open(const std::optional<std::string>& path) {
    ModalAnswerer answerer(
        path ? std::optional(QFile::decodeName(path->c_str())) : std::nullopt);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    Reactivate();
    return answerer.seen();
  }

  // Clicks Save, pressing OK on any message box; returns the boxes seen.
  std::vector<ModalSeen> PressSave() {
    ModalAnswerer answerer;
    QTest::mouseClick(Save(), Qt::LeftButton);
    Reactivate();
    return answerer.seen();
  }

  // The offscreen platform has no window manager to hand the activation
  // back to the window once a modal widget has closed.
  void Reactivate() {
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  // Lets a change of font or text reach the controls, then the layouts,
  // then the window's size, which takes a few turns of the event loop.
  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }

  // Presses `key` where the keyboard is: in an open popup, such as New
  // Item's list of matches, or else in the control that has the focus.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup != nullptr ? popup : QApplication::focusWidget(), key,
                    modifiers);
  }

  void ClickSlot(int row) {
    QTreeWidget* list = Slots();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(row)).center());
  }

  // The texts of the slot list's `column`: the entries, or the items.
  static QStringList Entries(const QTreeWidget* list, int column = 0) {
    QStringList entries;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      entries << list->topLevelItem(i)->text(column);
    }
    return entries;
  }

  UnexpectedModalCloser closer;
  TempDir dir;
  // The window starts with no recent images, as on a first run.
  bool fresh_settings = (QSettings().clear(), true);
  MainWindow window;
};

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_UI_WINDOW_TEST_H_
