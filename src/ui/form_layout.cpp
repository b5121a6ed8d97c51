#include "ui/form_layout.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tivok {

void LayOutForm(const FormControls& c) {
  // Labels sit in the left column, level with the first line of their
  // control; "Slot (Byte)" heads the slot list and Save sits under New Item.
  // The controls sit on a plain widget inside the frame: Qt would otherwise
  // name the frame's title to screen readers as a label of every control.
  auto* fields = new QWidget(c.frame1);
  fields->setObjectName("Fields");
  auto* frame_box = new QVBoxLayout(c.frame1);
  frame_box->addWidget(fields);
  auto* grid = new QGridLayout(fields);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(c.label3, 0, 0);
  grid->addWidget(c.combo1, 0, 1);
  grid->addWidget(c.label6, 1, 1);
  grid->addWidget(c.label4, 2, 0, Qt::AlignTop);
  grid->addWidget(c.combo2, 2, 1);
  grid->addWidget(c.label5, 3, 0);
  grid->addWidget(c.combo3, 3, 1);
  grid->addWidget(c.command1, 4, 1, Qt::AlignLeading);

  // Line1 runs from edge to edge; everything else keeps the style's
  // margins, so the frame's border stays off the window's edges.
  QStyle* style = c.client->style();
  const int left = style->pixelMetric(QStyle::PM_LayoutLeftMargin);
  const int right = style->pixelMetric(QStyle::PM_LayoutRightMargin);
  const int bottom = style->pixelMetric(QStyle::PM_LayoutBottomMargin);
  auto* head = new QVBoxLayout;
  head->setContentsMargins(left, 0, right, 0);
  head->setSpacing(0);
  head->addWidget(c.label1);
  head->addWidget(c.label2);
  auto* body = new QVBoxLayout;
  body->setContentsMargins(left, 0, right, bottom);
  body->addWidget(c.frame1);

  auto* column = new QVBoxLayout(c.client);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(head);
  column->addWidget(c.line1);
  column->addLayout(body);
}

}  // namespace tivok
