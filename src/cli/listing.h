#ifndef TIVOK_CLI_LISTING_H_
#define TIVOK_CLI_LISTING_H_

#include <stdexcept>
#include <string>

#include "rom/store_read.h"

namespace tivok::cli {

// A file that is no image of the game, by its header title.
class ForeignImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The stores of the image at `path`, read on one open file as the window
// reads them: a store that the file cuts short holds the slots before the
// end. Throws RomFileError when the file cannot be read, and
// ForeignImageError when its title is not the game's.
ImageStores ReadGameStores(const std::string& path);

// Why slots of `store`, which the file at `path` cuts short, are not
// listed.
std::string UnlistedText(const std::string& path, const StoreCodes& store);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_LISTING_H_
