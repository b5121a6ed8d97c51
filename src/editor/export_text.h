#ifndef TIVOK_EDITOR_EXPORT_TEXT_H_
#define TIVOK_EDITOR_EXPORT_TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace tivok {

// The words of File, Export Layout...

// Where the save dialog first offers to write the layout of the image at
// `image`: beside it, under its name with ".csv" for its extension
// ("/w/mine.gbc" offers "/w/mine.csv").
std::string SuggestedLayoutPath(const std::string& image);

// While comparing with the image at `clean`, in which `differing` slots
// differ: whether to export every slot or only those.
std::string ExportQuestionText(const std::string& clean, std::size_t differing);

// A layout of `slots` slots written to `path`; of the `slots` that differ
// from the image at `clean`, when that is given.
std::string ExportedStatus(const std::string& path, std::size_t slots,
                           const std::string& clean = {});

// An export to `path` that was refused or failed, and why; nothing was
// written.
std::string NotExportedText(const std::string& path, std::string_view reason);

}  // namespace tivok

#endif  // TIVOK_EDITOR_EXPORT_TEXT_H_
