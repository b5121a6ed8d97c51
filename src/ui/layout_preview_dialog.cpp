#include "ui/layout_preview_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/core_text.h"

namespace tivok {
namespace {

QLabel* NewLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

}  // namespace

LayoutPreviewDialog::LayoutPreviewDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("LayoutPreview");
  heading_ = NewLabel("Heading", this);
  rows_ = new QTreeWidget(this);
  rows_->setObjectName("Changes");
  rows_->setAccessibleName("Slots that change");
  rows_->setColumnCount(4);
  rows_->setHeaderLabels({"Store", "Slot", "Holds", "Gets"});
  // A flat, read-only list whose rows are current whole.
  rows_->setRootIsDecorated(false);
  rows_->setItemsExpandable(false);
  rows_->setUniformRowHeights(true);
  rows_->setAllColumnsShowFocus(true);
  rows_->setSelectionMode(QAbstractItemView::SingleSelection);
  rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
  rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows_->header()->setSectionsMovable(false);
  rows_->header()->setStretchLastSection(false);
  rows_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  rows_->installEventFilter(this);
  unchanged_ = NewLabel("Unchanged", this);

  // In the dialog from the start, so that the dialog knows its default.
  buttons_ = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* apply = buttons_->button(QDialogButtonBox::Ok);
  apply->setText("&Apply");
  apply->setObjectName("Apply");
  QPushButton* cancel = buttons_->button(QDialogButtonBox::Cancel);
  cancel->setObjectName("Cancel");
  // Enter away from Apply cancels: writing takes a deliberate choice.
  cancel->setDefault(true);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(rows_, 1);
  layout->addWidget(unchanged_);
  layout->addWidget(buttons_);
  setTabOrder(rows_, apply);
  setTabOrder(apply, cancel);
}

bool LayoutPreviewDialog::Ask(const LayoutPreview& preview) {
  Fill(preview);
  rows_->setFocus();
  return exec() == QDialog::Accepted;
}

bool LayoutPreviewDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == rows_ && event->type() == QEvent::FocusIn) {
    // Queued, so that it comes after Qt's own notice of the list's focus,
    // which comes after the focus event and names only the list.
    QTimer::singleShot(0, this, &LayoutPreviewDialog::TellCurrentRow);
  }
  return QDialog::eventFilter(watched, event);
}

void LayoutPreviewDialog::TellCurrentRow() {
  if (!rows_->hasFocus() || rows_->topLevelItemCount() == 0) return;
  QTreeWidgetItem* row = rows_->currentItem();
  if (row == nullptr) row = rows_->topLevelItem(0);
  // Screen readers hear of a row when it becomes current while the list
  // has the focus, so the current row is made current anew.
  rows_->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
  rows_->setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
}

void LayoutPreviewDialog::Fill(const LayoutPreview& preview) {
  setWindowTitle(ToQString(preview.title));
  heading_->setText(ToQString(preview.heading));
  unchanged_->setText(ToQString(preview.unchanged));
  rows_->clear();
  for (const PreviewRow& row : preview.rows) {
    auto* item =
        new QTreeWidgetItem(rows_, {ToQString(row.store), ToQString(row.slot),
                                    ToQString(row.holds), ToQString(row.gets)});
    item->setData(0, Qt::AccessibleTextRole, ToQString(row.accessible_text));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  }
  FitList();
}

void LayoutPreviewDialog::FitList() {
  QHeaderView* header = rows_->header();
  header->resizeSections(QHeaderView::ResizeToContents);
  const int frame = 2 * rows_->frameWidth();
  const int row_height = rows_->topLevelItemCount() > 0
                             ? rows_->sizeHintForRow(0)
                             : rows_->fontMetrics().height();
  QSize wanted(header->length() + frame,
               header->sizeHint().height() +
                   row_height * std::max(1, rows_->topLevelItemCount()) +
                   frame);
  // Most of the screen at the most; beyond that the list scrolls.
  const QScreen* on = screen();
  const QSize room =
      on != nullptr ? on->availableSize() * 2 / 3 : QSize(800, 600);
  if (wanted.height() > room.height()) {
    wanted.rwidth() += rows_->verticalScrollBar()->sizeHint().width();
  }
  rows_->setMinimumSize(wanted.boundedTo(room));
  // The heading wraps at the list's width rather than widening the dialog.
  heading_->setMinimumWidth(rows_->minimumWidth());
  adjustSize();
}

}  // namespace tivok
