#include "editor/image_saves.h"

namespace tivok {

bool SaveResult::ChangedFile() const {
  using Outcome = WriteReport::Outcome;
  return InFile() || report.outcome == Outcome::kReplaced ||
         report.outcome == Outcome::kLengthChanged;
}

SaveResult ImageSaves::Save(const std::string& path, FilePosition position,
                            std::uint8_t value) {
  SaveResult result;
  result.request = {path, {{position, std::nullopt, value}}};
  result.report = WriteBytes(result.request);
  const int before = result.report.found.empty() ? -1 : result.report.found[0];
  result.save = {path, position, static_cast<std::uint8_t>(before), value};
  result.unchanged = before == value;
  if (result.InFile() && !result.unchanged) history_.Record(result.save);
  return result;
}

std::optional<SaveResult> ImageSaves::Undo() {
  return Rewrite(WriteKind::kUndo);
}

std::optional<SaveResult> ImageSaves::Redo() {
  return Rewrite(WriteKind::kRedo);
}

std::optional<SaveResult> ImageSaves::Rewrite(WriteKind kind) {
  const bool undo = kind == WriteKind::kUndo;
  const SavedByte* next = undo ? history_.NextUndo() : history_.NextRedo();
  if (next == nullptr) return std::nullopt;
  SaveResult result;
  result.kind = kind;
  result.save = *next;
  const SavedByte& save = result.save;
  // The byte that Tivok left there: the save's, or the undo's.
  const std::uint8_t left = undo ? save.after : save.before;
  result.request = {save.path, {{save.position, left, result.Written()}}};
  result.report = WriteBytes(result.request);
  if (result.InFile()) {
    if (undo) {
      history_.MarkUndone();
    } else {
      history_.MarkRedone();
    }
  } else if (result.report.outcome == WriteReport::Outcome::kUnexpected) {
    result.dropped = true;
    if (undo) {
      history_.DropNextUndo();
    } else {
      history_.DropNextRedo();
    }
  }
  return result;
}

}  // namespace tivok
