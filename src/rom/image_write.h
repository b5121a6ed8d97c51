#ifndef TIVOK_ROM_IMAGE_WRITE_H_
#define TIVOK_ROM_IMAGE_WRITE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rom/rom_file.h"

namespace tivok {

// One byte to change in an image: where, what must be there before, what to
// write.
struct ByteChange {
  FileOffset offset = 0;
  std::optional<std::uint8_t> expected;  // nullopt: any byte may be there
  std::uint8_t value = 0;
};

struct WriteRequest {
  std::string path;
  std::vector<ByteChange> changes;
  bool dry_run = false;         // every open and check, no write
  bool skip_unchanged = false;  // leave out changes whose byte holds `value`
                                // already, whatever they expect
  // Also write the two bytes of the global checksum (0x14E-0x14F) that the
  // image has once the changes are made, computed on the same open file;
  // they replace any change of the request to those two bytes.
  bool fix_checksum = false;
};

// What WriteBytes did, for the caller to put in words.
struct WriteReport {
  enum class Outcome {
    // Every due change is in the file, flushed, and the checks after the
    // flush passed (dry run: would be).
    kWritten,
    // The image could not be opened for reading and writing, or its title
    // or bytes could not be read: `error`; nothing written.
    kNotOpened,
    // Its header title is not the game's: `title`; nothing written.
    kForeign,
    // A change lies outside the file, at the open or by the time its write
    // was due, before any byte was written: `size_before` is the length
    // then; nothing written.
    kOutside,
    // A byte is not the expected one: see `found`; nothing written.
    kUnexpected,
    // A write failed: `error`; `written` and `rollback` tell the rest.
    kWriteFailed,
    // The flush or the close failed: `error`; `written` and `rollback` tell
    // the rest.
    kUnconfirmed,
    // After the flush the path named another file, or none: the bytes went
    // into the file that was replaced, and `rollback` tells whether they
    // were taken out of it again where it still has a name.
    kReplaced,
    // After the flush the path could not be examined: `error`. The written
    // bytes are in the file that was opened, flushed; whether the path
    // still names it is not known.
    kUnchecked,
    // The file's length changed while Tivok wrote: `size_before`,
    // `size_after`. Another program cut it short before a byte that was
    // due, which was not written then, nor any after it (never
    // lengthening the file), or it changed the length otherwise. What is
    // written stays; `in_file` tells which of it the file still holds.
    kLengthChanged,
  };
  enum class Rollback {
    kNone,         // nothing was written back
    kConfirmed,    // the bytes before were written back and flushed
    kUnconfirmed,  // written back, but that flush failed too
    kFailed,       // the write-back failed: `rollback_error`; the first
                   // `written` changes stay
  };

  Outcome outcome = Outcome::kNotOpened;
  std::string title;  // the header title, once read
  // The changes as made: the request's, then with fix_checksum, once the
  // checks passed, the two of the global checksum (high byte first), each
  // expecting the stored byte. The lists below run over these.
  std::vector<ByteChange> changes;
  std::vector<int> found;  // per change, the byte there before the write; -1
                           // if not read
  std::vector<bool> due;   // per change: false when skip_unchanged left it
                           // out
  // How many due changes (in order) were written; after a failed
  // write-back, how many of them stay in the file.
  std::size_t written = 0;
  Rollback rollback = Rollback::kNone;  // what became of the written bytes
                                        // after a failure
  std::optional<RomFileError> error;
  std::optional<RomFileError> rollback_error;
  std::int64_t size_before = 0;  // the file's length just before the writes
                                 // (at the open when nothing was written)
  std::int64_t size_after = 0;   // its length after the flush
  // With kLengthChanged, where the file system cannot map the file (see
  // ImageFile::WriteAt): the file ends right after a byte that Tivok wrote,
  // and was longer when that write was checked, so another program cut it
  // short since; if it did so in the instant before the write, Tivok's
  // write lengthened the file again. The length it left is not known, so
  // the file was not cut back.
  bool may_have_lengthened = false;
  // Per change: its value is in the file now through this write (not a dry
  // run; not taken back, not cut off by another program, not gone into a
  // file that was replaced).
  std::vector<bool> in_file;

  bool ok() const { return outcome == Outcome::kWritten; }
};

// The only place in the program where bytes reach an image file. Opens
// `request.path` once, for reading and writing (a dry run too, so that it
// fails where the real run would), checks the header title and every
// expected byte, and, unless it is a dry run, writes the due changes in
// order, each only while the file still reaches it, flushes them, and
// checks that the path still names the file written and that its length
// did not change meanwhile. Never creates or lengthens a file; undoes what
// it can when a step fails part-way.
WriteReport WriteBytes(const WriteRequest& request);

}  // namespace tivok

#endif  // TIVOK_ROM_IMAGE_WRITE_H_
