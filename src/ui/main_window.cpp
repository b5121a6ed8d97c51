#include "ui/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QStringList>

#include "ui/app_icon.h"
#include "ui/form_layout.h"
#include "ui/slot_list.h"

namespace tivok {
namespace {

constexpr char kSubtitle[] =
    "Dragon Warrior Monsters Store Editor\nby the Tivok developers";

// Four lines joined by CR LF: who wrote it, where to report faults, an empty
// line and a farewell.
constexpr char kCreditsText[] =
    "Written by the Tivok developers. Found a fault? Message us:\r\n"
    "@tivok-dev:chat.example.org\r\n"
    "\r\n"
    "Thanks for using!";

QLabel* NewLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), editor_(*this) {
  setObjectName("Form1");
  setWindowTitle("Tivok");
  setWindowIcon(AppIcon());
  CreateControls();
  CreateMenus();
  ConnectEvents();
  SetTabOrder();
  AcceptFileDrops();
  // The layout is fixed, so the window offers no maximise button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(sizeHint());
  editor_.OnLoad();
}

void MainWindow::CreateControls() {
  auto* client = new QWidget(this);
  setCentralWidget(client);

  label1_ = NewLabel("Label1", "Tivok", client);
  QFont title_font = label1_->font();
  title_font.setFamilies({"MS Sans Serif", "sans-serif"});
  title_font.setStyleHint(QFont::SansSerif);
  title_font.setPointSize(18);
  title_font.setWeight(QFont::Normal);
  label1_->setFont(title_font);
  label1_->setAlignment(Qt::AlignCenter);

  label2_ = NewLabel("Label2", kSubtitle, client);
  label2_->setAlignment(Qt::AlignCenter);

  line1_ = new QFrame(client);
  line1_->setObjectName("Line1");
  line1_->setFrameShape(QFrame::HLine);
  line1_->setFrameShadow(QFrame::Plain);
  QPalette grey = line1_->palette();
  grey.setColor(QPalette::WindowText, QColor(128, 128, 128));
  line1_->setPalette(grey);

  frame1_ = new QGroupBox("Store Item Editor", client);
  frame1_->setObjectName("Frame1");

  label3_ = NewLabel("Label3", "Store:", frame1_);
  label6_ = NewLabel("Label6", "Slot (Byte)", frame1_);
  label4_ = NewLabel("Label4", "Items:", frame1_);
  label5_ = NewLabel("Label5", "New Item:", frame1_);

  combo1_ = new QComboBox(frame1_);
  combo1_->setObjectName("Combo1");

  combo2_ = new SlotList(frame1_);
  combo2_->setObjectName("Combo2");
  combo2_->setSelectionMode(QAbstractItemView::SingleSelection);

  combo3_ = new QComboBox(frame1_);
  combo3_->setObjectName("Combo3");
  combo3_->setEditable(true);
  combo3_->setInsertPolicy(QComboBox::NoInsert);
  // Typed text never completes to, adds or selects an entry: without a
  // completer and without QComboBox's own match on finished editing, only a
  // choice from the list (mouse, arrow keys, wheel) selects one.
  combo3_->setCompleter(nullptr);
  QObject::disconnect(combo3_->lineEdit(), &QLineEdit::editingFinished, combo3_,
                      nullptr);

  command1_ = new QPushButton("Save", frame1_);
  command1_->setObjectName("Command1");
  command1_->setEnabled(false);

  LayOutForm({client, label1_, label2_, line1_, frame1_, label3_, combo1_,
              label6_, label4_, combo2_, label5_, combo3_, command1_});
}

void MainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File");
  open_ = file->addAction("Open...");
  open_->setObjectName("Open");
  open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  file->addSeparator();
  quit_ = file->addAction("&Quit");
  quit_->setObjectName("Quit");
  quit_->setMenuRole(QAction::QuitRole);
  // The platform's Quit key, Ctrl+Q where it names none.
  QList<QKeySequence> quit_keys = QKeySequence::keyBindings(QKeySequence::Quit);
  if (quit_keys.isEmpty()) quit_keys = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
  quit_->setShortcuts(quit_keys);

  QMenu* other = menuBar()->addMenu("&Other");
  other->setObjectName("Other");
  credits_ = other->addAction("Credits");
  credits_->setObjectName("Credits");
}

void MainWindow::ConnectEvents() {
  connect(open_, &QAction::triggered, this, [this] { editor_.OnOpen(); });
  connect(credits_, &QAction::triggered, this, [this] { OnCredits(); });
  // Closing the window ends the program; nothing is saved.
  connect(quit_, &QAction::triggered, this, &QWidget::close);
  // activated() comes from the user only (list, arrow keys, wheel), never
  // from setting the entry in code.
  connect(combo1_, &QComboBox::activated, this,
          [this] { editor_.OnStoreChosen(); });
  connect(combo3_, &QComboBox::activated, this, [this] {
    item_chosen_ = true;
    editor_.OnNewItemChosen();
  });
  connect(combo3_->lineEdit(), &QLineEdit::textEdited, this,
          [this] { item_chosen_ = false; });
  // A selection, not a current row: focus entering the list makes a row
  // current without selecting it, and that is no choice.
  connect(combo2_, &QListWidget::itemSelectionChanged, this, [this] {
    if (SelectedSlot() >= 0) editor_.OnSlotChosen();
  });
  connect(command1_, &QPushButton::clicked, this, [this] { editor_.OnSave(); });
}

void MainWindow::SetTabOrder() {
  setTabOrder(combo2_, combo3_);
  setTabOrder(combo3_, command1_);
  setTabOrder(command1_, combo1_);
  combo2_->setFocus();
}

void MainWindow::OnCredits() { ShowMessage(kCreditsText, "Credits"); }

}  // namespace tivok
