#include "editor/export_text.h"

#include "rom/describe.h"
#include "rom/file_path.h"

namespace tivok {
namespace {

// "1 slot", "37 slots".
std::string Slots(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " slot" : " slots");
}

}  // namespace

std::string SuggestedLayoutPath(const std::string& image) {
  const std::string name = FileName(image);
  const std::string folder = image.substr(0, image.size() - name.size());
  // A leading dot starts a hidden file's name, not its extension.
  const std::size_t dot = name.rfind('.');
  const std::string stem =
      dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  return folder + stem + ".csv";
}

std::string ExportQuestionText(const std::string& clean,
                               std::size_t differing) {
  const std::string those = differing == 0
                                ? "only the slots that differ from " +
                                      QuotedName(clean) + " (none does now)"
                                : "only the " + Slots(differing) + " that " +
                                      (differing == 1 ? "differs" : "differ") +
                                      " from " + QuotedName(clean);
  return "Export every slot of the image, or " + those +
         "? A layout of the differing slots also names each one's item in "
         "the clean image, and applying it changes a slot only where that "
         "item is still there.";
}

std::string ExportedStatus(const std::string& path, std::size_t slots,
                           const std::string& clean) {
  const std::string target = " to " + QuotedName(path) + ".";
  if (clean.empty()) return "Exported the layout of " + Slots(slots) + target;
  if (slots == 0) {
    return "Exported an empty layout" + target + " No slot differs from " +
           QuotedName(clean) + ".";
  }
  return "Exported the layout of the " + Slots(slots) + " that " +
         (slots == 1 ? "differs" : "differ") + " from " + QuotedName(clean) +
         target;
}

std::string NotExportedText(const std::string& path, std::string_view reason) {
  return "The layout was not exported to " + QuotedName(path) + ": " +
         std::string(reason) + ".";
}

}  // namespace tivok
