// The window as a newcomer meets it: start, opening files, menus, focus and
// layout.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>

#include "sample_image.h"
#include "window_test.h"

namespace tivok::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, StartsEmptyWithSaveDisabledAndNoMessage) {
  QApplication::processEvents();
  EXPECT_EQ(window.objectName(), "Form1");
  EXPECT_EQ(window.windowTitle(), "Tivok");
  EXPECT_EQ(Stores()->count(), 0);
  EXPECT_EQ(Slots()->count(), 0);
  EXPECT_EQ(Items()->count(), 0);
  EXPECT_EQ(Items()->currentText(), "");
  EXPECT_FALSE(Save()->isEnabled());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget(), Slots());
  EXPECT_TRUE(window.statusBar()->isVisible());
  EXPECT_FALSE(window.statusBar()->isSizeGripEnabled());
  EXPECT_EQ(Status(),
            "No image is open. Open one with File, Open... (Ctrl+O).");
}

TEST_F(MainWindowTest, OpeningTheSampleFillsTheWindow) {
  const std::vector<ModalSeen> seen = Open(dir.WriteSample("sample.gbc"));

  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_EQ(seen[0].kind, "QFileDialog");
  EXPECT_THAT(seen[0].name_filters,
              ElementsAre("Dragon Warrior Monsters (*.gbc)"));
  EXPECT_EQ(window.windowTitle(), "Tivok - sample.gbc");
  EXPECT_EQ(Stores()->count(), 5);
  EXPECT_EQ(Stores()->currentText(), "Beginner's (Top Left) Shop");
  EXPECT_THAT(Entries(Slots()),
              ElementsAre("1 (1)", "2 (2)", "3 (3)", "4 (4)", "5 (5)", "6 (6)",
                          "7 (7)", "8 (8)"));
  EXPECT_EQ(Slots()->item(0)->toolTip(), "Herb");
  EXPECT_EQ(Items()->count(), 44);
  EXPECT_EQ(Items()->currentText(), "Null");
  EXPECT_TRUE(Save()->isEnabled());
}

TEST_F(MainWindowTest, OpensFilesWithNonAsciiNames) {
  Open(dir.WriteSample("s\xC3\xA4mple.gbc"));
  EXPECT_EQ(window.windowTitle(),
            QString::fromUtf8("Tivok - s\xC3\xA4mple.gbc"));
  EXPECT_EQ(Slots()->count(), 8);
}

TEST_F(MainWindowTest, ForeignFileIsRefusedAndEmptiesTheWindow) {
  Open(dir.WriteSample("sample.gbc"));
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x134] = 'X';
  const std::vector<ModalSeen> seen = Open(dir.Write("other.gbc", foreign));

  ASSERT_THAT(seen, SizeIs(2));
  EXPECT_EQ(seen[1].title, "Invalid ROM");
  EXPECT_EQ(seen[1].text, "Not Dragon Warrior Monsters");
  EXPECT_FALSE(seen[1].has_icon);
  EXPECT_EQ(seen[1].buttons, 1);
  EXPECT_EQ(Stores()->count(), 0);
  EXPECT_EQ(Slots()->count(), 0);
  EXPECT_EQ(Items()->count(), 0);
  EXPECT_FALSE(Save()->isEnabled());
  EXPECT_EQ(window.windowTitle(), "Tivok - sample.gbc");
}

TEST_F(MainWindowTest, CancelledDialogKeepsTheFileItHad) {
  EXPECT_THAT(Open(std::nullopt), SizeIs(1));
  EXPECT_EQ(Stores()->count(), 0);
  EXPECT_EQ(window.windowTitle(), "Tivok");

  // A cancel after an open loads that file again, first store first.
  Open(dir.WriteSample("sample.gbc"));
  Stores()->setFocus();
  QTest::keyClick(Stores(), Qt::Key_End);
  ASSERT_EQ(Stores()->currentText(), "Portal Shop");
  EXPECT_THAT(Open(std::nullopt), SizeIs(1));
  EXPECT_EQ(Stores()->currentText(), "Beginner's (Top Left) Shop");
  EXPECT_EQ(Slots()->item(0)->text(), "1 (1)");
}

TEST_F(MainWindowTest, CreditsShowFourLinesEndingWithThanks) {
  ModalAnswerer answerer;
  Find<QAction>("Credits")->trigger();

  ASSERT_THAT(answerer.seen(), SizeIs(1));
  const ModalSeen& box = answerer.seen()[0];
  EXPECT_EQ(box.title, "Credits");
  EXPECT_FALSE(box.has_icon);
  EXPECT_EQ(box.buttons, 1);
  const QStringList lines = box.text.split("\r\n");
  ASSERT_THAT(lines, SizeIs(4));
  EXPECT_FALSE(lines[0].isEmpty());
  EXPECT_FALSE(lines[1].isEmpty());
  EXPECT_TRUE(box.text.endsWith("\r\n\r\nThanks for using!"));
}

QString AccessibleName(QObject* object) {
  return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

// The control that a screen reader is told `label` labels.
QObject* LabelledControl(QObject* label) {
  const auto relations =
      QAccessible::queryAccessibleInterface(label)->relations(
          QAccessible::Labelled);
  return relations.size() == 1 ? relations[0].first->object() : nullptr;
}

TEST_F(MainWindowTest, ScreenReadersHearEachControlByItsLabel) {
  Open(dir.WriteSample("sample.gbc"));
  EXPECT_EQ(AccessibleName(Slots()), "Items, Slot (Byte)");
  EXPECT_EQ(AccessibleName(Save()), "Save");
  // On X11 and Wayland Qt gives a drop-down's shown text as its accessible
  // name and its labels as relations, so these names serve other platforms.
  EXPECT_EQ(Stores()->accessibleName(), "Store");
  EXPECT_EQ(Items()->accessibleName(), "New Item");
  EXPECT_EQ(LabelledControl(Find<QLabel>("Label3")), Stores());
  EXPECT_EQ(LabelledControl(Find<QLabel>("Label4")), Slots());
  EXPECT_EQ(LabelledControl(Find<QLabel>("Label6")), Slots());
  EXPECT_EQ(LabelledControl(Find<QLabel>("Label5")), Items());
  EXPECT_EQ(AccessibleName(window.statusBar()), "Status");
  EXPECT_EQ(AccessibleName(Find<QLabel>("Status")), Status());

  // Each slot entry speaks its item's name.
  QAccessibleTableInterface* table =
      QAccessible::queryAccessibleInterface(Slots())->tableInterface();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), "1 (1): Herb");
}

// The focus order, following Tab from the slot list.
std::vector<QString> TabCycle(QWidget* start, int presses) {
  std::vector<QString> order{start->objectName()};
  for (int i = 0; i < presses; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(QApplication::focusWidget()->objectName());
  }
  return order;
}

TEST_F(MainWindowTest, TabRunsSlotsItemsSaveStores) {
  ASSERT_EQ(QApplication::focusWidget(), Slots());
  // A disabled Save takes no focus.
  EXPECT_THAT(TabCycle(Slots(), 3),
              ElementsAre("Combo2", "Combo3", "Combo1", "Combo2"));

  Open(dir.WriteSample("sample.gbc"));
  Slots()->setFocus(Qt::TabFocusReason);
  EXPECT_THAT(TabCycle(Slots(), 4),
              ElementsAre("Combo2", "Combo3", "Command1", "Combo1", "Combo2"));
}

// A control's box holds its content: text of labels, longest entry of the
// drop-downs, caption of the button, every slot of a store; controls don't
// overlap, and the window stays small.
TEST_F(MainWindowTest, LayoutClipsNoTextAndIsFixed) {
  Open(dir.WriteSample("sample.gbc"));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_LE(window.width(), 1024 / 2);
  EXPECT_LE(window.height(), 768 * 3 / 4);
  EXPECT_EQ(Slots()->verticalScrollBar()->maximum(), 0) << "slots scroll";

  for (const char* name :
       {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
    const auto* label = Find<QLabel>(name);
    const QSize text = label->fontMetrics().size(0, label->text());
    EXPECT_LE(text.width(), label->contentsRect().width())
        << label->objectName().toStdString();
    EXPECT_LE(text.height(), label->contentsRect().height())
        << label->objectName().toStdString();
  }
  for (const QWidget* control :
       std::vector<QWidget*>{Stores(), Items(), Save()}) {
    EXPECT_GE(control->width(), control->sizeHint().width())
        << control->objectName().toStdString();
    EXPECT_GE(control->height(), control->sizeHint().height())
        << control->objectName().toStdString();
  }

  const auto* frame = Find<QGroupBox>("Frame1");
  const QList<QWidget*> inside =
      frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const QWidget* a : inside) {
    EXPECT_TRUE(frame->rect().contains(a->geometry()))
        << a->objectName().toStdString();
    for (const QWidget* b : inside) {
      EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
          << a->objectName().toStdString() << " overlaps "
          << b->objectName().toStdString();
    }
  }
  EXPECT_TRUE(window.centralWidget()->rect().contains(frame->geometry()));
}

}  // namespace
}  // namespace tivok::testing
