#ifndef TIVOK_UI_STATUS_LINE_H_
#define TIVOK_UI_STATUS_LINE_H_

#include <QLabel>

class QTextLayout;
class QTimer;

namespace tivok {

// The status bar's text. It keeps room for kLines lines in its font,
// whatever its text, so that the window keeps its size as the status
// changes. The text wraps to the width it is given, between words or, for a
// word too long for a line such as a file name, inside the word. A text that
// needs more lines than the room holds ends in an ellipsis and shows whole
// in the tooltip. Screen readers know it as a notification in the status
// bar, whose name is its whole text.
class StatusLine : public QLabel {
  Q_OBJECT

 public:
  // Most statuses fit in four lines at the window's width.
  static constexpr int kLines = 4;

  explicit StatusLine(QWidget* parent = nullptr);

  // Shows `text` and has screen readers speak it, also when it is the text
  // shown already, such as after a second save: AT-SPI screen readers speak
  // a notification that comes to be shown, but not a label whose name
  // changes away from the keyboard focus. Texts set while one event is
  // handled are announced once, the last of them, when it is done.
  void Announce(const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Lays the text out in lines of `width` pixels; returns how many of them
  // fit into `height` pixels.
  int LayOut(QTextLayout& layout, int width, int height) const;
  // Gives the tooltip the whole text when it does not fit, else none.
  void FitToolTip();

  QTimer* announce_ = nullptr;
};

}  // namespace tivok

#endif  // TIVOK_UI_STATUS_LINE_H_
