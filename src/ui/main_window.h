// src/ui: the window. The Qt 6 Widgets main window (this header), which
// implements EditorView and hands its events to StoreEditor, and its
// controls and dialogs. It includes from the core folders below it.

#ifndef TIVOK_UI_MAIN_WINDOW_H_
#define TIVOK_UI_MAIN_WINDOW_H_

#include <QMainWindow>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"
#include "editor/store_editor.h"

class QAction;
class QComboBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tivok {

class ImageWatcher;
class ItemSelector;
class RecentMenu;
class SizedComboBox;
class SlotList;
class StatusLine;

// The program's one window. It owns the controls and the store editor, turns
// each user action into one call of the editor, and lets the editor fill and
// read the controls through EditorView. Controls carry their designer names
// as objectNames ("Combo1", "Command1", ...).
class MainWindow : public QMainWindow, public EditorView {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // EditorView. Filling and clearing the lists never reports a choice.
  void ClearStores() override;
  void AddStore(std::string_view label) override;
  void SetStoreText(std::string_view text) override;
  int SelectedStore() const override;

  void ClearSlots() override;
  void AddSlot(const SlotRow& row) override;
  int SelectedSlot() const override;
  int CurrentSlot() const override;
  void SelectSlot(int row) override;

  void ClearItems() override;
  void AddItem(std::string_view name) override;
  void SetItemText(std::string_view text) override;
  int SelectedItem() const override;
  std::string ItemText() const override;

  void SetSaveEnabled(bool enabled) override;
  void SetSaveDescription(std::string_view text) override;
  void SetUndoText(std::string_view text) override;
  void SetRedoText(std::string_view text) override;
  void SetFixChecksumEnabled(bool enabled) override;
  bool KeepsChecksumRight() const override;
  void WatchImage(const std::string& path) override;
  void WatchCleanImage(const std::string& path) override;
  void SetCaption(std::string_view caption) override;
  void SetStatus(std::string_view text) override;
  void ShowChecksumMark(std::string_view text,
                        std::string_view explanation) override;

  void ShowOpenDialog() override;
  std::string DialogFileName() const override;
  std::string DialogFileTitle() const override;

  void ShowMessage(std::string_view text, std::string_view title) override;

  void SetApplyLayoutEnabled(bool enabled) override;
  std::string ChooseLayoutFile(const std::string& image_path) override;
  bool ShowLayoutPreview(const LayoutPreview& preview) override;
  std::string ChooseCleanImage() override;
  void SetComparing(bool comparing) override;
  std::string RememberedCleanImage(const std::string& image) const override;
  void RememberCleanImage(const std::string& image,
                          const std::string& clean) override;
  std::string ChooseExportFile(const std::string& suggested) override;
  std::string ChoosePatchFile(const std::string& suggested) override;
  int AskChoice(std::string_view text, std::string_view title,
                const std::vector<std::string>& choices) override;

  // Other, Credits: who made the program and where to report faults.
  void OnCredits();
  // Help, About Tivok: the program's name, version, purpose, licence and
  // contact.
  void OnAbout();

  // Opens `path`, in bytes as the core takes a path, as if it had been
  // chosen in the open dialog and Open pressed: made absolute and normal,
  // it becomes the dialog's file name, so a later cancel loads it again. For
  // a file named on the command line, dropped on the window or chosen from
  // Open Recent. A path with a NUL is ignored.
  void OpenFile(const std::string& path);

 protected:
  // One local file (no folder) dropped on the window opens it, or, named
  // *.csv, *.ips or *.bps in any case, is applied to the open image as a
  // layout or a patch; any other drop is refused.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateControls();
  void CreateMenus();
  void ConnectMenus();
  void ConnectEvents();
  void SetTabOrder();
  void CreateStatusLine();
  void DescribeControls();
  // Tells screen readers the store that the store selector shows. Qt 6.4
  // gives a drop-down no AT-SPI selection interface, through which Orca
  // finds its value, and Orca ignores a drop-down's name changes. So the
  // store becomes the selector's description, which Orca speaks with the
  // focus, and a change while the selector has the focus is told as the
  // focus on that entry of its list, as when the list is open.
  void DescribeStore();
  void AcceptFileDrops();

  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QFrame* line1_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QLabel* label5_ = nullptr;
  QLabel* label6_ = nullptr;
  SizedComboBox* combo1_ = nullptr;  // store selector
  SlotList* combo2_ = nullptr;       // slot list
  ItemSelector* combo3_ = nullptr;   // new-item selector
  QPushButton* command1_ = nullptr;
  StatusLine* status_ = nullptr;  // the status bar's text
  // The status bar's lasting mark of a stale checksum; hidden while none.
  QLabel* checksum_mark_ = nullptr;
  ImageWatcher* watcher_ = nullptr;
  // The clean image compared with; made at the first comparison, so that
  // the window's first show does not pay for it.
  ImageWatcher* clean_watcher_ = nullptr;
  QAction* open_ = nullptr;
  QAction* reload_ = nullptr;
  RecentMenu* recent_ = nullptr;
  QAction* save_ = nullptr;
  QAction* apply_layout_ = nullptr;
  QAction* export_layout_ = nullptr;
  QAction* compare_ = nullptr;
  QAction* stop_comparing_ = nullptr;
  QAction* export_patch_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* fix_checksum_ = nullptr;
  QAction* keep_checksum_ = nullptr;
  QAction* credits_ = nullptr;
  QAction* about_ = nullptr;
  QAction* quit_ = nullptr;

  // The open dialog's last accepted file: its absolute, normal path as the
  // core takes it (NormalPath). Until there is one, the dialog starts at the
  // newest recent image.
  std::string dialog_path_;
  // The clean image that Compare With's dialog last chose.
  std::string clean_dialog_path_;

  StoreEditor editor_;
};

}  // namespace tivok

#endif  // TIVOK_UI_MAIN_WINDOW_H_
