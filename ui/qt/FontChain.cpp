// SPDX-License-Identifier: MIT
#include "FontChain.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QTextLayout>
#include <vector>

namespace {

const QString kLastResort = QStringLiteral("Nombrelix Last Resort");

}  // namespace

QByteArray LastResortFont();  // compiled in from data/fonts

FontChain::FontChain(const QFont& base) : base_(base) {
  QFont alone = base;
  alone.setStyleStrategy(QFont::StyleStrategy(base.styleStrategy() | QFont::NoFontMerging));
  raw_ = QRawFont::fromFont(alone);
  // With no font installed the toolkit's stand-in answers for every
  // character and draws none.
  if (!Draws(raw_)) raw_ = QRawFont();
}

bool FontChain::Draws(const QRawFont& font) {
  // The toolkit's stand-in, when no font has a character, is a font without
  // tables or family: it draws nothing, and asking its family ends the
  // program.
  return font.isValid() && !font.fontTable("name").isEmpty();
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
    const QRawFont font = run.rawFont();
    if (!Draws(font)) continue;
    const QList<quint32> glyphs = run.glyphIndexes();
    if (glyphs.isEmpty() || glyphs.front() == 0) continue;
    const QString family = font.familyName();
    if (family == kLastResort) return Search(c);
    if (family.isEmpty() || family == raw_.familyName()) continue;
    return IndexOf(family);
  }
  return kNone;
}

int FontChain::IndexOf(const QString& family) {
  const qsizetype at = families_.indexOf(family);
  if (at >= 0) return static_cast<int>(at);
  families_ << family;
  return static_cast<int>(families_.size() - 1);
}

int FontChain::Search(char32_t c) {
  // The toolkit's search ranked the last resort's box (it has every
  // character) above a family that may have this one: ask each family.
  if (installed_.isEmpty()) {
    for (const QString& family : QFontDatabase::families()) {
      if (family == kLastResort) continue;
      QFont font = base_;
      font.setFamilies({family});
      font.setStyleStrategy(QFont::StyleStrategy(base_.styleStrategy() | QFont::NoFontMerging));
      const QRawFont raw = QRawFont::fromFont(font);
      if (Draws(raw) && raw.familyName() == family) installed_.push_back(raw);
    }
  }
  for (const QRawFont& raw : installed_) {
    if (raw.supportsCharacter(c)) return IndexOf(raw.familyName());
  }
  return kNone;
}

QFont FontChain::For(const QString& text) {
  std::vector<bool> used(static_cast<std::size_t>(families_.size()), false);
  QStringList chain{base_.family()};
  bool none = false;
  bool complete = true;
  int lookups = 0;
  bool privateUse = false;
  for (const char32_t c : text.toUcs4()) {
    if (!privateUse && QChar::category(c) == QChar::Other_PrivateUse) privateUse = true;
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
  // Without shaping the toolkit gives private-use characters no glyph at
  // all; only texts that hold one pay for shaping.
  if (privateUse) {
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::PreferNoShaping));
  }
  return font;
}
