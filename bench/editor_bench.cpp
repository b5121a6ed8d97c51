// The editor's work per event on real files of two sizes: the figures must
// not grow with the file, since only the header and the store blocks are
// read.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "editor/store_editor.h"
#include "sample_image.h"
#include "support/null_view.h"

namespace tivok {
namespace {

// A sample image of `size` bytes in a fresh temporary folder, removed after.
class BenchImage {
 public:
  explicit BenchImage(std::size_t size) {
    char pattern[] = "/tmp/tivok-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) std::abort();
    folder_ = pattern;
    path_ = folder_ + "/image.gbc";
    WriteNewFile(path_, MakeSampleImage(size));
  }
  ~BenchImage() {
    ::unlink(path_.c_str());
    ::rmdir(folder_.c_str());
  }
  const std::string& path() const { return path_; }

 private:
  std::string folder_;
  std::string path_;
};

// An editor over a sample image of the benchmark's size, its dialog
// answering that image.
struct BenchEditor {
  explicit BenchEditor(const benchmark::State& state)
      : image(static_cast<std::size_t>(state.range(0))) {
    view.path = image.path();
  }
  BenchImage image;
  testing::NullView view;
  StoreEditor editor{view};
};

void BM_OpenAndList(benchmark::State& state) {
  BenchEditor bench(state);
  for (auto _ : state) {
    bench.editor.OnOpen();
    benchmark::DoNotOptimize(bench.view.slot_entries);
  }
}

void BM_ChooseStore(benchmark::State& state) {
  BenchEditor bench(state);
  bench.editor.OnOpen();
  int store = 0;
  for (auto _ : state) {
    bench.view.store = store;
    bench.editor.OnStoreChosen();
    store = (store + 1) % StoreTable::kStoreCount;
  }
}

// Opens the image and chooses Herb for the Portal store's slot 1.
void ChooseASave(BenchEditor& bench) {
  bench.editor.OnOpen();
  bench.view.store = 4;
  bench.editor.OnStoreChosen();
  bench.view.slot = 0;
  bench.editor.OnSlotChosen();
  bench.view.item = 1;
  bench.editor.OnNewItemChosen();
}

// Includes the fsync that makes a save durable, which dominates.
void BM_SaveAndRelist(benchmark::State& state) {
  BenchEditor bench(state);
  ChooseASave(bench);
  for (auto _ : state) bench.editor.OnSave();
}

// An undo and a redo in turn: each is one open, one check of the title and
// the byte, one write and one fsync, as a save is.
void BM_UndoOrRedo(benchmark::State& state) {
  BenchEditor bench(state);
  ChooseASave(bench);
  bench.editor.OnSave();
  bool undo = true;
  for (auto _ : state) {
    undo ? bench.editor.OnUndo() : bench.editor.OnRedo();
    undo = !undo;
  }
}

constexpr std::int64_t kSmall = 256 * 1024;
constexpr std::int64_t kLarge = 8 * 1024 * 1024;

BENCHMARK(BM_OpenAndList)
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChooseStore)
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveAndRelist)
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoOrRedo)
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tivok
