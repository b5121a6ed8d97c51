#ifndef TIVOK_TESTS_SUPPORT_SAMPLE_STORES_H_
#define TIVOK_TESTS_SUPPORT_SAMPLE_STORES_H_

#include <cstdint>
#include <utility>
#include <vector>

#include "rom/rom_file.h"
#include "rom/store_table.h"
#include "sample_image.h"

namespace tivok::testing {

// The stores by their positions in the store selector.
inline constexpr int kBeginner = 0, kSecond = 1, kThird = 2, kBook = 3,
                     kPortal = 4;

// The offset of slot k of the store at selector position p.
inline FileOffset At(int p, int k) {
  return StoreTable::BySelectorPosition(p)->SlotOffset(k);
}

// The sample image with each (offset, code) of `changes` written.
inline std::vector<std::uint8_t> SampleWith(
    const std::vector<std::pair<FileOffset, std::uint8_t>>& changes) {
  std::vector<std::uint8_t> image = MakeSampleImage();
  for (const auto& [offset, code] : changes) {
    image[static_cast<std::size_t>(offset)] = code;
  }
  return image;
}

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_SUPPORT_SAMPLE_STORES_H_
