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
     0x2476A, 8},
    {1, "Second (Far Right) Shop", "Pre-Starry Night Shop", StoreFlag::kSecond,
     0x24773, 8},
    {2, "Third (Bottom Middle) Shop", "Third Shop", StoreFlag::kThird, 0x24783,
     7},
    {3, "Book (Bottom Left) Shop", "Book Shop", StoreFlag::kBook, 0x2477C, 6},
    {4, "Portal Shop", "Portal Shop", StoreFlag::kPortal, 0x2478B, 8},
}};

}  // namespace

// An address text shows a byte's position counted from 1.
std::string SlotAddressText(FileOffset offset) {
  return std::string(kAddressPrefix) +
         UpperHex(static_cast<std::uint64_t>(offset + 1));
}

std::optional<FileOffset> ParseSlotAddress(std::string_view text) {
  if (!text.starts_with(kAddressPrefix)) return std::nullopt;
  const std::optional<std::int32_t> position =
      ParseHex(text.substr(kAddressPrefix.size()));
  if (!position) return std::nullopt;
  return FileOffset{*position} - 1;
}

std::string Store::SlotAddressText(int k) const {
  return tivok::SlotAddressText(SlotOffset(k));
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

SlotPlace StoreTable::SlotAt(FileOffset offset) {
  for (const Store& store : kStores) {
    const FileOffset k = offset - store.read_offset;
    if (k >= 1 && k <= store.slot_count) return {&store, static_cast<int>(k)};
  }
  return {};
}

}  // namespace tivok
