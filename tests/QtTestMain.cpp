// SPDX-License-Identifier: MIT
// Runs GoogleTest inside a QApplication, on the offscreen platform unless
// another one is asked for.
#include <gtest/gtest.h>

#include <QApplication>

#include "ReadableStyle.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(new ReadableStyle);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
