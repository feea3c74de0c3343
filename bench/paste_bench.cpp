// SPDX-License-Identifier: MIT
// A million pasted characters of each kind in each box: how long the Paste
// (with the layout and painting of the long text) and the Update behind it
// take on the real widgets, offscreen. The slowest step is what a user
// waits for.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <vector>

#include "QtClipboard.h"
#include "QtView.h"
#include "ReadableStyle.h"
#include "frmMain.h"

namespace {

QString Fill(const QString& piece) {
  QString out;
  out.reserve(1000000 + piece.size());
  while (out.size() < 1000000) out += piece;
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(new ReadableStyle);
  QtView view;
  QtClipboard clipboard(*QApplication::clipboard());
  frmMain form(view, clipboard, NumberFormat{});
  form.Form_Load();
  view.show();

  const std::vector<std::pair<const char*, QString>> contents = {
      {"digits", Fill(QStringLiteral("7"))},
      {"ASCII letters", Fill(QStringLiteral("abcXYZ"))},
      {"control characters", Fill(QString(QChar(u'\x01')) + QChar(u'\x1b') + QChar(u'\t') + QChar(u'\x7f'))},
      {"Latin, CJK and emoji", Fill(QStringLiteral("\u00E9\u4E2D\U0001F600"))},
      {"Arabic, Devanagari, Hebrew", Fill(QStringLiteral("\u0661\u066B\u0915\u093F\u05D0 "))},
      {"bidi controls", Fill(QStringLiteral("\u202E12\u200F34\u202C"))},
  };
  const char* rows[] = {"Decimal", "Hex", "Binary"};
  qint64 slowest = 0;
  std::printf("%-28s %-8s %10s %10s\n", "1,000,000 characters of", "box", "Paste ms", "Update ms");
  for (const auto& [name, huge] : contents) {
    for (int16_t row = 0; row < kRowCount; ++row) {
      view.Box(row)->setText(QStringLiteral("1"));
      // The Decimal box takes only numbers: a million digits there.
      QApplication::clipboard()->setText(row == kRowDec ? QStringLiteral("1") + QString(999999, u'9') : huge);
      QElapsedTimer timer;
      timer.start();
      QTest::mouseClick(view.Button(Buttons::Paste, row), Qt::LeftButton);
      view.grab();  // lay out and paint the long text
      const qint64 paste = timer.restart();
      QTest::mouseClick(view.Button(Buttons::Update, row), Qt::LeftButton);
      view.grab();
      const qint64 update = timer.elapsed();
      slowest = std::max({slowest, paste, update});
      std::printf("%-28s %-8s %10lld %10lld\n", name, rows[row], static_cast<long long>(paste),
                  static_cast<long long>(update));
    }
  }
  std::printf("slowest step: %lld ms\n", static_cast<long long>(slowest));
  return 0;
}
