#ifndef TIVOK_UI_LAYOUT_PREVIEW_DIALOG_H_
#define TIVOK_UI_LAYOUT_PREVIEW_DIALOG_H_

#include <QDialog>

#include "layout/layout_preview.h"

class QDialogButtonBox;
class QLabel;
class QTreeWidget;

namespace tivok {

// The preview of a layout before anything is written: a heading that names
// the layout and the image, a read-only list of the slots that change
// (Store, Slot, Holds, Gets; screen readers read each row whole), a line
// on the rows that change nothing, and Apply and Cancel. Enter and Escape
// cancel; Apply must be chosen. Tab moves between the list and the
// buttons. Plain text throughout: file names never read as markup.
class LayoutPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  explicit LayoutPreviewDialog(QWidget* parent = nullptr);

  // Shows `preview` and waits; true when the user chose Apply.
  bool Ask(const LayoutPreview& preview);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill(const LayoutPreview& preview);
  // Gives the list room for its rows and columns, up to most of the screen.
  void FitList();
  // Tells screen readers of the current row, the first if none is: each
  // time the list gets the focus, which on X11 comes after the dialog is
  // shown, and by Tab.
  void TellCurrentRow();

  QLabel* heading_ = nullptr;
  QTreeWidget* rows_ = nullptr;
  QLabel* unchanged_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tivok

#endif  // TIVOK_UI_LAYOUT_PREVIEW_DIALOG_H_
