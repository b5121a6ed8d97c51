#ifndef TIVOK_EDITOR_IMAGE_READING_H_
#define TIVOK_EDITOR_IMAGE_READING_H_

#include <cstdint>
#include <optional>
#include <string>

#include "rom/rom_file.h"
#include "rom/store_read.h"

namespace tivok {

// The open image as the editor last read it: every store's codes, with
// Tivok's own writes since, so that a new reading tells what other
// programs changed in any store; and whether the image can be used at all.
class ImageReading {
 public:
  // Forgets the image: the next reading is the first.
  void Reset();
  // Takes `read`, the reading that opened the image, as the first.
  void Start(ImageStores read);

  // Reads the image at `path` again. Returns, in words, what changed since
  // the last reading: the slots other programs changed, or that the image
  // became unusable (gone, unreadable, no longer an image of the game) or
  // usable again; nothing when nothing changed or the same problem is
  // found again. Throws RomFileError when the file cannot be read and
  // `watching` is false: a store choice says why nothing is listed, while
  // the watcher and Reload find such an image gone.
  std::string Read(const std::string& path, bool watching);

  // Records Tivok's own write of `value` at `offset`.
  void Apply(FileOffset offset, std::uint8_t value);

  // Why the image cannot be used now; empty when it can.
  const std::string& problem() const { return problem_; }
  // What `store` holds, or nullptr while there is no usable reading.
  const StoreCodes* Of(const Store& store) const;
  // Every store's codes, or nullptr while there is no usable reading.
  const ImageStores* image() const {
    return image_ && problem_.empty() ? &*image_ : nullptr;
  }

 private:
  std::optional<ImageStores> image_;
  std::string problem_;
};

// Why the image at `path` cannot be saved, in words, or nothing when it
// can be opened for writing. Opens it without writing.
std::string WritabilityNote(const std::string& path);

}  // namespace tivok

#endif  // TIVOK_EDITOR_IMAGE_READING_H_
