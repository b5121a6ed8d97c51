#include "ui/slot_list.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>
#include <string_view>

#include "rom/item_table.h"
#include "rom/store_table.h"
#include "ui/core_text.h"
#include "ui/widest_text.h"

namespace tivok {
namespace {

// The widest entry that a slot can show in `metrics`' font, "k (XX)": the
// widest slot number and twice the widest hex digit, by their unrounded
// advances (rounded ones tie at small sizes), each measured once.
QString WidestEntry(const QFontMetricsF& metrics) {
  const auto widest = [&metrics](const QString& characters) {
    QChar found = characters.front();
    qreal found_width = metrics.horizontalAdvance(found);
    for (const QChar c : characters) {
      const qreal width = metrics.horizontalAdvance(c);
      if (width > found_width) {
        found = c;
        found_width = width;
      }
    }
    return found;
  };
  const QChar digit = widest("0123456789ABCDEF");
  return QString("%1 (%2%2)").arg(widest("12345678")).arg(digit);
}
// What the item column shows for a code that is no item.
constexpr char kUnknownItem[] = "unknown";
// The columns.
constexpr int kItemColumn = 1;
constexpr int kCleanColumn = 2;

}  // namespace

SlotList::SlotList(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(3);
  setHeaderLabels({"Slot", "Item", "Clean"});
  setColumnHidden(kCleanColumn, true);
  // A flat list of rows: no branches, no editing, one row selected whole.
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  header()->setSectionsMovable(false);
  header()->setSectionsClickable(false);
  header()->setSectionResizeMode(QHeaderView::Fixed);
  header()->setStretchLastSection(true);
  // The list asks for room for every column. Until the window has grown to
  // give it room for one more, a scroll bar would take height, and then a
  // vertical one width, which would keep both.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MeasureColumns();
}

void SlotList::AddRow(const QString& entry, const QString& item,
                      const QString& clean, const QString& tooltip,
                      const QString& accessible_text) {
  auto* row = new QTreeWidgetItem(this, {entry, item, clean});
  for (int column = 0; column < columnCount(); ++column) {
    row->setToolTip(column, tooltip);
  }
  row->setData(0, Qt::AccessibleTextRole, accessible_text);
}

void SlotList::ShowCleanColumn(bool shown) {
  if (isColumnHidden(kCleanColumn) != shown) return;
  MeasureColumns();
  setColumnHidden(kCleanColumn, !shown);
  updateGeometry();
}

int SlotList::SelectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

int SlotList::CurrentRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : -1;
}

void SlotList::SetCurrentRow(int row,
                             QItemSelectionModel::SelectionFlags command) {
  selectionModel()->setCurrentIndex(model()->index(row, 0),
                                    command | QItemSelectionModel::Rows);
}

QSize SlotList::CellSize(const QString& text) const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.features |= QStyleOptionViewItem::HasDisplay;
  option.text = text;
  return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(),
                                   this);
}

void SlotList::MeasureColumns() {
  const QFontMetrics metrics = fontMetrics();
  const QString widest_entry = WidestEntry(QFontMetricsF(font()));
  const QSize entry = CellSize(widest_entry);
  entry_width_ = entry.width();
  row_height_ = entry.height();
  // The style adds the same margins to every text. The headers' words are
  // shorter than the texts below them.
  QStringList names;
  for (std::string_view name : ItemTable::Names()) names << ToQString(name);
  const int widest = std::max(WidestText(*this, names),
                              metrics.horizontalAdvance(kUnknownItem));
  item_width_ = entry_width_ - metrics.horizontalAdvance(widest_entry) + widest;
  header()->resizeSection(0, entry_width_);
  // The last column shown stretches to the list's edge, but not at once
  // when it was hidden before, nor back when another comes after it.
  header()->resizeSection(kItemColumn, item_width_);
  header()->resizeSection(kCleanColumn, item_width_);
}

void SlotList::changeEvent(QEvent* event) {
  QTreeWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange ||
      event->type() == QEvent::StyleChange) {
    MeasureColumns();
    updateGeometry();
  }
}

QSize SlotList::sizeHint() const {
  int rows = 0;
  for (const Store& store : StoreTable::All()) {
    rows = std::max(rows, store.slot_count);
  }
  const int frame = 2 * frameWidth();
  const int clean = isColumnHidden(kCleanColumn) ? 0 : item_width_;
  return QSize(entry_width_ + item_width_ + clean + frame,
               header()->sizeHint().height() + rows * row_height_ + frame);
}

void SlotList::focusInEvent(QFocusEvent* event) {
  const bool had_current = currentIndex().isValid();
  // The row that the focus lands on is the chosen one, or none, which the
  // status line names already: no change to report, so that a status
  // that a dialog's event left stays once the focus is back.
  entering_ = true;
  QTreeWidget::focusInEvent(event);
  if (!had_current) {
    // The focus lands on the selected row, or on none.
    const QModelIndexList selected = selectionModel()->selectedRows();
    selectionModel()->setCurrentIndex(
        selected.isEmpty() ? QModelIndex() : selected.first(),
        QItemSelectionModel::NoUpdate);
  }
  entering_ = false;
}

void SlotList::paintEvent(QPaintEvent* event) {
  QTreeWidget::paintEvent(event);
  if (!hasFocus()) return;
  // Styles such as Fusion show the focus only after a key has moved it,
  // faintly over a selected row, and not at all while no row is current: a
  // frame two pixels wide marks it here instead, in the text's colour
  // around the current row and the selection's colour around the whole
  // list.
  const QModelIndex current = currentIndex();
  QRect area = viewport()->rect();
  if (current.isValid()) {
    const QRect cell = visualRect(current);
    area.setTop(cell.top());
    area.setHeight(cell.height());
  }
  QPainter painter(viewport());
  QPen pen(palette().color(current.isValid() ? QPalette::Text
                                             : QPalette::Highlight));
  pen.setWidth(2);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.drawRect(area.adjusted(1, 1, -1, -1));
}

void SlotList::currentChanged(const QModelIndex& current,
                              const QModelIndex& previous) {
  QTreeWidget::currentChanged(current, previous);
  // The mark moves between a row and the whole list.
  viewport()->update();
  if (!entering_ && (current.isValid() != previous.isValid() ||
                     current.row() != previous.row())) {
    emit CurrentRowChanged();
  }
}

}  // namespace tivok
