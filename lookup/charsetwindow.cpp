#include "lookup/charsetwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include <cstdio>

#include "lookup/searchwindow.h"
#include "platform/hostpath.h"
#include "platform/textfile.h"
#include "resources/commands.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "windowkit/qttext.h"
#include "windowkit/toolwindow.h"

namespace zembo {

namespace {
CharsetState charsetsState;  // the one mutable instance
}  // namespace
const CharsetState& charsets = charsetsState;

void setCharsetLanguage(int code, const std::string& language) {
  charsetsState.charsetCode = code;
  charsetsState.charsetLanguage = language;
}

void setCharsetReceiver(QWidget* field) { charsetsState.charsetReceiver = field; }

void setCharsetOwner(QWidget* owner) {
  charsetsState.charsetOwner = owner;
  charsetsState.charsetWindow = nullptr;
}

namespace {

constexpr int buttonWidth = 19, buttonHeight = 23, windowHeight = 70;

std::string defaultCharacters() {
  std::string bytes;
  for (int c = 0xC0; c <= 0xDF; ++c) bytes += static_cast<char>(c);
  bytes += '\xBF';
  for (int c = 0xE0; c <= 0xFF; ++c) bytes += static_cast<char>(c);
  bytes += '\xA7';
  return bytes;
}

}  // namespace

std::string charsetCharacters(const std::string& language) {
  std::FILE* file = openFile("charset\\" + language + ".chs", "rt");
  if (!file) return defaultCharacters();
  char line[255] = "";
  readTextLine(file, line, sizeof line);
  std::fclose(file);
  return line;
}

CharsetWindow::CharsetWindow()
    : characters_(charsetCharacters(charsetsState.charsetLanguage)),
      font_(createUiFont(11, 400, "Times New Roman", charsetsState.charsetCode)) {
  // Window managers give every frame they draw a close box, so the picker draws its own caption;
  // a click on it leaves the focus where the user types.
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowTitle(uiQText(textCharacterSet));
  setWindowIcon(QIcon(":/images/zemboicon.ico"));
  const int n = static_cast<int>(characters_.size());
  const int perRow = n / 2;
  const int width = perRow * buttonWidth + 5;
  auto* keys = new QWidget(this);
  keys->setGeometry(0, ZemboWindow::captionHeight(), width, windowHeight - ZemboWindow::captionHeight());
  for (int i = 0; i < n; ++i) {
    auto* button =
        new QPushButton(toQString(characters_.substr(static_cast<std::size_t>(i), 1), charsetsState.charsetCode), keys);
    button->setFont(font_.font);
    button->setFocusPolicy(Qt::NoFocus);
    const bool firstRow = i < perRow;
    button->setGeometry((firstRow ? i : i - perRow) * buttonWidth, firstRow ? 0 : buttonHeight, buttonWidth,
                        buttonHeight);
    connect(button, &QPushButton::clicked, this, [this, i] { typeCharacter(i); });
  }
  setFixedSize(width, windowHeight);
  // Centred above the owner, never off the top or left of the screen.
  int x = 0, y = 0;
  if (charsetsState.charsetOwner) {
    const QRect owner = charsetsState.charsetOwner->frameGeometry();
    // Wide numbers: the owner may stand anywhere the window system put it.
    x = static_cast<int>(std::max(0LL, owner.left() + (owner.width() - width) / 2LL));
    y = static_cast<int>(std::max(0LL, static_cast<long long>(owner.top()) - windowHeight));
  }
  move(x, y);
  setWindowFlag(Qt::WindowStaysOnTopHint, tools.stayOnTop != 0);
}

CharsetWindow::~CharsetWindow() {
  if (charsetsState.charsetReceiver) charsetsState.charsetReceiver->setFocus();
}

void CharsetWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect caption(0, 0, width(), ZemboWindow::captionHeight());
  painter.fillRect(caption, QColor(0, 0, 128));
  painter.setPen(Qt::white);
  painter.drawText(caption.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, windowTitle());
  painter.setPen(QColor(64, 64, 64));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CharsetWindow::mousePressEvent(QMouseEvent* event) {
  // The caption moves the window as a frame's caption would.
  if (event->button() == Qt::LeftButton && event->position().y() < ZemboWindow::captionHeight() && windowHandle())
    windowHandle()->startSystemMove();
}

void CharsetWindow::closeEvent(QCloseEvent* event) {
  // Closed from outside (the window manager): the owner's menu turns Off, which closes it.
  event->ignore();
  if (auto* owner = qobject_cast<ZemboWindow*>(charsetsState.charsetOwner.data()))
    QMetaObject::invokeMethod(
        owner, [owner] { owner->command(cmdCharsetOff, commandClicked); }, Qt::QueuedConnection);
}

void CharsetWindow::typeCharacter(int i) {
  if (!charsetsState.charsetReceiver || i < 0 || i >= static_cast<int>(characters_.size())) return;
  charsetsState.charsetReceiver->activateWindow();
  charsetsState.charsetReceiver->setFocus();
  const QString text = toQString(characters_.substr(static_cast<std::size_t>(i), 1), charsetsState.charsetCode);
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(charsetsState.charsetReceiver, &press);
}

void openCharsetWindow() {
  charsetsState.charsetWindow = new CharsetWindow;
  charsetsState.charsetWindow->show();
}

void closeCharsetWindow() { delete charsetsState.charsetWindow.data(); }

void reopenCharsetWindow() {
  closeCharsetWindow();
  openCharsetWindow();
  if (charsetsState.charsetReceiver) charsetsState.charsetReceiver->setFocus();
}

void switchCharsetWindow(ZemboWindow& window, bool on) {
  window.checkMenuItem(cmdCharsetOn, on);
  window.checkMenuItem(cmdCharsetOff, !on);
  if (on)
    reopenCharsetWindow();
  else
    closeCharsetWindow();
}

void resetCharsetState() {
  closeCharsetWindow();
  charsetsState = {};
}

}  // namespace zembo
