#include "ui/widest_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace tivok {
namespace {

struct Measured {
  QFont font;
  int dpi;
  QStringList texts;
  int width;
};

}  // namespace

int WidestText(const QWidget& widget, const QStringList& texts) {
  // A few lists in a few fonts: a list is enough.
  static std::vector<Measured> measured;
  const QFont font = widget.font();
  const int dpi = widget.logicalDpiX();
  for (const Measured& m : measured) {
    if (m.font == font && m.dpi == dpi && m.texts == texts) return m.width;
  }
  const QFontMetrics metrics = widget.fontMetrics();
  // A text's advance is close to the sum of its characters' advances, which
  // cost little once each glyph is known; only the few widest by that sum
  // are laid out, and the widest of them is the answer.
  constexpr qsizetype kLaidOut = 3;
  std::vector<std::pair<int, qsizetype>> sums;
  for (qsizetype i = 0; i < texts.size(); ++i) {
    int sum = 0;
    for (const QChar c : texts[i]) sum += metrics.horizontalAdvance(c);
    sums.emplace_back(sum, i);
  }
  const auto end = sums.begin() + std::min(kLaidOut, texts.size());
  std::partial_sort(sums.begin(), end, sums.end(), std::greater<>());
  int width = 0;
  for (auto it = sums.begin(); it != end; ++it) {
    width = std::max(width, metrics.horizontalAdvance(texts[it->second]));
  }
  measured.push_back({font, dpi, texts, width});
  return width;
}

}  // namespace tivok
