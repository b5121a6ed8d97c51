#ifndef TIVOK_UI_FORM_LAYOUT_H_
#define TIVOK_UI_FORM_LAYOUT_H_

class QAbstractItemView;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace tivok {

// The controls of the main window's client area, for arranging them.
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
  QAbstractItemView* combo2;
  QLabel* label5;
  QComboBox* combo3;
  QPushButton* command1;
};

// Puts the controls into layouts, top to bottom as the window was designed:
// the title and subtitle centred, the line across the window, then the frame
// with the labels in a left column and their controls to the right.
void LayOutForm(const FormControls& controls);

}  // namespace tivok

#endif  // TIVOK_UI_FORM_LAYOUT_H_
