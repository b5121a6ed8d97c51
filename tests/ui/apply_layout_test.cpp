// File, Apply Layout... in the real window: the layout dialog, the
// preview as screen readers read it, one write and one Ctrl+Z.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QSignalSpy>
#include <string>
#include <vector>

#include "rom/checksum.h"
#include "rom/patch.h"
#include "sample_image.h"
#include "window_test.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tivok::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::SizeIs;

using ApplyLayoutWindowTest = WindowTest;

TEST_F(ApplyLayoutWindowTest, PreviewsAppliesAndUndoesALayout) {
  auto* apply_layout = Find<QAction>("ApplyLayout");
  EXPECT_EQ(apply_layout->text(), "Apply &Layout...");
  EXPECT_FALSE(apply_layout->isEnabled());
  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  ASSERT_TRUE(apply_layout->isEnabled());
  const std::string text = "store,slot,item\nportal,3,sirloin\nportal,1,0x22\n";
  const std::string layout =
      dir.Write("d.csv", std::vector<std::uint8_t>(text.begin(), text.end()));

  // The preview's rows as screen readers read them; the focus starts in
  // the list, and Tab reaches Apply.
  QStringList read;
  bool focus_in_list = false;
  ModalAnswerer answerer(
      QFile::decodeName(layout.c_str()), {}, [&](QDialog* preview) {
        auto* rows = preview->findChild<QTreeWidget*>("Changes");
        focus_in_list = preview->focusWidget() == rows;
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(rows)->tableInterface();
        for (int row = 0; row < table->rowCount(); ++row) {
          read << table->cellAt(row, 0)->text(QAccessible::Name);
        }
        read << Entries(rows, 3)
             << preview->findChild<QLabel*>("Unchanged")->text();
        // Each time the list gets the focus, here by Tab, its row becomes
        // current anew while it has the focus: that is what screen readers
        // hear of, and they then read the row, not only the list's name.
        preview->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(preview));
        QSignalSpy made_current(rows, &QTreeWidget::currentItemChanged);
        for (int i = 0; i < 3; ++i) {
          QTest::keyClick(preview->focusWidget(), Qt::Key_Tab);
          if (preview->focusWidget() == rows) break;
        }
        QCoreApplication::processEvents();
        if (!made_current.isEmpty() && rows->hasFocus()) {
          read << made_current.back()[0].value<QTreeWidgetItem*>()->text(0);
        }
        for (int i = 0;
             i < 3 && preview->focusWidget()->objectName() != "Apply"; ++i) {
          QTest::keyClick(preview->focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(preview->focusWidget(), Qt::Key_Space);
      });
  apply_layout->trigger();
  Reactivate();
  ASSERT_THAT(answerer.seen(), SizeIs(2));
  EXPECT_EQ(answerer.seen()[0].name_filters,
            QStringList("Layouts and patches (*.csv *.ips *.bps)"));
  EXPECT_EQ(answerer.seen()[0].directory,
            QFile::decodeName(dir.path().c_str()));
  EXPECT_EQ(answerer.seen()[1].title, "Apply Layout");
  EXPECT_TRUE(focus_in_list);
  EXPECT_THAT(read,
              ElementsAre("Portal Shop, slot 3: Comedy BK (24) becomes "
                          "Sirloin (17)",
                          "Sirloin (17)",
                          "1 row changes nothing: its slot holds its item "
                          "already.",
                          "Portal Shop"));
  std::vector<std::uint8_t> applied = MakeSampleImage();
  applied[0x2478E] = 0x17;
  EXPECT_EQ(ReadAll(path), applied);
  EXPECT_TRUE(Status().startsWith("Applied d.csv: wrote 1 slot in one step"))
      << Status().toStdString();

  QTest::keySequence(&window, Find<QAction>("Undo")->shortcut());
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
  EXPECT_TRUE(Status().startsWith("Undid Apply d.csv"));
}

// One wrong line among good ones refuses the whole layout, with no
// preview: a row with no store, or with one field.
TEST_F(ApplyLayoutWindowTest, OneWrongLineRefusesTheWholeLayout) {
  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  for (const std::string wrong : {",2,herb", "portal"}) {
    const std::string text =
        "store,slot,item\nportal,3,sirloin\n" + wrong + "\nbook,1,herb\n";
    const std::string layout = dir.Write(
        wrong + ".csv", std::vector<std::uint8_t>(text.begin(), text.end()));
    ModalAnswerer answerer(QFile::decodeName(layout.c_str()));
    Find<QAction>("ApplyLayout")->trigger();
    Reactivate();
    ASSERT_THAT(answerer.seen(), SizeIs(2)) << wrong;
    EXPECT_EQ(answerer.seen()[1].title, "Error Applying Layout");
    EXPECT_TRUE(Status().startsWith(QString::fromStdString(
        "Not applied: \"" + wrong +
        ".csv\" is refused, and nothing was written: line 3: ")))
        << Status().toStdString();
    EXPECT_EQ(ReadAll(path), MakeSampleImage());
  }
}

// An IPS patch that Export Patch wrote elsewhere: the preview lists its
// slots and names it and the image it is read against, Apply writes them
// (the patch's checksum bytes are not copied) as one step, and one Ctrl+Z
// gives the file back its bytes.
TEST_F(ApplyLayoutWindowTest, PreviewsAppliesAndUndoesAPatch) {
  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  const std::string patch = dir.Write(
      "shops.ips", IpsPatch(sample, WithGlobalChecksum({{0x2478E, 0x24, 0x17},
                                                        {0x2476B, 0x01, 0x03}},
                                                       ChecksumsOf(sample))));
  QStringList rows;
  QString heading;
  ModalAnswerer answerer(
      QFile::decodeName(patch.c_str()), {}, [&](QDialog* preview) {
        rows = Entries(preview->findChild<QTreeWidget*>("Changes"), 3);
        for (const QLabel* label : preview->findChildren<QLabel*>()) {
          if (label->text().contains("shops.ips")) heading = label->text();
        }
        preview->findChild<QPushButton*>("Apply")->click();
      });
  Find<QAction>("ApplyLayout")->trigger();
  Reactivate();
  ASSERT_THAT(answerer.seen(), SizeIs(2));
  EXPECT_THAT(rows, ElementsAre("Sage Stone (3)", "Sirloin (17)"));
  EXPECT_TRUE(heading.startsWith("\"shops.ips\" changes 2 slots of "
                                 "\"sample.gbc\"") &&
              heading.endsWith("It is an IPS patch, read against "
                               "\"sample.gbc\" itself."))
      << heading.toStdString();
  std::vector<std::uint8_t> applied = sample;
  applied[0x2476B] = 0x03;
  applied[0x2478E] = 0x17;
  EXPECT_EQ(ReadAll(path), applied);
  EXPECT_EQ(Find<QAction>("Undo")->text(), "&Undo Apply shops.ips (2 slots)");

  QTest::keySequence(&window, Find<QAction>("Undo")->shortcut());
  EXPECT_EQ(ReadAll(path), sample);
}

#ifndef _WIN32
// A FIFO chosen as a layout is refused at once, with the reason in a box,
// where reading it would wait for a writer with the window frozen.
TEST_F(ApplyLayoutWindowTest, RefusesAFifoWithoutWaiting) {
  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  const std::string fifo = dir.File("fifo.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  ModalAnswerer answerer(QFile::decodeName(fifo.c_str()));
  Find<QAction>("ApplyLayout")->trigger();
  Reactivate();
  ASSERT_THAT(answerer.seen(), SizeIs(2));
  EXPECT_EQ(answerer.seen()[1].title, "Error Applying Layout");
  EXPECT_EQ(answerer.seen()[1].text.toStdString(),
            "Error applying the layout: cannot read the layout \"" + fifo +
                "\": it is not a regular file.");
  EXPECT_EQ(Status(),
            "Not applied: cannot read the layout \"fifo.csv\": it "
            "is not a regular file.");
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}
#endif

}  // namespace
}  // namespace tivok::testing
