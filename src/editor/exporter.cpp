#include "editor/exporter.h"

#include <cstddef>
#include <string>
#include <vector>

#include "compare/store_differences.h"
#include "compare/store_patch.h"
#include "editor/status_text.h"
#include "layout/export_text.h"
#include "layout/layout.h"
#include "layout/layout_csv.h"
#include "layout/layout_file.h"
#include "rom/describe.h"
#include "rom/export_file.h"

namespace tivok {
namespace {

// The slots that `stores` hold.
std::size_t SlotCount(const ImageStores& stores) {
  std::size_t count = 0;
  for (const StoreCodes& store : stores.stores) count += store.codes.size();
  return count;
}

}  // namespace

void Exporter::ShowProblem() {
  editor_.ShowPlan();
  editor_.view().SetStatus(editor_.listing().problem());
}

void Exporter::OnExportLayout() {
  SlotListing& listing = editor_.listing();
  EditorView& view = editor_.view();
  const std::string& path = editor_.image_path();
  if (listing.store() == nullptr) return;
  if (listing.image() == nullptr) {
    ShowProblem();
    return;
  }
  const ImageStores* clean = comparison_.clean();
  bool only_differing = false;
  if (clean != nullptr) {
    const std::size_t differing =
        DifferingSlots(*clean, *listing.image()).size();
    const int choice =
        view.AskChoice(ExportQuestionText(comparison_.path(), differing),
                       "Export Layout", {"&All Slots", "&Differing Slots"});
    if (choice < 0) return;
    only_differing = choice == 1;
  }
  const std::string target =
      view.ChooseExportFile(SuggestedExportPath(path, "csv"));
  if (target.empty()) return;
  // The layout holds what the file holds now, whatever the watcher saw.
  const std::string news = editor_.ReadAgain();
  const ImageStores* image = listing.image();
  if (image == nullptr) {
    ShowProblem();
    return;
  }
  const std::vector<SlotDifference> differences =
      only_differing ? DifferingSlots(*clean, *image)
                     : std::vector<SlotDifference>{};
  std::vector<std::string> images = {path};
  if (clean != nullptr) images.push_back(comparison_.path());
  try {
    ExportFile(
        target,
        only_differing ? DifferencesCsv(differences) : StoresCsv(image->stores),
        kLayoutKind, images);
  } catch (const RomFileError& error) {
    const std::string text =
        NotExportedText("layout", target, ReasonOf(error, target));
    editor_.ShowStatus(Joined(news, text));
    view.ShowMessage(text, "Error Exporting");
    return;
  }
  if (!only_differing) {
    editor_.ShowStatus(Joined(news, ExportedStatus(target, SlotCount(*image))));
    return;
  }
  // A slot whose new code is no item has no row: a layout never writes it.
  const std::vector<std::string> left_out = LeftOut(differences, path);
  std::string status = ExportedStatus(
      target, differences.size() - left_out.size(), comparison_.path());
  for (std::string row : left_out) {
    row[0] = 'S';
    status += " " + WithFileName(row, path) + ".";
  }
  editor_.ShowStatus(Joined(news, status));
}

void Exporter::OnExportPatch() {
  SlotListing& listing = editor_.listing();
  EditorView& view = editor_.view();
  if (listing.store() == nullptr) return;
  if (!listing.problem().empty()) {
    ShowProblem();
    return;
  }
  const std::string& image = editor_.image_path();
  // The clean image compared with, or else one that the user chooses.
  const std::string clean =
      comparison_.active() ? comparison_.path() : view.ChooseCleanImage();
  if (clean.empty()) return;
  if (SameFile(clean, image)) {
    view.ShowMessage(SelfComparisonText(clean), "Export Patch");
    return;
  }
  const std::string target =
      view.ChoosePatchFile(SuggestedExportPath(image, "ips"));
  if (target.empty()) return;
  // IPS, the format that the dialog offers first, unless the name says BPS.
  const PatchFormat format =
      PatchFormatNamed(target).value_or(PatchFormat::kIps);
  std::string news;
  StorePatch patch;
  if (comparison_.active()) {
    // The clean image as the marks and counts show it, and the image as
    // the file holds it now, listed again so that the status tells it.
    news = editor_.ReadAgain();
    if (listing.image() == nullptr) {
      ShowProblem();
      return;
    }
    patch = MakeStorePatch(*comparison_.image(), clean, *listing.image(), image,
                           format);
  } else {
    patch = MakeStorePatch(clean, image, format);
  }
  std::string failure;
  if (!patch.ok()) {
    failure = NoPatchText(clean, patch.errors);
  } else {
    try {
      ExportFile(target,
                 {reinterpret_cast<const char*>(patch.bytes.data()),
                  patch.bytes.size()},
                 format == PatchFormat::kBps ? kBpsPatchKind : kIpsPatchKind,
                 {image, clean});
    } catch (const RomFileError& error) {
      failure = NotExportedText(
          format == PatchFormat::kBps ? "BPS patch" : "IPS patch", target,
          ReasonOf(error, target));
    }
  }
  if (!failure.empty()) {
    editor_.ShowStatus(
        Joined(news, WithFileName(WithFileName(failure, image), clean)));
    view.ShowMessage(failure, "Error Exporting");
    return;
  }
  editor_.ShowStatus(
      Joined(news, ExportedPatchStatus(target, PatchText(patch, format), clean,
                                       WithFileName(patch.note, image))));
}

}  // namespace tivok
