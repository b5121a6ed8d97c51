#ifndef TIVOK_UI_STATUS_LINE_H_
#define TIVOK_UI_STATUS_LINE_H_

#include <QLabel>

class QTextLayout;
class QTimer;

namespace tivok {

// The status bar's text. It wraps to the width it is given, between words
// or, for a word too long for a line such as a file name, inside the word,
// and asks for the height of all its lines, so that the window grows to
// show the whole text and never widens for it. Screen readers know it as a
// notification in the status bar, whose name is its text.
class StatusLine : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent = nullptr);

  // Shows `text` and has screen readers speak it, also when it is the text
  // shown already, such as after a second save: AT-SPI screen readers speak
  // a notification that comes to be shown, but not a label whose name
  // changes away from the keyboard focus. Texts set while one event is
  // handled are announced once, the last of them, when it is done.
  void Announce(const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // Its size hint follows its width instead: QStatusBar does not lay out
  // by height for width.
  bool hasHeightForWidth() const override { return false; }
  int heightForWidth(int width) const override;

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Lays the text out in lines of `width` pixels; returns their height.
  int LayOut(QTextLayout& layout, int width) const;

  QTimer* announce_ = nullptr;
  // The height that the text last measured needs at a width.
  struct Measured {
    int width = -1;
    QString text;
    int height = 0;
  };
  mutable Measured measured_;
};

}  // namespace tivok

#endif  // TIVOK_UI_STATUS_LINE_H_
