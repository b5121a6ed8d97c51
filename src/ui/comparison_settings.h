#ifndef TIVOK_UI_COMPARISON_SETTINGS_H_
#define TIVOK_UI_COMPARISON_SETTINGS_H_

#include <string>

namespace tivok {

// The clean image that each image is compared with, kept across runs in the
// program's settings under "Comparisons": an array of entries of two
// QByteArrays, "image" and "clean", the paths as the core takes them, so
// that no byte goes through a text encoding. The newest comes first; the
// oldest go past kMostComparisons.
inline constexpr int kMostComparisons = 32;

// The clean image kept for `image`; empty for none.
std::string RememberedClean(const std::string& image);

// Keeps `clean` for `image`, or forgets the entry for an empty `clean`.
void RememberClean(const std::string& image, const std::string& clean);

}  // namespace tivok

#endif  // TIVOK_UI_COMPARISON_SETTINGS_H_
