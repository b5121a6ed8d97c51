#ifndef TIVOK_LAYOUT_SUGGEST_H_
#define TIVOK_LAYOUT_SUGGEST_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tivok {

// The names that `word` most likely meant, case ignored: first those that
// begin with it (for a word of three letters or more), then those that one
// or two typing slips away from it (a letter left out, added, changed, or
// two neighbours swapped; one slip for a word of four letters or fewer),
// nearest first, and each group in the order of `names`. At most four.
std::vector<std::string_view> ClosestNames(
    std::string_view word, std::span<const std::string_view> names);

// "; did you mean A?", "; did you mean A or B?", "; did you mean A, B or
// C?"; empty for no names.
std::string DidYouMean(const std::vector<std::string_view>& names);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_SUGGEST_H_
