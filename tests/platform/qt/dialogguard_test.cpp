// The test programs' watch over dialogs: a modal dialog that no test answers fails the running
// test at once with its name, and returns, instead of waiting for a user who is not there.

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/support/dialogguard.h"

namespace zembo {
namespace {

// A dialog of the program's own, as its windows derive them, without a meta-object of its own.
class OwnDialog : public QDialog {};

// The messages of the failures that opening reported, kept from the test's own result.
std::vector<std::string> failuresOf(const std::function<void()>& open) {
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    open();
  }
  std::vector<std::string> messages;
  for (int i = 0; i < failures.size(); ++i) messages.push_back(failures.GetTestPartResult(i).message());
  return messages;
}

TEST(DialogGuardTest, EveryKindOfModalDialogNobodyAnswersFailsTheTestNamingItAndReturns) {
  struct Case {
    std::string dialog;
    std::function<void()> open;
  };
  const std::vector<Case> cases = {
      {"QFileDialog \"Open a dictionary\"", [] { QFileDialog::getOpenFileName(nullptr, "Open a dictionary"); }},
      {"QFileDialog \"Export the list\"", [] { QFileDialog::getSaveFileName(nullptr, "Export the list"); }},
      {"QFileDialog \"A folder\"", [] { QFileDialog::getExistingDirectory(nullptr, "A folder"); }},
      {"QMessageBox \"Replace?\"", [] { QMessageBox::question(nullptr, "Replace?", "Replace its words?"); }},
      {"QInputDialog \"List name\"", [] { QInputDialog::getText(nullptr, "List name", "Name:"); }},
      {"QColorDialog \"Colour\"", [] { QColorDialog::getColor(Qt::white, nullptr, "Colour"); }},
      {"QDialog \"A plain one\"",
       [] {
         QDialog plain;
         plain.setWindowTitle("A plain one");
         plain.exec();
       }},
      {"zembo::(anonymous namespace)::OwnDialog \"The program's own\"",
       [] {
         OwnDialog own;
         own.setWindowTitle("The program's own");
         own.exec();
       }},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> failures = failuresOf(c.open);
    ASSERT_EQ(failures.size(), 1u) << c.dialog;
    const std::string& message = failures[0];
    EXPECT_NE(message.find("a modal " + c.dialog + " opened"), std::string::npos) << message;
    EXPECT_NE(message.find("DialogGuardTest.EveryKindOfModalDialogNobodyAnswersFailsTheTestNamingItAndReturns"),
              std::string::npos)
        << message;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.dialog;
  }
}

TEST(DialogGuardTest, AnAwaitedDialogIsAnsweredInsideItsLoopAndFailsNothing) {
  QStringList asked;
  test::whenShown<QMessageBox>([&](QMessageBox* box) {
    asked << box->text();
    QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
  });
  const std::vector<std::string> failures =
      failuresOf([] { EXPECT_EQ(QMessageBox::question(nullptr, "Replace?", "Replace its words?"), QMessageBox::No); });
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(asked, QStringList{"Replace its words?"});
  // The answer was used once: the same question again is unanswered.
  EXPECT_EQ(failuresOf([] { QMessageBox::question(nullptr, "Replace?", "Again?"); }).size(), 1u);
}

TEST(DialogGuardTest, NoChooserOfThePlatformThemeCanOpenOutsideTheGuardsSight) {
  EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
  for (const char* chooses : {"QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION"})
    EXPECT_TRUE(qEnvironmentVariableIsEmpty(chooses)) << chooses;
}

}  // namespace
}  // namespace zembo
