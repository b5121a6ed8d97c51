#include "cli/apply.h"

#include "rom/describe.h"
#include "rom/image_write.h"
#include "rom/rom_file.h"
#include "rom/write_words.h"

namespace tivok::cli {
namespace {

// One change per wish: a wish to write an item takes any byte there, or
// only its `was`; a wish to keep a code that is no item expects that code.
// The core refuses them where the slot holds another byte, unless it holds
// the wish's code already.
WriteRequest RequestFor(const std::string& path,
                        const std::vector<SlotWish>& wishes, WriteMode mode) {
  WriteRequest request{
      path, {}, mode.dry_run, /*skip_unchanged=*/true, mode.fix_checksum};
  for (const SlotWish& wish : wishes) {
    const auto code = static_cast<std::uint8_t>(wish.code);
    std::optional<std::uint8_t> expected;
    if (wish.was) expected = static_cast<std::uint8_t>(*wish.was);
    if (KeepsOnly(wish)) expected = code;
    request.changes.push_back(
        {wish.store->SlotOffset(wish.slot), expected, code});
  }
  return request;
}

void ListChanges(std::ostream& to, std::string_view heading,
                 const std::vector<std::string>& changes) {
  if (changes.empty()) return;
  to << heading << "\n";
  for (const std::string& change : changes) to << "  " << change << "\n";
}

void SayLine(std::ostream& to, const std::string& sentence) {
  if (!sentence.empty()) to << sentence << "\n";
}

// Why the write did not go as asked, on standard error: each change that
// stopped it on the line of its wish, then the reason and what the file
// holds.
void SayFailure(const WriteWords& words, const std::vector<SlotWish>& wishes,
                const WishSource& source, std::ostream& err) {
  for (const ChangeNote& note : words.refused) {
    // The checksum's bytes come after the wishes' and are no wish's.
    if (note.change >= wishes.size()) {
      err << kProgram << ": " << note.text << "\n";
      continue;
    }
    const SlotWish& wish = wishes[note.change];
    err << kProgram << ": " << LinePrefix(source, wish.line) << note.text;
    if (note.unexpected) {
      err << UnexpectedEnding(wish, CodeStyle::kCli,
                              source.patch ? "patch" : "layout");
    }
    err << "\n";
  }
  const bool layout = !words.refused.empty() && !source.name.empty();
  const char* refused =
      source.patch ? "the patch is refused; " : "the layout is refused; ";
  err << kProgram << ": " << (layout ? refused : "") << words.reason
      << (words.refused.empty() ? "\n" : ".\n");
  SayLine(err, words.rolled_back);
  ListChanges(err, "Written:", words.written);
  ListChanges(err, "Not written:", words.not_written);
  SayLine(err, words.left);
  SayLine(err, words.unchecked);
}

// Why a write that is due to write nothing does so: the slot, the image
// and the checksum hold what was asked for already. No wishes and no
// layout: the checksum alone was to be written.
std::string NothingToChange(const std::string& path,
                            const std::vector<SlotWish>& wishes,
                            const WishSource& source, WriteMode mode) {
  if (wishes.empty() && source.name.empty()) {
    return "Nothing to change: the global checksum of " + Quoted(path) +
           " is right already.";
  }
  std::string text = "Nothing to change: ";
  if (wishes.size() == 1 && wishes[0].line == 0) {
    text += SlotText(*wishes[0].store, wishes[0].slot) + ", holds " +
            ItemText(wishes[0].code, CodeStyle::kCli) + " already";
  } else {
    text += Quoted(path) + " holds these items already";
  }
  return text +
         (mode.fix_checksum ? ", and the global checksum is right." : ".");
}

}  // namespace

std::string LinePrefix(const WishSource& source, int line) {
  if (line <= 0) return "";
  return Escaped(source.name) + ":" + std::to_string(line) + ": ";
}

Result WriteWishes(const std::string& path, const std::vector<SlotWish>& wishes,
                   WriteMode mode, const WishSource& source, std::ostream& out,
                   std::ostream& err) {
  const WriteRequest request = RequestFor(path, wishes, mode);
  const WriteWords words = WordWrite(request, WriteBytes(request), kCliVoice);
  if (words.result != WriteWords::Result::kAsAsked) {
    SayFailure(words, wishes, source, err);
    return {kFailed};
  }
  const std::vector<std::string>& due = words.written;
  if (due.empty()) {
    out << NothingToChange(path, wishes, source, mode) << "\n";
    return {kOk};
  }
  if (mode.dry_run) {
    for (const std::string& change : due) {
      out << "Would write " << change << ".\n";
    }
    out << "Dry run: nothing was written to " << Quoted(path) << ".\n";
    return {kOk};
  }
  for (const std::string& change : due) out << "Wrote " << change << ".\n";
  out << words.left << "\n";
  return {kOk, true};
}

}  // namespace tivok::cli
