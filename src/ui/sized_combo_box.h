#ifndef TIVOK_UI_SIZED_COMBO_BOX_H_
#define TIVOK_UI_SIZED_COMBO_BOX_H_

#include <QComboBox>
#include <QStringList>

namespace tivok {

// A drop-down that asks for room for the texts it will hold before it holds
// any, so that the window keeps its size when the lists are filled and
// cleared. Its size hint follows the font like QComboBox's own.
class SizedComboBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;

  void SetRoomFor(const QStringList& texts);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // `hint` widened to hold the longest of the texts.
  QSize WithRoom(QSize hint) const;

  QStringList room_for_;
  // The width that the texts need in the current font and style, measured
  // once: -1 until then.
  mutable int room_width_ = -1;
};

}  // namespace tivok

#endif  // TIVOK_UI_SIZED_COMBO_BOX_H_
