#include "windowkit/barwindow.h"

#include <QPainter>
#include <algorithm>

#include "platform/qt/painting.h"
#include "resources/uitext.h"

namespace zembo {

namespace {

const QColor lightGrey(192, 192, 192);
const QRect barFrame(20, 84, 304, 16);

}  // namespace

BarWindow::BarWindow(int titleText, const std::string& heading, int waitText)
    : ProgressWindow(350, 150, titleText), font_(createUiFont(12, 700, "Arial", uiFonts.uiCharset)) {
  surface_.fill(lightGrey);
  QPainter painter(&surface_);
  QRect headingRect = winRect(0, 5, 350, 30);
  drawShadowText(painter, headingRect, heading, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, font_);
  drawUiText(painter, winRect(0, 25, 350, 80), loadUiText(waitText), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
             font_, Qt::black);
  painter.setPen(QColor(50, 50, 50));
  painter.drawRect(barFrame.adjusted(0, 0, -1, -1));
  painter.end();
  showProgress(0);
}

void BarWindow::showProgress(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == percent_) return;
  percent_ = percent;
  QPainter painter(&surface_);
  const QRect inside = barFrame.adjusted(2, 2, -2, -2);
  painter.fillRect(inside, Qt::white);
  painter.fillRect(QRect(inside.topLeft(), QSize(inside.width() * percent / 100, inside.height())), QColor(0, 128, 0));
  painter.end();
  // Reports come faster than a screen shows them: paint at most 25 times a second, and the end.
  if (!sincePaint_.isValid() || sincePaint_.elapsed() >= 40 || percent == 100) {
    sincePaint_.restart();
    paintNow();
  }
}

}  // namespace zembo
