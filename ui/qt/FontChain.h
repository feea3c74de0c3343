// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QString>
#include <QStringList>

// The fonts that draw a box's text: the box font first, then, in the order
// the text first needs them, the installed families that have the
// characters the box font lacks, then a last-resort font whose box stands
// for characters that no installed font has.
//
// The toolkit's own fallback tries every installed family, one after the
// other, for each character the box font lacks; on a million pasted
// characters of other scripts that takes seconds. Naming the families that
// are needed up front, and ending the search with the last-resort font,
// keeps every glyph and the speed.
class FontChain {
 public:
  explicit FontChain(const QFont& base);

  // The font to draw `text` with.
  QFont For(const QString& text);

  // New characters looked up for one text at the most; past it the
  // toolkit's own search takes the rest (slower, never wrong).
  static constexpr int kMaxLookups = 4096;

 private:
  // What draws a character: an index into families_, or one of these.
  static constexpr int kBase = -1;
  static constexpr int kNone = -2;
  int Lookup(char32_t c);
  int Search(char32_t c);
  int IndexOf(const QString& family);
  static bool Draws(const QRawFont& font);
  bool LastResortReady();

  QFont base_;
  QRawFont raw_;  // the box font alone
  QHash<char32_t, int> drawnBy_;
  QStringList families_;
  QList<QRawFont> installed_;  // each installed family alone, once needed
  int lastResort_ = 0;         // 0 not loaded yet, 1 loaded, -1 failed
};
