// src/compare: the comparison with a clean image. The clean image's stores
// (this header), the slots in which another image differs from them
// (store_differences.h) and the patch made of those slots (store_patch.h).
// It includes only from src/rom.

#ifndef TIVOK_COMPARE_COMPARISON_H_
#define TIVOK_COMPARE_COMPARISON_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/clean_image.h"
#include "compare/store_differences.h"
#include "rom/store_read.h"

namespace tivok {

// What changed in the clean image since it was last read: why it can no
// longer be compared with, or else the slots that changed (before: as
// read last) and whether any byte did.
struct CleanChanges {
  std::string reason;
  std::vector<SlotDifference> changed;
  bool bytes_changed = false;
};

// The clean image that the open image is compared with: its path and one
// read of it, whole on one open file, from which the marks, the counts and
// the exports all come, until it is read again. Tivok only ever reads it.
class Comparison {
 public:
  // Reads the clean image at `path` and compares with it from now on.
  // Returns why it cannot be compared with, in words after "Cannot compare
  // with "clean.gbc": ", and then keeps the comparison as it was: the file
  // cannot be read, is no image of the game, is larger than any cartridge,
  // or ends before the stores' last slot. Returns nothing once the
  // comparison is set.
  std::string Start(const std::string& path);
  // Reads the clean image again, as it is on the disk now, and says what
  // changed; when it can no longer be compared with, stops comparing and
  // says why. Nothing while there is no comparison.
  CleanChanges ReadAgain();
  void Stop();

  bool active() const { return clean_.has_value(); }
  // The clean image's path; empty while there is none.
  const std::string& path() const { return path_; }
  // The clean image's stores, or nullptr while there is none.
  const ImageStores* clean() const {
    return clean_ ? &clean_->stores : nullptr;
  }
  // The clean image's bytes as last read, or nullptr while there is none.
  const CleanImage* image() const { return clean_ ? &*clean_ : nullptr; }

  // The status line's note on `image`: how many of its slots differ from
  // the clean image, in each store that has any, such as "Compared with
  // "clean.gbc": 3 slots differ (Beginner's (Top Left) Shop 2, Portal Shop
  // 1)."; nothing while there is no comparison.
  std::string Note(const ImageStores& image) const;

 private:
  std::string path_;
  std::optional<CleanImage> clean_;
};

// Why the image at `path` is not compared with, for the status line and a
// box: `reason` as Comparison::Start gives it.
std::string CannotCompareText(const std::string& path, std::string_view reason);

// The open image at `path` chosen as its own clean image.
std::string SelfComparisonText(const std::string& path);

// A clean image remembered for the image just opened that can no longer be
// compared with, and why; the comparison is forgotten.
std::string ForgottenComparisonNote(const std::string& path,
                                    std::string_view reason);

// File, Stop Comparing ended the comparison with the image at `path`.
std::string StoppedComparingStatus(const std::string& path);

}  // namespace tivok

#endif  // TIVOK_COMPARE_COMPARISON_H_
