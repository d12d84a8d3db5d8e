#include "platform/messagebox.h"

#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/codepage.h"

namespace zembo {

MessageBoxState messageBoxes;

namespace {

// Without a toolkit the box goes to standard error and takes the answer that changes nothing.
int presentOnConsole(WindowHandle, std::string_view text, std::string_view caption, unsigned type) {
  std::fprintf(stderr, "%s: %s\n", toUtf8(caption, messageBoxes.messageBoxCodePage).c_str(),
               toUtf8(text, messageBoxes.messageBoxCodePage).c_str());
  return (type & MB_BUTTONMASK) == MB_YESNO ? IDNO : IDOK;
}

MessageBoxPresenter presenter = presentOnConsole;
bool recording = false;
std::deque<int> scriptedAnswers;
std::vector<RecordedMessageBox> recorded;
bool throwOnExit = false;

}  // namespace

int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned type) {
  if (!recording) return presenter(owner, text, caption, type);
  recorded.push_back({owner, std::string(text), std::string(caption), type});
  if (!scriptedAnswers.empty()) {
    const int answer = scriptedAnswers.front();
    scriptedAnswers.pop_front();
    return answer;
  }
  return (type & MB_BUTTONMASK) == MB_YESNO ? IDNO : IDOK;
}

void setMessageBoxPresenter(MessageBoxPresenter newPresenter) {
  presenter = newPresenter ? newPresenter : presentOnConsole;
}

void startRecordingMessageBoxes(std::vector<int> answers) {
  recording = true;
  recorded.clear();
  scriptedAnswers.assign(answers.begin(), answers.end());
}

void stopRecordingMessageBoxes() {
  recording = false;
  scriptedAnswers.clear();
}

const std::vector<RecordedMessageBox>& recordedMessageBoxes() { return recorded; }

void exitProcess(int code) {
  if (throwOnExit) throw ProcessExit{code};
  std::fflush(nullptr);
  std::_Exit(code);
}

void throwOnProcessExit(bool enabled) { throwOnExit = enabled; }

void setMessageBoxCodePage(int codePage) { messageBoxes.messageBoxCodePage = codePage; }

void setMainWindowHandle(WindowHandle window) { messageBoxes.mainWindowHandle = window; }

void resetMessageBoxState() {
  messageBoxes = {};
  presenter = presentOnConsole;
  stopRecordingMessageBoxes();
  recorded.clear();
  throwOnExit = false;
}

}  // namespace zembo
