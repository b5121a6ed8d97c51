#ifndef TIVOK_UI_FORM_LAYOUT_H_
#define TIVOK_UI_FORM_LAYOUT_H_

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace tivok {

// The controls of the main window's client area, for placing them.
struct FormControls {
  QWidget* client;
  QLabel* label1;
  QLabel* label2;
  QFrame* line1;
  QGroupBox* frame1;
  QLabel* label3;
  QComboBox* combo1;
  QLabel* label6;
  QLabel* label4;
  QListWidget* combo2;
  QLabel* label5;
  QComboBox* combo3;
  QPushButton* command1;
};

// Places the controls as the window was designed, in twips for an 8 point
// font at 96 dpi, scaled up evenly to the platform's fonts so that no text
// is clipped, and fixes the client area's size to match.
void LayOutForm(const FormControls& controls);

}  // namespace tivok

#endif  // TIVOK_UI_FORM_LAYOUT_H_
