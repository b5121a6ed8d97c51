// Building and showing the main window, as at program start.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/main_window.h"

namespace tivok {
namespace {

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
