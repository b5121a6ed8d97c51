#include "cli/apply.h"

#include <functional>
#include <memory>

#include "cli/listing.h"
#include "cli/program.h"
#include "rom/describe.h"
#include "rom/item_table.h"
#include "rom/rom_edit.h"
#include "rom/rom_file.h"

namespace tivok::cli {
namespace {

// A wish whose slot holds another code now.
struct Change {
  const SlotWish* wish;
  int before;
};

FilePosition PositionOf(const SlotWish& wish) {
  return wish.store->SlotPosition(wish.slot);
}

// "Sirloin (17) to slot 3 of Portal Shop, offset 0x2478E, which held
// Tiny Medal (1E)".
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
                 std::size_t to_index) {
  if (from >= to_index) return;
  to << heading << "\n";
  for (std::size_t i = from; i < to_index; ++i) {
    to << "  " << ChangeText(changes[i], "held") << "\n";
  }
}

// A write failed after `done` of `changes` were written: says which slots
// hold their new items and which do not, and hands the written ones to the
// disk.
Result ReportPartialWrite(const RomFileError& error,
                          const std::vector<Change>& changes, std::size_t done,
                          RomEdit& edit, const std::string& path,
                          std::ostream& err) {
  err << kProgram << ": " << error.what() << "\n";
  if (done == 0) {
    edit.Commit();  // nothing written: only closes the file
    err << "Nothing was written to " << Quoted(path) << ".\n";
    return {kFailed, false};
  }
  ListChanges(err, "Written:", changes, 0, done);
  ListChanges(err, "Not written:", changes, done, changes.size());
  try {
    edit.Commit();
    err << "The disk confirmed the " << Bytes(done) << " written.\n";
  } catch (const RomFileError& flush_error) {
    err << "The " << Bytes(done)
        << " written are in the file, but the disk did not confirm them ("
        << flush_error.what() << "); they may be lost if the system fails.\n";
  }
  return {kFailed, false};
}

}  // namespace

std::string LinePrefix(const WishSource& source, int line) {
  if (line <= 0) return "";
  return Escaped(source.name) + ":" + std::to_string(line) + ": ";
}

Result WriteWishes(const std::string& path, const std::vector<SlotWish>& wishes,
                   bool dry_run, const WishSource& source, std::ostream& out,
                   std::ostream& err) {
  std::unique_ptr<RomEdit> edit;
  std::vector<Change> changes;
  try {
    // The title is checked on the file that is written.
    edit = std::make_unique<RomEdit>(path);
    if (!edit->TitleAccepted()) {
      throw ForeignImageError(ForeignImageText(path, edit->title()));
    }
    std::function<int(FilePosition)> held = [&edit](FilePosition position) {
      return static_cast<int>(edit->ReadByte(position));
    };
    std::vector<std::string> refusals;
    for (const SlotWish& wish : wishes) {
      const int before = held(PositionOf(wish));
      if (before == wish.code) continue;
      if (ItemTable::NameOf(wish.code).empty()) {
        refusals.push_back(LinePrefix(source, wish.line) +
                           SlotText(*wish.store, wish.slot) + ", holds " +
                           ItemText(before, CodeStyle::kCli) + "; " +
                           ItemText(wish.code, CodeStyle::kCli) +
                           " can be kept where a slot holds it, but never "
                           "written");
      }
      changes.push_back({&wish, before});
    }
    if (!refusals.empty()) {
      for (const std::string& refusal : refusals) {
        err << kProgram << ": " << refusal << "\n";
      }
      err << kProgram << ": the layout is refused; nothing was written to "
          << Quoted(path) << ".\n";
      return {kFailed, false};
    }
  } catch (const std::exception& error) {
    err << kProgram << ": " << error.what() << "\nNothing was written.\n";
    return {kFailed, false};
  }

  if (changes.empty()) {
    if (edit) edit->Commit();  // nothing written: only closes the file
    if (wishes.size() == 1 && wishes[0].line == 0) {
      out << "Nothing to change: " << SlotText(*wishes[0].store, wishes[0].slot)
          << ", holds " << ItemText(wishes[0].code, CodeStyle::kCli)
          << " already.\n";
    } else {
      out << "Nothing to change: " << Quoted(path)
          << " holds these items already.\n";
    }
    return {kOk, false};
  }
  if (dry_run) {
    for (const Change& change : changes) {
      out << "Would write " << ChangeText(change, "holds") << ".\n";
    }
    out << "Dry run: nothing was written to " << Quoted(path) << ".\n";
    return {kOk, false};
  }
  std::size_t done = 0;
  try {
    for (; done < changes.size(); ++done) {
      edit->WriteByte(PositionOf(*changes[done].wish),
                      static_cast<std::uint8_t>(changes[done].wish->code));
    }
  } catch (const RomFileError& error) {
    return ReportPartialWrite(error, changes, done, *edit, path, err);
  }
  try {
    edit->Commit();
  } catch (const RomFileError& error) {
    err << kProgram << ": " << error.what() << "\n";
    ListChanges(err, "Written:", changes, 0, changes.size());
    err << "The " << Bytes(done)
        << " written are in the file, but the disk did not confirm them; "
           "they may be lost if the system fails.\n";
    return {kFailed, false};
  }
  for (const Change& change : changes) {
    out << "Wrote " << ChangeText(change, "held") << ".\n";
  }
  out << Bytes(done) << " written to " << Quoted(path)
      << " and flushed to the disk.\n";
  return {kOk, true};
}

}  // namespace tivok::cli
