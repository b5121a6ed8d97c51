// The store editor's File, Export Patch...: a patch of the open image's
// store slots against a clean image, for sharing a hack without the game.
#include <string>

#include "editor/export_text.h"
#include "editor/status_text.h"
#include "editor/store_editor.h"
#include "editor/store_patch.h"
#include "rom/export_file.h"
#include "rom/file_path.h"

namespace tivok {
namespace {

// The format that the chosen file's extension names: ".bps" for BPS, any
// other for IPS, the format that the dialog offers first.
PatchFormat FormatOf(const std::string& path) {
  const std::string name = Lower(FileName(path));
  return name.ends_with(".bps") ? PatchFormat::kBps : PatchFormat::kIps;
}

}  // namespace

void StoreEditor::OnExportPatch() {
  if (listing_.store() == nullptr) return;
  if (!listing_.problem().empty()) {
    ShowPlan();
    view_.SetStatus(listing_.problem());
    return;
  }
  const std::string& image = state_.RomPath;
  // The clean image compared with, or else one that the user chooses.
  const std::string clean =
      comparison_.active() ? comparison_.path() : view_.ChooseCleanImage();
  if (clean.empty()) return;
  if (SameFile(clean, image)) {
    view_.ShowMessage(SelfComparisonText(clean), "Export Patch");
    return;
  }
  const std::string target =
      view_.ChoosePatchFile(SuggestedExportPath(image, "ips"));
  if (target.empty()) return;
  const PatchFormat format = FormatOf(target);
  // What the image holds on the disk now.
  const StorePatch patch = MakeStorePatch(clean, image, format);
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
      failure = NotExportedText(target, ReasonOf(error, target));
    }
  }
  if (!failure.empty()) {
    ShowChoiceStatus(WithFileName(WithFileName(failure, image), clean));
    view_.ShowMessage(failure, "Error Exporting");
    return;
  }
  ShowChoiceStatus(ExportedPatchStatus(target, PatchText(patch, format), clean,
                                       WithFileName(patch.note, image)));
}

}  // namespace tivok
