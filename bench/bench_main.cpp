// Runs the benchmarks inside a QApplication on the offscreen platform, so
// the window benchmarks need no display. Started with --first-window=..., it
// only shows that one window and exits, for the start-up benchmarks.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string_view>

#include "first_window.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  if (argc == 2 &&
      std::string_view(argv[1]).starts_with(tivok::kFirstWindowOption)) {
    return tivok::ShowFirstWindow(
        argc, argv,
        std::string_view(argv[1]).substr(tivok::kFirstWindowOption.size()));
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
