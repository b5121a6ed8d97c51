#ifndef TIVOK_ROM_IMAGE_WRITE_H_
#define TIVOK_ROM_IMAGE_WRITE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rom/rom_file.h"

namespace tivok {

// One byte to change in an image: where, what must be there before, what to
// write.
struct ByteChange {
  FilePosition position = 0;
  std::optional<std::uint8_t> expected;  // nullopt: any byte may be there
  std::uint8_t value = 0;
};

struct WriteRequest {
  std::string path;
  std::vector<ByteChange> changes;
  bool dry_run = false;  // every open and check, no write
  bool skip_unchanged =
      false;  // leave out changes whose byte holds `value` already
};

struct WriteReport {
  enum class Outcome {
    kWritten,  // every due change is in the file, flushed, and the checks after
               // the flush passed (dry run: would be)
    kNotOpened,  // the image could not be opened for reading and writing, or
                 // its title or bytes could not be read: `error`; nothing
                 // written
    kForeign,    // its header title is not the game's: `title`; nothing written
    kOutside,  // a change lies outside the file, at the open or just before the
               // writes: `size_before`; nothing written
    kUnexpected,   // a byte is not the expected one: see `found`; nothing
                   // written
    kWriteFailed,  // a write failed: `error`; `written` and `rollback` tell the
                   // rest
    kUnconfirmed,  // the flush or the close failed: `error`; `written` and
                   // `rollback` tell the rest
    kReplaced,  // after the flush the path named another file: the bytes went
                // into the file that was replaced
    kLengthChanged,  // the file's length changed while Tivok wrote:
                     // size_before, size_after, cut_back
  };
  enum class Rollback { kNone, kConfirmed, kUnconfirmed, kFailed };

  Outcome outcome = Outcome::kNotOpened;
  std::string title;  // the header title, once read
  std::vector<int>
      found;  // per change, the byte there before the write; -1 if not read
  std::vector<bool> due;    // per change: false when skip_unchanged left it out
  std::size_t written = 0;  // how many due changes (in order) were written
  Rollback rollback =
      Rollback::kNone;  // what became of the written bytes after a failure
  std::optional<RomFileError> error;
  std::optional<RomFileError> rollback_error;
  std::int64_t size_before = 0;  // the file's length just before the writes (at
                                 // the open for a dry run)
  std::int64_t size_after = 0;   // its length after the flush
  bool cut_back = false;  // Tivok cut the file back to undo its own lengthening

  bool ok() const { return outcome == Outcome::kWritten; }
};

// The only place in the program where bytes reach an image file.
WriteReport WriteBytes(const WriteRequest& request);

}  // namespace tivok

#endif  // TIVOK_ROM_IMAGE_WRITE_H_
