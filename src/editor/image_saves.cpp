#include "editor/image_saves.h"

#include <utility>

namespace tivok {
namespace {

// The bytes that `report` says the file holds now through the write.
std::vector<ByteEdit> EditsInFile(const WriteReport& report) {
  std::vector<ByteEdit> edits;
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    if (!report.in_file[i]) continue;
    edits.push_back({report.changes[i].offset,
                     static_cast<std::uint8_t>(report.found[i]),
                     report.changes[i].value});
  }
  return edits;
}

}  // namespace

std::vector<ByteEdit> SaveResult::Left() const { return EditsInFile(report); }

bool SaveResult::InFile() const {
  bool any = false;
  for (std::size_t i = 0; i < report.changes.size(); ++i) {
    if (report.due[i] && !report.in_file[i]) return false;
    any = any || report.in_file[i];
  }
  return any || (report.ok() && !request.dry_run);
}

bool SaveResult::ChangedFile() const {
  using Outcome = WriteReport::Outcome;
  return !Left().empty() || report.outcome == Outcome::kReplaced ||
         report.outcome == Outcome::kLengthChanged;
}

SaveResult ImageSaves::Save(const std::string& path, FileOffset offset,
                            std::uint8_t value, bool fix_checksum) {
  SavedStep step{path, StepKind::kSave, offset, 0, value, {}, {}};
  return Make(
      std::move(step),
      {path, {{offset, std::nullopt, value}}, false, false, fix_checksum});
}

SaveResult ImageSaves::ApplyLayout(const std::string& path,
                                   const std::string& layout,
                                   std::vector<ByteChange> changes,
                                   bool fix_checksum) {
  SavedStep step{path, StepKind::kLayout, 0, 0, 0, layout, {}};
  return Make(std::move(step),
              {path, std::move(changes), false, true, fix_checksum});
}

SaveResult ImageSaves::FixChecksum(const std::string& path) {
  return Make({path, StepKind::kChecksum, 0, 0, 0, {}, {}},
              {path, {}, false, false, true});
}

SaveResult ImageSaves::Make(SavedStep step, WriteRequest request) {
  SaveResult result;
  result.request = std::move(request);
  result.report = WriteBytes(result.request);
  step.edits = EditsInFile(result.report);
  // A save says what its slot held before.
  if (step.kind == StepKind::kSave && !result.report.found.empty()) {
    step.before = static_cast<std::uint8_t>(result.report.found[0]);
  }
  // Bytes that held their value already changed nothing.
  std::erase_if(step.edits,
                [](const ByteEdit& edit) { return edit.before == edit.after; });
  result.unchanged = step.edits.empty();
  result.step = std::move(step);
  if (!result.unchanged) history_.Record(result.step);
  return result;
}

std::optional<SaveResult> ImageSaves::Undo(bool fix_checksum) {
  return Rewrite(WriteKind::kUndo, fix_checksum);
}

std::optional<SaveResult> ImageSaves::Redo(bool fix_checksum) {
  return Rewrite(WriteKind::kRedo, fix_checksum);
}

std::optional<SaveResult> ImageSaves::Rewrite(WriteKind kind,
                                              bool fix_checksum) {
  const bool undo = kind == WriteKind::kUndo;
  const SavedStep* next = undo ? history_.NextUndo() : history_.NextRedo();
  if (next == nullptr) return std::nullopt;
  SaveResult result;
  result.kind = kind;
  result.step = *next;
  SavedStep& step = result.step;
  // Each byte must still be the one that Tivok left there: the step's, or
  // the undo's.
  result.request = {step.path, {}, false, false, fix_checksum};
  for (const ByteEdit& edit : step.edits) {
    result.request.changes.push_back({edit.offset,
                                      undo ? edit.after : edit.before,
                                      undo ? edit.before : edit.after});
  }
  result.report = WriteBytes(result.request);
  if (result.InFile()) {
    // A checksum kept right may differ from the one the step held: the
    // next undo or redo expects what this write left.
    for (const ByteEdit& left : result.Left()) {
      for (ByteEdit& edit : step.edits) {
        if (edit.offset != left.offset) continue;
        (undo ? edit.before : edit.after) = left.after;
      }
    }
    if (undo) {
      history_.MarkUndone(step);
    } else {
      history_.MarkRedone(step);
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
