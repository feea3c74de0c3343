#include "FontChain.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QTextLayout>
#include <vector>

namespace {

const QString kLastResort = QStringLiteral("Nombrelix Last Resort");

}  // namespace

QByteArray LastResortFont();  // compiled in from data/fonts

namespace {}  // namespace

FontChain::FontChain(const QFont& base) : base_(base) {
  QFont alone = base;
  alone.setStyleStrategy(QFont::StyleStrategy(base.styleStrategy() | QFont::NoFontMerging));
  raw_ = QRawFont::fromFont(alone);
}

bool FontChain::LastResortReady() {
  if (lastResort_ == 0) {
    lastResort_ = QFontDatabase::addApplicationFontFromData(LastResortFont()) >= 0 ? 1 : -1;
  }
  return lastResort_ > 0;
}

int FontChain::Lookup(char32_t c) {
  if (raw_.supportsCharacter(c)) return kBase;
  // Which family the toolkit's own search finds for it, alone.
  QTextLayout layout(QString::fromUcs4(&c, 1), base_);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QString family = run.rawFont().familyName();
    const QList<quint32> glyphs = run.glyphIndexes();
    if (glyphs.isEmpty() || glyphs.front() == 0 || family == raw_.familyName()) continue;
    const qsizetype at = families_.indexOf(family);
    if (at >= 0) return static_cast<int>(at);
    families_ << family;
    return static_cast<int>(families_.size() - 1);
  }
  return kNone;
}

QFont FontChain::For(const QString& text) {
  std::vector<bool> used(static_cast<std::size_t>(families_.size()), false);
  QStringList chain{base_.family()};
  bool none = false;
  bool complete = true;
  int lookups = 0;
  for (const char32_t c : text.toUcs4()) {
    auto found = drawnBy_.constFind(c);
    if (found == drawnBy_.cend()) {
      if (lookups == kMaxLookups) {
        complete = false;
        continue;
      }
      ++lookups;
      found = drawnBy_.insert(c, Lookup(c));
    }
    const int by = found.value();
    if (by == kNone) {
      none = true;
    } else if (by >= 0) {
      const auto at = static_cast<std::size_t>(by);
      if (at >= used.size()) used.resize(at + 1, false);
      if (!used[at]) {
        used[at] = true;
        chain << families_.at(by);
      }
    }
  }
  // Only when every character is known: the last resort would hide a
  // family that has one of the rest.
  if (none && complete && LastResortReady()) chain << kLastResort;
  QFont font = base_;
  font.setFamilies(chain);
  return font;
}
