#include "editor/layout_applier.h"

#include "editor/step_text.h"
#include "editor/write_status.h"
#include "layout/layout.h"
#include "layout/layout_file.h"
#include "layout/layout_plan.h"
#include "rom/rom_file.h"

namespace tivok {

void LayoutApplier::OnApplyLayout() {
  const SlotListing& listing = editor_.listing();
  if (listing.store() == nullptr || !listing.problem().empty()) return;
  const std::string path =
      editor_.view().ChooseLayoutFile(editor_.image_path());
  if (!path.empty()) ApplyFile(path);
}

void LayoutApplier::ApplyFile(const std::string& path) {
  EditorView& view = editor_.view();
  const SlotListing& listing = editor_.listing();
  const std::string& image = editor_.image_path();
  const auto refuse = [&view](const WriteTold& told) {
    view.SetStatus(told.status);
    view.ShowMessage(told.box, told.box_title);
  };
  if (listing.store() == nullptr) {
    refuse(LayoutRefusedTold(path, "no image is open to apply " + Quoted(path) +
                                       " to; open one with File, Open... "
                                       "(Ctrl+O) first"));
    return;
  }
  if (!listing.problem().empty()) {
    WriteTold told = LayoutRefusedTold(path, "the open image cannot be used");
    told.status += " " + listing.problem();
    told.box += "\n\n" + listing.problem();
    refuse(told);
    return;
  }
  const LayoutText text = ReadLayoutFile(path);
  if (!text.ok()) {
    refuse(LayoutRefusedTold(path, text.error));
    return;
  }
  const Layout layout = ReadLayout(text.text);
  if (layout.error_count > 0) {
    refuse(LayoutRefusedTold(path, layout.errors, layout.error_count));
    return;
  }
  const LayoutPlan plan = PlanLayout(layout, [&listing](const Store& store) {
    return listing.CodesOf(store);
  });
  if (plan.refused()) {
    refuse(LayoutRefusedTold(path, plan.refusals, plan.refusal_count));
    return;
  }
  if (plan.changes.empty()) {
    editor_.ShowStatus(NothingToApplyStatus(path, image));
    return;
  }
  if (!view.ShowLayoutPreview(PreviewOf(plan, path, image))) {
    editor_.ShowStatus(NotAppliedStatus(path));
    return;
  }
  editor_.ReportWrite(editor_.saves().ApplyLayout(image, path, plan.Writes(),
                                                  view.KeepsChecksumRight()));
}

}  // namespace tivok
