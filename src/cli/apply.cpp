#include "cli/apply.h"

#include "cli/listing.h"
#include "rom/describe.h"
#include "rom/image_write.h"
#include "rom/item_table.h"
#include "rom/rom_file.h"

namespace tivok::cli {
namespace {

using Outcome = WriteReport::Outcome;
using Rollback = WriteReport::Rollback;

// A change that is due: the wish, and the code its slot held before.
struct Change {
  const SlotWish* wish;
  int before;
};

FilePosition PositionOf(const SlotWish& wish) {
  return wish.store->SlotPosition(wish.slot);
}

// A wish to keep a code that is no item; it is never written.
bool KeepsOnly(const SlotWish& wish) {
  return ItemTable::NameOf(wish.code).empty();
}

// One change per wish: a wish to write an item takes any byte there, or
// only its `was`; a wish to keep a code that is no item expects that code.
// The core refuses them where the slot holds another byte, unless it holds
// the wish's code already.
WriteRequest RequestFor(const std::string& path,
                        const std::vector<SlotWish>& wishes, bool dry_run) {
  WriteRequest request{path, {}, dry_run, /*skip_unchanged=*/true};
  for (const SlotWish& wish : wishes) {
    const auto code = static_cast<std::uint8_t>(wish.code);
    std::optional<std::uint8_t> expected;
    if (wish.was) expected = static_cast<std::uint8_t>(*wish.was);
    if (KeepsOnly(wish)) expected = code;
    request.changes.push_back({PositionOf(wish), expected, code});
  }
  return request;
}

// "Sirloin (0x17) to slot 3 of Portal Shop, offset 0x2478E, which held
// Tiny Medal (0x1E)".
std::string ChangeText(const Change& change, std::string_view held) {
  return ItemText(change.wish->code, CodeStyle::kCli) + " to " +
         SlotText(*change.wish->store, change.wish->slot) + ", which " +
         std::string(held) + " " + ItemText(change.before, CodeStyle::kCli);
}

std::string Bytes(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

void ListChanges(std::ostream& to, std::string_view heading,
                 const std::vector<Change>& changes, std::size_t from,
                 std::size_t end) {
  if (from >= end) return;
  to << heading << "\n";
  for (std::size_t i = from; i < end; ++i) {
    to << "  " << ChangeText(changes[i], "held") << "\n";
  }
}

// What the report says the system gave as its reason.
std::string ErrorText(const std::optional<RomFileError>& error) {
  return error ? error->what() : "no reason given";
}

// The written changes after a failure: taken back, or which stay and why.
void SayRollback(const WriteReport& report, const std::vector<Change>& due,
                 const std::string& path, std::ostream& err) {
  const std::size_t written = report.written;
  switch (report.rollback) {
    case Rollback::kConfirmed:
      err << "Nothing was changed: the bytes written were written back and "
             "flushed to the disk.\n";
      return;
    case Rollback::kUnconfirmed:
      err << "The bytes written were written back, so the file reads as "
             "before, but the disk did not confirm it ("
          << ErrorText(report.rollback_error)
          << "); the changes may come back if the system fails.\n";
      return;
    case Rollback::kFailed:
      err << "Writing them back failed (" << ErrorText(report.rollback_error)
          << ").\n";
      break;
    case Rollback::kNone:
      break;
  }
  if (written == 0) {
    err << "Nothing was written to " << Quoted(path) << ".\n";
    return;
  }
  ListChanges(err, "Written:", due, 0, written);
  ListChanges(err, "Not written:", due, written, due.size());
  err << "The " << Bytes(written) << " written "
      << (written == 1 ? "is in the file, but the disk did not confirm it; "
                         "it may"
                       : "are in the file, but the disk did not confirm "
                         "them; they may")
      << " be lost if the system fails.\n";
}

// Why the bytes did not go into the image at `path` as asked.
void SayReplacedOrResized(const WriteReport& report, const std::string& path,
                          std::ostream& err) {
  if (report.outcome == Outcome::kReplaced) {
    err << kProgram << ": " << Quoted(path)
        << " was replaced by another program while tivok-cli wrote: "
        << "the " << Bytes(report.written)
        << " written went into the file that was replaced, and the "
        << "image at " << Quoted(path) << " was not changed.\n";
    if (report.rollback == Rollback::kConfirmed) {
      err << "They were taken out of the replaced file again.\n";
    } else if (report.rollback != Rollback::kNone) {
      err << "Taking them out of the replaced file again failed ("
          << ErrorText(report.rollback_error) << ").\n";
    }
    return;
  }
  err << kProgram << ": the length of " << Quoted(path) << " changed from "
      << report.size_before << " to " << report.size_after
      << " bytes while tivok-cli wrote: another program changed the file "
         "meanwhile, so the change is not reported as written.\n";
  if (report.cut_back) {
    err << "tivok-cli's own write had lengthened the file; it was cut back "
           "to "
        << report.cut_to
        << " bytes, no longer than the other program left it.\n";
  } else {
    err << "tivok-cli did not cut it back"
        << (report.error ? " (" + ErrorText(report.error) + ")" : "")
        << "; the " << Bytes(report.written)
        << (report.written == 1 ? " written is" : " written are")
        << " in the file as it is now.\n";
  }
}

}  // namespace

std::string LinePrefix(const WishSource& source, int line) {
  if (line <= 0) return "";
  return Escaped(source.name) + ":" + std::to_string(line) + ": ";
}

Result WriteWishes(const std::string& path, const std::vector<SlotWish>& wishes,
                   bool dry_run, const WishSource& source, std::ostream& out,
                   std::ostream& err) {
  const WriteRequest request = RequestFor(path, wishes, dry_run);
  const WriteReport report = WriteBytes(request);
  // The due changes, in the order they are written.
  std::vector<Change> due;
  for (std::size_t i = 0; i < wishes.size(); ++i) {
    if (report.due[i] && report.found[i] >= 0) {
      due.push_back({&wishes[i], report.found[i]});
    }
  }
  const std::string refused =
      source.name.empty() ? "nothing was written to "
                          : "the layout is refused; nothing was written to ";
  switch (report.outcome) {
    case Outcome::kWritten:
      break;
    case Outcome::kNotOpened:
      err << kProgram << ": " << ErrorText(report.error)
          << "\nNothing was written.\n";
      return {kFailed};
    case Outcome::kForeign:
      err << kProgram << ": " << ForeignImageText(path, report.title)
          << "\nNothing was written.\n";
      return {kFailed};
    case Outcome::kOutside:
      for (const SlotWish& wish : wishes) {
        if (PositionOf(wish) - 1 < report.size_before) continue;
        err << kProgram << ": " << LinePrefix(source, wish.line)
            << SlotText(*wish.store, wish.slot) << ", lies past the end of "
            << Quoted(path) << ": " << SizeReason(report.size_before)
            << ", and it is never lengthened\n";
      }
      err << kProgram << ": " << refused << Quoted(path) << ".\n";
      return {kFailed};
    case Outcome::kUnexpected:
      for (std::size_t i = 0; i < wishes.size(); ++i) {
        const SlotWish& wish = wishes[i];
        const std::optional<std::uint8_t> expected =
            request.changes[i].expected;
        if (!expected || report.found[i] == *expected ||
            report.found[i] == wish.code) {
          continue;
        }
        err << kProgram << ": " << LinePrefix(source, wish.line)
            << SlotText(*wish.store, wish.slot) << ", holds "
            << ItemText(report.found[i], CodeStyle::kCli);
        if (KeepsOnly(wish)) {
          err << "; " << ItemText(wish.code, CodeStyle::kCli)
              << " can be kept where a slot holds it, but never written\n";
        } else {
          err << ", but the layout expects "
              << ItemText(*expected, CodeStyle::kCli)
              << " there before writing "
              << ItemText(wish.code, CodeStyle::kCli) << "\n";
        }
      }
      err << kProgram << ": " << refused << Quoted(path) << ".\n";
      return {kFailed};
    case Outcome::kWriteFailed:
    case Outcome::kUnconfirmed:
      err << kProgram << ": " << ErrorText(report.error) << "\n";
      SayRollback(report, due, path, err);
      return {kFailed};
    case Outcome::kReplaced:
    case Outcome::kLengthChanged:
      SayReplacedOrResized(report, path, err);
      return {kFailed};
  }

  if (due.empty()) {
    if (wishes.size() == 1 && wishes[0].line == 0) {
      out << "Nothing to change: " << SlotText(*wishes[0].store, wishes[0].slot)
          << ", holds " << ItemText(wishes[0].code, CodeStyle::kCli)
          << " already.\n";
    } else {
      out << "Nothing to change: " << Quoted(path)
          << " holds these items already.\n";
    }
    return {kOk};
  }
  if (dry_run) {
    for (const Change& change : due) {
      out << "Would write " << ChangeText(change, "holds") << ".\n";
    }
    out << "Dry run: nothing was written to " << Quoted(path) << ".\n";
    return {kOk};
  }
  for (const Change& change : due) {
    out << "Wrote " << ChangeText(change, "held") << ".\n";
  }
  out << Bytes(due.size()) << " written to " << Quoted(path)
      << " and flushed to the disk.\n";
  return {kOk, true};
}

}  // namespace tivok::cli
