#ifndef TIVOK_ROM_STORE_TABLE_H_
#define TIVOK_ROM_STORE_TABLE_H_

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "rom/rom_file.h"

namespace tivok {

// Names the store whose flag marks it as the current store.
enum class StoreFlag { kBeginner, kSecond, kThird, kBook, kPortal };

// One in-game store. Its block is read at `read_offset`: element 0 is that
// byte (never shown or written) and slot k (1 to slot_count) lies at
// read_offset + k.
struct Store {
  int selector_position;
  std::string_view selector_label;
  std::string_view save_key;
  StoreFlag flag;
  FileOffset read_offset;
  int slot_count;

  // The offset of slot k, 1 to slot_count.
  FileOffset SlotOffset(int k) const { return read_offset + k; }
  // Where slot k is as the user sees it: "&H" and its position counted from
  // 1 in upper-case hex, such as "&H2476C" for offset 0x2476B.
  std::string SlotAddressText(int k) const;
};

// A slot of a store: slot k (1 to slot_count) of `store`; no store for an
// offset that is no slot's.
struct SlotPlace {
  const Store* store = nullptr;
  int slot = 0;
};

// The five stores, in the order of the store selector.
class StoreTable {
 public:
  static constexpr int kStoreCount = 5;

  static std::span<const Store, kStoreCount> All();
  // The store at selector position 0 to 4, or nullptr.
  static const Store* BySelectorPosition(int position);
  // The store whose save key is exactly `key` (case-sensitive), or nullptr.
  static const Store* BySaveKey(std::string_view key);
  // The store and slot at `offset`, if it is a slot's.
  static SlotPlace SlotAt(FileOffset offset);
};

// The slot address text of the byte at `offset`: "&H" followed by its
// position counted from 1 (offset + 1) in upper-case hex without leading
// zeros.
std::string SlotAddressText(FileOffset offset);

// The offset that a slot address text spells (its position less one), or
// nothing for a text that is not "&H" and hex digits fitting a 32-bit
// signed number. The one place where an address text becomes an offset.
std::optional<FileOffset> ParseSlotAddress(std::string_view text);

}  // namespace tivok

#endif  // TIVOK_ROM_STORE_TABLE_H_
