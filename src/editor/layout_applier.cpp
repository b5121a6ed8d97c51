#include "editor/layout_applier.h"

#include <span>

#include "editor/step_text.h"
#include "editor/write_status.h"
#include "layout/layout_plan.h"
#include "layout/patch_layout.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

void Refuse(EditorView& view, const WriteTold& told) {
  view.SetStatus(told.status);
  view.ShowMessage(told.box, told.box_title);
}

}  // namespace

void LayoutApplier::OnApplyLayout() {
  const SlotListing& listing = editor_.listing();
  if (listing.store() == nullptr || !listing.problem().empty()) return;
  const std::string path =
      editor_.view().ChooseLayoutFile(editor_.image_path());
  if (!path.empty()) ApplyFile(path);
}

std::optional<Layout> LayoutApplier::LayoutOf(const std::string& path,
                                              const LayoutText& text) {
  EditorView& view = editor_.view();
  if (!text.patch) {
    Layout layout = ReadLayout(text.text);
    if (layout.error_count == 0) return layout;
    Refuse(view, LayoutRefusedTold(path, layout.errors, layout.error_count));
    return std::nullopt;
  }
  const std::span patch(reinterpret_cast<const std::uint8_t*>(text.text.data()),
                        text.text.size());
  // Against the clean image as the comparison read it, which the marks
  // show, or else against the open image as it is on the disk now.
  const CleanImage* clean = comparison_.image();
  const PatchSlots read =
      clean != nullptr ? SlotsOfPatch(patch, clean->bytes, comparison_.path())
                       : ReadPatchSlots(patch, editor_.image_path());
  if (!read.ok()) {
    Refuse(view, LayoutRefusedTold(path, {{0, read.error}}, 1));
    return std::nullopt;
  }
  Layout layout;
  layout.wishes = WishesOf(read.slots);
  layout.source = "patch";
  return layout;
}

void LayoutApplier::ApplyFile(const std::string& path) {
  EditorView& view = editor_.view();
  const SlotListing& listing = editor_.listing();
  const std::string& image = editor_.image_path();
  if (listing.store() == nullptr) {
    Refuse(view,
           LayoutRefusedTold(path, "no image is open to apply " + Quoted(path) +
                                       " to; open one with File, Open... "
                                       "(Ctrl+O) first"));
    return;
  }
  if (!listing.problem().empty()) {
    WriteTold told = LayoutRefusedTold(path, "the open image cannot be used");
    told.status += " " + listing.problem();
    told.box += "\n\n" + listing.problem();
    Refuse(view, told);
    return;
  }
  // Opened without blocking: a pipe or a device is refused, never waited on.
  const LayoutText text = ReadLayoutFile(path);
  if (!text.ok()) {
    Refuse(view, LayoutRefusedTold(path, text.error));
    return;
  }
  const std::optional<Layout> layout = LayoutOf(path, text);
  if (!layout) return;
  const LayoutPlan plan = PlanLayout(*layout, [&listing](const Store& store) {
    return listing.CodesOf(store);
  });
  if (plan.refused()) {
    Refuse(view, LayoutRefusedTold(path, plan.refusals, plan.refusal_count));
    return;
  }
  if (plan.changes.empty()) {
    editor_.ShowStatus(NothingToApplyStatus(path, image));
    return;
  }
  LayoutPreview preview = PreviewOf(plan, path, image, layout->source);
  if (text.patch) {
    const bool clean = comparison_.active();
    preview.heading +=
        " " +
        PatchSourceNote(*text.patch, clean ? comparison_.path() : image, clean);
  }
  if (!view.ShowLayoutPreview(preview)) {
    editor_.ShowStatus(NotAppliedStatus(path));
    return;
  }
  editor_.ReportWrite(editor_.saves().ApplyLayout(image, path, plan.Writes(),
                                                  view.KeepsChecksumRight()));
}

}  // namespace tivok
