#include "rom/store_table.h"

#include "rom/hex_text.h"

namespace tivok {
namespace {

constexpr std::string_view kAddressPrefix = "&H";

// Selector order differs from file order: in the file the regions run
// Beginner's, Second, Book, Third, Portal, each read byte just after the
// previous store's last slot.
constexpr std::array<Store, StoreTable::kStoreCount> kStores = {{
    {0, "Beginner's (Top Left) Shop", "Beginner's Shop", StoreFlag::kBeginner,
     0x2476B, 8},
    {1, "Second (Far Right) Shop", "Pre-Starry Night Shop", StoreFlag::kSecond,
     0x24774, 8},
    {2, "Third (Bottom Middle) Shop", "Third Shop", StoreFlag::kThird, 0x24784,
     7},
    {3, "Book (Bottom Left) Shop", "Book Shop", StoreFlag::kBook, 0x2477D, 6},
    {4, "Portal Shop", "Portal Shop", StoreFlag::kPortal, 0x2478C, 8},
}};

}  // namespace

std::string SlotAddressText(FilePosition position) {
  return std::string(kAddressPrefix) +
         UpperHex(static_cast<std::uint32_t>(position));
}

std::optional<FilePosition> ParseSlotAddress(std::string_view text) {
  if (!text.starts_with(kAddressPrefix)) return std::nullopt;
  return ParseHex(text.substr(kAddressPrefix.size()));
}

std::string Store::SlotAddressText(int k) const {
  return tivok::SlotAddressText(SlotPosition(k));
}

std::span<const Store, StoreTable::kStoreCount> StoreTable::All() {
  return kStores;
}

const Store* StoreTable::BySelectorPosition(int position) {
  if (position < 0 || position >= kStoreCount) return nullptr;
  return &kStores[static_cast<std::size_t>(position)];
}

const Store* StoreTable::BySaveKey(std::string_view key) {
  for (const Store& store : kStores) {
    if (store.save_key == key) return &store;
  }
  return nullptr;
}

SlotPlace StoreTable::SlotAt(FilePosition position) {
  for (const Store& store : kStores) {
    const int k = position - store.read_position;
    if (k >= 1 && k <= store.slot_count) return {&store, k};
  }
  return {};
}

}  // namespace tivok
