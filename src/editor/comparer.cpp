#include "editor/comparer.h"

#include "editor/status_text.h"
#include "rom/export_file.h"

namespace tivok {

void Comparer::OnCompareWith() {
  SlotListing& listing = editor_.listing();
  if (listing.store() == nullptr) return;
  EditorView& view = editor_.view();
  const std::string clean = view.ChooseCleanImage();
  if (clean.empty()) return;
  if (SameFile(clean, editor_.image_path())) {
    view.ShowMessage(SelfComparisonText(clean), "Compare With");
    return;
  }
  const std::string reason = comparison_.Start(clean);
  if (!reason.empty()) {
    // An earlier comparison, if any, goes on.
    const std::string text = CannotCompareText(clean, reason);
    view.SetStatus(text);
    view.ShowMessage(text, "Cannot Compare");
    return;
  }
  view.RememberCleanImage(editor_.image_path(), clean);
  listing.MarkAgainst(comparison_.clean());
  view.SetComparing(true);
  view.WatchCleanImage(clean);
  const std::string news = editor_.ReadAgain();
  editor_.ShowStatus(Joined(news, Note()));
}

void Comparer::OnStopComparing() {
  if (!comparison_.active()) return;
  const std::string clean = comparison_.path();
  End();
  editor_.view().RememberCleanImage(editor_.image_path(), {});
  if (editor_.listing().store() == nullptr) return;
  const std::string news = editor_.ReadAgain();
  editor_.ShowStatus(Joined(news, StoppedComparingStatus(clean)));
}

std::string Comparer::Resume() {
  End();
  EditorView& view = editor_.view();
  const std::string clean = view.RememberedCleanImage(editor_.image_path());
  if (clean.empty()) return {};
  const std::string reason = comparison_.Start(clean);
  if (!reason.empty()) {
    // Said once: it is not tried again.
    view.RememberCleanImage(editor_.image_path(), {});
    return ForgottenComparisonNote(clean, reason);
  }
  editor_.listing().MarkAgainst(comparison_.clean());
  view.SetComparing(true);
  view.WatchCleanImage(clean);
  return {};
}

void Comparer::End() {
  editor_.listing().MarkAgainst(nullptr);
  comparison_.Stop();
  editor_.view().SetComparing(false);
  editor_.view().WatchCleanImage({});
}

std::string Comparer::ReadAgain() {
  if (!comparison_.active()) return {};
  const std::string clean = comparison_.path();
  const CleanChanges changes = comparison_.ReadAgain();
  if (!changes.reason.empty()) {
    End();
    editor_.view().RememberCleanImage(editor_.image_path(), {});
    return ForgottenComparisonNote(clean, changes.reason);
  }
  if (!changes.changed.empty())
    return SlotsChangedStatus(changes.changed, clean);
  if (changes.bytes_changed) return CleanStoresUnchangedStatus(clean);
  return {};
}

std::string Comparer::Note() const {
  const ImageStores* image = editor_.listing().image();
  return image != nullptr ? comparison_.Note(*image) : "";
}

}  // namespace tivok
