#include "layout/export_text.h"

#include "rom/describe.h"
#include "rom/file_path.h"

namespace tivok {
std::string SuggestedExportPath(const std::string& image,
                                std::string_view extension) {
  const std::string name = FileName(image);
  const std::string folder = image.substr(0, image.size() - name.size());
  // A leading dot starts a hidden file's name, not its extension.
  const std::size_t dot = name.rfind('.');
  const std::string stem =
      dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  return folder + stem + "." + std::string(extension);
}

std::string ExportQuestionText(const std::string& clean,
                               std::size_t differing) {
  const std::string those =
      differing == 0 ? "only the slots that differ from " + QuotedName(clean) +
                           " (none does now)"
                     : "only the " + Counted(differing, "slot") + " that " +
                           ForCount(differing, "differs", "differ") + " from " +
                           QuotedName(clean);
  return "Export every slot of the image, or " + those +
         "? A layout of the differing slots also names each one's item in "
         "the clean image, and applying it changes a slot only where that "
         "item is still there.";
}

std::string ExportedStatus(const std::string& path, std::size_t slots,
                           const std::string& clean) {
  const std::string target = " to " + QuotedName(path) + ".";
  if (clean.empty())
    return "Exported the layout of " + Counted(slots, "slot") + target;
  if (slots == 0) {
    return "Exported an empty layout" + target + " No slot differs from " +
           QuotedName(clean) + ".";
  }
  return "Exported the layout of the " + Counted(slots, "slot") + " that " +
         ForCount(slots, "differs", "differ") + " from " + QuotedName(clean) +
         target;
}

std::string NotExportedText(std::string_view what, const std::string& path,
                            std::string_view reason) {
  return "The " + std::string(what) + " was not exported to " +
         QuotedName(path) + ": " + std::string(reason) + ".";
}

std::string ExportedPatchStatus(const std::string& path,
                                const std::string& patch,
                                const std::string& clean,
                                const std::string& note) {
  return "Exported " + patch + " against " + QuotedName(clean) + " to " +
         QuotedName(path) + "." + (note.empty() ? "" : " " + note + ".");
}

std::string NoPatchText(const std::string& clean,
                        const std::vector<std::string>& errors) {
  std::string text = "No patch against " + QuotedName(clean) + " was made: ";
  for (std::size_t i = 0; i < errors.size(); ++i) {
    text += (i > 0 ? "; " : "") + errors[i];
  }
  return text + ".";
}

}  // namespace tivok
