#include "platform/messagebox.h"

#include <cstdio>
#include <cstdlib>

#include "platform/codepage.h"

namespace zembo {

namespace {
MessageBoxState messageBoxesState;  // the one mutable instance
}  // namespace
const MessageBoxState& messageBoxes = messageBoxesState;

int presentOnConsole(WindowHandle, std::string_view text, std::string_view caption, unsigned type) {
  const auto utf8 = [type](std::string_view bytes) {
    return (type & MB_UTF8) ? std::string(bytes) : toUtf8(bytes, messageBoxesState.messageBoxCodePage);
  };
  std::fprintf(stderr, "%s: %s\n", utf8(caption).c_str(), utf8(text).c_str());
  return (type & MB_BUTTONMASK) == MB_YESNO ? IDNO : IDOK;
}

int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned type) {
  if (!messageBoxesState.recording) return messageBoxesState.presenter(owner, text, caption, type);
  messageBoxesState.recorded.push_back({owner, std::string(text), std::string(caption), type});
  if (!messageBoxesState.scriptedAnswers.empty()) {
    const int answer = messageBoxesState.scriptedAnswers.front();
    messageBoxesState.scriptedAnswers.pop_front();
    return answer;
  }
  return (type & MB_BUTTONMASK) == MB_YESNO ? IDNO : IDOK;
}

void setMessageBoxPresenter(MessageBoxPresenter newPresenter) {
  messageBoxesState.presenter = newPresenter ? newPresenter : presentOnConsole;
}

void startRecordingMessageBoxes(std::vector<int> answers) {
  messageBoxesState.recording = true;
  messageBoxesState.recorded.clear();
  messageBoxesState.scriptedAnswers.assign(answers.begin(), answers.end());
}

void stopRecordingMessageBoxes() {
  messageBoxesState.recording = false;
  messageBoxesState.scriptedAnswers.clear();
}

const std::vector<RecordedMessageBox>& recordedMessageBoxes() { return messageBoxesState.recorded; }

void exitProcess(int code) {
  if (messageBoxesState.throwOnExit) throw ProcessExit{code};
  std::fflush(nullptr);
  std::_Exit(code);
}

void throwOnProcessExit(bool enabled) { messageBoxesState.throwOnExit = enabled; }

void setMessageBoxCodePage(int codePage) { messageBoxesState.messageBoxCodePage = codePage; }

void setMainWindowHandle(WindowHandle window) { messageBoxesState.mainWindowHandle = window; }

void resetMessageBoxState() { messageBoxesState = {}; }

}  // namespace zembo
