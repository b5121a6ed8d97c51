#include "ui/status_line.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QTextOption>
#include <QTimer>
#include <cmath>

#include "ui/core_text.h"

namespace tivok {
namespace {

// The status line as assistive technology sees it: named by its whole
// text, which its tooltip would only repeat.
class StatusLineAccessible : public QAccessibleWidget {
 public:
  explicit StatusLineAccessible(StatusLine* line)
      : QAccessibleWidget(line, QAccessible::Notification) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) {
      return static_cast<const StatusLine*>(widget())->text();
    }
    if (kind == QAccessible::Description) return {};
    return QAccessibleWidget::text(kind);
  }

  static QAccessibleInterface* Make(const QString& /*class_name*/,
                                    QObject* object) {
    auto* line = qobject_cast<StatusLine*>(object);
    return line != nullptr ? new StatusLineAccessible(line) : nullptr;
  }
};

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  static const bool described =
      (QAccessible::installFactory(&StatusLineAccessible::Make), true);
  Q_UNUSED(described);
  announce_ = new QTimer(this);
  announce_->setSingleShot(true);
  announce_->setInterval(0);
  connect(announce_, &QTimer::timeout, this, [this] {
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
  });
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  // The text lines up with the frame above it.
  const int side = style()->pixelMetric(QStyle::PM_LayoutLeftMargin) / 2;
  setContentsMargins(side, 0, side, 0);
}

void StatusLine::Announce(const QString& new_text) {
  setText(new_text);
  FitToolTip();
  announce_->start();
}

int StatusLine::LayOut(QTextLayout& layout, int width, int height) const {
  QTextOption option(
      QStyle::visualAlignment(layoutDirection(), Qt::AlignLeft | Qt::AlignTop));
  option.setTextDirection(layoutDirection());
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setText(text());
  layout.setFont(font());
  layout.setTextOption(option);
  int fit = 0;
  qreal top = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid();
       line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, top));
    top += line.height();
    if (std::ceil(top) <= height) ++fit;
  }
  layout.endLayout();
  return fit;
}

void StatusLine::FitToolTip() {
  QTextLayout layout;
  const QRect box = contentsRect();
  const bool fits =
      LayOut(layout, box.width(), box.height()) == layout.lineCount();
  setToolTip(fits ? QString() : PlainToolTip(text()));
}

QSize StatusLine::sizeHint() const {
  const QMargins margins = contentsMargins();
  return QSize(
      0, kLines * fontMetrics().height() + margins.top() + margins.bottom());
}

QSize StatusLine::minimumSizeHint() const { return sizeHint(); }

void StatusLine::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange ||
      event->type() == QEvent::StyleChange ||
      event->type() == QEvent::LayoutDirectionChange) {
    FitToolTip();
  }
}

void StatusLine::paintEvent(QPaintEvent* /*event*/) {
  const QRect box = contentsRect();
  QTextLayout layout;
  const int fit = LayOut(layout, box.width(), box.height());
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  painter.setLayoutDirection(layoutDirection());
  for (int i = 0; i < fit; ++i) {
    const QTextLine line = layout.lineAt(i);
    if (i + 1 < fit || fit == layout.lineCount()) {
      line.draw(&painter, box.topLeft());
      continue;
    }
    // The last line that fits ends with an ellipsis where the text goes on.
    const QString rest =
        text().mid(line.textStart()).replace(QChar('\n'), QChar(' '));
    const QRectF place(box.left(), box.top() + line.y(), box.width(),
                       line.height());
    painter.drawText(
        place,
        QStyle::visualAlignment(layoutDirection(),
                                Qt::AlignLeft | Qt::AlignTop),
        fontMetrics().elidedText(rest, Qt::ElideRight, box.width()));
  }
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  FitToolTip();
}

}  // namespace tivok
