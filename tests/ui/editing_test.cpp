// Editing a store with mouse and keyboard, down to the byte in the file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>

#include "ui/image_watcher.h"
#include "window_test.h"

namespace tivok::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::SizeIs;
using ::testing::StartsWith;

constexpr std::size_t kPortalSlot1Offset = 0x2478C;
constexpr std::size_t kPortalSlot3Offset = 0x2478E;
constexpr std::size_t kBeginnerSlot1Offset = 0x2476B;

class EditingTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    path = dir.WriteSample("sample.gbc");
    original = ReadAll(path);
    Settle();
    empty_size = window.size();
    Open(path);
  }

  // Opens `combo`'s list and clicks the entry at `row`.
  static void ChooseByMouse(QComboBox* combo, int row) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(index).center());
  }

  // The original image with the byte at `offset` set to `value`.
  std::vector<std::uint8_t> OriginalWith(std::size_t offset,
                                         std::uint8_t value) const {
    std::vector<std::uint8_t> expected = original;
    expected[offset] = value;
    return expected;
  }

  std::string path;
  std::vector<std::uint8_t> original;
  QSize empty_size;
};

TEST_F(EditingTest, ArrowKeysChooseAStore) {
  Stores()->setFocus();
  for (int i = 0; i < 3; ++i) QTest::keyClick(Stores(), Qt::Key_Down);
  EXPECT_EQ(Stores()->currentText(), "Book (Bottom Left) Shop");
  EXPECT_EQ(Slots()->topLevelItemCount(), 6);

  QTest::keyClick(Stores(), Qt::Key_Up);
  EXPECT_EQ(Slots()->topLevelItemCount(), 7);  // Third

  QTest::keyClick(Stores(), Qt::Key_End);
  EXPECT_EQ(Stores()->currentText(), "Portal Shop");
  ASSERT_EQ(Slots()->topLevelItemCount(), 8);
  EXPECT_EQ(Slots()->topLevelItem(0)->text(0), "1 (22)");
}

TEST_F(EditingTest, WholeEditWritesOneByteAndRelists) {
  // The window keeps the size it had with no image all the way.
  const auto steady_size = [this](const char* after) {
    Settle();
    EXPECT_EQ(window.size(), empty_size) << "after " << after;
  };
  steady_size("the load");
  ChooseByMouse(Stores(), 4);
  ASSERT_EQ(Stores()->currentText(), "Portal Shop");
  steady_size("a store change");
  ClickSlot(0);
  steady_size("a slot choice");
  ChooseByMouse(Items(), 1);
  ASSERT_EQ(Items()->currentText(), "Herb");

  EXPECT_THAT(PressSave(), SizeIs(0));
  steady_size("a save");
  EXPECT_EQ(ReadAll(path), OriginalWith(kPortalSlot1Offset, 0x01));
  EXPECT_EQ(Slots()->topLevelItem(0)->text(0), "1 (1)");
  EXPECT_EQ(Slots()->topLevelItem(0)->toolTip(0), "Herb");
  // The saved slot is the chosen one, and the list shows it.
  EXPECT_EQ(Slots()->selectedItems(), QList{Slots()->topLevelItem(0)});
}

TEST_F(EditingTest, KeyboardAloneMakesTheSameEdit) {
  Stores()->setFocus();
  QTest::keyClick(Stores(), Qt::Key_End);
  QTest::keyClick(Stores(), Qt::Key_Tab);  // round to the slot list
  ASSERT_EQ(QApplication::focusWidget(), Slots());
  QTest::keyClick(Slots(), Qt::Key_Home);
  QTest::keyClick(Slots(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), Items());
  // Down steps from the "Null" shown since the load; Up and Down then move
  // between neighbours, and each step is a choice.
  QTest::keyClick(Items(), Qt::Key_Down);
  EXPECT_EQ(Items()->currentText(), "Herb");
  QTest::keyClick(Items(), Qt::Key_Down);
  QTest::keyClick(Items(), Qt::Key_Down);
  EXPECT_EQ(Items()->currentText(), "Sage Stone");
  QTest::keyClick(Items(), Qt::Key_Up);
  QTest::keyClick(Items(), Qt::Key_Up);
  ASSERT_EQ(Items()->currentText(), "Herb");
  QTest::keyClick(Items(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), Save());

  ModalAnswerer answerer;
  QTest::keyClick(Save(), Qt::Key_Space);
  EXPECT_THAT(answerer.seen(), SizeIs(0));
  EXPECT_EQ(ReadAll(path), OriginalWith(kPortalSlot1Offset, 0x01));
  EXPECT_THAT(Status().toStdString(),
              StartsWith("Saved Herb (1) to slot 1 of Portal Shop, offset "
                         "0x2478C (it held Cheater BK (22))."));

  // Ctrl+Z and Ctrl+Shift+Z undo and redo the save from New Item's field
  // too, which would otherwise take them for its own text.
  QTest::keyClick(Save(), Qt::Key_Backtab);
  ASSERT_EQ(QApplication::focusWidget(), Items());
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ReadAll(path), original);
  Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ReadAll(path), OriginalWith(kPortalSlot1Offset, 0x01));
}

// Focus may rest on a slot entry that is not chosen: the status names its
// item and still says where Save writes, the slot chosen before.
TEST_F(EditingTest, TheFocusedSlotIsNamedButNotChosen) {
  ClickSlot(0);
  Slots()->setCurrentItem(Slots()->topLevelItem(1), 0,
                          QItemSelectionModel::NoUpdate);
  EXPECT_EQ(Status(),
            "Slot 2 holds Lovewater (2). Save writes Null (0) to slot 1 of "
            "Beginner's (Top Left) Shop, offset 0x2476B.");
}

// An item's name typed into New Item, in any letter case, chooses it when
// editing ends, and the field then shows the item's own spelling; text that
// names no item gives way to the item chosen before. Nothing is added.
TEST_F(EditingTest, TypingAnItemNameChoosesIt) {
  ClickSlot(0);
  QLineEdit* edit = Items()->lineEdit();
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "sirloin");
  EXPECT_EQ(Items()->currentText(), "sirloin");  // as typed, while typing
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(Items()->currentText(), "Sirloin");
  EXPECT_EQ(QApplication::focusWidget(), Items());
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Items()->count(), 44);

  EXPECT_THAT(PressSave(), SizeIs(0));
  EXPECT_EQ(ReadAll(path), OriginalWith(kBeginnerSlot1Offset, 0x17));
  EXPECT_EQ(Slots()->topLevelItem(0)->text(0), "1 (17)");

  // Leaving the field ends the editing too.
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "Excalibur");
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Items()->currentText(), "Sirloin");
  EXPECT_TRUE(Status().startsWith(
      "\"Excalibur\" names no item; Sirloin (17) stays chosen."))
      << Status().toStdString();
  EXPECT_EQ(Items()->count(), 44);

  // Clicking Save straight after typing takes the typed item, once Escape
  // has closed the list of matches, and so does File, Save's key.
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "herb");
  Press(Qt::Key_Escape);
  EXPECT_THAT(PressSave(), SizeIs(0));
  EXPECT_EQ(ReadAll(path), OriginalWith(kBeginnerSlot1Offset, 0x01));
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "sage stone");
  QTest::keySequence(edit, QKeySequence::Save);
  EXPECT_EQ(ReadAll(path), OriginalWith(kBeginnerSlot1Offset, 0x03));
}

// While the user types, New Item lists the items whose names hold the text,
// those that begin with it first. Enter chooses the entry highlighted in that
// list, as a click does; with none highlighted, the typed text chooses by the
// editor's rules. The field shows the item chosen, and Save writes it.
TEST_F(EditingTest, TypingListsTheMatchingItems) {
  ClickSlot(0);
  QLineEdit* edit = Items()->lineEdit();
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "sirl");
  ASSERT_NE(edit->completer(), nullptr);
  QAbstractItemView* list = edit->completer()->popup();
  const auto matches = [list] {
    QStringList names;
    for (int i = 0; i < list->model()->rowCount(); ++i) {
      names << list->model()->index(i, 0).data().toString();
    }
    return names;
  };
  EXPECT_TRUE(list->isVisible());
  Press(Qt::Key_Return);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(Items()->currentText(), "Sirloin");
  EXPECT_THAT(PressSave(), SizeIs(0));
  EXPECT_EQ(ReadAll(path), OriginalWith(kBeginnerSlot1Offset, 0x17));

  // Spaces around the text do not matter.
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, " po ");
  ASSERT_TRUE(list->isVisible());
  EXPECT_THAT(matches(), ElementsAre("Porkchop", "Potion"));
  Press(Qt::Key_Return);  // nothing highlighted: two items begin with "po"
  EXPECT_EQ(Items()->currentText(), "Sirloin");
  EXPECT_TRUE(Status().startsWith("\"po\" could be Porkchop or Potion"))
      << Status().toStdString();

  edit->selectAll();
  QTest::keyClicks(edit, "po");
  Press(Qt::Key_Down);
  const QModelIndexList highlighted = list->selectionModel()->selectedRows();
  ASSERT_THAT(highlighted, SizeIs(1));
  const QString name = highlighted[0].data().toString();
  Press(Qt::Key_Return);
  EXPECT_EQ(Items()->currentText(), name);
  EXPECT_THAT(PressSave(), SizeIs(0));
  EXPECT_EQ(ReadAll(path),
            OriginalWith(kBeginnerSlot1Offset, name == "Potion" ? 0x05 : 0x14));

  // A click on a match; "staff" is in the middle of each name.
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "staff");
  ASSERT_THAT(matches(), SizeIs(7));
  const QModelIndex second = list->model()->index(1, 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(second).center());
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(Items()->currentText(), "Fire Staff");
  EXPECT_TRUE(Status().contains("Save writes Fire Staff (25)"))
      << Status().toStdString();
}

// The wheel and Down step from the entry whose text New Item shows: the
// "Null" of the load, or a name typed over the item chosen before, once
// Escape has closed the list of matches. Typing completes nothing.
TEST_F(EditingTest, NewItemStepsFromTheTextItShows) {
  QLineEdit* edit = Items()->lineEdit();
  edit->setFocus();
  struct Case {
    const char* typed;  // typed over the field's text first; null: nothing
    bool wheel;         // one notch of the wheel down, or else Down
    const char* chosen;
  };
  const std::vector<Case> cases = {
      {nullptr, true, "Herb"},
      {"Sirloin", false, "Bolt Staff"},
      {"Potion", true, "Elf Water"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    if (c.typed != nullptr) {
      edit->selectAll();
      QTest::keyClicks(edit, c.typed);
      Press(Qt::Key_Escape);
    }
    if (c.wheel) {
      const QPointF at = Items()->rect().center();
      QWheelEvent notch(at, Items()->mapToGlobal(at), {}, {0, -120},
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(Items(), &notch);
    } else {
      QTest::keyClick(Items(), Qt::Key_Down);
    }
    EXPECT_EQ(Items()->currentText().toStdString(), c.chosen);
  }
  edit->selectAll();
  QTest::keyClicks(edit, "Po");
  EXPECT_EQ(Items()->currentText().toStdString(), "Po");
}

TEST_F(EditingTest, FocusEnteringTheSlotListChoosesNoSlot) {
  Stores()->setFocus();
  QTest::keyClick(Stores(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), Slots());

  const std::vector<ModalSeen> seen = PressSave();
  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_EQ(seen[0].title, "Error Saving");
  EXPECT_EQ(ReadAll(path), original);
}

TEST_F(EditingTest, FailedSaveShowsOneBoxAndKeepsTheList) {
  ClickSlot(2);
  const QStringList before = Entries(Slots());
  std::filesystem::remove(path);

  const std::vector<ModalSeen> seen = PressSave();
  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_EQ(seen[0].title, "Error Saving");
  EXPECT_TRUE(seen[0].text.startsWith("Error saving: "))
      << seen[0].text.toStdString();
  EXPECT_FALSE(seen[0].has_icon);
  EXPECT_EQ(seen[0].buttons, 1);
  EXPECT_EQ(Entries(Slots()), before);
}

// Ctrl+Z takes a save back and Redo's keys make it again, down to the byte;
// the Edit menu says what each would do.
TEST_F(EditingTest, UndoAndRedoASaveFromTheKeyboard) {
  ChooseByMouse(Stores(), 4);
  ClickSlot(2);
  ChooseByMouse(Items(), 1);
  EXPECT_THAT(PressSave(), SizeIs(0));
  const std::vector<std::uint8_t> saved = OriginalWith(kPortalSlot3Offset, 1);
  ASSERT_EQ(ReadAll(path), saved);
  auto* undo = Find<QAction>("Undo");
  auto* redo = Find<QAction>("Redo");
  EXPECT_EQ(undo->text(), "&Undo Save Herb to Slot 3 of Portal Shop");
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  // With the focus in the slot list, its current entry stays the chosen
  // slot's, where the arrow keys go on from.
  Slots()->setFocus();
  ModalAnswerer answerer;
  QTest::keySequence(&window, undo->shortcut());
  EXPECT_EQ(ReadAll(path), original);
  EXPECT_EQ(Slots()->topLevelItem(2)->text(0), "3 (24)");
  EXPECT_EQ(Slots()->currentIndex().row(), 2);
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(redo->text(), "&Redo Save Herb to Slot 3 of Portal Shop");
  QTest::keySequence(&window, redo->shortcut());
  EXPECT_EQ(ReadAll(path), saved);
  EXPECT_EQ(Slots()->currentIndex().row(), 2);
  EXPECT_TRUE(Status().startsWith("Redid the save: slot 3 of Portal Shop"));
  EXPECT_THAT(answerer.seen(), SizeIs(0));
}

// Bytes that another program writes, in place or by renaming a new file
// over the image, reach the list on their own, also for an image whose name
// is not UTF-8; Tivok's own saves are no news.
TEST_F(EditingTest, TheListFollowsWhatOtherProgramsWrite) {
  // Other programs' changes are told slot by slot.
  const QString news = "Another program changed slot ";
  for (const std::string name : {"sample.gbc", "w\xE9.gbc"}) {
    SCOPED_TRACE(name);
    if (name != "sample.gbc") {
      path = dir.WriteSample(name);
      window.OpenFile(path);
    }
    ClickSlot(0);
    EXPECT_THAT(PressSave(), SizeIs(0));
    QTest::qWait(600);  // longer than the watcher waits for changes to settle
    EXPECT_TRUE(Status().startsWith("Saved ")) << Status().toStdString();

    QSignalSpy reports(window.findChild<ImageWatcher*>(),
                       &ImageWatcher::Changed);
    {
      std::fstream other(FsPath(path),
                         std::ios::in | std::ios::out | std::ios::binary);
      other.seekp(kBeginnerSlot1Offset + 1);
      other.put('\x17');
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return Status().startsWith(news); }));
    EXPECT_EQ(Slots()->topLevelItem(1)->text(0), "2 (17)");
    // One change is read once, however long the file then stays as it is.
    QTest::qWait(1500);
    EXPECT_EQ(reports.count(), 1);
    EXPECT_TRUE(Status().startsWith(news + "2 of Beginner's (Top Left) Shop: "))
        << Status().toStdString();

    std::vector<std::uint8_t> replacement = ReadAll(path);
    replacement[kBeginnerSlot1Offset + 2] = 0x2B;
    const std::string next = dir.Write(name + ".new", replacement);
    Find<QLabel>("Status")->clear();
    std::filesystem::rename(FsPath(next), FsPath(path));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Status().startsWith(news); }));
    EXPECT_EQ(Slots()->topLevelItem(2)->text(0), "3 (2B)");
    // The replaced file is watched in its turn.
    std::filesystem::resize_file(FsPath(path), 0x2476C);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Slots()->topLevelItemCount() == 1; }));
    // Only the folder sees a deleted image come back.
    std::filesystem::remove(FsPath(path));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Status().contains("can no longer be read"); }));
    dir.WriteSample(name);
    EXPECT_TRUE(QTest::qWaitFor([&] {
      return Slots()->topLevelItemCount() == 8;
    })) << Status().toStdString();
  }
}

}  // namespace
}  // namespace tivok::testing
