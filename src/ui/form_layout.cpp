#include "ui/form_layout.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>
#include <vector>

#include "rom/item_table.h"
#include "rom/store_table.h"

namespace tivok {
namespace {

// The design counts 15 twips to a pixel at 96 dpi, where its font (MS Sans
// Serif 8 pt) is 13 pixels high.
constexpr double kTwipsPerPixel = 15.0;
constexpr double kDesignFontHeight = 13.0;

// One control's place: twips relative to its parent, and the pixels that its
// content needs. A place without a widget only reserves room.
struct Place {
  QWidget* widget;
  QRect twips;
  QSize needs;
};

int ToPixels(int twips, double scale) {
  return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

// Edges rather than sizes are rounded, so that neighbours stay flush.
QRect ToPixels(const QRect& twips, double scale) {
  const int left = ToPixels(twips.x(), scale);
  const int top = ToPixels(twips.y(), scale);
  return QRect(left, top, ToPixels(twips.x() + twips.width(), scale) - left,
               ToPixels(twips.y() + twips.height(), scale) - top);
}

bool Fits(const Place& place, double scale) {
  const QSize size = ToPixels(place.twips, scale).size();
  return size.width() >= place.needs.width() &&
         size.height() >= place.needs.height();
}

// The smallest scale, from `scale` on, at which every place holds its
// content.
double FitScale(const std::vector<Place>& places, double scale) {
  for (const Place& place : places) {
    scale = std::max({scale,
                      place.needs.width() * kTwipsPerPixel /
                          std::max(place.twips.width(), 1),
                      place.needs.height() * kTwipsPerPixel /
                          std::max(place.twips.height(), 1)});
  }
  // Rounding may still cost a place a pixel.
  while (!std::all_of(places.begin(), places.end(),
                      [scale](const Place& p) { return Fits(p, scale); })) {
    scale += 0.01;
  }
  return scale;
}

// A label's box ends where a control beside or below it begins: the design
// lets the box run under its neighbour. Beside a drop-down it takes the
// drop-down's height, so that both texts share a line.
void FitLabel(QLabel* label, QRect& box, const std::vector<Place>& places) {
  for (const Place& other : places) {
    if (other.widget == nullptr || qobject_cast<QLabel*>(other.widget) ||
        other.widget->parentWidget() != label->parentWidget() ||
        !box.intersects(other.twips)) {
      continue;
    }
    if (other.twips.x() > box.x()) {
      box.setRight(other.twips.x() - 1);
    } else if (other.twips.y() > box.y()) {
      box.setBottom(other.twips.y() - 1);
    }
  }
  for (const Place& other : places) {
    if (qobject_cast<QComboBox*>(other.widget) &&
        other.widget->parentWidget() == label->parentWidget() &&
        other.twips.y() == box.y() && other.twips.x() > box.x()) {
      box.setHeight(other.twips.height());
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
  }
}

QSize TextNeeds(const QLabel* label) {
  return label->fontMetrics().size(0, label->text());
}

// What a drop-down needs to show the longest of `texts`, measured the way
// QComboBox measures its entries.
QSize ComboNeeds(const QComboBox* combo,
                 std::span<const std::string_view> texts) {
  const QFontMetrics metrics = combo->fontMetrics();
  int width = 0;
  for (std::string_view text : texts) {
    width = std::max(width, metrics.horizontalAdvance(QString::fromUtf8(
                                text.data(), std::ssize(text))));
  }
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = combo->isEditable();
  const QSize contents(
      width,
      std::max(static_cast<int>(std::ceil(QFontMetricsF(metrics).height())),
               14) +
          2);
  return combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                          contents, combo);
}

// The frame's caption: its width, and its height above the first control.
QSize CaptionNeeds(const QGroupBox* frame) {
  QStyleOptionGroupBox option;
  option.initFrom(frame);
  option.text = frame->title();
  option.lineWidth = 1;
  option.textAlignment = frame->alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  option.rect = QRect(0, 0, 1000, 1000);
  const QRect caption = frame->style()->subControlRect(
      QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
  return QSize(caption.right() + 1 + caption.left(), caption.bottom() + 1);
}

// The slot list shows the most slots that a store has without scrolling.
QSize SlotListNeeds(QListWidget* list) {
  int rows = 0;
  for (const Store& store : StoreTable::All()) {
    rows = std::max(rows, store.slot_count);
  }
  list->addItem("8 (2B)");
  const int row_height = list->sizeHintForRow(0);
  delete list->takeItem(0);
  return QSize(0, rows * row_height + 2 * list->frameWidth());
}

std::vector<std::string_view> StoreLabels() {
  std::vector<std::string_view> labels;
  for (const Store& store : StoreTable::All()) {
    labels.push_back(store.selector_label);
  }
  return labels;
}

}  // namespace

void LayOutForm(const FormControls& c) {
  // The design puts the frame flush with the window's edges; a margin as
  // wide as the frame's own keeps its caption and border off them.
  constexpr int kMargin = 120;
  const QRect client(0, 0, 3015 + 2 * kMargin, 4095 + kMargin);
  const std::vector<std::string_view> store_labels = StoreLabels();

  // The design, in twips. Line1 runs across the whole window.
  std::vector<Place> places = {
      {c.label1, {kMargin, 0, 3015, 495}, {}},
      {c.label2, {kMargin, 480, 3015, 375}, {}},
      {c.line1, {0, 945, client.width(), 30}, {}},
      {c.frame1, {kMargin, 1080, 3015, 3015}, {}},
      {nullptr, {0, 0, 3015, 240}, CaptionNeeds(c.frame1)},
      {c.label3, {120, 240, 735, 255}, {}},
      {c.combo1, {600, 240, 2295, 315}, ComboNeeds(c.combo1, store_labels)},
      {c.label6, {600, 600, 2295, 255}, {}},
      {c.label4, {120, 840, 495, 255}, {}},
      {c.combo2, {600, 840, 2295, 1230}, SlotListNeeds(c.combo2)},
      {c.label5, {120, 2160, 735, 255}, {}},
      {c.combo3,
       {960, 2160, 1935, 315},
       ComboNeeds(c.combo3, ItemTable::Names())},
      {c.command1, {960, 2520, 1095, 375}, c.command1->sizeHint()},
  };
  for (Place& place : places) {
    if (auto* label = qobject_cast<QLabel*>(place.widget)) {
      FitLabel(label, place.twips, places);
      place.needs = TextNeeds(label);
    }
  }

  const double font_scale =
      QFontMetricsF(c.client->font()).height() / kDesignFontHeight;
  const double scale = FitScale(places, font_scale);
  for (const Place& place : places) {
    if (place.widget != nullptr) {
      place.widget->setGeometry(ToPixels(place.twips, scale));
    }
  }
  c.client->setFixedSize(ToPixels(client, scale).size());
}

}  // namespace tivok
