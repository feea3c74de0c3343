// SPDX-License-Identifier: MIT
// Runs GoogleTest inside a QApplication, on the offscreen platform unless
// another one is asked for; with NOMBRELIX_TEST_DARK_PALETTE set, in the
// window's own dark palette.
#include <gtest/gtest.h>

#include <QApplication>

#include "ReadableStyle.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  auto* style = new ReadableStyle;
  QApplication::setStyle(style);
  // The palette the window takes when the desktop prefers dark.
  if (qEnvironmentVariableIsSet("NOMBRELIX_TEST_DARK_PALETTE"))
    QApplication::setPalette(style->DarkPalette());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
