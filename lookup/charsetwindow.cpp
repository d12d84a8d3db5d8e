#include "lookup/charsetwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <cstdio>

#include "resources/uitextrows.h"
#include "windowkit/qttext.h"
#include "windowkit/toolwindow.h"
#include "platform/hostpath.h"
#include "platform/textfile.h"
#include "resources/uitext.h"

namespace zembo {

QPointer<CharsetWindow> charsetWindow;
QPointer<QWidget> charsetOwner;
int charsetCode = 0;
std::string charsetLanguage;
QPointer<QWidget> charsetReceiver;

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
    : characters_(charsetCharacters(charsetLanguage)), font_(createUiFont(11, 400, "Times New Roman", charsetCode)) {
  // Caption only: no close box, and a click on it leaves the focus where the user types.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowDoesNotAcceptFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowTitle(uiQText(textCharacterSet));
  setWindowIcon(QIcon(":/images/zemboicon.ico"));
  const int n = static_cast<int>(characters_.size());
  const int perRow = n / 2;
  for (int i = 0; i < n; ++i) {
    auto* button = new QPushButton(toQString(characters_.substr(static_cast<std::size_t>(i), 1), charsetCode), this);
    button->setFont(font_.font);
    button->setFocusPolicy(Qt::NoFocus);
    const bool firstRow = i < perRow;
    button->setGeometry((firstRow ? i : i - perRow) * buttonWidth, firstRow ? 0 : buttonHeight, buttonWidth, buttonHeight);
    connect(button, &QPushButton::clicked, this, [this, i] { typeCharacter(i); });
  }
  const int width = perRow * buttonWidth + 5;
  const int clientHeight = windowHeight - ZemboWindow::captionHeight();
  setFixedSize(width, clientHeight);
  // Centred above the owner, never off the top or left of the screen.
  int x = 0, y = 0;
  if (charsetOwner) {
    const QRect owner = charsetOwner->frameGeometry();
    x = std::max(0, owner.left() + (owner.width() - width) / 2);
    y = std::max(0, owner.top() - windowHeight);
  }
  move(x, y);
  setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop != 0);
}

CharsetWindow::~CharsetWindow() {
  if (charsetReceiver) charsetReceiver->setFocus();
}

void CharsetWindow::typeCharacter(int i) {
  if (!charsetReceiver || i < 0 || i >= static_cast<int>(characters_.size())) return;
  charsetReceiver->activateWindow();
  charsetReceiver->setFocus();
  const QString text = toQString(characters_.substr(static_cast<std::size_t>(i), 1), charsetCode);
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(charsetReceiver, &press);
}

void openCharsetWindow() {
  charsetWindow = new CharsetWindow;
  charsetWindow->show();
}

void closeCharsetWindow() {
  delete charsetWindow.data();
}

}  // namespace zembo
