// SPDX-License-Identifier: MIT
// Any character of any script, alone, in clusters or mixed, reaches every
// box by every path and is drawn from a font that has it or as the last
// resort's box; run once per font set (tests/CMakeLists.txt pins it).
#include "FontChain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>
#include <algorithm>
#include <set>

#include "LocaleFormat.h"
#include "QtClipboard.h"
#include "QtView.h"
#include "frmMain.h"

namespace {

const QString kLastResort = QStringLiteral("Nombrelix Last Resort");

QString FontSet() { return qEnvironmentVariable("NOMBRELIX_FONT_SET"); }

// Texts that need shaping or that most fonts lack.
struct Sample {
  const char* script;
  const char16_t* text;
  bool inRich;  // the rich set has a font the toolkit takes for it (Qt 6.4
                // counts Noto Sans Thaana as a symbol font, not a Thaana one)
};
const Sample kSamples[] = {
    {"Syriac", u"\u0710\u0712\u0713", true}, {"Thaana", u"\u0780\u07A6\u0781", false},
    {"N'Ko", u"\u07CA\u07CB", true},         {"Devanagari", u"\u0915\u094D\u0937\u093F", true},
    {"Bengali", u"\u0995\u09BF", true},      {"Gurmukhi", u"\u0A15\u0A3F", true},
    {"Gujarati", u"\u0A95\u0ABF", true},     {"Oriya", u"\u0B15\u0B3F", true},
    {"Tamil", u"\u0BA4\u0BBF", true},        {"Telugu", u"\u0C15\u0C3F", true},
    {"Kannada", u"\u0C95\u0CBF", true},      {"Malayalam", u"\u0D15\u0D3F", true},
    {"Sinhala", u"\u0D9A\u0DD2", true},      {"Khmer", u"\u1780\u17D2\u179F", true},
    {"Arabic", u"\u0644\u0627\u0661", true}, {"Hebrew", u"\u05D0\u05B8", true},
    {"Thai", u"\u0E01\u0E33", true},         {"Myanmar", u"\u1000\u103C", true},
    {"Mongolian", u"\u1820\u1821", true},    {"Mixed", u"AB\u0915CD", true},
    {"Private use", u"\uE000\uF8FF", false}, {"Unassigned", u"\U0010FFFD", false},
};

// The families a box's text is drawn with. Every glyph must be a real one
// from a font that has a family: a missing glyph draws nothing.
std::set<QString> DrawnWith(const QLineEdit* box) {
  QTextLayout layout(box->text(), box->font());
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  std::set<QString> families;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QRawFont font = run.rawFont();
    const bool named = font.isValid() && !font.fontTable("name").isEmpty();
    EXPECT_TRUE(named) << "a run in a font that draws nothing";
    if (!named) continue;
    for (const quint32 glyph : run.glyphIndexes()) EXPECT_NE(glyph, 0u) << font.familyName().toStdString();
    families.insert(font.familyName());
  }
  return families;
}

class Scripts : public ::testing::Test {
 protected:
  Scripts() : form(view, clipboard, NumberFormatOf(QLocale::c())) {
    form.Form_Load();
    view.show();
    for (int16_t row = 0; row < kRowCount; ++row) view.SetText(row, u"1");
  }
  QtView view;
  QtClipboard clipboard{*QApplication::clipboard()};
  frmMain form;
};

TEST(FontSet, IsThePinnedOne) {
  const QStringList families = QFontDatabase::families();
  const QString set = FontSet();
  ASSERT_TRUE(set == u"package" || set == u"none" || set == u"rich") << "no font set named";
  // The set's families are all there, and beside fontconfig's generic
  // names only they (or their own styles, as "DejaVu Sans Condensed").
  const QStringList pinned = qEnvironmentVariable("NOMBRELIX_FONT_FAMILIES").split(u'|', Qt::SkipEmptyParts);
  ASSERT_EQ(pinned.isEmpty(), set == u"none") << "the families named for the set";
  QStringList names{QStringLiteral("Monospace"), QStringLiteral("Sans Serif"), QStringLiteral("Serif"),
                    kLastResort};
  for (const QString& entry : pinned) {
    const QString family = entry.section(u'=', 0, 0);
    names << family;
    EXPECT_TRUE(families.contains(family)) << "missing " << family.toStdString() << " (Debian package "
                                           << entry.section(u'=', 1).toStdString() << ")";
  }
  for (const QString& family : families) {
    EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const QString& n) {
      return family.startsWith(n);
    })) << family.toStdString();
  }
}

TEST_F(Scripts, EveryPathTakesAnyScriptIntoHexAndBinary) {
  const QString set = FontSet();
  for (const Sample& s : kSamples) {
    const QString text = QString::fromUtf16(s.text);
    for (const int16_t row : {kRowHex, kRowBin}) {
      SCOPED_TRACE(std::string(s.script) + " in row " + std::to_string(row));
      QLineEdit* box = view.Box(row);
      // The Paste button, Shift+Insert and a drop: each is the row's Paste.
      for (int path = 0; path < 3; ++path) {
        box->setText(QStringLiteral("1"));
        QApplication::clipboard()->setText(text);
        if (path == 0) QTest::mouseClick(view.Button(Buttons::Paste, row), Qt::LeftButton);
        if (path == 1) QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        if (path == 2) {
          QMimeData data;
          data.setText(text);
          QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
          QApplication::sendEvent(box, &enter);
          QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
          QApplication::sendEvent(box, &drop);
        }
        view.grab();  // lays out and paints it
        EXPECT_EQ(box->text(), text) << "path " << path;
      }
      const std::set<QString> families = DrawnWith(box);
      const bool boxed = families.count(kLastResort) > 0;
      if (set == u"none") {
        EXPECT_EQ(families, std::set<QString>{kLastResort});
      } else if (set == u"rich") {
        EXPECT_EQ(boxed, !s.inRich);
      } else if (!s.inRich) {
        EXPECT_TRUE(boxed);
      }
      // The window stays usable: the row converts what it holds.
      QTest::mouseClick(view.Button(Buttons::Update, row), Qt::LeftButton);
      EXPECT_FALSE(view.Box(kRowDec)->text().isEmpty());
    }
  }
  // DejaVu and Liberation have no Indic script: its characters are boxes.
  if (set == u"package") {
    view.SetText(kRowHex, u"AB\u0915CD");
    EXPECT_TRUE(DrawnWith(view.Box(kRowHex)).count(kLastResort));
  }
}

TEST_F(Scripts, CharacterThatNoFontHasShowsABox) {
  // A private-use character: the box must show something, not nothing.
  view.SetText(kRowHex, u"1");
  const QImage plain = view.Box(kRowHex)->grab().toImage();
  view.SetText(kRowHex, u"1\uE000");
  const QImage boxed = view.Box(kRowHex)->grab().toImage();
  view.SetText(kRowHex, u"1");
  ASSERT_EQ(plain.size(), boxed.size());
  int changed = 0;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) changed += plain.pixel(x, y) != boxed.pixel(x, y);
  }
  EXPECT_GT(changed, 10);
}

TEST(LocaleDigits, PasteIntoDecimalAndConvert) {
  struct Case {
    QLocale locale;
    const char16_t* digits;
  };
  const Case cases[] = {{QLocale(QLocale::Marathi, QLocale::India), u"\u0969\u0966\u0966"},
                        {QLocale(QLocale::Bengali, QLocale::Bangladesh), u"\u09E9\u09E6\u09E6"},
                        {QLocale(QLocale::Arabic, QLocale::Egypt), u"\u0663\u0660\u0660"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString());
    QtView view;
    QtClipboard clipboard(*QApplication::clipboard());
    frmMain form(view, clipboard, NumberFormatOf(c.locale));
    form.Form_Load();
    view.show();
    view.SetText(kRowDec, u"1");
    QApplication::clipboard()->setText(QString::fromUtf16(c.digits));
    QTest::mouseClick(view.Button(Buttons::Paste, kRowDec), Qt::LeftButton);
    view.grab();
    EXPECT_EQ(view.Box(kRowDec)->text(), QString::fromUtf16(c.digits));
    DrawnWith(view.Box(kRowDec));
    QTest::mouseClick(view.Button(Buttons::Update, kRowDec), Qt::LeftButton);
    EXPECT_EQ(view.Box(kRowHex)->text(), QStringLiteral("2C01"));
  }
}

}  // namespace
