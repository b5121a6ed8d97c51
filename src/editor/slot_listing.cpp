#include "editor/slot_listing.h"

#include <optional>
#include <utility>

#include "editor/status_text.h"

namespace tivok {

void SlotListing::Reset() {
  view_.ClearSlots();
  reading_.Reset();
  store_ = nullptr;
  codes_.clear();
  unlisted_note_.clear();
}

void SlotListing::Start(ImageStores read, const Store& store,
                        const std::string& path) {
  reading_.Start(std::move(read));
  Show(store, path, reading_.Of(store));
}

std::string SlotListing::List(const Store& store, const std::string& path,
                              bool watching) {
  std::string news;
  try {
    news = reading_.Read(path, watching);
  } catch (const RomFileError& error) {
    Show(store, path, nullptr);
    unlisted_note_ = UnlistedNote(store, 1, WithFileName(error.what(), path));
    return {};
  }
  Show(store, path, reading_.Of(store));
  return news;
}

void SlotListing::Show(const Store& store, const std::string& path,
                       const StoreCodes* read) {
  view_.ClearSlots();
  store_ = &store;
  codes_.clear();
  unlisted_note_.clear();
  if (read == nullptr) return;
  codes_ = read->codes;
  if (!read->shortfall.empty()) {
    unlisted_note_ = UnlistedNote(store, static_cast<int>(codes_.size()) + 1,
                                  WithFileName(read->shortfall, path));
  }
  for (std::size_t i = 0; i < codes_.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    view_.AddSlot(
        SlotRowOf(k, codes_[i], clean_ ? clean_->Of(store).CodeOf(k) : -1));
  }
}

std::string SlotListing::EntryText(int row) const {
  if (row < 0 || row >= static_cast<int>(codes_.size())) return {};
  return EntryStatus(row + 1, codes_[static_cast<std::size_t>(row)]);
}

void SlotListing::ShowChosen(const std::string& slot_address) {
  const std::optional<FileOffset> offset = ParseSlotAddress(slot_address);
  if (!offset || store_ == nullptr) return;
  const FileOffset k = *offset - store_->read_offset;
  if (k >= 1 && k <= static_cast<FileOffset>(codes_.size())) {
    view_.SelectSlot(static_cast<int>(k - 1));
  }
}

}  // namespace tivok
