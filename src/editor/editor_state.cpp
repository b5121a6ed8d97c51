#include "editor/editor_state.h"

namespace tivok {

bool EditorState::*EditorState::FlagMember(StoreFlag flag) {
  switch (flag) {
    case StoreFlag::kBeginner:
      return &EditorState::FlagBeginner;
    case StoreFlag::kSecond:
      return &EditorState::FlagSecond;
    case StoreFlag::kThird:
      return &EditorState::FlagThird;
    case StoreFlag::kBook:
      return &EditorState::FlagBook;
    case StoreFlag::kPortal:
      break;
  }
  return &EditorState::FlagPortal;
}

bool& EditorState::Flag(StoreFlag flag) { return this->*FlagMember(flag); }

bool EditorState::Flag(StoreFlag flag) const { return this->*FlagMember(flag); }

void EditorState::MakeCurrent(StoreFlag flag) {
  for (const Store& store : StoreTable::All()) {
    Flag(store.flag) = store.flag == flag;
  }
}

const Store* EditorState::CurrentStore() const {
  for (const Store& store : StoreTable::All()) {
    if (Flag(store.flag)) return &store;
  }
  return nullptr;
}

}  // namespace tivok
