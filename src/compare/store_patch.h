#ifndef TIVOK_COMPARE_STORE_PATCH_H_
#define TIVOK_COMPARE_STORE_PATCH_H_

#include <cstdint>
#include <string>
#include <vector>

#include "compare/clean_image.h"
#include "rom/store_read.h"
#include "rom/store_table.h"

namespace tivok {

enum class PatchFormat { kIps, kBps };

// A patch of the store slots, or why there is none.
struct StorePatch {
  std::vector<std::uint8_t> bytes;  // the patch; empty when there are errors
  // Why no patch was made, each as a message without its full stop: a
  // file that cannot be read, is not the game's, or ends before a slot.
  std::vector<std::string> errors;
  int slot_count = 0;  // how many slots the patch changes
  // That the two files' lengths differ, and which the patch keeps; empty
  // when they are equal.
  std::string note;

  bool ok() const { return errors.empty(); }
};

// The patch, in `format`, that turns the image at `clean_path` into itself
// with the store slots of the image at `image_path` (every store's, or only
// `only`'s): the slot bytes that differ, and the global checksum that the
// patched image then has, set right. Nothing else of either file goes in,
// so that a patch never carries the game's own data. CLEAN is read whole
// on one open file, IMAGE's stores only; each needs the game's header
// title and every slot compared, or errors say why not. A patch of files
// of different lengths keeps CLEAN's length, and `note` says so. Reads
// only; tivok-cli diff calls it.
StorePatch MakeStorePatch(const std::string& clean_path,
                          const std::string& image_path, PatchFormat format,
                          const Store* only = nullptr);

// The same patch from a read of each: `clean` as ReadCleanImage gave it
// (its title is not checked again) and `image`'s stores, named by their
// paths in the errors and the note. The window's File, Export Patch calls
// it with the reads that it shows.
StorePatch MakeStorePatch(const CleanImage& clean,
                          const std::string& clean_path,
                          const ImageStores& image,
                          const std::string& image_path, PatchFormat format,
                          const Store* only = nullptr);

// What `patch` holds, for a message: "an IPS patch of 2 slots and the
// global checksum (21 bytes)".
std::string PatchText(const StorePatch& patch, PatchFormat format);

}  // namespace tivok

#endif  // TIVOK_COMPARE_STORE_PATCH_H_
