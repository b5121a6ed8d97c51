#include "ui/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <string>
#include <string_view>

#include "rom/item_table.h"
#include "rom/store_table.h"
#include "ui/app_icon.h"
#include "ui/core_text.h"
#include "ui/form_layout.h"
#include "ui/image_watcher.h"
#include "ui/item_selector.h"
#include "ui/recent_menu.h"
#include "ui/sized_combo_box.h"
#include "ui/slot_list.h"
#include "ui/status_line.h"

namespace tivok {
namespace {

constexpr char kTitleFamily[] = "MS Sans Serif";

constexpr char kSubtitle[] =
    "Dragon Warrior Monsters Store Editor\nby the Tivok developers";

// The one address for reports, by mail or over XMPP.
constexpr char kContact[] = "tivok@example.org";

// Four lines joined by CR LF: who wrote it, where to report faults, an empty
// line and a farewell.
std::string CreditsText() {
  return std::string(
             "Written by the Tivok developers. Found a fault? Message us over "
             "XMPP:\r\n") +
         kContact + "\r\n\r\nThanks for using!";
}

std::string AboutText() {
  return std::string("Tivok ") + TIVOK_VERSION +
         "\n\nEdits the store inventories of Dragon Warrior Monsters "
         "cartridge images.\n\nFree software under the MIT licence.\n"
         "Contact: " +
         kContact + " (e-mail or XMPP)";
}

QLabel* NewLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), watcher_(new ImageWatcher(this)), editor_(*this) {
  setObjectName("Form1");
  setWindowTitle("Tivok");
  setWindowIcon(AppIcon());
  CreateControls();
  CreateMenus();
  CreateStatusLine();
  DescribeControls();
  ConnectMenus();
  ConnectEvents();
  SetTabOrder();
  AcceptFileDrops();
  // The layout is fixed, so the window offers no maximise button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // The window takes the size its layout asks for, and takes it again when
  // fonts change.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  editor_.OnLoad();
}

MainWindow::~MainWindow() {
  // The editor goes before the controls: a field that loses the focus as
  // the window closes must not report to it.
  combo3_->blockSignals(true);
  combo2_->blockSignals(true);
  watcher_->blockSignals(true);
  if (clean_watcher_ != nullptr) clean_watcher_->blockSignals(true);
}

void MainWindow::CreateControls() {
  auto* client = new QWidget(this);
  setCentralWidget(client);

  label1_ = NewLabel("Label1", "Tivok", client);
  // The designed face where the system has it, else the window's own: a
  // family that is not there would cost a search for a substitute at every
  // start.
  QFont title_font = label1_->font();
  if (QFontDatabase::hasFamily(kTitleFamily)) {
    title_font.setFamilies({kTitleFamily});
  }
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

  // Each label's access key moves the focus to its control (its buddy).
  label3_ = NewLabel("Label3", "&Store:", frame1_);
  label6_ = NewLabel("Label6", "Slot (Byte)", frame1_);
  label4_ = NewLabel("Label4", "&Items:", frame1_);
  label5_ = NewLabel("Label5", "&New Item:", frame1_);

  combo1_ = new SizedComboBox(frame1_);
  combo1_->setObjectName("Combo1");
  QStringList store_labels;
  for (const Store& store : StoreTable::All()) {
    store_labels << ToQString(store.selector_label);
  }
  combo1_->SetRoomFor(store_labels);

  combo2_ = new SlotList(frame1_);
  combo2_->setObjectName("Combo2");

  combo3_ = new ItemSelector(frame1_);
  combo3_->setObjectName("Combo3");
  QStringList item_names;
  for (std::string_view name : ItemTable::Names())
    item_names << ToQString(name);
  combo3_->SetRoomFor(item_names);

  command1_ = new QPushButton("Save", frame1_);
  command1_->setObjectName("Command1");
  command1_->setEnabled(false);

  LayOutForm({client, label1_, label2_, line1_, frame1_, label3_, combo1_,
              label6_, label4_, combo2_, label5_, combo3_, command1_});
}

void MainWindow::ConnectEvents() {
  connect(watcher_, &ImageWatcher::Changed, this,
          [this] { editor_.OnImageChanged(); });
  // activated() comes from the user only (list, arrow keys, wheel), never
  // from setting the entry in code.
  connect(combo1_, &QComboBox::activated, this, [this] {
    DescribeStore();
    editor_.OnStoreChosen();
  });
  connect(combo3_, &QComboBox::activated, this,
          [this] { editor_.OnNewItemChosen(); });
  connect(combo3_, &ItemSelector::TextEntered, this,
          [this] { editor_.OnItemTextEntered(); });
  // A selection, not a current row: focus entering the list makes a row
  // current without selecting it, and that is no choice.
  connect(combo2_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (SelectedSlot() >= 0) editor_.OnSlotChosen();
  });
  connect(command1_, &QPushButton::clicked, this, [this] { editor_.OnSave(); });
  // The current row follows the keyboard focus, also without a selection.
  connect(combo2_, &SlotList::CurrentRowChanged, this,
          [this] { editor_.OnCurrentSlotChanged(); });
}

void MainWindow::SetTabOrder() {
  setTabOrder(combo2_, combo3_);
  setTabOrder(combo3_, command1_);
  setTabOrder(command1_, combo1_);
  combo2_->setFocus();
}

void MainWindow::CreateStatusLine() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar");
  bar->setSizeGripEnabled(false);
  bar->setAccessibleName("Status");
  // The label's accessible name is its text, so that a screen reader reads
  // the status itself.
  status_ = new StatusLine(bar);
  status_->setObjectName("Status");
  bar->addWidget(status_, 1);
  // Shown only while the checksum is stale; its accessible name explains
  // it, as its tooltip does.
  checksum_mark_ = NewLabel("ChecksumMark", {}, bar);
  checksum_mark_->setWordWrap(true);
  checksum_mark_->setAlignment(Qt::AlignCenter);
  checksum_mark_->setContentsMargins(4, 0, 4, 0);
  checksum_mark_->hide();
  bar->addPermanentWidget(checksum_mark_);
}

// Names for screen readers, in the words of the visible labels, which also
// become their controls' buddies.
void MainWindow::DescribeControls() {
  combo1_->setAccessibleName("Store");
  combo2_->setAccessibleName("Items, Slot (Byte)");
  combo3_->setAccessibleName("New Item");
  command1_->setAccessibleName("Save");
  label3_->setBuddy(combo1_);
  label4_->setBuddy(combo2_);
  label6_->setBuddy(combo2_);
  label5_->setBuddy(combo3_);
}

void MainWindow::OnCredits() { ShowMessage(CreditsText(), "Credits"); }

void MainWindow::OnAbout() { ShowMessage(AboutText(), "About Tivok"); }

}  // namespace tivok
