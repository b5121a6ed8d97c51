#include "rom/write_words.h"

#include <optional>

#include "rom/store_table.h"

namespace tivok {
namespace {

using Outcome = WriteReport::Outcome;
using Result = WriteWords::Result;
using Rollback = WriteReport::Rollback;

// A byte as a change tells it: the item of a slot, or a plain byte
// elsewhere, such as in the header.
std::string ValueText(FileOffset offset, int value, CodeStyle style) {
  if (StoreTable::SlotAt(offset).store == nullptr) {
    return CodeText(value, CodeStyle::kCli);
  }
  return ItemText(value, style);
}

// "Sirloin (0x17) to slot 3 of Portal Shop, offset 0x2478E, which held
// Comedy BK (0x24)"; `held` is "holds" for a change still to be made.
std::string ChangeText(const ByteChange& change, int before,
                       std::string_view held, CodeStyle style) {
  return ValueText(change.offset, change.value, style) + " to " +
         PlaceText(change.offset) + ", which " + std::string(held) + " " +
         ValueText(change.offset, before, style);
}

std::string Bytes(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

// "The 1 byte written is" or "The 2 bytes written are".
std::string TheWritten(std::size_t count) {
  return "The " + Bytes(count) + (count == 1 ? " written is" : " written are");
}

std::string ErrorText(const std::optional<RomFileError>& error) {
  return error ? error->what() : "no reason given";
}

bool Inside(FileOffset offset, std::int64_t size) {
  return offset >= 0 && offset < size;
}

// Nothing was written: why, and which changes stopped it.
void Refuse(const WriteRequest& request, const WriteReport& report,
            const WriteVoice& voice, WriteWords& words) {
  words.result = Result::kRefused;
  const std::string file = Quoted(request.path);
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    const ByteChange& change = report.changes[i];
    const int found = report.found[i];
    std::string why;
    if (report.outcome == Outcome::kOutside &&
        !Inside(change.offset, report.size_before)) {
      why = ", lies past the end of " + file + ": " +
            SizeReason(report.size_before) + ", and it is never lengthened";
    } else if (report.outcome == Outcome::kUnexpected && change.expected &&
               found >= 0 && found != *change.expected) {
      why = ", holds " + ValueText(change.offset, found, voice.style) +
            ", not " + ValueText(change.offset, *change.expected, voice.style);
    }
    if (!why.empty()) {
      words.refused.push_back({i, report.outcome == Outcome::kUnexpected,
                               PlaceText(change.offset) + why});
    }
  }
  if (!words.refused.empty()) {
    words.reason = "nothing was written to " + file;
    return;
  }
  words.reason = report.outcome == Outcome::kForeign
                     ? NotAnImageText(file, report.title)
                     : ErrorText(report.error);
  words.left = "Nothing was written to " + file + ".";
}

// What became of the bytes written before a failure.
std::string RolledBack(const WriteReport& report) {
  const bool replaced = report.outcome == Outcome::kReplaced;
  const std::string error = ErrorText(report.rollback_error);
  switch (report.rollback) {
    case Rollback::kNone:
      break;
    case Rollback::kConfirmed:
      return replaced ? "They were taken out of the replaced file again."
                      : "Nothing was changed: the bytes written were written "
                        "back and flushed to the disk.";
    case Rollback::kUnconfirmed:
      return replaced ? "They were taken out of the replaced file again, but "
                        "the disk did not confirm it (" +
                            error + ")."
                      : "The bytes written were written back, so the file "
                        "reads as before, but the disk did not confirm it (" +
                            error +
                            "); the changes may come back if the system fails.";
    case Rollback::kFailed:
      return (replaced ? "Taking them out of the replaced file again failed ("
                       : "Writing them back failed (") +
             error + ").";
  }
  return {};
}

// Why a write that began did not go as asked.
std::string Reason(const WriteRequest& request, const WriteReport& report,
                   const WriteVoice& voice) {
  const std::string file = Quoted(request.path);
  const std::string program(voice.program);
  switch (report.outcome) {
    case Outcome::kReplaced:
      return file + " was replaced by another program while " + program +
             " wrote: the " + Bytes(report.written) +
             " written went into the file that was replaced, and the image "
             "at " +
             file + " was not changed";
    case Outcome::kLengthChanged:
      return "the length of " + file + " changed from " +
             std::to_string(report.size_before) + " to " +
             std::to_string(report.size_after) + " bytes while " + program +
             " wrote: another program changed the file meanwhile";
    default:
      return ErrorText(report.error);
  }
}

// Why the due changes that the file does not hold after another program
// changed its length are not in it, when they all lie past its end now:
// " The change not written lies past the end of the file as it is now:
// tivok-cli never lengthens a file."
std::string PastTheEnd(const WriteReport& report, const WriteVoice& voice) {
  std::size_t past = 0;
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    if (!report.due[i] || report.in_file[i]) continue;
    if (Inside(report.changes[i].offset, report.size_after)) return {};
    ++past;
  }
  if (past == 0) return {};
  return (past == 1
              ? std::string(" The change not written lies")
              : " The " + std::to_string(past) + " changes not written lie") +
         " past the end of the file as it is now: " +
         std::string(voice.program) + " never lengthens a file.";
}

// What the file holds of the changes after a write that began, and how
// sure that is.
void TellLeft(const WriteRequest& request, const WriteReport& report,
              const WriteVoice& voice, WriteWords& words) {
  const std::string file = Quoted(request.path);
  std::size_t due = 0;
  std::size_t in_file = 0;
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    due += report.due[i] ? 1 : 0;
    in_file += report.in_file[i] ? 1 : 0;
  }
  words.result =
      in_file > 0 && in_file == due ? Result::kInFile : Result::kNotAsAsked;
  if (report.outcome == Outcome::kUnchecked) {
    words.unchecked = "It could not be checked that " + file +
                      " still names that file: if another program replaced "
                      "it meanwhile, the image at " +
                      file + " was not changed.";
  } else if (report.may_have_lengthened) {
    words.unchecked = std::string(voice.program) +
                      "'s own write may have lengthened the file again after "
                      "the other program cut it short; it was not cut back, "
                      "as the length that program left is not known.";
  }
  if (in_file == 0) return;
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    if (!report.due[i]) continue;
    (report.in_file[i] ? words.written : words.not_written)
        .push_back(ChangeText(report.changes[i], report.found[i], "held",
                              voice.style));
  }
  switch (report.outcome) {
    case Outcome::kLengthChanged:
      words.left = TheWritten(in_file) + " in the file as it is now." +
                   PastTheEnd(report, voice);
      break;
    case Outcome::kUnchecked:
      words.left = TheWritten(in_file) + " in the file that was opened as " +
                   file + ", flushed to the disk.";
      break;
    default:
      words.left = TheWritten(in_file) +
                   " in the file, but the disk did not confirm " +
                   (in_file == 1 ? "it; it may" : "them; they may") +
                   " be lost if the system fails.";
  }
}

}  // namespace

WriteWords WordWrite(const WriteRequest& request, const WriteReport& report,
                     const WriteVoice& voice) {
  WriteWords words;
  switch (report.outcome) {
    case Outcome::kWritten:
      for (std::size_t i = 0; i < report.changes.size(); ++i) {
        if (!report.due[i]) continue;
        words.written.push_back(ChangeText(report.changes[i], report.found[i],
                                           request.dry_run ? "holds" : "held",
                                           voice.style));
      }
      if (!request.dry_run && !words.written.empty()) {
        words.left = Bytes(words.written.size()) + " written to " +
                     Quoted(request.path) + " and flushed to the disk.";
      }
      return words;
    case Outcome::kNotOpened:
    case Outcome::kForeign:
    case Outcome::kOutside:
    case Outcome::kUnexpected:
      Refuse(request, report, voice, words);
      return words;
    case Outcome::kWriteFailed:
      if (report.written == 0) {
        Refuse(request, report, voice, words);
        return words;
      }
      break;
    case Outcome::kUnconfirmed:
    case Outcome::kReplaced:
    case Outcome::kUnchecked:
    case Outcome::kLengthChanged:
      break;
  }
  words.reason = Reason(request, report, voice);
  words.rolled_back = RolledBack(report);
  TellLeft(request, report, voice, words);
  return words;
}

}  // namespace tivok
