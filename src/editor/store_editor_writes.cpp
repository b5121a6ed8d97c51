// The store editor's writes: saves, undo and redo, each a step of the
// history made through ImageSaves, and how every write is reported.
#include <utility>

#include "editor/status_text.h"
#include "editor/store_editor.h"
#include "editor/write_status.h"
#include "rom/describe.h"

namespace tivok {
namespace {

// The offset of the slot that an address text such as "&H2476C" names.
FileOffset OffsetOf(const std::string& slot_address) {
  if (slot_address.empty()) {
    throw SaveError("no slot is chosen: choose a slot in the list first");
  }
  const std::optional<FileOffset> offset = ParseSlotAddress(slot_address);
  if (!offset) {
    throw SaveError("the chosen slot \"" + slot_address +
                    "\" is not a file position: choose a slot again");
  }
  return *offset;
}

}  // namespace

void StoreEditor::OnSave() {
  const Store* store = StoreTable::BySelectorPosition(view_.SelectedStore());
  if (store == nullptr) return;
  SaveResult result;
  std::string news;
  try {
    result = SaveSlot(store->save_key, &news);
  } catch (const SaveError& error) {
    view_.SetStatus(NotSavedStatus(WithFileName(error.what(), state_.RomPath)));
    view_.ShowMessage(std::string("Error saving: ") + error.what(),
                      "Error Saving");
    return;
  }
  Report(result, news);
}

SaveResult StoreEditor::SaveSlot(std::string_view save_key, std::string* news) {
  if (state_.NewItem < 0 || state_.NewItem > 255) {
    throw SaveError("the chosen item code " + std::to_string(state_.NewItem) +
                    " does not fit in a byte");
  }
  const auto value = static_cast<std::uint8_t>(state_.NewItem);
  const FileOffset offset = OffsetOf(state_.SlotAddress);
  // The write checks, on the file it writes, that it is still an image of
  // the game: another program may have replaced it since it was loaded.
  SaveResult result =
      saves_.Save(state_.RomPath, offset, value, view_.KeepsChecksumRight());
  const std::string relisted =
      AfterWrite(result, StoreTable::BySaveKey(save_key));
  if (news != nullptr) *news = relisted;
  return result;
}

std::string StoreEditor::AfterWrite(const SaveResult& result,
                                    const Store* relist) {
  if (!result.ChangedFile()) return {};
  const std::vector<ByteEdit> left = result.Left();
  if (!left.empty()) {
    read_only_note_.clear();
    // Tivok's own bytes are no news when the image is read again.
    for (const ByteEdit& edit : left) listing_.Apply(edit.offset, edit.after);
    checksums_.Apply(left);
  }
  const std::string news = relist != nullptr ? ListStoreSlots(*relist) : "";
  // Another program's bytes count in the sum too.
  if (!news.empty() || left.empty()) checksums_.Read(state_.RomPath);
  return news;
}

void StoreEditor::OnUndo() { Rewrite(WriteKind::kUndo); }

void StoreEditor::OnRedo() { Rewrite(WriteKind::kRedo); }

void StoreEditor::Rewrite(WriteKind kind) {
  if (listing_.store() == nullptr || !listing_.problem().empty()) return;
  const bool keep = view_.KeepsChecksumRight();
  const std::optional<SaveResult> result =
      kind == WriteKind::kUndo ? saves_.Undo(keep) : saves_.Redo(keep);
  if (result) ReportWrite(*result);
}

void StoreEditor::ReportWrite(const SaveResult& result) {
  Report(result, AfterWrite(result, listing_.store()));
}

void StoreEditor::Report(const SaveResult& result, const std::string& news) {
  ShowPlan();
  const WriteTold told = TellWrite(result, listing_.store());
  const std::string news_after = news.empty() ? "" : " " + news;
  // A new save or layout says when it left the checksum stale.
  const std::string checksum =
      result.kind == WriteKind::kSave &&
              result.step.kind != StepKind::kChecksum && checksums_.stale()
          ? " " + checksums_.NoteAfterSave()
          : "";
  // The marks follow every write; the counts are said with it, before
  // the notes that each status repeats.
  const std::string compared = told.failed ? "" : comparer_.Note();
  view_.SetStatus(told.status + news_after +
                  (compared.empty() ? "" : " " + compared) +
                  (told.failed ? "" : Notes() + checksum));
  if (!told.box.empty()) view_.ShowMessage(told.box, told.box_title);
}

}  // namespace tivok
