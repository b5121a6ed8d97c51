#include "editor/save_history.h"

#include <utility>

#include "rom/store_table.h"

namespace tivok {

int SavedStep::SlotCount() const {
  int count = 0;
  for (const ByteEdit& edit : edits) {
    if (StoreTable::SlotAt(edit.offset).store != nullptr) ++count;
  }
  return count;
}

void SaveHistory::Record(SavedStep save) {
  saves_.resize(done_);
  saves_.push_back(std::move(save));
  done_ = saves_.size();
}

void SaveHistory::Clear() {
  saves_.clear();
  done_ = 0;
}

const SavedStep* SaveHistory::NextUndo() const {
  return done_ > 0 ? &saves_[done_ - 1] : nullptr;
}

const SavedStep* SaveHistory::NextRedo() const {
  return done_ < saves_.size() ? &saves_[done_] : nullptr;
}

void SaveHistory::MarkUndone(SavedStep step) {
  if (done_ == 0) return;
  saves_[--done_] = std::move(step);
}

void SaveHistory::MarkRedone(SavedStep step) {
  if (done_ < saves_.size()) saves_[done_++] = std::move(step);
}

void SaveHistory::DropNextUndo() {
  if (done_ == 0) return;
  saves_.erase(saves_.begin() + static_cast<std::ptrdiff_t>(--done_));
}

void SaveHistory::DropNextRedo() {
  if (done_ < saves_.size()) {
    saves_.erase(saves_.begin() + static_cast<std::ptrdiff_t>(done_));
  }
}

}  // namespace tivok
