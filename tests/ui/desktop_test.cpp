// What the desktop hands the window: a file named on the command line or
// dropped on it, the Quit key and the window's icon.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <memory>

#include "app/command_line.h"
#include "window_test.h"

namespace tivok::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr std::size_t kBeginnerSlot1Offset = 0x2476B;

QString Q(const std::string& path) { return QFile::decodeName(path.c_str()); }

struct ParseCase {
  QStringList arguments;
  std::optional<int> exit_status;
  QString file;         // the file to open, when there is no exit
  const char* message;  // a part of the message, when there is an exit
};

TEST(CommandLineTest, ReadsOneOptionalFileHelpAndVersion) {
  const std::vector<ParseCase> cases = {
      {{"tivok"}, std::nullopt, "", ""},
      {{"tivok", "a.gbc"}, std::nullopt, "a.gbc", ""},
      {{"tivok", "--", "-a.gbc"}, std::nullopt, "-a.gbc", ""},
      {{"tivok", "--help"}, 0, "", "[FILE]"},
      {{"tivok", "-h"}, 0, "", "--version"},
      {{"tivok", "--version"}, 0, "", "tivok 1."},
      {{"tivok", "a.gbc", "b.gbc"}, 2, "", "Usage: tivok [FILE]"},
      {{"tivok", "--bogus", "a.gbc"}, 2, "", "'bogus'"},
      {{"tivok", ""}, 2, "", "FILE is empty"},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    // Help and version, and only they, are answered without a display.
    std::vector<QByteArray> bytes;
    for (const QString& argument : c.arguments)
      bytes.push_back(argument.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& argument : bytes)
      argv.push_back(argument.constData());
    EXPECT_EQ(AsksForText(static_cast<int>(argv.size()), argv.data()),
              c.exit_status == 0);
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.exit_status, c.exit_status);
    EXPECT_EQ(command.file, c.file);
    EXPECT_THAT(command.message.toStdString(), HasSubstr(c.message));
  }
}

class DesktopTest : public WindowTest {
 protected:
  // Sends a drag over the window and a drop of `data`, offering `possible`
  // and proposing a move. Returns whether the window took the drop, and
  // sets `action` to the action it took it with.
  bool Drop(const QMimeData& data, Qt::DropAction* action = nullptr,
            Qt::DropActions possible = Qt::CopyAction | Qt::MoveAction) {
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, possible, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(at, possible, &data, Qt::LeftButton, {});
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(&window, &drop);
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

// As `tivok sample.gbc` from the image's folder: the window opens the file
// as the open dialog would, Save writes into it, and the dialog then starts
// at that file, so that a cancel loads it again.
TEST_F(DesktopTest, FileOnTheCommandLineOpensAsIfChosenInTheDialog) {
  const std::string path = dir.WriteSample("sample.gbc");
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(Q(dir.path())));
  const CommandLine command = ParseCommandLine({"tivok", "sample.gbc"});
  {
    ModalAnswerer answerer;
    window.OpenFile(command.file);
    EXPECT_THAT(answerer.seen(), IsEmpty());
  }
  QDir::setCurrent(before);
  EXPECT_EQ(window.windowTitle(), "Tivok - sample.gbc");
  EXPECT_EQ(Stores()->currentText(), "Beginner's (Top Left) Shop");
  EXPECT_EQ(Slots()->count(), 8);
  EXPECT_TRUE(Save()->isEnabled());

  ClickSlot(0);
  EXPECT_THAT(PressSave(), IsEmpty());
  EXPECT_EQ(ReadAll(path)[kBeginnerSlot1Offset], 0x00);
  EXPECT_EQ(Slots()->item(0)->text(), "1 (0)");

  Stores()->setFocus();
  QTest::keyClick(Stores(), Qt::Key_End);
  const std::vector<ModalSeen> seen = Open(std::nullopt);
  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_EQ(seen[0].directory, Q(dir.path()));
  EXPECT_THAT(seen[0].selected_files, ElementsAre(Q(path)));
  EXPECT_EQ(Stores()->currentText(), "Beginner's (Top Left) Shop");
}

// A dropped file is taken as a copy even when the source proposes a move,
// so that the file manager keeps the file.
TEST_F(DesktopTest, OneDroppedFileOpensAsACopy) {
  const std::string path = dir.WriteSample("sample.gbc");
  Qt::DropAction action = Qt::IgnoreAction;
  ASSERT_TRUE(Drop(*Urls({QUrl::fromLocalFile(Q(path))}), &action));
  EXPECT_EQ(action, Qt::CopyAction);
  EXPECT_TRUE(QTest::qWaitFor([this] { return Stores()->count() == 5; }));
  EXPECT_EQ(window.windowTitle(), "Tivok - sample.gbc");
  EXPECT_EQ(Stores()->currentText(), "Beginner's (Top Left) Shop");
  EXPECT_TRUE(Exists(path));
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
  QApplication::processEvents();
  EXPECT_EQ(window.windowTitle(), "Tivok");
  EXPECT_EQ(Stores()->count(), 0);
}

TEST_F(DesktopTest, QuitKeyClosesTheWindow) {
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
}

// The icon comes from the program itself, with no icon theme to look in.
TEST_F(DesktopTest, WindowHasItsOwnIcon) {
  const QIcon icon = window.windowIcon();
  EXPECT_THAT(icon.availableSizes(), SizeIs(5));
  for (int size : {16, 40, 48, 128}) {
    EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << size;
  }
  EXPECT_EQ(icon.pixmap(256).size(), QSize(128, 128));
}

}  // namespace
}  // namespace tivok::testing
