#include "ui/status_line.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QTextLayout>
#include <QTextOption>
#include <QTimer>
#include <cmath>

namespace tivok {
namespace {

// The status line as assistive technology sees it.
class StatusLineAccessible : public QAccessibleWidget {
 public:
  explicit StatusLineAccessible(StatusLine* line)
      : QAccessibleWidget(line, QAccessible::Notification) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) {
      return static_cast<const StatusLine*>(widget())->text();
    }
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
  announce_->start();
}

int StatusLine::LayOut(QTextLayout& layout, int width) const {
  QTextOption option(
      QStyle::visualAlignment(layoutDirection(), Qt::AlignLeft | Qt::AlignTop));
  option.setTextDirection(layoutDirection());
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setText(text());
  layout.setFont(font());
  layout.setTextOption(option);
  qreal height = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid();
       line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  layout.endLayout();
  return static_cast<int>(std::ceil(height));
}

int StatusLine::heightForWidth(int width) const {
  // Layouts ask for the same width again and again between two texts.
  if (width == measured_.width && text() == measured_.text) {
    return measured_.height;
  }
  const QMargins margins = contentsMargins();
  QTextLayout layout;
  const int lines =
      text().isEmpty()
          ? fontMetrics().height()
          : LayOut(layout, width - margins.left() - margins.right());
  measured_ = {width, text(), lines + margins.top() + margins.bottom()};
  return measured_.height;
}

void StatusLine::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange ||
      event->type() == QEvent::StyleChange ||
      event->type() == QEvent::LayoutDirectionChange) {
    measured_ = {};
  }
  QLabel::changeEvent(event);
}

QSize StatusLine::sizeHint() const { return QSize(0, heightForWidth(width())); }

QSize StatusLine::minimumSizeHint() const { return sizeHint(); }

void StatusLine::paintEvent(QPaintEvent* /*event*/) {
  const QRect box = contentsRect();
  QTextLayout layout;
  LayOut(layout, box.width());
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  layout.draw(&painter, box.topLeft());
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  // A new width may need another number of lines.
  if (event->size().width() != event->oldSize().width()) updateGeometry();
}

}  // namespace tivok
