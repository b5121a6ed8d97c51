// The store editor's layouts: File, Apply Layout... and a layout dropped on
// the window, planned, previewed and written as one step of the history.
#include <string>

#include "editor/step_text.h"
#include "editor/store_editor.h"
#include "editor/write_status.h"
#include "layout/layout.h"
#include "layout/layout_file.h"
#include "layout/layout_plan.h"
#include "rom/rom_file.h"

namespace tivok {

void StoreEditor::OnApplyLayout() {
  if (listing_.store() == nullptr || !listing_.problem().empty()) return;
  const std::string path = view_.ChooseLayoutFile(state_.RomPath);
  if (!path.empty()) ApplyLayoutFile(path);
}

void StoreEditor::ApplyLayoutFile(const std::string& path) {
  const auto refuse = [this](const WriteTold& told) {
    view_.SetStatus(told.status);
    view_.ShowMessage(told.box, told.box_title);
  };
  if (listing_.store() == nullptr) {
    refuse(LayoutRefusedTold(path, "no image is open to apply " + Quoted(path) +
                                       " to; open one with File, Open... "
                                       "(Ctrl+O) first"));
    return;
  }
  if (!listing_.problem().empty()) {
    WriteTold told = LayoutRefusedTold(path, "the open image cannot be used");
    told.status += " " + listing_.problem();
    told.box += "\n\n" + listing_.problem();
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
  const LayoutPlan plan = PlanLayout(
      layout, [this](const Store& store) { return listing_.CodesOf(store); });
  if (plan.refused()) {
    refuse(LayoutRefusedTold(path, plan.refusals, plan.refusal_count));
    return;
  }
  if (plan.changes.empty()) {
    ShowChoiceStatus(NothingToApplyStatus(path, state_.RomPath));
    return;
  }
  if (!view_.ShowLayoutPreview(PreviewOf(plan, path, state_.RomPath))) {
    ShowChoiceStatus(NotAppliedStatus(path));
    return;
  }
  const SaveResult result = saves_.ApplyLayout(
      state_.RomPath, path, plan.Writes(), view_.KeepsChecksumRight());
  Report(result, AfterWrite(result, listing_.store()));
}

}  // namespace tivok
