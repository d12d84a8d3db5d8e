#include "windowkit/sortingwindow.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "directions/directions.h"
#include "windowkit/qttext.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"
#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"

namespace zembo {

namespace {

constexpr int clientWidth = 344, clientHeight = 114;  // a 350 x 120 window
const QColor lightGrey(192, 192, 192);

// White is the frames' transparent colour.
QImage loadFrame(int number) {
  return withTransparentColour(QImage(QString(":/images/frame%1.png").arg(number, 2, 10, QChar('0'))), qRgb(255, 255, 255));
}

}  // namespace

SortingWindow::SortingWindow()
    : font_(createUiFont(12, 700, "Arial", uiCharset)), surface_(clientWidth, clientHeight, QImage::Format_RGB32) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowStaysOnTopHint);
  setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop != 0);
  setWindowTitle(uiQText(textSortTitle));
  setWindowIcon(QIcon(":/images/zemboicon.ico"));
  setFixedSize(clientWidth, clientHeight);
  const QRect screen = QApplication::primaryScreen()->geometry();
  move((screen.width() - 350) / 2, (screen.height() - 120) / 2);
  for (int i = 0; i < 12; ++i) frames_[i] = loadFrame(i + 1);

  surface_.fill(lightGrey);
  QPainter painter(&surface_);
  const std::string names = std::string(currentDirection->sourceName) + " - " + currentDirection->targetName;
  QRect heading = winRect(0, 5, 350, 30);
  drawShadowText(painter, heading, names, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, font_);
  drawUiText(painter, winRect(0, 25, 350, 120), loadUiText(textSortingWait),
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, font_, Qt::black);
  patch_ = surface_.copy(10, 5, 30, 30);
  sortProgress = this;
}

SortingWindow::~SortingWindow() {
  if (sortProgress == this) sortProgress = nullptr;
}

void SortingWindow::showProgressText(const std::string& text) {
  text_ = text;
  QPainter painter(&surface_);
  const QRect area = winRect(110, 65, 270, 95);
  painter.fillRect(area, lightGrey);
  drawUiText(painter, area, text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, font_, QColor(50, 50, 50));
}

void SortingWindow::drawNextFrame() {
  QPainter painter(&surface_);
  painter.drawImage(10, 5, patch_);
  painter.drawImage(10, 5, frames_[frameIndex_]);
  frameIndex_ = (frameIndex_ + 1) % 12;
  ++framesDrawn_;
  painter.end();
  // Progress comes faster than a screen shows it: paint at most 25 times a second.
  if (!sincePaint_.isValid() || sincePaint_.elapsed() >= 40) paintNow();
}

void SortingWindow::paintNow() {
  sincePaint_.restart();
  if (!isVisible()) return;
  // The sort takes no input meanwhile, so the picture goes to the screen at once.
  repaint();
  QGuiApplication::sync();
}

void SortingWindow::waitUntilOnScreen() {
  // The window manager maps the window in its own time; until then nothing painted reaches the
  // screen. Only events other than user input are handled while waiting.
  QElapsedTimer waited;
  waited.start();
  while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
  paintNow();
}

void SortingWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, surface_);
}

SortingWindow* showSortingWindow() {
  auto* window = new SortingWindow;
  window->show();
  window->waitUntilOnScreen();
  return window;
}

bool runUnderSortingWindow(const std::function<int()>& sort) {
  SortingWindow* window = showSortingWindow();
  const bool sorted = sort() == 0;
  if (!sorted) messageBox(window, loadUiText(textSortFailed), uiTextCopy(textError), MB_OK | MB_ICONWARNING);
  delete window;
  return sorted;
}

void sortWithSortingWindow() {
  // A file that is still out of order is sorted again at the next close or switch.
  if (runUnderSortingWindow(sortWordFile)) needsSort = 0;
}

}  // namespace zembo
