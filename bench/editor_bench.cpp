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

void BM_OpenAndList(benchmark::State& state) {
  BenchImage image(static_cast<std::size_t>(state.range(0)));
  testing::NullView view;
  view.path = image.path();
  StoreEditor editor(view);
  for (auto _ : state) {
    editor.OnOpen();
    benchmark::DoNotOptimize(view.slot_entries);
  }
}

void BM_ChooseStore(benchmark::State& state) {
  BenchImage image(static_cast<std::size_t>(state.range(0)));
  testing::NullView view;
  view.path = image.path();
  StoreEditor editor(view);
  editor.OnOpen();
  int store = 0;
  for (auto _ : state) {
    view.store = store;
    editor.OnStoreChosen();
    store = (store + 1) % StoreTable::kStoreCount;
  }
}

// Includes the fsync that makes a save durable, which dominates.
void BM_SaveAndRelist(benchmark::State& state) {
  BenchImage image(static_cast<std::size_t>(state.range(0)));
  testing::NullView view;
  view.path = image.path();
  StoreEditor editor(view);
  editor.OnOpen();
  view.store = 4;
  editor.OnStoreChosen();
  view.slot = 0;
  editor.OnSlotChosen();
  view.item = 1;
  editor.OnNewItemChosen();
  for (auto _ : state) editor.OnSave();
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

}  // namespace
}  // namespace tivok
