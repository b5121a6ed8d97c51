#include "rom/image_write.h"

#include <algorithm>
#include <optional>

#include "rom/image_file.h"

namespace tivok {
namespace {

using Outcome = WriteReport::Outcome;
using Rollback = WriteReport::Rollback;

// A change that is to be written, with the byte that was there before.
struct DueChange {
  std::int64_t offset;
  std::uint8_t before;
  std::uint8_t value;
};

bool Inside(FilePosition position, std::int64_t size) {
  return position >= 1 && std::int64_t{position} <= size;
}

// Reads the title and the byte at every change's position, and marks the
// changes that are due. Returns what stops the write, if anything does.
std::optional<Outcome> Check(ImageFile& file, const WriteRequest& request,
                             WriteReport& report) {
  report.size_before = file.size();
  report.title = TitleOf(file);
  if (!RomFile::IsAcceptedTitle(report.title)) return Outcome::kForeign;
  bool outside = false;
  bool unexpected = false;
  for (std::size_t i = 0; i < request.changes.size(); ++i) {
    const ByteChange& change = request.changes[i];
    if (!Inside(change.position, file.size())) {
      outside = true;
      continue;
    }
    const std::uint8_t byte = ReadFrom(file, change.position, 1).front();
    report.found[i] = byte;
    report.due[i] = !(request.skip_unchanged && byte == change.value);
    if (change.expected && *change.expected != byte && report.due[i]) {
      unexpected = true;
    }
  }
  if (outside) return Outcome::kOutside;
  if (unexpected) return Outcome::kUnexpected;
  return std::nullopt;
}

std::vector<DueChange> DueChanges(const WriteRequest& request,
                                  const WriteReport& report) {
  std::vector<DueChange> due;
  for (std::size_t i = 0; i < request.changes.size(); ++i) {
    if (!report.due[i]) continue;
    due.push_back({std::int64_t{request.changes[i].position} - 1,
                   static_cast<std::uint8_t>(report.found[i]),
                   request.changes[i].value});
  }
  return due;
}

// Writes back the bytes that the first `report.written` changes replaced,
// last first, so that changes to one byte unwind in order, and flushes.
void RollBack(ImageFile& file, const std::vector<DueChange>& due,
              WriteReport& report) {
  std::size_t undone = 0;
  try {
    // Another program may have shortened the file meanwhile: writing back
    // past its end would lengthen it.
    const std::int64_t size = file.State().size;
    for (; undone < report.written; ++undone) {
      const DueChange& change = due[report.written - 1 - undone];
      if (change.offset >= size) {
        FailOutside(file.path(), static_cast<FilePosition>(change.offset + 1),
                    size);
      }
      file.WriteAt(change.offset, change.before);
    }
  } catch (const RomFileError& error) {
    report.rollback = Rollback::kFailed;
    report.rollback_error = error;
    report.written -= undone;
    return;
  }
  try {
    file.Flush();
  } catch (const RomFileError& error) {
    report.rollback = Rollback::kUnconfirmed;
    report.rollback_error = error;
    return;
  }
  report.rollback = Rollback::kConfirmed;
}

// The length to which the file is cut back after Tivok's write lengthened
// it: another program shortened it between the length check and the write,
// and the system filled the gap up to Tivok's byte with zeros. The file
// keeps everything up to its last byte that is neither zero nor one of
// Tivok's, so it ends up no longer than the other program left it (if
// that program's data ended in zeros, those go too: Tivok cannot tell them
// from the gap). Holes (SEEK_HOLE) would not tell it better: they start at
// a block boundary, up to a block past the other program's end, and not
// every file system or system keeps them; zeros read the same everywhere.
std::int64_t LengthBefore(ImageFile& file, const std::vector<DueChange>& ours,
                          std::int64_t end) {
  constexpr std::int64_t kChunk = 64 * 1024;
  const auto is_ours = [&ours](std::int64_t offset) {
    return std::any_of(ours.begin(), ours.end(), [offset](const DueChange& c) {
      return c.offset == offset;
    });
  };
  std::vector<std::uint8_t> chunk;
  std::int64_t keep = end;
  while (keep > 0) {
    const std::int64_t from = std::max<std::int64_t>(0, keep - kChunk);
    chunk.resize(static_cast<std::size_t>(keep - from));
    file.ReadAt(from, chunk.data(), chunk.size());
    for (; keep > from; --keep) {
      const std::int64_t offset = keep - 1;
      if (chunk[static_cast<std::size_t>(offset - from)] != 0 &&
          !is_ours(offset)) {
        return keep;
      }
    }
  }
  return 0;
}

// The file's length changed while Tivok wrote. When it now ends right after
// a byte that Tivok wrote, that write lengthened it: cut it back.
void CutBack(ImageFile& file, const std::vector<DueChange>& due,
             WriteReport& report) {
  const std::vector<DueChange> ours(due.begin(), due.begin() + report.written);
  const std::int64_t end = report.size_after;
  if (std::none_of(ours.begin(), ours.end(), [end](const DueChange& change) {
        return change.offset == end - 1;
      })) {
    return;
  }
  try {
    const std::int64_t length = LengthBefore(file, ours, end);
    if (length >= end) return;
    file.Truncate(length);
    report.cut_back = true;
    report.cut_to = length;
    file.Flush();
  } catch (const RomFileError& error) {
    report.error = error;
  }
}

// After the flush: the path must still name the file written, and its
// length must be the one it had just before the writes.
void CheckAfterFlush(ImageFile& file, const std::vector<DueChange>& due,
                     WriteReport& report) {
  OpenFileState now;
  try {
    now = file.State();
  } catch (const RomFileError& error) {
    report.outcome = Outcome::kUnconfirmed;
    report.error = error;
    return;
  }
  report.size_after = now.size;
  if (now.links == 0 || ImageFile::IdentityAt(file.path()) != now.identity) {
    report.outcome = Outcome::kReplaced;
    // A file that was renamed, to a backup say, still has a name: take
    // Tivok's bytes out of it again.
    if (now.links > 0) RollBack(file, due, report);
    return;
  }
  if (now.size != report.size_before) {
    report.outcome = Outcome::kLengthChanged;
    CutBack(file, due, report);
    return;
  }
  report.outcome = Outcome::kWritten;
}

// Writes the due changes into the checked, open `file`, flushes and checks
// them, and closes the file.
void WriteDue(ImageFile& file, const std::vector<DueChange>& due,
              WriteReport& report) {
  try {
    report.size_before = file.State().size;
  } catch (const RomFileError& error) {
    report.outcome = Outcome::kWriteFailed;
    report.error = error;
    return;
  }
  for (const DueChange& change : due) {
    if (change.offset >= report.size_before) {
      report.outcome = Outcome::kOutside;
      return;
    }
  }
  try {
    for (const DueChange& change : due) {
      file.WriteAt(change.offset, change.value);
      ++report.written;
    }
  } catch (const RomFileError& error) {
    report.outcome = Outcome::kWriteFailed;
    report.error = error;
    if (report.written > 0) RollBack(file, due, report);
    return;
  }
  try {
    file.Flush();
  } catch (const RomFileError& error) {
    report.outcome = Outcome::kUnconfirmed;
    report.error = error;
    // Several bytes are taken back, so that a layout is in the file whole
    // or not at all. A single byte stays, only unconfirmed: it is in the
    // file as other programs read it, and writing it back would hang on
    // the same flush.
    if (report.written > 1) RollBack(file, due, report);
    return;
  }
  CheckAfterFlush(file, due, report);
  try {
    file.Close();
  } catch (const RomFileError& error) {
    if (report.ok()) report.outcome = Outcome::kUnconfirmed;
    if (!report.error) report.error = error;
  }
}

}  // namespace

WriteReport WriteBytes(const WriteRequest& request) {
  WriteReport report;
  report.found.assign(request.changes.size(), -1);
  report.due.assign(request.changes.size(), true);
  // Closed without a flush wherever nothing was written.
  std::optional<ImageFile> file;
  try {
    file.emplace(request.path, ImageFile::Access::kReadWrite);
    if (const std::optional<Outcome> stop = Check(*file, request, report)) {
      report.outcome = *stop;
      return report;
    }
  } catch (const RomFileError& error) {
    report.outcome = Outcome::kNotOpened;
    report.error = error;
    return report;
  }
  const std::vector<DueChange> due = DueChanges(request, report);
  if (request.dry_run || due.empty()) {
    report.outcome = Outcome::kWritten;
    report.size_after = report.size_before;
    return report;
  }
  WriteDue(*file, due, report);
  return report;
}

}  // namespace tivok
