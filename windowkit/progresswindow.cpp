#include "windowkit/progresswindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "windowkit/qttext.h"
#include "windowkit/toolwindow.h"

namespace zembo {

ProgressWindow::ProgressWindow(int outerWidth, int outerHeight, int titleText)
    : surface_(outerWidth - 6, outerHeight - 6, QImage::Format_RGB32) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowStaysOnTopHint);
  setWindowFlag(Qt::WindowStaysOnTopHint, tools.stayOnTop != 0);
  setWindowTitle(uiQText(titleText));
  setWindowIcon(QIcon(":/images/zemboicon.ico"));
  setFixedSize(surface_.size());
  if (const QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move((area.width() - outerWidth) / 2, (area.height() - outerHeight) / 2);
  }
}

void ProgressWindow::paintNow() {
  if (!isVisible()) return;
  repaint();
  QGuiApplication::sync();
}

void ProgressWindow::waitUntilOnScreen() {
  // The window manager maps the window in its own time; until then nothing painted reaches the
  // screen. Only events other than user input are handled while waiting.
  QElapsedTimer waited;
  waited.start();
  while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
  paintNow();
}

void ProgressWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, surface_);
}

}  // namespace zembo
