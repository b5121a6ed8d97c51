#include "editor/save_history.h"

#include <utility>

namespace tivok {

void SaveHistory::Record(SavedByte save) {
  saves_.resize(done_);
  saves_.push_back(std::move(save));
  done_ = saves_.size();
}

void SaveHistory::Clear() {
  saves_.clear();
  done_ = 0;
}

const SavedByte* SaveHistory::NextUndo() const {
  return done_ > 0 ? &saves_[done_ - 1] : nullptr;
}

const SavedByte* SaveHistory::NextRedo() const {
  return done_ < saves_.size() ? &saves_[done_] : nullptr;
}

void SaveHistory::MarkUndone() {
  if (done_ > 0) --done_;
}

void SaveHistory::MarkRedone() {
  if (done_ < saves_.size()) ++done_;
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
