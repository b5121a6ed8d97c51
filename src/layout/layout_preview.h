#ifndef TIVOK_LAYOUT_LAYOUT_PREVIEW_H_
#define TIVOK_LAYOUT_LAYOUT_PREVIEW_H_

#include <string>
#include <vector>

namespace tivok {

// One slot that a layout changes, cell by cell as the preview shows it:
// "Portal Shop", "3", "Comedy BK (24)", "Sirloin (17)", and the whole row
// for screen readers, "Portal Shop, slot 3: Comedy BK (24) becomes Sirloin
// (17)".
struct PreviewRow {
  std::string store;
  std::string slot;
  std::string holds;
  std::string gets;
  std::string accessible_text;
};

// What the window shows of a layout before anything is written: its
// title, a heading that names the layout and the image, a row per slot
// that changes, and a line on the rows that change nothing. Plain text.
struct LayoutPreview {
  std::string title;
  std::string heading;
  std::vector<PreviewRow> rows;
  std::string unchanged;
};

}  // namespace tivok

#endif  // TIVOK_LAYOUT_LAYOUT_PREVIEW_H_
