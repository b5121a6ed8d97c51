#include "layout/suggest.h"

#include <algorithm>

#include "layout/words.h"
#include "rom/describe.h"

namespace tivok {
namespace {

constexpr std::size_t kMostSuggestions = 4;

// The number of slips between `a` and `b`: letters inserted, deleted or
// replaced, and neighbours swapped (optimal string alignment).
std::size_t Slips(std::string_view a, std::string_view b) {
  const std::size_t columns = b.size() + 1;
  std::vector<std::size_t> d((a.size() + 1) * columns);
  const auto at = [&](std::size_t i, std::size_t j) -> std::size_t& {
    return d[i * columns + j];
  };
  for (std::size_t i = 0; i <= a.size(); ++i) at(i, 0) = i;
  for (std::size_t j = 0; j <= b.size(); ++j) at(0, j) = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t replace = at(i - 1, j - 1) + (a[i - 1] != b[j - 1]);
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, replace});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
      }
    }
  }
  return at(a.size(), b.size());
}

}  // namespace

std::vector<std::string_view> ClosestNames(
    std::string_view word, std::span<const std::string_view> names) {
  const std::string lower = Lower(word);
  const std::size_t most_slips = lower.size() <= 4 ? 1 : 2;
  // Begins with the word: 0; otherwise one more than the slips.
  std::vector<std::pair<std::size_t, std::size_t>> found;  // (rank, index)
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string name = Lower(names[i]);
    if (lower.size() >= 3 && name.starts_with(lower)) {
      found.emplace_back(0, i);
      continue;
    }
    // Names far longer or shorter cannot be near; skip the table.
    const std::size_t gap = name.size() > lower.size()
                                ? name.size() - lower.size()
                                : lower.size() - name.size();
    if (gap > most_slips || lower.empty()) continue;
    const std::size_t slips = Slips(lower, name);
    if (slips <= most_slips) found.emplace_back(slips + 1, i);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string_view> closest;
  for (const auto& [rank, index] : found) {
    if (closest.size() == kMostSuggestions) break;
    closest.push_back(names[index]);
  }
  return closest;
}

std::string DidYouMean(const std::vector<std::string_view>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
    text += names[i];
  }
  return text.empty() ? text : "; did you mean " + text + "?";
}

}  // namespace tivok
