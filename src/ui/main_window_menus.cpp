// The window's menus: each entry, its keys and the editor event it calls.

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "ui/item_selector.h"
#include "ui/main_window.h"
#include "ui/recent_menu.h"

namespace tivok {
namespace {

// Where Edit, Keep Checksum Right is remembered; off until chosen.
constexpr char kKeepChecksumKey[] = "KeepChecksumRight";

// Adds the action `name` to `menu` with the platform's keys for `key`,
// disabled until there is an image or a save for it to act on.
QAction* AddWaitingAction(QMenu* menu, const char* text, const char* name,
                          QKeySequence::StandardKey key) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setShortcuts(key);
  action->setEnabled(false);
  return action;
}

}  // namespace

void MainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File");
  open_ = file->addAction("&Open...");
  open_->setObjectName("Open");
  open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  recent_ = new RecentMenu(file);
  file->addMenu(recent_);
  // Reads the image again, for file systems that do not report changes.
  reload_ = AddWaitingAction(file, "&Reload", "Reload", QKeySequence::Refresh);
  file->addSeparator();
  save_ = AddWaitingAction(file, "&Save", "Save", QKeySequence::Save);
  file->addSeparator();
  apply_layout_ = AddWaitingAction(file, "Apply &Layout...", "ApplyLayout",
                                   QKeySequence::UnknownKey);
  export_layout_ = AddWaitingAction(file, "&Export Layout...", "ExportLayout",
                                    QKeySequence::UnknownKey);
  file->addSeparator();
  compare_ = AddWaitingAction(file, "Compare &With...", "CompareWith",
                              QKeySequence::UnknownKey);
  stop_comparing_ = AddWaitingAction(file, "S&top Comparing", "StopComparing",
                                     QKeySequence::UnknownKey);
  export_patch_ = AddWaitingAction(file, "Export &Patch...", "ExportPatch",
                                   QKeySequence::UnknownKey);
  file->addSeparator();
  quit_ = file->addAction("&Quit");
  quit_->setObjectName("Quit");
  quit_->setMenuRole(QAction::QuitRole);
  // The platform's Quit key, Ctrl+Q where it names none.
  QList<QKeySequence> quit_keys = QKeySequence::keyBindings(QKeySequence::Quit);
  if (quit_keys.isEmpty()) quit_keys = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
  quit_->setShortcuts(quit_keys);

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setObjectName("Edit");
  undo_ = AddWaitingAction(edit, "&Undo", "Undo", QKeySequence::Undo);
  redo_ = AddWaitingAction(edit, "&Redo", "Redo", QKeySequence::Redo);
  edit->addSeparator();
  fix_checksum_ = AddWaitingAction(edit, "&Fix Cartridge Checksum",
                                   "FixChecksum", QKeySequence::UnknownKey);
  keep_checksum_ = edit->addAction("&Keep Checksum Right");
  keep_checksum_->setObjectName("KeepChecksumRight");
  keep_checksum_->setCheckable(true);
  keep_checksum_->setChecked(QSettings().value(kKeepChecksumKey).toBool());

  QMenu* other = menuBar()->addMenu("&Other");
  other->setObjectName("Other");
  credits_ = other->addAction("&Credits");
  credits_->setObjectName("Credits");

  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help");
  about_ = help->addAction("&About Tivok");
  about_->setObjectName("About");
  about_->setMenuRole(QAction::AboutRole);
}

void MainWindow::ConnectMenus() {
  connect(open_, &QAction::triggered, this, [this] { editor_.OnOpen(); });
  connect(recent_, &RecentMenu::Chosen, this, &MainWindow::OpenFile);
  connect(reload_, &QAction::triggered, this, [this] { editor_.OnReload(); });
  // As a click on Save would, it first ends the editing of New Item's text.
  connect(save_, &QAction::triggered, this, [this] {
    if (combo3_->lineEdit()->hasFocus()) editor_.OnItemTextEntered();
    editor_.OnSave();
  });
  connect(apply_layout_, &QAction::triggered, this,
          [this] { editor_.OnApplyLayout(); });
  connect(export_layout_, &QAction::triggered, this,
          [this] { editor_.OnExportLayout(); });
  connect(compare_, &QAction::triggered, this,
          [this] { editor_.OnCompareWith(); });
  connect(stop_comparing_, &QAction::triggered, this,
          [this] { editor_.OnStopComparing(); });
  connect(export_patch_, &QAction::triggered, this,
          [this] { editor_.OnExportPatch(); });
  connect(undo_, &QAction::triggered, this, [this] { editor_.OnUndo(); });
  connect(redo_, &QAction::triggered, this, [this] { editor_.OnRedo(); });
  connect(fix_checksum_, &QAction::triggered, this,
          [this] { editor_.OnFixChecksum(); });
  connect(keep_checksum_, &QAction::toggled, this,
          [](bool keep) { QSettings().setValue(kKeepChecksumKey, keep); });
  connect(credits_, &QAction::triggered, this, [this] { OnCredits(); });
  connect(about_, &QAction::triggered, this, [this] { OnAbout(); });
  // Closing the window ends the program; nothing is saved.
  connect(quit_, &QAction::triggered, this, &QWidget::close);
}

}  // namespace tivok
