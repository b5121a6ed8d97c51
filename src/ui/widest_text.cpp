#include "ui/widest_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
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
  int width = 0;
  for (const QString& text : texts) {
    width = std::max(width, metrics.horizontalAdvance(text));
  }
  measured.push_back({font, dpi, texts, width});
  return width;
}

}  // namespace tivok
