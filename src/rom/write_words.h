#ifndef TIVOK_ROM_WRITE_WORDS_H_
#define TIVOK_ROM_WRITE_WORDS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "rom/describe.h"
#include "rom/image_write.h"

namespace tivok {

// Who tells a write: the window writes codes as "17" and calls itself
// Tivok, tivok-cli writes "0x17" and calls itself tivok-cli.
struct WriteVoice {
  CodeStyle style;
  std::string_view program;
};
inline constexpr WriteVoice kWindowVoice = {CodeStyle::kWindow, "Tivok"};
inline constexpr WriteVoice kCliVoice = {CodeStyle::kCli, "tivok-cli"};

// Why one change of a request, by its index there, stopped the write: it
// lies past the end of the file, or its byte is not the one expected.
struct ChangeNote {
  std::size_t change = 0;
  bool unexpected = false;
  std::string text;
};

// A write's outcome in words, in parts that the caller frames with its own
// prefixes, headings and line prefixes. Files are named as Quoted gives
// them, by their full path.
struct WriteWords {
  enum class Result {
    kAsAsked,     // every due change is in the file, and sure of it (a dry
                  // run: would be)
    kRefused,     // nothing was written: the file is as it was
    kInFile,      // every due change is in the file, but not all is sure
    kNotAsAsked,  // the file holds some of the changes, or none after
                  // writes that were taken back or went into another file
  };
  Result result = Result::kAsAsked;
  // Why it did not go as asked, as one clause without a full stop; empty
  // for kAsAsked.
  std::string reason;
  // With kRefused: each change that stopped the write, and why.
  std::vector<ChangeNote> refused;
  // The due changes that the file holds now, each as "Sirloin (0x17) to
  // slot 3 of Portal Shop, offset 0x2478E, which held Comedy BK (0x24)";
  // with kAsAsked those written (a dry run: "which holds", to be written).
  // Once a part-way failure left some of them in the file, also those it
  // does not hold.
  std::vector<std::string> written;
  std::vector<std::string> not_written;
  // Whole sentences, each with its full stop, or empty: what became of the
  // bytes written before a failure; what the file holds and its risk (with
  // kAsAsked, how many bytes were written and flushed); what could not be
  // checked, and why.
  std::string rolled_back;
  std::string left;
  std::string unchecked;
};

// What WriteBytes did for `request`, as `report` tells it, in words.
WriteWords WordWrite(const WriteRequest& request, const WriteReport& report,
                     const WriteVoice& voice);

}  // namespace tivok

#endif  // TIVOK_ROM_WRITE_WORDS_H_
