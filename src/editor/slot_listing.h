#ifndef TIVOK_EDITOR_SLOT_LISTING_H_
#define TIVOK_EDITOR_SLOT_LISTING_H_

#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "editor/image_reading.h"
#include "rom/store_read.h"
#include "rom/store_table.h"

namespace tivok {

// What the slot list shows: the store listed, the codes of its slots that
// the image holds, why any others are missing, and the reading of the
// image behind them. It fills the window's slot list through `view`.
class SlotListing {
 public:
  explicit SlotListing(EditorView& view) : view_(view) {}

  // No image: nothing is listed and the reading is forgotten.
  void Reset();
  // Lists `store` from `read`, the reading that opened the image at `path`.
  void Start(ImageStores read, const Store& store, const std::string& path);
  // Reads the image at `path` again and lists `store`. Returns what changed
  // in any store since the last reading, in words (ImageReading::Read);
  // `watching` as there. A store choice that cannot read the file lists
  // nothing and says why in the unlisted note.
  std::string List(const Store& store, const std::string& path, bool watching);
  // Selects the entry of the slot that `slot_address` names, if listed.
  void ShowChosen(const std::string& slot_address);
  // Records Tivok's own write of `value` at `offset`.
  void Apply(FileOffset offset, std::uint8_t value) {
    reading_.Apply(offset, value);
  }
  // From the next listing on, marks each slot whose code differs from
  // `clean`'s, the clean image compared with; nullptr marks none. `clean`
  // must outlive its use here.
  void MarkAgainst(const ImageStores* clean) { clean_ = clean; }

  // The codes of `store` as last read, Tivok's writes included; nullptr
  // while the image cannot be used.
  const StoreCodes* CodesOf(const Store& store) const {
    return reading_.Of(store);
  }

  // What the status line says of the entry in `row`, such as "Slot 3 holds
  // Sirloin (17)."; nothing for a row that is not listed.
  std::string EntryText(int row) const;

  // The store listed, or nullptr while no image is open.
  const Store* store() const { return store_; }
  // The listed codes, slot 1 first.
  const std::vector<std::uint8_t>& codes() const { return codes_; }
  // Why some of the store's slots are not listed; empty when all are.
  const std::string& unlisted_note() const { return unlisted_note_; }
  // Why the image cannot be used now; empty when it can. While it cannot,
  // nothing is listed.
  const std::string& problem() const { return reading_.problem(); }
  // The reading of every store, or nullptr while the image cannot be used.
  const ImageStores* image() const { return reading_.image(); }

 private:
  // Empties the list, then lists `store` as `read` gives it (nothing for
  // no reading), from the image at `path`.
  void Show(const Store& store, const std::string& path,
            const StoreCodes* read);

  EditorView& view_;
  ImageReading reading_;
  const Store* store_ = nullptr;
  std::vector<std::uint8_t> codes_;
  std::string unlisted_note_;
  const ImageStores* clean_ = nullptr;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_SLOT_LISTING_H_
