#include "platform/messagebox.h"

#include <cstdio>
#include <cstdlib>

#include "platform/codepage.h"

namespace zembo {

MessageBoxState messageBoxes;

int presentOnConsole(WindowHandle, std::string_view text, std::string_view caption, unsigned type) {
  const auto utf8 = [type](std::string_view bytes) {
    return (type & MB_UTF8) ? std::string(bytes) : toUtf8(bytes, messageBoxes.messageBoxCodePage);
  };
  std::fprintf(stderr, "%s: %s\n", utf8(caption).c_str(), utf8(text).c_str());
  return (type & MB_BUTTONMASK) == MB_YESNO ? IDNO : IDOK;
}

int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned type) {
  if (!messageBoxes.recording) return messageBoxes.presenter(owner, text, caption, type);
  messageBoxes.recorded.push_back({owner, std::string(text), std::string(caption), type});
  if (!messageBoxes.scriptedAnswers.empty()) {
    const int answer = messageBoxes.scriptedAnswers.front();
    messageBoxes.scriptedAnswers.pop_front();
    return answer;
  }
  return (type & MB_BUTTONMASK) == MB_YESNO ? IDNO : IDOK;
}

void setMessageBoxPresenter(MessageBoxPresenter newPresenter) {
  messageBoxes.presenter = newPresenter ? newPresenter : presentOnConsole;
}

void startRecordingMessageBoxes(std::vector<int> answers) {
  messageBoxes.recording = true;
  messageBoxes.recorded.clear();
  messageBoxes.scriptedAnswers.assign(answers.begin(), answers.end());
}

void stopRecordingMessageBoxes() {
  messageBoxes.recording = false;
  messageBoxes.scriptedAnswers.clear();
}

const std::vector<RecordedMessageBox>& recordedMessageBoxes() { return messageBoxes.recorded; }

void exitProcess(int code) {
  if (messageBoxes.throwOnExit) throw ProcessExit{code};
  std::fflush(nullptr);
  std::_Exit(code);
}

void throwOnProcessExit(bool enabled) { messageBoxes.throwOnExit = enabled; }

void setMessageBoxCodePage(int codePage) { messageBoxes.messageBoxCodePage = codePage; }

void setMainWindowHandle(WindowHandle window) { messageBoxes.mainWindowHandle = window; }

void resetMessageBoxState() { messageBoxes = {}; }

}  // namespace zembo
