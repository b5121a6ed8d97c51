// Plays seeded random sequences of window events against the editor over
// real files of awkward lengths and titles, and checks after every step
// that no file changes but for the byte of a successful save, that listings
// agree with the files, and that every failed save shows exactly one box.
//
// TIVOK_PROPERTY_ROUNDS and TIVOK_PROPERTY_SEED set the run's size and seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "editor/recording_view.h"
#include "editor/store_editor.h"
#include "rom/hex_text.h"
#include "rom/rom_file.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::ReadAll;
using ::tivok::testing::RecordingView;
using ::tivok::testing::TempDir;

constexpr int kFilesPerRound = 3;
constexpr int kStepsPerRound = 40;

unsigned EnvNumber(const char* name, unsigned fallback) {
  const char* text = std::getenv(name);
  return text != nullptr
             ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
             : fallback;
}

// Lengths around every boundary the editor cares about, and a few others.
std::vector<std::size_t> InterestingLengths() {
  std::vector<std::size_t> lengths = {0, 1, 322, 323, 324, 0x150, 0x24800};
  for (const Store& store : StoreTable::All()) {
    const auto first = static_cast<std::size_t>(store.read_offset);
    // The length that just holds the last slot.
    const auto last =
        static_cast<std::size_t>(store.SlotOffset(store.slot_count)) + 1;
    for (std::size_t n : {first, first + 1, last - 1, last, last + 1}) {
      lengths.push_back(n);
    }
  }
  return lengths;
}

// How often the interesting outcomes happened, to show the run is not
// degenerate.
struct Tally {
  int good_loads = 0;
  int saves = 0;
  int failed_saves = 0;
  int undos = 0;
};

class Round {
 public:
  Round(std::mt19937& random, Tally& tally) : random_(random), tally_(tally) {}

  void Run() {
    for (int i = 0; i < kFilesPerRound; ++i) MakeFile(i);
    editor_.OnLoad();  // as the window does when it is created
    for (int step = 0; step < kStepsPerRound; ++step) {
      Step();
      CheckFiles(/*whole=*/false);
      EXPECT_FALSE(view_.status.empty());
      if (::testing::Test::HasFailure()) return;
    }
    CheckFiles(/*whole=*/true);
  }

 private:
  int Pick(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
  }

  void MakeFile(int i) {
    static const std::vector<std::size_t> lengths = InterestingLengths();
    std::size_t length = Pick(0, 3) == 0
                             ? static_cast<std::size_t>(Pick(0, 0x24800))
                             : lengths[static_cast<std::size_t>(Pick(
                                   0, static_cast<int>(lengths.size()) - 1))];
    // Random bytes where the editor looks (header and store regions), filler
    // elsewhere: filling whole images at random would make the run slow.
    std::vector<std::uint8_t> bytes(length, 0xFF);
    for (std::size_t o = 0x100; o < std::min<std::size_t>(length, 0x150); ++o) {
      bytes[o] = static_cast<std::uint8_t>(random_());
    }
    for (std::size_t o = 0x24760; o < std::min<std::size_t>(length, 0x247A0);
         ++o) {
      bytes[o] =
          static_cast<std::uint8_t>(Pick(0, 3) == 0 ? random_() : Pick(0, 43));
    }
    std::string title(RomFile::kAcceptedTitle);
    switch (Pick(0, 3)) {
      case 0:
        for (char& c : title) c = static_cast<char>(std::tolower(c));
        break;
      case 1:
        title[static_cast<std::size_t>(Pick(0, 14))] =
            static_cast<char>(Pick(0, 255));
        break;
      default:
        break;
    }
    for (std::size_t k = 0; k < title.size() && 0x134 + k < length; ++k) {
      bytes[0x134 + k] = static_cast<std::uint8_t>(title[k]);
    }
    files_.push_back(dir_.Write("image" + std::to_string(i) + ".gbc", bytes));
    contents_.push_back(bytes);
  }

  // The file a path names, by index.
  int IndexOf(const std::string& path) const {
    for (std::size_t i = 0; i < files_.size(); ++i) {
      if (files_[i] == path) return static_cast<int>(i);
    }
    return -1;
  }

  bool Accepted(int file) const {
    const auto& bytes = contents_[static_cast<std::size_t>(file)];
    return bytes.size() >= 0x143 &&
           RomFile::IsAcceptedTitle(
               std::string(bytes.begin() + 0x134, bytes.begin() + 0x143));
  }

  void Step() {
    const std::size_t messages = view_.messages.size();
    switch (Pick(0, 7)) {
      case 0: {  // open: a file, or cancel
        const int file = Pick(-1, kFilesPerRound - 1);
        view_.dialog_answers.push_back(
            file < 0 ? std::nullopt
                     : std::optional(files_[static_cast<std::size_t>(file)]));
        editor_.OnOpen();
        const int loaded = IndexOf(view_.DialogFileName());
        if (loaded < 0) {
          EXPECT_EQ(view_.messages.size(), messages);
        } else if (Accepted(loaded)) {
          EXPECT_EQ(view_.messages.size(), messages);
          ++tally_.good_loads;
          CheckLoaded();
          CheckListing(*StoreTable::BySelectorPosition(0));
        } else {
          EXPECT_EQ(view_.messages.size(), messages + 1);
          EXPECT_TRUE(view_.slots.empty());
          EXPECT_FALSE(view_.save_enabled);
        }
        return;
      }
      case 1:
        view_.store_selection = Pick(-1, static_cast<int>(view_.stores.size()));
        if (view_.store_selection >= static_cast<int>(view_.stores.size())) {
          view_.store_selection = -1;
        }
        editor_.OnStoreChosen();
        if (const Store* store =
                StoreTable::BySelectorPosition(view_.store_selection)) {
          CheckListing(*store);
        }
        break;
      case 2:
        view_.slot_selection =
            Pick(-1, static_cast<int>(view_.slots.size()) - 1);
        editor_.OnSlotChosen();
        if (view_.slot_selection >= 0) slot_file_ = editor_.state().RomPath;
        break;
      case 3:
        view_.item_selection =
            Pick(-1, static_cast<int>(view_.items.size()) - 1);
        editor_.OnNewItemChosen();
        break;
      case 4:
        UndoOrRedo(messages);
        return;
      default:
        Save(messages);
        return;
    }
    EXPECT_EQ(view_.messages.size(), messages);
    if (editor_.state().CurrentStore() != nullptr && !view_.stores.empty()) {
      CheckLoaded();
    }
  }

  void Save(std::size_t messages) {
    const EditorState& state = editor_.state();
    const bool store_selected = view_.store_selection >= 0;
    const int file = IndexOf(state.RomPath);
    editor_.OnSave();
    if (!store_selected || file < 0) {
      EXPECT_EQ(view_.messages.size(), messages);
      return;
    }
    // The save must succeed exactly when a slot was chosen, the file still
    // has the title and the slot lies inside it. The address shows the
    // slot's position counted from 1.
    const std::optional<std::int32_t> position =
        state.SlotAddress.empty() ? std::nullopt
                                  : ParseHex(state.SlotAddress.substr(2));
    auto& bytes = contents_[static_cast<std::size_t>(file)];
    const bool succeeds = position && file >= 0 && Accepted(file) &&
                          static_cast<std::size_t>(*position) <= bytes.size();
    if (succeeds) {
      ++tally_.saves;
      // Never into another image than the one the slot was chosen in.
      EXPECT_EQ(state.RomPath, slot_file_);
      EXPECT_EQ(view_.messages.size(), messages);
      EXPECT_EQ(view_.status.rfind("Saved ", 0), 0u) << view_.status;
      bytes[static_cast<std::size_t>(*position) - 1] =
          static_cast<std::uint8_t>(state.NewItem);
      CheckListing(*StoreTable::BySelectorPosition(view_.store_selection));
    } else {
      ++tally_.failed_saves;
      ASSERT_EQ(view_.messages.size(), messages + 1);
      EXPECT_EQ(view_.messages.back().title, "Error Saving");
      EXPECT_EQ(view_.status.rfind("Not saved: ", 0), 0u) << view_.status;
    }
    EXPECT_EQ(ReadAll(state.RomPath), bytes);
  }

  // An undo or a redo changes one byte at a slot, or nothing when it fails
  // with one box.
  void UndoOrRedo(std::size_t messages) {
    const int file = IndexOf(editor_.state().RomPath);
    Pick(0, 1) == 0 ? editor_.OnUndo() : editor_.OnRedo();
    if (file < 0 || !std::filesystem::is_regular_file(files_[file])) return;
    auto& bytes = contents_[static_cast<std::size_t>(file)];
    const std::vector<std::uint8_t> now = ReadAll(files_[file]);
    ASSERT_EQ(now.size(), bytes.size());
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < now.size(); ++i) {
      if (now[i] != bytes[i]) changed.push_back(i);
    }
    if (view_.messages.size() > messages) {
      EXPECT_TRUE(changed.empty());
      return;
    }
    ASSERT_LE(changed.size(), 1u);
    if (!changed.empty()) {
      ++tally_.undos;
      EXPECT_NE(StoreTable::SlotAt(static_cast<FileOffset>(changed[0])).store,
                nullptr);
    }
    bytes = now;
  }

  // After a good load or a store choice: one current store, listed in full.
  void CheckLoaded() {
    const EditorState& state = editor_.state();
    const int flags = state.FlagBeginner + state.FlagSecond + state.FlagThird +
                      state.FlagBook + state.FlagPortal;
    EXPECT_EQ(flags, 1);
    const Store* store = state.CurrentStore();
    ASSERT_NE(store, nullptr);
    EXPECT_LE(view_.slots.size(), static_cast<std::size_t>(store->slot_count));
  }

  // After `store` was listed: one entry for each slot that the file holds,
  // showing the file's byte, and none for the slots past its end.
  void CheckListing(const Store& store) {
    const auto& bytes =
        contents_[static_cast<std::size_t>(IndexOf(editor_.state().RomPath))];
    const auto held = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(bytes.size()) - store.SlotOffset(1), 0,
        store.slot_count);
    ASSERT_EQ(view_.slots.size(), static_cast<std::size_t>(held));
    for (int k = 1; k <= held; ++k) {
      EXPECT_EQ(
          view_.slots[static_cast<std::size_t>(k - 1)],
          std::to_string(k) + " (" +
              UpperHex(bytes[static_cast<std::size_t>(store.SlotOffset(k))]) +
              ")");
    }
  }

  void CheckFiles(bool whole) {
    for (std::size_t i = 0; i < files_.size(); ++i) {
      if (whole) {
        EXPECT_EQ(ReadAll(files_[i]), contents_[i]) << files_[i];
      } else {
        EXPECT_EQ(std::filesystem::file_size(files_[i]), contents_[i].size());
      }
    }
  }

  std::mt19937& random_;
  Tally& tally_;
  TempDir dir_;
  RecordingView view_;
  StoreEditor editor_{view_};
  std::vector<std::string> files_;
  // The image that was open when a slot was last chosen.
  std::string slot_file_;
  std::vector<std::vector<std::uint8_t>> contents_;
};

TEST(EditorProperty, RandomEventsNeverDamageAFile) {
  const unsigned seed = EnvNumber("TIVOK_PROPERTY_SEED", 20261207);
  const unsigned rounds = EnvNumber("TIVOK_PROPERTY_ROUNDS", 150);
  std::mt19937 random(seed);
  Tally tally;
  for (unsigned round = 0; round < rounds; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", round " +
                 std::to_string(round));
    Round(random, tally).Run();
    if (HasFailure()) return;
  }
  std::printf(
      "%u rounds: %d good loads, %d saves, %d failed saves, %d undos and "
      "redos\n",
      rounds, tally.good_loads, tally.saves, tally.failed_saves, tally.undos);
  EXPECT_GT(tally.good_loads, static_cast<int>(rounds));
  EXPECT_GT(tally.saves, static_cast<int>(rounds));
  EXPECT_GT(tally.failed_saves, static_cast<int>(rounds) / 2);
  EXPECT_GT(tally.undos, static_cast<int>(rounds) / 10);
}

}  // namespace
}  // namespace tivok
