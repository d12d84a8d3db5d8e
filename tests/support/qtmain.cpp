// The main of the test programs that create windows: one application object for the process,
// watched so that no test waits on a dialog that nobody answers.

#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/support/dialogguard.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_MEDIA_BACKEND", "ffmpeg", 0);
  ::testing::InitGoogleTest(&argc, argv);
  zembo::test::prepareForDialogGuard();
  QApplication app(argc, argv);
  zembo::test::guardAgainstUnansweredDialogs();
  return RUN_ALL_TESTS();
}
