#ifndef TIVOK_CLI_LISTING_H_
#define TIVOK_CLI_LISTING_H_

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "rom/store_table.h"

namespace tivok::cli {

// A file that is no image of the game, by its header title.
class ForeignImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws ForeignImageError, with the window's wording, unless `title` (the
// header title of `path`) is the game's.
void RequireGameTitle(const std::string& path, const std::string& title);

// One store and the codes its slots hold: slot k's at codes[k - 1].
struct StoreCodes {
  const Store* store = nullptr;
  std::vector<std::uint8_t> codes;
};

// The codes of every store in the window's order, or of `only` when it is
// set: checks the header title, then reads the stores' region with one
// read. Throws RomFileError or ForeignImageError.
std::vector<StoreCodes> ReadStores(const std::string& path,
                                   const Store* only = nullptr);

// The first and last file positions of the stores' slots, which one read
// covers.
FilePosition FirstSlotPosition();
FilePosition LastSlotPosition();

}  // namespace tivok::cli

#endif  // TIVOK_CLI_LISTING_H_
