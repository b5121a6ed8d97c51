// The window as a newcomer meets it: start, opening files, menus, focus and
// layout.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWindow>
#include <filesystem>
#include <map>
#include <utility>

#include "accessibility_events.h"
#include "app/command_line.h"
#include "sample_image.h"
#include "ui/status_line.h"
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
  EXPECT_EQ(Slots()->topLevelItemCount(), 0);
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
  std::vector<std::uint8_t> image = MakeSampleImage();
  image[0x2476B + 7] = 0xC8;  // slot 8 of Beginner's holds no item
  const std::vector<ModalSeen> seen = Open(dir.Write("sample.gbc", image));

  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_EQ(seen[0].kind, "QFileDialog");
  EXPECT_THAT(seen[0].name_filters,
              ElementsAre("Dragon Warrior Monsters (*.gbc)"));
  EXPECT_EQ(window.windowTitle(), "Tivok - sample.gbc");
  EXPECT_EQ(Stores()->count(), 5);
  EXPECT_EQ(Stores()->currentText(), "Beginner's (Top Left) Shop");
  EXPECT_THAT(Entries(Slots()),
              ElementsAre("1 (1)", "2 (2)", "3 (3)", "4 (4)", "5 (5)", "6 (6)",
                          "7 (7)", "8 (C8)"));
  EXPECT_THAT(Entries(Slots(), 1),
              ElementsAre("Herb", "Lovewater", "Sage Stone", "World Dew",
                          "Potion", "Elf Water", "Antidote", "unknown"));
  EXPECT_EQ(Slots()->headerItem()->text(1), "Item");
  EXPECT_EQ(Slots()->topLevelItem(0)->toolTip(0), "Herb");
  EXPECT_EQ(Items()->count(), 44);
  EXPECT_EQ(Items()->currentText(), "Null");
  EXPECT_TRUE(Save()->isEnabled());
  EXPECT_TRUE(Find<QAction>("Save")->isEnabled());
  // The focus back on the slot list makes no entry current, and keeps what
  // the load said of the image.
  EXPECT_EQ(Status().toStdString(),
            "Choose a slot first; then Save writes Null (0) to it.");
  // The sample's stale global checksum shows as a mark of its own, until
  // it is fixed.
  const auto* mark = Find<QLabel>("ChecksumMark");
  const QString explanation =
      "The global checksum is stale: hardware does not check it, but some "
      "emulators warn when they start the image. Edit, Fix Cartridge "
      "Checksum sets it right.";
  EXPECT_TRUE(mark->isVisible());
  EXPECT_EQ(mark->text(), "Checksum stale");
  EXPECT_EQ(mark->toolTip(), explanation);
  EXPECT_EQ(mark->accessibleName(), explanation);
  Find<QAction>("FixChecksum")->trigger();
  EXPECT_FALSE(mark->isVisible());
}

TEST_F(MainWindowTest, OpensFilesWithNonAsciiNames) {
  Open(dir.WriteSample("s\xC3\xA4mple.gbc"));
  EXPECT_EQ(window.windowTitle(),
            QString::fromUtf8("Tivok - s\xC3\xA4mple.gbc"));
  EXPECT_EQ(Slots()->topLevelItemCount(), 8);
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
  EXPECT_EQ(Slots()->topLevelItemCount(), 0);
  EXPECT_EQ(Items()->count(), 0);
  EXPECT_FALSE(Save()->isEnabled());
  EXPECT_FALSE(Find<QAction>("Save")->isEnabled());
  EXPECT_EQ(window.windowTitle(), "Tivok");
}

// A file name shows as it is, never read as markup or as the caption's
// modified mark: in the caption, a message box, and the tooltip of a status
// too long for its line.
TEST_F(MainWindowTest, FileNamesShowAsPlainText) {
  const std::string name = std::string(225, 'n') + "<u>Saved<!-- x -->[*].gbc";
  const std::string path = dir.WriteSample(name);
  window.OpenFile(path);
  ASSERT_EQ(Slots()->topLevelItemCount(), 8);
  EXPECT_EQ(window.windowHandle()->title().toStdString(), "Tivok - " + name);
  ClickSlot(0);
  std::filesystem::remove(FsPath(path));
  const std::vector<ModalSeen> seen = PressSave();
  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_TRUE(seen[0].text.contains(QString::fromStdString("/" + name + "\"")))
      << seen[0].text.toStdString();
  EXPECT_TRUE(seen[0].plain_text);
  ASSERT_TRUE(Status().contains(QString::fromStdString(name)));
  EXPECT_EQ(ShownToolTip(Find<QLabel>("Status")->toolTip()), Status());
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
  EXPECT_EQ(Slots()->topLevelItem(0)->text(0), "1 (1)");
}

// Credits gives four lines ending with thanks; About the version that
// tivok --version gives, the licence and the contact that Credits gives.
TEST_F(MainWindowTest, CreditsAndAboutGiveOneContact) {
  ModalAnswerer answerer;
  Find<QAction>("Credits")->trigger();
  Find<QAction>("About")->trigger();
  const std::vector<ModalSeen>& seen = answerer.seen();
  ASSERT_THAT(seen, SizeIs(2));
  EXPECT_EQ(seen[0].title, "Credits");
  EXPECT_EQ(seen[1].title, "About Tivok");
  const QStringList credits = seen[0].text.split("\r\n");
  ASSERT_THAT(credits, SizeIs(4));
  EXPECT_TRUE(credits[0].contains("XMPP")) << credits[0].toStdString();
  EXPECT_EQ(credits.mid(1),
            QStringList({"tivok@example.org", "", "Thanks for using!"}));
  const QString about = seen[1].text;
  const std::string version = ParseCommandLine({"tivok", "-v"}).message;
  EXPECT_TRUE(
      about.startsWith(QString::fromStdString("Tivok " + version.substr(6))))
      << about.toStdString();
  EXPECT_TRUE(about.contains("MIT licence") && about.contains(credits[1]));
  for (const ModalSeen& box : seen) {
    EXPECT_FALSE(box.has_icon);
    EXPECT_EQ(box.buttons, 1);
  }
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

// The names of the labels that a screen reader is told label `control`.
QStringList LabelsOf(QObject* control) {
  QStringList names;
  for (const auto& relation :
       QAccessible::queryAccessibleInterface(control)->relations(
           QAccessible::Label)) {
    names << relation.first->object()->objectName();
  }
  names.sort();
  return names;
}

TEST_F(MainWindowTest, ScreenReadersHearEachControlByItsLabel) {
  Open(dir.WriteSample("sample.gbc"));
  EXPECT_EQ(AccessibleName(Slots()), "Items, Slot (Byte)");
  EXPECT_EQ(AccessibleName(Save()), "Save");
  // On X11 and Wayland Qt gives a drop-down's shown text as its accessible
  // name and its labels as relations, so these names serve other platforms.
  EXPECT_EQ(Stores()->accessibleName(), "Store");
  EXPECT_EQ(Items()->accessibleName(), "New Item");
  EXPECT_EQ(LabelledControl(Find<QLabel>("Label4")), Slots());
  EXPECT_EQ(LabelledControl(Find<QLabel>("Label6")), Slots());
  // The drop-downs by their own labels only, not by the frame's title too.
  EXPECT_THAT(LabelsOf(Stores()), ElementsAre("Label3"));
  EXPECT_THAT(LabelsOf(Items()), ElementsAre("Label5"));
  EXPECT_EQ(AccessibleName(window.statusBar()), "Status");
  EXPECT_EQ(AccessibleName(Find<QLabel>("Status")), Status());
  // A notification in the status bar, which screen readers speak when it
  // is shown, also away from the keyboard focus.
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(Find<QLabel>("Status"))->role(),
      QAccessible::Notification);

  // Each slot entry speaks its item's name.
  QAccessibleTableInterface* table =
      QAccessible::queryAccessibleInterface(Slots())->tableInterface();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), "1 (1): Herb");
  EXPECT_EQ(table->cellAt(0, 1)->text(QAccessible::Name), "Herb");
}

// Each status is announced once, also one that repeats the last, such as
// a second Reload that finds nothing new.
TEST_F(MainWindowTest, EveryStatusIsAnnouncedOnce) {
  if (!AccessibilityEvents::Available()) {
    GTEST_SKIP() << "this platform hands no accessibility events to bridges";
  }
  Open(dir.WriteSample("sample.gbc"));
  AccessibilityEvents status(Find<QLabel>("Status"));
  for (int reload = 1; reload <= 3; ++reload) {
    status.Clear();
    Find<QAction>("Reload")->trigger();
    QApplication::processEvents();  // announced once the event is handled
    EXPECT_EQ(status.Readings(), 1) << "Reload " << reload;
  }
  EXPECT_TRUE(Status().startsWith("Reloaded")) << Status().toStdString();
  // Home both selects slot 1 and moves the focus there: one announcement.
  Slots()->setFocus();
  status.Clear();
  QTest::keyClick(Slots(), Qt::Key_Home);
  QApplication::processEvents();
  EXPECT_EQ(status.Readings(), 1);
  // Then nothing more, however long the window rests.
  QTest::qWait(1000);
  EXPECT_EQ(status.Readings(), 1);
}

// A text that fills the status line's room is drawn whole, each line and
// its last letter, with no tooltip; one letter more shows in the tooltip.
TEST_F(MainWindowTest, TheStatusLineDrawsWhatFitsAndTellsTheRest) {
  auto* status = qobject_cast<StatusLine*>(Find<QLabel>("Status"));
  const QRect box = status->contentsRect();
  const QFontMetrics metrics = status->fontMetrics();
  // Narrow letters, so that a few pixels less width wraps one more line.
  int per_line = 1;
  while (metrics.horizontalAdvance(QString(per_line + 1, 'i')) <= box.width())
    ++per_line;
  const auto drawn = [status](const QString& text) {
    status->Announce(text);
    return status->grab().toImage();
  };
  const QImage blank = drawn("");
  const QString full(StatusLine::kLines * per_line, 'i');
  const QImage whole = drawn(full);
  EXPECT_EQ(status->toolTip(), "");
  for (int line = 0; line < StatusLine::kLines; ++line) {
    int ink = 0;
    for (int y = 0; y < metrics.height(); ++y) {
      for (int x = box.left(); x <= box.right(); ++x) {
        const QPoint at(x, box.top() + line * metrics.height() + y);
        ink += whole.pixel(at) != blank.pixel(at);
      }
    }
    EXPECT_GT(ink, 0) << "line " << line + 1;
  }
  EXPECT_TRUE(drawn(full.chopped(1)) != whole) << "the last letter is missing";
  drawn(full + 'i');
  EXPECT_TRUE(ShownToolTip(status->toolTip()) == full + 'i')
      << "no tooltip for the rest";
}

// Screen readers hear the store that the store selector shows: as its
// description with the focus, and, when the keys change it, as the focus on
// that entry of its list.
TEST_F(MainWindowTest, ScreenReadersHearTheStoreShown) {
  if (!AccessibilityEvents::Available()) {
    GTEST_SKIP() << "this platform hands no accessibility events to bridges";
  }
  const auto description = [this] {
    return QAccessible::queryAccessibleInterface(Stores())->text(
        QAccessible::Description);
  };
  AccessibilityEvents entries(Stores()->view());
  Open(dir.WriteSample("sample.gbc"));
  EXPECT_EQ(description(), "Beginner's (Top Left) Shop");
  EXPECT_EQ(entries.Count(QAccessible::Focus), 0) << "without the focus";
  Stores()->setFocus();
  QTest::keyClick(Stores(), Qt::Key_Down);
  EXPECT_EQ(description(), "Second (Far Right) Shop");
  EXPECT_EQ(entries.Count(QAccessible::Focus), 1);
  QTest::keyClick(Stores(), Qt::Key_Up);
  EXPECT_EQ(description(), "Beginner's (Top Left) Shop");
  EXPECT_EQ(entries.Count(QAccessible::Focus), 2);
  // A cancelled dialog loads the image again, at the first store.
  Open(std::nullopt);
  EXPECT_EQ(description(), "Beginner's (Top Left) Shop");
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

// The keyboard focus in the slot list can be seen, selected entry or not:
// a frame around the current entry, or around the whole list while no
// entry is current, and none once the focus has gone.
TEST_F(MainWindowTest, TheSlotListShowsWhereTheFocusIs) {
  Open(dir.WriteSample("sample.gbc"));
  QTreeWidget* list = Slots();
  const auto pixel = [list](QPoint at) {
    return list->viewport()->grab().toImage().pixelColor(at);
  };
  const QPalette colours = list->palette();
  const QPoint list_corner(1, 1);
  const auto entry_corner = [list](int row) {
    return list->visualItemRect(list->topLevelItem(row)).topLeft() +
           QPoint(1, 1);
  };
  list->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(list->currentItem(), nullptr);
  EXPECT_EQ(pixel(list_corner), colours.color(QPalette::Highlight));
  list->setCurrentItem(list->topLevelItem(2), 0, QItemSelectionModel::NoUpdate);
  EXPECT_EQ(pixel(entry_corner(2)), colours.color(QPalette::Text));
  EXPECT_NE(pixel(list_corner), colours.color(QPalette::Highlight));
  Items()->setFocus(Qt::TabFocusReason);
  EXPECT_NE(pixel(entry_corner(2)), colours.color(QPalette::Text));
}

// Every fixed text of the window, access keys and shortcut included.
TEST_F(MainWindowTest, ShowsTheDesignedTexts) {
  const std::vector<std::pair<const char*, QString>> labels = {
      {"Label1", "Tivok"},
      {"Label2",
       "Dragon Warrior Monsters Store Editor\nby the Tivok developers"},
      {"Label3", "&Store:"},
      {"Label4", "&Items:"},
      {"Label5", "&New Item:"},
      {"Label6", "Slot (Byte)"},
  };
  for (const auto& [name, text] : labels) {
    EXPECT_EQ(Find<QLabel>(name)->text(), text) << name;
    EXPECT_EQ(AccessibleName(Find<QLabel>(name)), QString(text).remove('&'))
        << name;
  }
  EXPECT_EQ(Find<QGroupBox>("Frame1")->title(), "Store Item Editor");
  EXPECT_EQ(Save()->text(), "Save");
  EXPECT_EQ(Find<QMenu>("File")->title(), "&File");
  EXPECT_EQ(Find<QMenu>("Other")->title(), "&Other");
  EXPECT_EQ(Find<QAction>("Open")->text(), "&Open...");
  EXPECT_EQ(Find<QAction>("Open")->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(Find<QAction>("Credits")->text(), "&Credits");
  EXPECT_TRUE(Find<QAction>("Credits")->shortcut().isEmpty());
  EXPECT_EQ(Find<QAction>("About")->text(), "&About Tivok");
  // Edit stands between File and Other, Help comes last; Save, Reload and
  // Edit's entries wait for an image and a save.
  QStringList menus;
  for (const QAction* menu : window.menuBar()->actions()) menus << menu->text();
  EXPECT_THAT(menus, ElementsAre("&File", "&Edit", "&Other", "&Help"));
  const std::vector<std::pair<const char*, QKeySequence::StandardKey>> keys = {
      {"Save", QKeySequence::Save},
      {"Reload", QKeySequence::Refresh},
      {"Undo", QKeySequence::Undo},
      {"Redo", QKeySequence::Redo}};
  for (const auto& [name, key] : keys) {
    EXPECT_EQ(Find<QAction>(name)->shortcuts(), QKeySequence::keyBindings(key))
        << name;
    EXPECT_FALSE(Find<QAction>(name)->isEnabled()) << name;
  }
  EXPECT_EQ(Find<QAction>("Undo")->text(), "&Undo");
  const QFont title = Find<QLabel>("Label1")->font();
  EXPECT_EQ(title.pointSize(), 18);
  EXPECT_EQ(title.weight(), QFont::Normal);
}

// Menus and their entries have access keys of their own within their menu,
// and the form's labels within the window, the menu bar's keys included; a
// label's key moves the focus to its control.
TEST_F(MainWindowTest, AccessKeysAreOwnAndReachTheirPlaces) {
  Open(dir.WriteSample("sample.gbc"));  // an entry for Open Recent
  const auto own = [](QStringList& keys, const QString& text) {
    const QString key = QKeySequence::mnemonic(text).toString();
    EXPECT_TRUE(!key.isEmpty() && !keys.contains(key)) << text.toStdString();
    keys << key;
  };
  QStringList window_keys;
  QList<const QMenu*> menus;
  for (const QAction* menu : window.menuBar()->actions()) {
    own(window_keys, menu->text());
    menus << menu->menu();
  }
  for (qsizetype i = 0; i < menus.size(); ++i) {
    QStringList keys;
    for (const QAction* entry : menus[i]->actions()) {
      if (entry->isSeparator() || !entry->isVisible()) continue;
      own(keys, entry->text());
      if (entry->menu() != nullptr) menus << entry->menu();
    }
  }
  EXPECT_THAT(menus, SizeIs(5));  // with Open Recent
  const std::map<const char*, QWidget*> fields = {
      {"Label3", Stores()}, {"Label4", Slots()}, {"Label5", Items()}};
  for (const auto& [name, control] : fields) {
    own(window_keys, Find<QLabel>(name)->text());
    Save()->setFocus();
    QTest::keySequence(&window, QKeySequence(window_keys.last()));
    EXPECT_EQ(QApplication::focusWidget(), control) << name;
  }
}

// The width that `combo` gives the text of its entries.
int FieldWidth(const QComboBox* combo) {
  if (combo->lineEdit() != nullptr) {
    const QLineEdit* edit = combo->lineEdit();
    const QMargins margins = edit->textMargins();
    return edit->contentsRect().width() - margins.left() - margins.right() - 4;
  }
  QStyleOptionComboBox option;
  option.initFrom(combo);
  return combo->style()
      ->subControlRect(QStyle::CC_ComboBox, &option,
                       QStyle::SC_ComboBoxEditField, combo)
      .width();
}

// Each control's box holds its content (the labels' texts, every entry of
// the drop-downs, the button's caption, every slot of a store), nothing
// overlaps, and the window keeps the fixed size that its layout asks for.
void ExpectNothingClipped(const MainWindow& window, const QString& when) {
  SCOPED_TRACE(when.toStdString());
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_EQ(window.size(), window.minimumSize());
  const auto* slot_list = window.findChild<QTreeWidget*>("Combo2");
  EXPECT_EQ(slot_list->verticalScrollBar()->maximum(), 0) << "slots scroll";
  EXPECT_EQ(slot_list->horizontalScrollBar()->maximum(), 0) << "slots scroll";
  // The slot column holds every entry that a slot can show,
  // with the margins that the style gives a cell's text.
  const int margins =
      2 * (slot_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin,
                                           nullptr, slot_list) +
           1);
  QStringList entries;
  for (int k = 1; k <= 8; ++k) {
    for (int code = 0; code < 256; ++code) {
      entries << QString("%1 (%2)").arg(k).arg(code, 0, 16).toUpper();
    }
  }
  for (int i = 0; i < slot_list->topLevelItemCount(); ++i) {
    entries << slot_list->topLevelItem(i)->text(0);
  }
  for (const QString& entry : entries) {
    EXPECT_LE(slot_list->fontMetrics().horizontalAdvance(entry) + margins,
              slot_list->columnWidth(0))
        << entry.toStdString();
  }
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    if (label->objectName() == "Status") {
      // It keeps its room; a text too long for it, even wrapped anywhere,
      // shows whole in the tooltip.
      EXPECT_EQ(label->height(), label->sizeHint().height());
      const QRect room = label->contentsRect();
      if (label->fontMetrics()
              .boundingRect(0, 0, room.width(), 0, Qt::TextWrapAnywhere,
                            label->text())
              .height() > room.height()) {
        EXPECT_EQ(ShownToolTip(label->toolTip()), label->text());
      }
      continue;
    }
    // An access key's mark takes no room.
    const QSize text =
        label->fontMetrics().size(Qt::TextShowMnemonic, label->text());
    EXPECT_LE(text.width(), label->contentsRect().width())
        << label->objectName().toStdString();
    EXPECT_LE(text.height(), label->contentsRect().height())
        << label->objectName().toStdString();
  }
  for (const QComboBox* combo : window.findChildren<QComboBox*>()) {
    for (int i = 0; i < combo->count(); ++i) {
      EXPECT_LE(combo->fontMetrics().horizontalAdvance(combo->itemText(i)),
                FieldWidth(combo))
          << combo->objectName().toStdString() << ": "
          << combo->itemText(i).toStdString();
    }
    EXPECT_GE(combo->height(), combo->sizeHint().height());
  }
  const auto* save = window.findChild<QPushButton*>("Command1");
  EXPECT_GE(save->width(), save->sizeHint().width());
  EXPECT_GE(save->height(), save->sizeHint().height());

  const auto* frame = window.findChild<QGroupBox*>("Frame1");
  const QWidget* fields = window.findChild<QWidget*>("Combo1")->parentWidget();
  EXPECT_TRUE(frame->contentsRect().contains(fields->geometry()));
  const QList<QWidget*> inside =
      fields->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const QWidget* a : inside) {
    EXPECT_TRUE(fields->rect().contains(a->geometry()))
        << a->objectName().toStdString();
    for (const QWidget* b : inside) {
      EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
          << a->objectName().toStdString() << " overlaps "
          << b->objectName().toStdString();
    }
  }
  EXPECT_TRUE(window.centralWidget()->rect().contains(frame->geometry()));
}

// Walks the application fonts from 6 to 20 points, changing the font while
// the window is shown, so it is laid out again each time. CTest runs this
// test again at scale factors 1.5 and 2.
TEST_F(MainWindowTest, LayoutFitsEveryFontSize) {
  Open(dir.WriteSample("sample.gbc"));
  const QFont original = QApplication::font();
  ExpectNothingClipped(window, "default font");
  EXPECT_LE(window.width(), 1024 / 2);
  EXPECT_LE(window.height(), 768 * 3 / 4);

  QSize previous;
  for (int points = 6; points <= 20; ++points) {
    QFont font = original;
    font.setPointSize(points);
    QApplication::setFont(font);
    Settle();
    ExpectNothingClipped(window, QString("%1 points").arg(points));
    EXPECT_GE(window.height(), previous.height()) << points << " points";
    previous = window.size();
  }

  // A status text with a file name far wider than the window wraps too,
  // into the room kept for it: the window keeps its size.
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x134] = 'X';
  Open(dir.Write(std::string(120, 'n') + ".gbc", foreign));
  Settle();
  ExpectNothingClipped(window, "long status text");
  EXPECT_EQ(window.size(), previous);
  QApplication::setFont(original);
}

// A right-to-left layout mirrors the window at the same size.
TEST_F(MainWindowTest, RightToLeftMirrorsAtTheSameSize) {
  const auto places = [](const MainWindow& w) {
    std::map<std::string, QRect> rects;
    for (const char* name :
         {"Label3", "Combo1", "Label5", "Combo3", "Command1"}) {
      rects[name] = w.findChild<QWidget*>(name)->geometry();
    }
    return rects;
  };
  const std::map<std::string, QRect> left_to_right = places(window);
  const int fields_width = Find<QWidget>("Fields")->width();

  QApplication::setLayoutDirection(Qt::RightToLeft);
  MainWindow mirrored;
  mirrored.show();
  Settle();
  const std::map<std::string, QRect> right_to_left = places(mirrored);
  const QSize mirrored_size = mirrored.size();
  ExpectNothingClipped(mirrored, "right to left");
  QApplication::setLayoutDirection(Qt::LeftToRight);

  EXPECT_EQ(mirrored_size, window.size());
  for (const auto& [name, rect] : left_to_right) {
    const QRect& mirror = right_to_left.at(name);
    EXPECT_EQ(mirror.top(), rect.top()) << name;
    EXPECT_EQ(mirror.size(), rect.size()) << name;
    EXPECT_EQ(mirror.left(), fields_width - 1 - rect.right()) << name;
  }
}

}  // namespace
}  // namespace tivok::testing
