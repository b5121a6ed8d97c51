#ifndef TIVOK_LAYOUT_EXPORT_TEXT_H_
#define TIVOK_LAYOUT_EXPORT_TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tivok {

// The words of File, Export Layout... and File, Export Patch...

// Where the save dialog first offers to write the layout or the patch of
// the image at `image`: beside it, under its name with `extension` for its
// own ("/w/mine.gbc" offers "/w/mine.csv").
std::string SuggestedExportPath(const std::string& image,
                                std::string_view extension);

// While comparing with the image at `clean`, in which `differing` slots
// differ: whether to export every slot or only those.
std::string ExportQuestionText(const std::string& clean, std::size_t differing);

// A layout of `slots` slots written to `path`; of the `slots` that differ
// from the image at `clean`, when that is given.
std::string ExportedStatus(const std::string& path, std::size_t slots,
                           const std::string& clean = {});

// An export of `what` ("layout", "IPS patch") to `path` that was refused or
// failed, and why; nothing was written.
std::string NotExportedText(std::string_view what, const std::string& path,
                            std::string_view reason);

// A patch, described as PatchText gives it ("an IPS patch of 2 slots and
// the global checksum (27 bytes)"), written to `path`, against the clean
// image at `clean`; `note` says what became of a difference in length.
std::string ExportedPatchStatus(const std::string& path,
                                const std::string& patch,
                                const std::string& clean,
                                const std::string& note);

// Why no patch could be made against the clean image at `clean`: `errors`
// as the patch builder gives them.
std::string NoPatchText(const std::string& clean,
                        const std::vector<std::string>& errors);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_EXPORT_TEXT_H_
