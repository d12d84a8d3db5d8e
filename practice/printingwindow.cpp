#include "practice/printingwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <cstdio>

#include "platform/qt/painting.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "windowkit/qttext.h"
#include "windowkit/toolwindow.h"

namespace zembo {

namespace {

constexpr int clientWidth = 294, clientHeight = 104;  // a 300 x 110 window
const QColor lightGrey(192, 192, 192);

}  // namespace

PrintingWindow::PrintingWindow()
    : font_(createUiFont(12, 700, "Arial", uiCharset)), surface_(clientWidth, clientHeight, QImage::Format_RGB32) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowStaysOnTopHint);
  setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop != 0);
  setWindowTitle(uiQText(textPrint));
  setWindowIcon(QIcon(":/images/zemboicon.ico"));
  setFixedSize(clientWidth, clientHeight);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move((area.width() - 300) / 2, (area.height() - 110) / 2);
  }
  surface_.fill(lightGrey);
  QPainter painter(&surface_);
  drawUiText(painter, winRect(25, 20, 350, 40), loadUiText(textSendingToPrinter),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, font_, Qt::black);
}

void PrintingWindow::showProgress(int recordNumber) {
  char text[uiTextBufferSize + 16];
  std::snprintf(text, sizeof text, "%s %d", loadUiText(textWord), recordNumber);
  text_ = text;
  history_.push_back(text_);
  QPainter painter(&surface_);
  const QRect area = winRect(25, 50, 350, 70);
  painter.fillRect(area, lightGrey);
  drawUiText(painter, area, text_, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, font_, QColor(50, 50, 50));
  painter.end();
  paintNow();
}

void PrintingWindow::paintNow() {
  if (!isVisible()) return;
  // Nothing else runs meanwhile, so the picture goes to the screen at once.
  repaint();
  QGuiApplication::sync();
}

void PrintingWindow::waitUntilOnScreen() {
  // Until the window manager has mapped the window nothing painted reaches the screen; only
  // events other than user input are handled while waiting.
  QElapsedTimer waited;
  waited.start();
  while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
  paintNow();
}

void PrintingWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, surface_);
}

}  // namespace zembo
