#pragma once
// Message boxes and the end of the process. The running program shows boxes through a presenter
// (the toolkit's, installed at start-up); tests switch to recording mode, which records every box
// and answers with scripted buttons, and make process exit observable.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

// An owner window, or nullptr for a box without owner.
using WindowHandle = void*;

constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_BUTTONMASK = 0x0F;
constexpr unsigned MB_ICONMASK = 0xF0;
// Text and caption are UTF-8, not bytes of the boxes' code page: a message that names a host path
// shows it as the file system names it, in any script.
constexpr unsigned MB_UTF8 = 0x10000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Modal; returns the button pressed (IDOK, IDYES or IDNO).
int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned type);

using MessageBoxPresenter = int (*)(WindowHandle owner, std::string_view text, std::string_view caption, unsigned type);
void setMessageBoxPresenter(MessageBoxPresenter presenter);

struct RecordedMessageBox {
  WindowHandle owner;
  std::string text;
  std::string caption;
  unsigned type;
};

// Without a toolkit the box goes to standard error and takes the answer that changes nothing.
int presentOnConsole(WindowHandle owner, std::string_view text, std::string_view caption, unsigned type);

struct MessageBoxState {
  // Text and caption are bytes in this code page (start-up sets the UI language's).
  int messageBoxCodePage = 1252;
  // The program's main window, owner of the boxes that belong to it; null until it exists.
  WindowHandle mainWindowHandle = nullptr;
  MessageBoxPresenter presenter = presentOnConsole;
  bool recording = false;
  std::deque<int> scriptedAnswers;
  std::vector<RecordedMessageBox> recorded;
  bool throwOnExit = false;  // exitProcess throws ProcessExit instead of ending the process
};
extern const MessageBoxState& messageBoxes;
void setMessageBoxCodePage(int codePage);
void setMainWindowHandle(WindowHandle window);

// While recording, boxes are not shown: each is recorded and answered with the next scripted
// answer, or with OK (Yes/No boxes: No) when the script is used up.
void startRecordingMessageBoxes(std::vector<int> answers = {});
void stopRecordingMessageBoxes();
const std::vector<RecordedMessageBox>& recordedMessageBoxes();

// Ends the process with an exit code, after flushing open C streams.
[[noreturn]] void exitProcess(int code);

// Thrown by exitProcess while a test has made exits observable.
struct ProcessExit {
  int code;
};
void throwOnProcessExit(bool enabled);

// Back to the state at process start: console presenter, no recording, real exits, code page
// 1252, no main window.
void resetMessageBoxState();

}  // namespace zembo
