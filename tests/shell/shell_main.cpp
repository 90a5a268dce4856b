// Test entry of the shell suite: a QApplication (the shell is made of widgets) on the
// offscreen platform. A test that needs another device pixel ratio runs this program
// again as a child with VELMORA_SHELL_CHILD set; Qt reads the scale before it starts.
#include <gtest/gtest.h>

#include <QApplication>

#include "gfx/canvas.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  velmora::InstallJapaneseFonts();
  return RUN_ALL_TESTS();
}
