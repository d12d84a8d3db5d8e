#include "practice/updatingwindow.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>

#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "windowkit/qttext.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

namespace zembo {

UpdatingWindow::UpdatingWindow() {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::MSWindowsFixedSizeDialogHint |
                 (stayOnTop ? Qt::WindowStaysOnTopHint : Qt::Widget));
  setWindowTitle(uiQText(textUpdateList));
  setWindowIcon(QIcon(":/images/zemboicon.ico"));
  setFixedSize(344, 114);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(p);
  setAutoFillBackground(true);
  const QRect screen = QApplication::primaryScreen()->geometry();
  move((screen.width() - 350) / 2, (screen.height() - 120) / 2);
}

void UpdatingWindow::showNow() {
  show();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void UpdatingWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  UiFont font{QApplication::font(), uiCharset};
  drawUiText(painter, QRect(50, 20, 290, 40), loadUiText(textUpdatingWait),
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, font, Qt::black);
}

}  // namespace zembo
