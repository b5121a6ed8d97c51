#include "editor/recording_view.h"

namespace tivok::testing {

void RecordingView::ClearStores() {
  log.push_back("ClearStores");
  stores.clear();
  store_selection = -1;
}

void RecordingView::AddStore(std::string_view label) {
  log.push_back("AddStore " + std::string(label));
  stores.emplace_back(label);
}

void RecordingView::SetStoreText(std::string_view text) {
  log.push_back("SetStoreText " + std::string(text));
  for (std::size_t i = 0; i < stores.size(); ++i) {
    if (stores[i] == text) store_selection = static_cast<int>(i);
  }
}

void RecordingView::ClearSlots() {
  log.push_back("ClearSlots");
  slots.clear();
  slot_items.clear();
  slot_tips.clear();
  slot_accessible.clear();
  slot_cleans.clear();
  slot_selection = -1;
  slot_current = -1;
}

void RecordingView::AddSlot(const SlotRow& row) {
  log.push_back("AddSlot " + row.entry);
  slots.push_back(row.entry);
  slot_items.push_back(row.item);
  slot_tips.push_back(row.tooltip);
  slot_accessible.push_back(row.accessible_text);
  slot_cleans.push_back(row.clean);
}

void RecordingView::SelectSlot(int row) {
  log.push_back("SelectSlot " + std::to_string(row));
  slot_selection = row;
  if (row >= 0) slot_current = row;
}

void RecordingView::ClearItems() {
  log.push_back("ClearItems");
  items.clear();
  item_selection = -1;
  item_text.clear();
}

void RecordingView::AddItem(std::string_view name) {
  log.push_back("AddItem " + std::string(name));
  items.emplace_back(name);
}

void RecordingView::SetItemText(std::string_view text) {
  log.push_back("SetItemText " + std::string(text));
  item_text = text;
}

void RecordingView::SetSaveEnabled(bool enabled) {
  log.push_back(enabled ? "EnableSave" : "DisableSave");
  save_enabled = enabled;
}

void RecordingView::SetCaption(std::string_view text) {
  log.push_back("SetCaption " + std::string(text));
  caption = text;
}

void RecordingView::ShowOpenDialog() {
  log.push_back("ShowOpenDialog");
  if (dialog_answers.empty()) return;
  if (dialog_answers.front()) dialog_path_ = *dialog_answers.front();
  dialog_answers.pop_front();
}

std::string RecordingView::DialogFileTitle() const {
  return dialog_path_.substr(dialog_path_.find_last_of('/') + 1);
}

void RecordingView::ShowMessage(std::string_view text, std::string_view title) {
  log.push_back("ShowMessage " + std::string(title) + ": " + std::string(text));
  messages.push_back({std::string(text), std::string(title)});
}

std::string RecordingView::ChooseLayoutFile(const std::string& image_path) {
  log.push_back("ChooseLayoutFile " + image_path);
  if (layout_answers.empty()) return {};
  std::string answer = layout_answers.front();
  layout_answers.pop_front();
  return answer;
}

bool RecordingView::ShowLayoutPreview(const LayoutPreview& preview) {
  log.push_back("ShowLayoutPreview " + preview.heading);
  previews.push_back(preview);
  if (preview_answers.empty()) return false;
  const bool apply = preview_answers.front();
  preview_answers.pop_front();
  return apply;
}

namespace {

// The next answer of `answers`, logged as `what`; empty for a cancel.
std::string Answer(std::deque<std::optional<std::string>>& answers,
                   std::vector<std::string>& log, const std::string& what) {
  log.push_back(what);
  if (answers.empty()) return {};
  const std::optional<std::string> answer = answers.front();
  answers.pop_front();
  return answer.value_or("");
}

}  // namespace

std::string RecordingView::ChooseCleanImage() {
  return Answer(clean_answers, log, "ChooseCleanImage");
}

std::string RecordingView::RememberedCleanImage(
    const std::string& image) const {
  const auto found = remembered.find(image);
  return found == remembered.end() ? "" : found->second;
}

void RecordingView::RememberCleanImage(const std::string& image,
                                       const std::string& clean) {
  if (clean.empty()) {
    remembered.erase(image);
  } else {
    remembered[image] = clean;
  }
}

std::string RecordingView::ChooseExportFile(const std::string& suggested) {
  return Answer(export_answers, log, "ChooseExportFile " + suggested);
}

std::string RecordingView::ChoosePatchFile(const std::string& suggested) {
  return Answer(export_answers, log, "ChoosePatchFile " + suggested);
}

int RecordingView::AskChoice(std::string_view text, std::string_view title,
                             const std::vector<std::string>& choices) {
  std::string line = "AskChoice " + std::string(title) + ":";
  for (const std::string& choice : choices) line += " " + choice;
  log.push_back(line);
  questions.push_back({std::string(text), std::string(title)});
  if (choice_answers.empty()) return -1;
  const int answer = choice_answers.front();
  choice_answers.pop_front();
  return answer;
}

}  // namespace tivok::testing
