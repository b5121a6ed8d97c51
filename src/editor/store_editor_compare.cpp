// The store editor's comparison with a clean image, and the export of
// layouts.
#include <optional>
#include <string>
#include <vector>

#include "editor/export_text.h"
#include "editor/layout.h"
#include "editor/layout_csv.h"
#include "editor/status_text.h"
#include "editor/store_differences.h"
#include "editor/store_editor.h"
#include "rom/export_file.h"

namespace tivok {
namespace {

// `first` and `second` joined by a space, either of them possibly empty.
std::string Joined(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return first + second;
  return first + " " + second;
}

// The slots that `stores` hold.
std::size_t SlotCount(const ImageStores& stores) {
  std::size_t count = 0;
  for (const StoreCodes& store : stores.stores) count += store.codes.size();
  return count;
}

}  // namespace

void StoreEditor::OnCompareWith() {
  if (listing_.store() == nullptr) return;
  const std::string clean = view_.ChooseCleanImage();
  if (clean.empty()) return;
  if (SameFile(clean, state_.RomPath)) {
    view_.ShowMessage(SelfComparisonText(clean), "Compare With");
    return;
  }
  const std::string reason = comparison_.Start(clean);
  if (!reason.empty()) {
    // An earlier comparison, if any, goes on.
    const std::string text = CannotCompareText(clean, reason);
    view_.SetStatus(text);
    view_.ShowMessage(text, "Cannot Compare");
    return;
  }
  view_.RememberCleanImage(state_.RomPath, clean);
  listing_.MarkAgainst(comparison_.clean());
  view_.SetComparing(true);
  const std::string news = ReadAgain();
  ShowChoiceStatus(Joined(news, ComparisonNote()));
}

void StoreEditor::OnStopComparing() {
  if (!comparison_.active()) return;
  const std::string clean = comparison_.path();
  EndComparison();
  view_.RememberCleanImage(state_.RomPath, {});
  if (listing_.store() == nullptr) return;
  const std::string news = ReadAgain();
  ShowChoiceStatus(Joined(news, StoppedComparingStatus(clean)));
}

std::string StoreEditor::ResumeComparison() {
  EndComparison();
  const std::string clean = view_.RememberedCleanImage(state_.RomPath);
  if (clean.empty()) return {};
  const std::string reason = comparison_.Start(clean);
  if (!reason.empty()) {
    // Said once: it is not tried again.
    view_.RememberCleanImage(state_.RomPath, {});
    return ForgottenComparisonNote(clean, reason);
  }
  listing_.MarkAgainst(comparison_.clean());
  view_.SetComparing(true);
  return {};
}

void StoreEditor::EndComparison() {
  listing_.MarkAgainst(nullptr);
  comparison_.Stop();
  view_.SetComparing(false);
}

std::string StoreEditor::ComparisonNote() const {
  const ImageStores* image = listing_.image();
  return image != nullptr ? comparison_.Note(*image) : "";
}

void StoreEditor::OnExportLayout() {
  if (listing_.store() == nullptr) return;
  if (listing_.image() == nullptr) {
    ShowPlan();
    view_.SetStatus(listing_.problem());
    return;
  }
  const ImageStores* clean = comparison_.clean();
  bool only_differing = false;
  if (clean != nullptr) {
    const std::size_t differing =
        DifferingSlots(*clean, *listing_.image()).size();
    const int choice =
        view_.AskChoice(ExportQuestionText(comparison_.path(), differing),
                        "Export Layout", {"&All Slots", "&Differing Slots"});
    if (choice < 0) return;
    only_differing = choice == 1;
  }
  const std::string target =
      view_.ChooseExportFile(SuggestedExportPath(state_.RomPath, "csv"));
  if (target.empty()) return;
  // The layout holds what the file holds now, whatever the watcher saw.
  const std::string news = ReadAgain();
  const ImageStores* image = listing_.image();
  if (image == nullptr) {
    ShowPlan();
    view_.SetStatus(listing_.problem());
    return;
  }
  const std::vector<SlotDifference> differences =
      only_differing ? DifferingSlots(*clean, *image)
                     : std::vector<SlotDifference>{};
  std::vector<std::string> images = {state_.RomPath};
  if (clean != nullptr) images.push_back(comparison_.path());
  try {
    ExportFile(
        target,
        only_differing ? DifferencesCsv(differences) : StoresCsv(image->stores),
        kLayoutKind, images);
  } catch (const RomFileError& error) {
    const std::string text = NotExportedText(target, ReasonOf(error, target));
    ShowChoiceStatus(Joined(news, text));
    view_.ShowMessage(text, "Error Exporting");
    return;
  }
  ShowChoiceStatus(Joined(
      news, only_differing
                ? ExportedStatus(target, differences.size(), comparison_.path())
                : ExportedStatus(target, SlotCount(*image))));
}

}  // namespace tivok
