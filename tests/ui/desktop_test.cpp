// What the desktop hands the window: a file named on the command line or
// dropped on it, the images opened before, the Quit key and the window's
// icon.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QWindow>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "rom/patch.h"
#include "sample_image.h"
#include "ui/recent_menu.h"
#include "window_test.h"

namespace tivok::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr std::size_t kBeginnerSlot1Offset = 0x2476B;

QString Q(const std::string& path) { return QFile::decodeName(path.c_str()); }

class DesktopTest : public WindowTest {
 protected:
  // Drags `data` over the window at the middle of `target` (the window
  // when null) and drops it there, offering `possible` and proposing a
  // move. The events go to the window's QWindow, as the window system's
  // do, which hands them to the widget there that takes drops. Returns
  // whether the drop was taken, and sets `action` to the action taken.
  bool Drop(const QMimeData& data, Qt::DropAction* action = nullptr,
            Qt::DropActions possible = Qt::CopyAction | Qt::MoveAction,
            QWidget* target = nullptr) {
    if (target == nullptr) target = &window;
    const QPointF at = target->mapTo(&window, target->rect().center());
    QWindow* handle = window.windowHandle();
    QDragEnterEvent enter(at.toPoint(), possible, &data, Qt::LeftButton, {});
    QApplication::sendEvent(handle, &enter);
    QDropEvent drop(at, possible, &data, Qt::LeftButton, {});
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(handle, &drop);
    if (action != nullptr) *action = drop.dropAction();
    EXPECT_EQ(enter.isAccepted(), drop.isAccepted());
    return drop.isAccepted();
  }

  static std::unique_ptr<QMimeData> Urls(const QList<QUrl>& urls) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
  }
};

// File, Open Recent's entries in `window` as the menu shows them, newest
// first: each image's path and whether it can be chosen.
std::vector<std::pair<QString, bool>> RecentEntries(const MainWindow& window) {
  auto* menu = window.findChild<QMenu*>("OpenRecent");
  menu->popup(QPoint());
  menu->close();
  std::vector<std::pair<QString, bool>> entries;
  for (const QAction* entry : menu->actions().first(RecentMenu::kMostImages)) {
    if (entry->isVisible())
      entries.emplace_back(ShownToolTip(entry->toolTip()), entry->isEnabled());
  }
  return entries;
}

// As `tivok café.gbc` from the image's folder, with a name that is not
// UTF-8 (Linux file names are bytes): the window opens that file as the open
// dialog would, showing the name escaped, Save writes into it, and the dialog
// then starts at that file: a cancel loads it again. Other spellings of its
// path open the same image, keeping Undo and the chosen slot, and Open
// Recent has it once, also where an older version kept another spelling.
TEST_F(DesktopTest, FileOnTheCommandLineOpensAsIfChosenInTheDialog) {
  const std::string path = dir.WriteSample("caf\xE9.gbc");
  {
    // As an older version kept it: as it was spelled.
    QSettings settings;
    settings.beginWriteArray("RecentImages", 1);
    settings.setArrayIndex(0);
    settings.setValue("path",
                      QByteArray::fromStdString(dir.path() + "/./caf\xE9.gbc"));
    settings.endArray();
  }
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(Q(dir.path())));
  {
    ModalAnswerer answerer;
    window.OpenFile(ParseCommandLine({"tivok", "caf\xE9.gbc"}).file);
    EXPECT_THAT(answerer.seen(), IsEmpty());
  }
  EXPECT_EQ(window.windowTitle(), "Tivok - caf\\xE9.gbc");
  ASSERT_EQ(Slots()->topLevelItemCount(), 8);
  ClickSlot(0);
  EXPECT_THAT(PressSave(), IsEmpty());
  EXPECT_EQ(ReadAll(path)[kBeginnerSlot1Offset], 0x00);
  const std::string folder = FsPath(dir.path()).filename().string();
  for (const std::string& spelling :
       {std::string("./caf\xE9.gbc"), "../" + folder + "//caf\xE9.gbc"}) {
    window.OpenFile(spelling);
    EXPECT_TRUE(Find<QAction>("Undo")->isEnabled()) << spelling;
    EXPECT_TRUE(Slots()->topLevelItem(0)->isSelected()) << spelling;
  }
  QDir::setCurrent(before);
  EXPECT_THAT(RecentEntries(window),
              ElementsAre(std::pair(Q(dir.path()) + "/caf\\xE9.gbc", true)));

  const std::vector<ModalSeen> seen = Open(std::nullopt);
  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_EQ(seen[0].directory, Q(dir.path()));
  EXPECT_THAT(seen[0].selected_files, ElementsAre(Q(path)));
}

// One dropped file opens once the drop has ended, not inside it, so that a
// message box does not keep the program that the file came from waiting. It
// is taken as a copy even when the source proposes a move, so that the file
// manager keeps the file, and as a link where only that is offered. Dropped
// on New Item's text field it opens too, rather than its name becoming the
// field's text: file managers offer the name as text as well. A name that
// is not UTF-8 comes percent-encoded in the address, and opens.
TEST_F(DesktopTest, OneDroppedFileOpensOnceTheDropHasEnded) {
  const struct {
    const char* name;
    const char* shown;
    Qt::DropActions possible;
    Qt::DropAction taken;
    bool on_new_item;
  } cases[] = {
      {"copy.gbc", "copy.gbc", Qt::CopyAction | Qt::MoveAction, Qt::CopyAction,
       false},
      {"l\xE9nk.gbc", "l\\xE9nk.gbc", Qt::LinkAction, Qt::LinkAction, false},
      {"field.gbc", "field.gbc", Qt::CopyAction | Qt::MoveAction,
       Qt::CopyAction, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    const std::string path = dir.WriteSample(c.name);
    auto data = Urls({QUrl::fromEncoded(
        "file://" + QByteArray::fromStdString(path).toPercentEncoding("/"))});
    data->setText(Q(path));
    const QString before = window.windowTitle();
    Qt::DropAction action = Qt::IgnoreAction;
    ASSERT_TRUE(Drop(*data, &action, c.possible,
                     c.on_new_item ? Items()->lineEdit() : nullptr));
    EXPECT_EQ(action, c.taken);
    EXPECT_EQ(window.windowTitle(), before) << "opened inside the drop";
    const QString caption = QString("Tivok - ") + c.shown;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window.windowTitle() == caption; }));
    EXPECT_EQ(Items()->currentText(), "Null");
    EXPECT_TRUE(Exists(path));
  }
}

TEST_F(DesktopTest, AnyOtherDropIsRefused) {
  const QUrl sample = QUrl::fromLocalFile(Q(dir.WriteSample("sample.gbc")));
  QMimeData text;
  text.setText(sample.toLocalFile());
  EXPECT_FALSE(Drop(text)) << "text";
  EXPECT_FALSE(Drop(*Urls({sample, sample}))) << "two files";
  EXPECT_FALSE(Drop(*Urls({QUrl::fromLocalFile(Q(dir.path()))}))) << "a folder";
  EXPECT_FALSE(Drop(*Urls({QUrl("https://example.org/sample.gbc")})))
      << "a web address";
  EXPECT_FALSE(Drop(*Urls({sample}), nullptr, Qt::MoveAction)) << "a move only";
  // The system would take the name only up to the NUL: the sample.
  EXPECT_FALSE(Drop(*Urls({QUrl(sample.toString() + "%00.not-this.txt")})))
      << "a name with a NUL";
  QApplication::processEvents();
  EXPECT_EQ(window.windowTitle(), "Tivok");
  EXPECT_EQ(Stores()->count(), 0);
}

// A dropped file named *.csv, *.ips or *.bps, in any case, is a layout or
// a patch for the open image: its preview comes up, where Enter cancels,
// and nothing is written.
TEST_F(DesktopTest, ADroppedLayoutOrPatchIsPreviewed) {
  const std::string path = dir.WriteSample("sample.gbc");
  window.OpenFile(path);
  const std::string text = "store,slot,item\nportal,3,sirloin\n";
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  const std::string files[] = {
      dir.Write("D.CSV", std::vector<std::uint8_t>(text.begin(), text.end())),
      dir.Write("m.Ips", IpsPatch(sample, {{0x2478E, {}, 0x17}})),
  };
  for (const std::string& file : files) {
    ModalAnswerer answerer(std::nullopt, {}, [](QDialog* preview) {
      QTest::keyClick(preview->focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(Drop(*Urls({QUrl::fromLocalFile(Q(file))})));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !answerer.seen().empty(); }));
    Reactivate();
    EXPECT_EQ(answerer.seen()[0].title, "Apply Layout");
    EXPECT_TRUE(Status().startsWith("Did not apply \"" +
                                    Q(file).section('/', -1) + "\""))
        << Status().toStdString();
  }
  EXPECT_EQ(ReadAll(path), sample);
}

// The last eight images opened without refusal, newest first, each once; a
// gone one cannot be chosen. The next run has the same list and its open
// dialog starts at the newest image; an entry opens its image, also one
// whose name is not UTF-8. Each entry's tooltip shows the path as it is,
// escaped, never read as markup. Clear Recent empties the list for the next
// run.
TEST_F(DesktopTest, RecentImagesNewestFirstEachOnceUpToEight) {
  const auto name = [](int i, const char* latin_e) {
    return std::to_string(i) + (i == 5 ? latin_e : "") +
           (i == 3 ? "<u>x<!-- y -->" : "") + ".gbc";
  };
  std::vector<std::string> paths;
  const std::string deep(100, 'd');  // a folder too long to show whole
  std::filesystem::create_directory(FsPath(dir.File(deep)));
  for (int i = 1; i <= 9; ++i) {
    paths.push_back(
        dir.WriteSample((i == 7 ? deep + "/" : "") + name(i, "\xE9")));
    window.OpenFile(paths.back());
  }
  window.OpenFile(paths[2]);
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x134] = 'X';
  ModalAnswerer answerer;
  window.OpenFile(dir.Write("foreign.gbc", foreign));
  std::filesystem::remove(FsPath(paths[8]));
  std::vector<std::pair<QString, bool>> expected;
  for (int i : {3, 9, 8, 7, 6, 5, 4, 2}) {
    expected.emplace_back(
        Q(dir.File((i == 7 ? deep + "/" : "") + name(i, "\\xE9"))), i != 9);
  }

  MainWindow next;
  EXPECT_EQ(RecentEntries(next), expected);
  // A long path loses its middle, keeping the name, to about 60 average
  // characters of the menu's font.
  const auto* menu = next.findChild<QMenu*>("OpenRecent");
  const QString shown = menu->actions()[3]->text();
  EXPECT_TRUE(shown.startsWith("&4 /") && shown.endsWith("d/7.gbc"))
      << shown.toStdString();
  const QFontMetrics metrics = menu->fontMetrics();
  const int width = metrics.horizontalAdvance(shown.mid(3));
  EXPECT_LE(width, 60 * metrics.averageCharWidth());
  EXPECT_GE(width, 55 * metrics.averageCharWidth());
  next.findChild<QAction*>("Open")->trigger();
  EXPECT_THAT(answerer.seen().back().selected_files, ElementsAre(Q(paths[2])));
  next.findChild<QMenu*>("OpenRecent")->actions()[5]->trigger();
  EXPECT_EQ(next.windowTitle(), "Tivok - 5\\xE9.gbc");
  next.findChild<QAction*>("ClearRecent")->trigger();
  EXPECT_THAT(RecentEntries(MainWindow()), IsEmpty());
  EXPECT_THAT(answerer.seen(), SizeIs(2));  // Invalid ROM, the open dialog
}

TEST_F(DesktopTest, QuitKeyClosesTheWindow) {
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
}

// The icon comes from the program itself, with no icon theme to look in,
// drawn at each size a platform asks for.
TEST_F(DesktopTest, WindowHasItsOwnIcon) {
  const QIcon icon = window.windowIcon();
  EXPECT_THAT(icon.availableSizes(), SizeIs(5));
  for (int size : {16, 24, 32, 40, 48, 128}) {
    EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << size;
  }
  EXPECT_EQ(icon.pixmap(256).size(), QSize(128, 128));
}

}  // namespace
}  // namespace tivok::testing
