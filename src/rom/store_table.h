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

// One in-game store. Its block is read at `read_position`: element 0 is that
// byte (never shown or written) and slot k (1 to slot_count) lies at
// read_position + k.
struct Store {
  int selector_position;
  std::string_view selector_label;
  std::string_view save_key;
  StoreFlag flag;
  FilePosition read_position;
  int slot_count;

  // The file position of slot k, 1 to slot_count.
  FilePosition SlotPosition(int k) const { return read_position + k; }
  // The position of slot k as "&H" and upper-case hex, such as "&H2476C".
  std::string SlotAddressText(int k) const;
};

// A slot of a store: slot k (1 to slot_count) of `store`; no store for a
// position that is no slot.
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
  // The store and slot at file position `position`, if it is a slot's.
  static SlotPlace SlotAt(FilePosition position);
};

// "&H" followed by `position` in upper-case hex without leading zeros.
std::string SlotAddressText(FilePosition position);

// The position that a slot address text spells, or nothing for a text that
// is not "&H" and hex digits fitting a file position.
std::optional<FilePosition> ParseSlotAddress(std::string_view text);

}  // namespace tivok

#endif  // TIVOK_ROM_STORE_TABLE_H_
