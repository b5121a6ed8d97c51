#include "editor/editor_state.h"

namespace tivok {

bool& EditorState::Flag(StoreFlag flag) {
  switch (flag) {
    case StoreFlag::kBeginner:
      return FlagBeginner;
    case StoreFlag::kSecond:
      return FlagSecond;
    case StoreFlag::kThird:
      return FlagThird;
    case StoreFlag::kBook:
      return FlagBook;
    case StoreFlag::kPortal:
      break;
  }
  return FlagPortal;
}

bool EditorState::Flag(StoreFlag flag) const {
  return const_cast<EditorState*>(this)->Flag(flag);
}

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
