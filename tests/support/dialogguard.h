#pragma once
// No test may wait on a modal dialog that nobody answers. A test answers a dialog it means to
// reach by saying so before the dialog opens (whenShown); any other modal dialog that opens
// (a file chooser, a message box, a print dialog, one of the program's own) is a failure of the
// running test, named with the dialog, and the dialog is closed at once so that the test goes on.
// The toolkit's native dialogs are switched off, so that none opens where the guard cannot see it.

#include <QDialog>
#include <functional>

namespace zembo::test {

// Before the application object: no platform theme and no native dialogs.
void prepareForDialogGuard();
// After it: the watch over every dialog the process shows.
void guardAgainstUnansweredDialogs();

// Hands the next modal dialog that opens to act, inside the dialog's own loop, when accepts says
// it is the awaited one.
void answerNextDialog(std::function<bool(QDialog*)> accepts, std::function<void(QDialog*)> act);
// Forgets the answers no dialog took (at the end of each test).
void forgetUnusedAnswers();

// Runs act on the next modal dialog of type T as soon as it shows, inside its own loop.
template <class T>
void whenShown(std::function<void(T*)> act) {
  answerNextDialog([](QDialog* dialog) { return dynamic_cast<T*>(dialog) != nullptr; },
                   [act](QDialog* dialog) { act(dynamic_cast<T*>(dialog)); });
}

}  // namespace zembo::test
