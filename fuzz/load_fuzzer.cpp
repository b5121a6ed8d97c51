// libFuzzer target for loading and listing an image. The input shapes a
// file: its first three bytes give the length, the next 16 are laid over
// the title area and the rest over the store regions, so the fuzzer can
// reach the listing without guessing a 150 KiB file.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/store_editor.h"
#include "rom/rom_file.h"
#include "rom/store_table.h"
#include "support/null_view.h"

namespace {

constexpr std::size_t kTitleAreaOffset = 0x133;
constexpr std::size_t kStoreRegionOffset = 0x2476A;
constexpr std::size_t kLongest = 0x24900;

// The image lives in an in-memory file, reached through its /proc path, so
// that a run leaves nothing behind on disk.
int ImageDescriptor() {
  static const int fd = ::memfd_create("tivok-fuzz", MFD_CLOEXEC);
  if (fd < 0) std::abort();
  return fd;
}

const std::string& ImagePath() {
  static const std::string path =
      "/proc/self/fd/" + std::to_string(ImageDescriptor());
  return path;
}

void WriteImage(const std::vector<std::uint8_t>& image) {
  const int fd = ImageDescriptor();
  if (::ftruncate(fd, static_cast<off_t>(image.size())) != 0) std::abort();
  if (!image.empty() && ::pwrite(fd, image.data(), image.size(), 0) !=
                            static_cast<ssize_t>(image.size())) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 3) return 0;
  const std::size_t length =
      (static_cast<std::size_t>(data[0]) << 16 | data[1] << 8 | data[2]) %
      kLongest;
  std::vector<std::uint8_t> image(length, 0xFF);
  std::size_t next = 3;
  for (std::size_t o = kTitleAreaOffset;
       o < kTitleAreaOffset + 16 && next < size; ++o, ++next) {
    if (o < length) image[o] = data[next];
  }
  for (std::size_t o = kStoreRegionOffset; next < size; ++o, ++next) {
    if (o < length) image[o] = data[next];
  }
  WriteImage(image);
  const bool accepted = length > kTitleAreaOffset + 15 &&
                        tivok::RomFile::IsAcceptedTitle(
                            std::string(image.begin() + kTitleAreaOffset + 1,
                                        image.begin() + kTitleAreaOffset + 16));

  tivok::testing::NullView view;
  view.path = ImagePath();
  tivok::StoreEditor editor(view);
  editor.OnOpen();
  for (int store = 0; store < tivok::StoreTable::kStoreCount; ++store) {
    view.store = store;
    editor.OnStoreChosen();
    // A listing has one entry for each of the store's slots that the file
    // holds, and none for the slots past its end; a file without the game's
    // title lists none.
    const tivok::Store& shown = *tivok::StoreTable::BySelectorPosition(store);
    const auto held =
        accepted ? std::clamp<std::int64_t>(
                       static_cast<std::int64_t>(length) - shown.SlotOffset(1),
                       0, shown.slot_count)
                 : 0;
    if (editor.state().CurrentStore() != nullptr &&
        view.slot_entries != static_cast<std::size_t>(held)) {
      std::abort();
    }
    view.slot = static_cast<int>(size % 9) - 1;
    editor.OnSlotChosen();
  }
  return 0;
}
