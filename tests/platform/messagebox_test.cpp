#include "platform/messagebox.h"

#include <gtest/gtest.h>

namespace zembo {
namespace {

TEST(MessageBox, RecordingKeepsEveryBoxAndAnswersFromTheScript) {
  int owner = 0;
  startRecordingMessageBoxes({IDYES});
  EXPECT_EQ(messageBox(&owner, "Delete it?", "Dictionary", MB_YESNO | MB_ICONWARNING), IDYES);
  EXPECT_EQ(messageBox(nullptr, "Again?", "Dictionary", MB_YESNO | MB_ICONWARNING), IDNO);
  EXPECT_EQ(messageBox(nullptr, "Failed", "Error", MB_OK | MB_ICONERROR), IDOK);
  const auto& boxes = recordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].owner, &owner);
  EXPECT_EQ(boxes[0].text, "Delete it?");
  EXPECT_EQ(boxes[0].type & MB_BUTTONMASK, MB_YESNO);
  EXPECT_EQ(boxes[1].owner, nullptr);
  EXPECT_EQ(boxes[2].caption, "Error");
  EXPECT_EQ(boxes[2].type & MB_ICONMASK, MB_ICONERROR);
  stopRecordingMessageBoxes();
}

int answerYes(WindowHandle, std::string_view, std::string_view, unsigned) { return IDYES; }

TEST(MessageBox, PresenterAnswersUnlessRecordingAndResetBringsBackTheConsole) {
  setMessageBoxPresenter(answerYes);
  EXPECT_EQ(messageBox(nullptr, "Delete it?", "Dictionary", MB_YESNO), IDYES);
  startRecordingMessageBoxes();
  EXPECT_EQ(messageBox(nullptr, "Delete it?", "Dictionary", MB_YESNO), IDNO);
  throwOnProcessExit(true);
  resetMessageBoxState();
  EXPECT_TRUE(recordedMessageBoxes().empty());
  // The console answers a Yes/No box with No, the answer that changes nothing.
  EXPECT_EQ(messageBox(nullptr, "Delete it?", "Dictionary", MB_YESNO), IDNO);
  EXPECT_TRUE(recordedMessageBoxes().empty());
  EXPECT_EXIT(exitProcess(4), ::testing::ExitedWithCode(4), "");
}

TEST(ProcessExitTest, ExitEndsTheProcessWithItsCode) {
  EXPECT_EXIT(exitProcess(1), ::testing::ExitedWithCode(1), "");
  EXPECT_EXIT(exitProcess(3), ::testing::ExitedWithCode(3), "");
}

TEST(ProcessExitTest, TestsCanObserveTheExitInProcess) {
  throwOnProcessExit(true);
  try {
    exitProcess(1);
    ADD_FAILURE() << "exitProcess returned";
  } catch (const ProcessExit& e) {
    EXPECT_EQ(e.code, 1);
  }
  throwOnProcessExit(false);
}

}  // namespace
}  // namespace zembo
