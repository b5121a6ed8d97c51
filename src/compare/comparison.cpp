#include "compare/comparison.h"

#include <utility>
#include <vector>

#include "compare/store_differences.h"
#include "rom/describe.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

// Reads the clean image at `path` into `read`; returns why it cannot be
// compared with, or nothing.
std::string ReadClean(const std::string& path,
                      std::optional<CleanImage>& read) {
  try {
    read = ReadCleanImage(path);
  } catch (const RomFileError& error) {
    return PlainReason(path, error);
  }
  const ImageStores& stores = read->stores;
  if (!RomFile::IsAcceptedTitle(stores.title)) {
    return NotAnImageText("it", stores.title);
  }
  // Every slot is compared, so a clean image must hold them all.
  for (const StoreCodes& store : stores.stores) {
    if (store.complete()) continue;
    return "it is too short for the stores (" +
           SlotsFromText(*store.store,
                         static_cast<int>(store.codes.size()) + 1) +
           " could not be read: " + WithFileName(store.shortfall, path) + ")";
  }
  return {};
}

}  // namespace

std::string Comparison::Start(const std::string& path) {
  std::optional<CleanImage> read;
  std::string reason = ReadClean(path, read);
  if (!reason.empty()) return reason;
  path_ = path;
  clean_ = std::move(read);
  return {};
}

CleanChanges Comparison::ReadAgain() {
  CleanChanges changes;
  if (!clean_) return changes;
  std::optional<CleanImage> read;
  changes.reason = ReadClean(path_, read);
  if (!changes.reason.empty()) {
    Stop();
    return changes;
  }
  changes.changed = DifferingSlots(clean_->stores, read->stores);
  changes.bytes_changed = read->bytes != clean_->bytes;
  clean_ = std::move(read);
  return changes;
}

void Comparison::Stop() {
  path_.clear();
  clean_.reset();
}

std::string Comparison::Note(const ImageStores& image) const {
  if (!clean_) return {};
  const std::vector<SlotDifference> differences =
      DifferingSlots(clean_->stores, image);
  const std::string lead = "Compared with " + QuotedName(path_) + ": ";
  if (differences.empty()) return lead + "no slot differs.";
  std::string stores;
  for (std::size_t i = 0; i < differences.size();) {
    const Store* store = differences[i].store;
    int count = 0;
    for (; i < differences.size() && differences[i].store == store; ++i) {
      ++count;
    }
    if (!stores.empty()) stores += ", ";
    stores += std::string(store->selector_label) + " " + std::to_string(count);
  }
  const std::size_t all = differences.size();
  return lead + Counted(all, "slot") + " " +
         ForCount(all, "differs", "differ") + " (" + stores + ").";
}

std::string CannotCompareText(const std::string& path,
                              std::string_view reason) {
  return "Cannot compare with " + QuotedName(path) + ": " +
         std::string(reason) + ".";
}

std::string SelfComparisonText(const std::string& path) {
  return QuotedName(path) +
         " is the open image itself. Compare With takes another copy of the "
         "game, such as the clean image that it was made from.";
}

std::string ForgottenComparisonNote(const std::string& path,
                                    std::string_view reason) {
  return "The clean image " + QuotedName(path) +
         " can no longer be compared with: " + std::string(reason) +
         ". The comparison is forgotten.";
}

std::string StoppedComparingStatus(const std::string& path) {
  return "No longer compared with " + QuotedName(path) + ".";
}

}  // namespace tivok
