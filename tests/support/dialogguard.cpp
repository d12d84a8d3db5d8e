#include "tests/support/dialogguard.h"

#include <cxxabi.h>
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>

#include <gtest/gtest.h>

namespace zembo::test {

namespace {

struct AwaitedDialog {
  std::function<bool(QDialog*)> accepts;
  std::function<void(QDialog*)> act;
};

// The answers the running test gave before its dialogs open, first given first taken.
std::deque<AwaitedDialog>& awaitedDialogs() {
  static std::deque<AwaitedDialog> awaited;
  return awaited;
}

std::string runningTestName() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return test ? std::string(test->test_suite_name()) + "." + test->name() : std::string("no test");
}

// The dialog's own class, also where it declares no meta-object of its own (ImportDialog).
std::string className(const QDialog* dialog) {
  const char* mangled = typeid(*dialog).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(dialog->metaObject()->className());
}

bool isModal(const QDialog* dialog) {
  return dialog->isModal() || dialog->testAttribute(Qt::WA_ShowModal) || dialog->windowModality() != Qt::NonModal;
}

// Takes the first awaited answer that is for this dialog.
std::function<void(QDialog*)> takeAnswerFor(QDialog* dialog) {
  std::deque<AwaitedDialog>& awaited = awaitedDialogs();
  for (auto it = awaited.begin(); it != awaited.end(); ++it)
    if (it->accepts(dialog)) {
      std::function<void(QDialog*)> act = std::move(it->act);
      awaited.erase(it);
      return act;
    }
  return {};
}

void refuse(QDialog* dialog) {
  ADD_FAILURE() << "a modal " << className(dialog) << " \"" << dialog->windowTitle().toStdString() << "\" opened in "
                << runningTestName()
                << " with no answer given: a test answers choosers and questions through the window's hook, "
                   "or says it awaits the dialog (whenShown) before it opens";
  // Closed from inside the dialog's own loop, which has not started yet while it shows.
  QTimer::singleShot(0, dialog, [dialog] { dialog->done(QDialog::Rejected); });
}

class DialogGuard : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isWindow() || !isModal(dialog)) return false;
    if (std::function<void(QDialog*)> act = takeAnswerFor(dialog))
      QTimer::singleShot(0, dialog, [dialog, act] { act(dialog); });
    else
      refuse(dialog);
    return false;
  }
};

// Answers one test gave and no dialog took do not wait for the next test's dialogs.
class ForgetAnswersAtTestEnd : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { forgetUnusedAnswers(); }
};

}  // namespace

void prepareForDialogGuard() {
  // A platform theme (GTK, the desktop portal) would show its own choosers, which are no widgets
  // of this process and which nothing here could close. Besides the variable that names one, the
  // toolkit picks one after the desktop it finds itself on (GTK's under GNOME).
  ::setenv("QT_QPA_PLATFORMTHEME", "", 1);
  for (const char* desktop : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
    ::unsetenv(desktop);
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void guardAgainstUnansweredDialogs() {
  qApp->installEventFilter(new DialogGuard);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetAnswersAtTestEnd);
}

void answerNextDialog(std::function<bool(QDialog*)> accepts, std::function<void(QDialog*)> act) {
  awaitedDialogs().push_back({std::move(accepts), std::move(act)});
}

void forgetUnusedAnswers() { awaitedDialogs().clear(); }

}  // namespace zembo::test
