#include "editor/write_status.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "editor/status_text.h"
#include "editor/step_text.h"
#include "rom/describe.h"
#include "rom/write_words.h"

namespace tivok {
namespace {

using Result = WriteWords::Result;

// How many reasons the status line names; the box names all that are kept.
constexpr std::size_t kReasonsInStatus = 3;

// A reason of a patch, which has no lines, stands alone.
std::string LineText(const LayoutError& error) {
  if (error.line <= 0) return error.reason;
  return "line " + std::to_string(error.line) + ": " + error.reason;
}

// How the texts of a save, an undo or a redo begin.
struct Leads {
  const char* not_done;  // the status line's, for a write not as asked
  const char* error;     // the box's
  const char* but;       // both, for a byte in the file with a doubt
  const char* title;     // the box's title
};

Leads LeadsOf(WriteKind kind, StepKind step) {
  switch (kind) {
    case WriteKind::kSave:
      if (step == StepKind::kLayout) {
        return {"Not applied: ", "Error applying the layout: ", "Applied, but ",
                "Error Applying Layout"};
      }
      if (step == StepKind::kChecksum) {
        return {"Checksum not fixed: ", "Error fixing the checksum: ",
                "Fixed, but ", "Error Fixing Checksum"};
      }
      return {"Not saved: ", "Error saving: ", "Saved, but ", "Error Saving"};
    case WriteKind::kUndo:
      return {"Not undone: ", "Error undoing: ", "Undone, but ",
              "Error Undoing"};
    case WriteKind::kRedo:
      break;
  }
  return {"Not redone: ", "Error redoing: ", "Redone, but ", "Error Redoing"};
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    text += (text.empty() ? "" : "; ") + part;
  }
  return text;
}

// The words on one line, in the order tivok-cli gives them on lines: the
// changes that stopped the write (each followed by `refusal`), the reason,
// what became of the bytes written, the changes the file holds and those
// it does not, and the notes.
std::string Sentences(const WriteWords& words, const std::string& refusal) {
  std::string text;
  for (const ChangeNote& note : words.refused) {
    text += note.text + refusal + "; ";
  }
  text += words.reason + ".";
  if (!words.rolled_back.empty()) text += " " + words.rolled_back;
  if (!words.written.empty()) {
    text += " Written: " + Joined(words.written) + ".";
  }
  if (!words.not_written.empty()) {
    text += " Not written: " + Joined(words.not_written) + ".";
  }
  for (const std::string* note : {&words.left, &words.unchecked}) {
    if (!note->empty()) text += " " + *note;
  }
  return text;
}

// What an undo or a redo that dropped its save says of the byte found.
std::string DroppedRefusal(WriteKind kind) {
  return kind == WriteKind::kUndo
             ? ", which Tivok wrote; another program changed it"
             : ", which the undo wrote back; another program changed it";
}

std::string DroppedNote(const SaveResult& result) {
  const SavedStep& step = result.step;
  if (step.kind != StepKind::kSave) {
    return " Tivok drops that step, " + StepActionText(step) +
           ", from its history.";
  }
  return (result.kind == WriteKind::kUndo
              ? " Before the save it held " + ItemText(step.before)
              : " The save wrote " + ItemText(step.after)) +
         ". Tivok drops that save from its history.";
}

// What a step that went as asked made.
std::string DoneStatus(const SaveResult& result, const Store* shown) {
  const SavedStep& step = result.step;
  switch (step.kind) {
    case StepKind::kLayout:
      return result.unchanged
                 ? NothingToApplyStatus(step.layout, result.request.path)
                 : AppliedStatus(step);
    case StepKind::kChecksum:
      return result.unchanged ? "The global checksum was right already."
                              : FixedStatus();
    case StepKind::kSave:
      break;
  }
  return (result.unchanged ? SavedSameStatus(step, shown)
                           : SavedStatus(step, shown)) +
         ChecksumKeptNote(step);
}

// A write that went as asked: a status, no box.
WriteTold Done(std::string status) {
  WriteTold told;
  told.status = std::move(status);
  return told;
}

}  // namespace

WriteTold TellWrite(const SaveResult& result, const Store* shown) {
  const WriteKind kind = result.kind;
  const WriteWords words =
      WordWrite(result.request, result.report, kWindowVoice);
  const SavedStep& step = result.step;
  if (words.result == Result::kAsAsked) {
    switch (kind) {
      case WriteKind::kSave:
        return Done(DoneStatus(result, shown));
      case WriteKind::kUndo:
        return Done(UndoneStatus(step));
      case WriteKind::kRedo:
        break;
    }
    return Done(RedoneStatus(step));
  }
  const Leads leads = LeadsOf(kind, step.kind);
  const std::string text =
      result.dropped
          ? Sentences(words, DroppedRefusal(kind)) + DroppedNote(result)
          : Sentences(words, "");
  const std::string named = WithFileName(text, result.request.path);
  if (words.result == Result::kInFile) {
    return {leads.but + named, leads.but + text, leads.title, false};
  }
  return {leads.not_done + named, leads.error + text, leads.title, true};
}

WriteTold LayoutRefusedTold(const std::string& layout_path,
                            const std::vector<LayoutError>& errors, int count) {
  const std::string refused = " is refused, and nothing was written:";
  std::string status = "Not applied: " + QuotedName(layout_path) + refused;
  std::string box =
      "Error applying the layout: " + Quoted(layout_path) + refused;
  for (std::size_t i = 0; i < errors.size(); ++i) {
    const std::string line = LineText(errors[i]);
    box += "\n" + line + (i + 1 < errors.size() ? ";" : ".");
    if (i < kReasonsInStatus) status += (i > 0 ? "; " : " ") + line;
  }
  const int unnamed = count - static_cast<int>(errors.size());
  if (unnamed > 0)
    box += "\nAnd " + Counted(unnamed, "more line") + " with errors.";
  const int unstated =
      count - static_cast<int>(std::min(errors.size(), kReasonsInStatus));
  status +=
      unstated > 0 ? "; and " + Counted(unstated, "more line") + "." : ".";
  return {status, box, "Error Applying Layout", true};
}

WriteTold LayoutRefusedTold(const std::string& layout_path,
                            const std::string& reason) {
  return {"Not applied: " + WithFileName(reason, layout_path) + ".",
          "Error applying the layout: " + reason + ".", "Error Applying Layout",
          true};
}

}  // namespace tivok
