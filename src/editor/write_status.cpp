#include "editor/write_status.h"

#include <utility>
#include <vector>

#include "editor/status_text.h"
#include "rom/describe.h"
#include "rom/write_words.h"

namespace tivok {
namespace {

using Result = WriteWords::Result;

// How the texts of a save, an undo or a redo begin.
struct Leads {
  const char* not_done;  // the status line's, for a write not as asked
  const char* error;     // the box's
  const char* but;       // both, for a byte in the file with a doubt
  const char* title;     // the box's title
};

Leads LeadsOf(WriteKind kind) {
  switch (kind) {
    case WriteKind::kSave:
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
  const SavedByte& save = result.save;
  return (result.kind == WriteKind::kUndo
              ? " Before the save it held " + ItemText(save.before)
              : " The save wrote " + ItemText(save.after)) +
         ". Tivok drops that save from its history.";
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
  if (words.result == Result::kAsAsked) {
    switch (kind) {
      case WriteKind::kSave:
        return Done(result.unchanged ? SavedSameStatus(result.save, shown)
                                     : SavedStatus(result.save, shown));
      case WriteKind::kUndo:
        return Done(UndoneStatus(result.save));
      case WriteKind::kRedo:
        break;
    }
    return Done(RedoneStatus(result.save));
  }
  const Leads leads = LeadsOf(kind);
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

}  // namespace tivok
