#include "rom/image_write.h"

#include <map>
#include <optional>

#include "rom/checksum.h"
#include "rom/image_file.h"

namespace tivok {
namespace {

using Outcome = WriteReport::Outcome;
using Rollback = WriteReport::Rollback;

// A change that is to be written, with the byte that was there before.
struct DueChange {
  FileOffset offset;
  std::uint8_t before;
  std::uint8_t value;
};

bool Inside(FileOffset offset, std::int64_t size) {
  return offset >= 0 && offset < size;
}

// Reads the title and the byte at every change's offset, and marks the
// changes that are due. Returns what stops the write, if anything does.
std::optional<Outcome> Check(ImageFile& file, const WriteRequest& request,
                             WriteReport& report) {
  const std::vector<ByteChange>& changes = report.changes;
  report.size_before = file.size();
  report.title = TitleOf(file);
  if (!RomFile::IsAcceptedTitle(report.title)) return Outcome::kForeign;
  bool outside = false;
  bool unexpected = false;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const ByteChange& change = changes[i];
    if (!Inside(change.offset, file.size())) {
      outside = true;
      continue;
    }
    const std::uint8_t byte = ReadFrom(file, change.offset, 1).front();
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

// Adds the two bytes of the global checksum that the checked `file` has
// once the due changes are made; the request's own changes to them are
// left out. Throws RomFileError when the file cannot be read for the sum.
void AddChecksum(ImageFile& file, WriteReport& report) {
  // Each offset's changes as one: the byte it had, the one it ends with.
  std::map<FileOffset, ByteChange> net;
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    const FileOffset offset = report.changes[i].offset;
    if (InGlobalChecksum(offset)) report.due[i] = false;
    if (!report.due[i]) continue;
    const auto before = static_cast<std::uint8_t>(report.found[i]);
    net.try_emplace(offset, ByteChange{offset, before, 0}).first->second.value =
        report.changes[i].value;
  }
  std::vector<ByteChange> summed;
  for (const auto& [offset, change] : net) summed.push_back(change);
  const std::vector<ByteChange> with =
      WithGlobalChecksum(std::move(summed), ReadChecksums(file));
  for (auto checksum = with.end() - 2; checksum != with.end(); ++checksum) {
    report.changes.push_back(*checksum);
    report.found.push_back(*checksum->expected);
    report.due.push_back(*checksum->expected != checksum->value);
    report.in_file.push_back(false);
  }
}

std::vector<DueChange> DueChanges(const WriteReport& report) {
  std::vector<DueChange> due;
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    if (!report.due[i]) continue;
    due.push_back({report.changes[i].offset,
                   static_cast<std::uint8_t>(report.found[i]),
                   report.changes[i].value});
  }
  return due;
}

// Writes back the bytes that the first `report.written` changes replaced,
// last first, so that changes to one byte unwind in order, and flushes.
void RollBack(ImageFile& file, const std::vector<DueChange>& due,
              WriteReport& report) {
  std::size_t undone = 0;
  try {
    for (; undone < report.written; ++undone) {
      const DueChange& change = due[report.written - 1 - undone];
      // Another program may have cut the file short meanwhile.
      std::int64_t length = 0;
      if (!file.WriteAt(change.offset, change.before, &length)) {
        FailOutside(file.path(), change.offset, length);
      }
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

// True when the file, `end` bytes long now, ends right after a written
// byte whose write found it longer: another program cut it short since,
// perhaps before the write, which then lengthened it again.
bool MayHaveLengthened(const std::vector<DueChange>& due,
                       const std::vector<std::int64_t>& checked,
                       std::int64_t end) {
  for (std::size_t i = 0; i < checked.size(); ++i) {
    if (due[i].offset == end - 1 && checked[i] > end) return true;
  }
  return false;
}

// After the flush: the path must still name the file written, and its
// length must be the one it had just before the writes. `checked` holds
// the length that each write's check found; `stopped`, that the writes
// stopped before a byte the file no longer reached.
void CheckAfterFlush(ImageFile& file, const std::vector<DueChange>& due,
                     const std::vector<std::int64_t>& checked, bool stopped,
                     WriteReport& report) {
  OpenFileState now;
  std::optional<FileIdentity> at_path;
  try {
    now = file.State();
  } catch (const RomFileError& error) {
    report.outcome = Outcome::kUnconfirmed;
    report.error = error;
    return;
  }
  report.size_after = now.size;
  try {
    if (now.links > 0) at_path = ImageFile::IdentityAt(file.path());
  } catch (const RomFileError& error) {
    report.outcome = Outcome::kUnchecked;
    report.error = error;
    return;
  }
  if (now.links == 0 || at_path != now.identity) {
    report.outcome = Outcome::kReplaced;
    // A file that was renamed, to a backup say, still has a name: take
    // Tivok's bytes out of it again.
    if (now.links > 0) RollBack(file, due, report);
    return;
  }
  if (stopped || now.size != report.size_before) {
    report.outcome = Outcome::kLengthChanged;
    report.may_have_lengthened =
        file.may_lengthen() && MayHaveLengthened(due, checked, now.size);
    return;
  }
  report.outcome = Outcome::kWritten;
}

// Writes the due changes into the checked, open `file`, each only while
// the file reaches it, flushes and checks them, and closes the file.
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
  std::vector<std::int64_t> checked;
  bool stopped = false;
  try {
    for (const DueChange& change : due) {
      std::int64_t length = 0;
      if (!file.WriteAt(change.offset, change.value, &length)) {
        stopped = true;
        if (report.written == 0) {
          report.outcome = Outcome::kOutside;
          report.size_before = length;
          return;
        }
        break;
      }
      checked.push_back(length);
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
  CheckAfterFlush(file, due, checked, stopped, report);
  try {
    file.Close();
  } catch (const RomFileError& error) {
    if (report.ok()) report.outcome = Outcome::kUnconfirmed;
    if (!report.error) report.error = error;
  }
}

// Marks the changes whose value the file holds now through this write.
void MarkInFile(const WriteRequest& request, WriteReport& report) {
  if (request.dry_run || report.outcome == Outcome::kReplaced) return;
  const bool kept = report.rollback == Rollback::kNone ||
                    report.rollback == Rollback::kFailed;
  if (!kept) return;
  std::size_t rank = 0;
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    if (!report.due[i] || rank++ >= report.written) continue;
    // Another program may have cut the file short before this byte.
    report.in_file[i] = report.outcome != Outcome::kLengthChanged ||
                        report.changes[i].offset < report.size_after;
  }
}

}  // namespace

WriteReport WriteBytes(const WriteRequest& request) {
  WriteReport report;
  report.changes = request.changes;
  report.found.assign(request.changes.size(), -1);
  report.due.assign(request.changes.size(), true);
  report.in_file.assign(request.changes.size(), false);
  // Closed without a flush wherever nothing was written.
  std::optional<ImageFile> file;
  try {
    file.emplace(request.path, ImageFile::Access::kReadWrite);
    if (const std::optional<Outcome> stop = Check(*file, request, report)) {
      report.outcome = *stop;
      return report;
    }
    if (request.fix_checksum) AddChecksum(*file, report);
  } catch (const RomFileError& error) {
    report.outcome = Outcome::kNotOpened;
    report.error = error;
    return report;
  }
  const std::vector<DueChange> due = DueChanges(report);
  if (request.dry_run || due.empty()) {
    report.outcome = Outcome::kWritten;
    report.size_after = report.size_before;
    return report;
  }
  WriteDue(*file, due, report);
  MarkInFile(request, report);
  return report;
}

}  // namespace tivok
