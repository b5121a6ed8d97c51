// The editor's work per event on real files of a few sizes. Opening reads
// the whole image for its global checksum, comparing reads the clean image
// whole too, and a patch is read against the whole image; the other events
// read only the header and the store blocks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "editor/store_editor.h"
#include "rom/store_table.h"
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

// A view whose Compare With... answers `clean` and whose layout previews
// are applied.
struct AnsweringView : testing::NullView {
  std::string clean;
  std::string ChooseCleanImage() override { return clean; }
  bool ShowLayoutPreview(const LayoutPreview&) override { return true; }
};

// An editor over a sample image of the benchmark's size, its dialog
// answering that image.
struct BenchEditor {
  explicit BenchEditor(const benchmark::State& state)
      : image(static_cast<std::size_t>(state.range(0))) {
    view.path = image.path();
  }
  BenchImage image;
  AnsweringView view;
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

// Compare With... a clean image of the same size, then Stop Comparing:
// each reads the stores and lists the store again, and the start reads the
// clean image.
void BM_CompareWith(benchmark::State& state) {
  BenchEditor bench(state);
  BenchImage clean(static_cast<std::size_t>(state.range(0)));
  bench.view.clean = clean.path();
  bench.editor.OnOpen();
  for (auto _ : state) {
    bench.editor.OnCompareWith();
    bench.editor.OnStopComparing();
  }
}

// Writes `bytes` to `path`, replacing the file.
void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A layout that gives every slot of every store the item `code` ("0x01").
std::string EverySlotLayout(const std::string& code) {
  std::string text = "code,store,slot\n";
  for (const Store& store : StoreTable::All()) {
    for (int k = 1; k <= store.slot_count; ++k) {
      text += code + "," + std::to_string(store.selector_position + 1) + "," +
              std::to_string(k) + "\n";
    }
  }
  return text;
}

// The same as an IPS patch: one record of each store's slots.
std::string EverySlotPatch(int code) {
  std::string patch = "PATCH";
  for (const Store& store : StoreTable::All()) {
    const FileOffset first = store.SlotOffset(1);
    patch += {static_cast<char>(first >> 16), static_cast<char>(first >> 8),
              static_cast<char>(first), 0, static_cast<char>(store.slot_count)};
    patch.append(static_cast<std::size_t>(store.slot_count),
                 static_cast<char>(code));
  }
  return patch + "EOF";
}

// Applies two files in turn, each changing all 37 slots, previewed and
// written as one step: one read of the file, a plan, one open, a store
// per byte, one flush, then the stores read again.
void ApplyInTurn(benchmark::State& state, const std::string& first,
                 const std::string& second) {
  BenchEditor bench(state);
  const std::string files[] = {bench.image.path() + ".1",
                               bench.image.path() + ".2"};
  WriteFile(files[0], first);
  WriteFile(files[1], second);
  bench.editor.OnOpen();
  int turn = 0;
  for (auto _ : state) {
    bench.editor.ApplyLayoutFile(files[turn]);
    turn = 1 - turn;
  }
  for (const std::string& file : files) ::unlink(file.c_str());
}

void BM_ApplyLayout(benchmark::State& state) {
  ApplyInTurn(state, EverySlotLayout("0x01"), EverySlotLayout("0x02"));
}

// A patch is read against the whole open image.
void BM_ApplyPatch(benchmark::State& state) {
  ApplyInTurn(state, EverySlotPatch(1), EverySlotPatch(2));
}

constexpr std::int64_t kSmall = 256 * 1024;
constexpr std::int64_t kCartridge = 1024 * 1024;
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
BENCHMARK(BM_CompareWith)
    ->Arg(kSmall)
    ->Arg(kCartridge)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ApplyLayout)
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ApplyPatch)
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tivok
