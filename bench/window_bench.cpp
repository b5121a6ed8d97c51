// The main window against a bare Qt window: time from process start to the
// first window drawn, with the peak memory of that process, and the time to
// build and show one more window in a running program.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdlib>
#include <memory>
#include <string>

#include "first_window.h"
#include "ui/main_window.h"

extern char** environ;

namespace tivok {

namespace {

// A plain Qt window with the kinds of controls that Tivok's window has (a
// two-column list among them) and nothing of Tivok's: what those controls
// cost by themselves.
std::unique_ptr<QMainWindow> PlainWindowWithControls() {
  auto window = std::make_unique<QMainWindow>();
  QMenu* file = window->menuBar()->addMenu("&File");
  file->addAction("Open...")->setShortcut(QKeySequence::Open);
  window->menuBar()->addMenu("&Other")->addAction("Credits");
  auto* client = new QWidget;
  auto* column = new QVBoxLayout(client);
  column->addWidget(new QLabel("Tivok"));
  auto* frame = new QGroupBox("Store Item Editor");
  auto* grid = new QGridLayout(frame);
  grid->addWidget(new QLabel("Store:"), 0, 0);
  grid->addWidget(new QComboBox, 0, 1);
  auto* slot_list = new QTreeWidget;
  slot_list->setHeaderLabels({"Slot", "Item"});
  slot_list->setRootIsDecorated(false);
  grid->addWidget(slot_list, 1, 1);
  auto* items = new QComboBox;
  items->setEditable(true);
  grid->addWidget(items, 2, 1);
  grid->addWidget(new QPushButton("Save"), 3, 1);
  column->addWidget(frame);
  window->setCentralWidget(client);
  window->statusBar()->addWidget(new QLabel("Status"), 1);
  return window;
}

}  // namespace

int ShowFirstWindow(int argc, char** argv, std::string_view which) {
  QApplication app(argc, argv);
  std::unique_ptr<QMainWindow> window;
  if (which == "tivok") {
    window = std::make_unique<MainWindow>();
  } else if (which == "controls") {
    window = PlainWindowWithControls();
  } else {
    window = std::make_unique<QMainWindow>();
    window->setCentralWidget(new QLabel("Tivok"));
  }
  window->show();
  QApplication::processEvents();
  return window->isVisible() ? 0 : 1;
}

namespace {

// Starts this program to show one window and waits for it to end.
void BM_FirstWindow(benchmark::State& state, const char* which) {
  const std::string option = std::string(kFirstWindowOption) + which;
  char self[] = "/proc/self/exe";
  char* args[] = {self, const_cast<char*>(option.c_str()), nullptr};
  long peak_kib = 0;
  for (auto _ : state) {
    pid_t child = 0;
    if (::posix_spawn(&child, self, nullptr, nullptr, args, environ) != 0) {
      state.SkipWithError("cannot start the window process");
      return;
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the window process failed");
      return;
    }
    peak_kib = usage.ru_maxrss;
  }
  state.counters["peak_rss_mib"] = static_cast<double>(peak_kib) / 1024.0;
}

BENCHMARK_CAPTURE(BM_FirstWindow, bare, "bare")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_FirstWindow, controls, "controls")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_FirstWindow, tivok, "tivok")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_BuildAndShowWindow(benchmark::State& state) {
  for (auto _ : state) {
    MainWindow window;
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.isVisible());
  }
}

BENCHMARK(BM_BuildAndShowWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tivok
