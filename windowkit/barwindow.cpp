#include "windowkit/barwindow.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/qt/painting.h"
#include "resources/uitext.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

const QColor lightGrey(192, 192, 192);
constexpr int textTop = 25, barTop = 84;  // the bar under three lines of text

}  // namespace

BarWindow::BarWindow(int titleText, const std::string& heading, int waitText)
    : ProgressWindow(350, 150, titleText),
      font_(createUiFont(12, 700, "Arial", uiFonts.uiCharset)),
      barFrame_(20, barTop, 304, 16) {
  // A longer text moves the bar down and makes the window taller.
  const std::string text = loadUiText(waitText);
  const QRect textRoom = winRect(0, textTop, 350, 1000);
  const int textHeight =
      QFontMetrics(font_.font)
          .boundingRect(textRoom, Qt::AlignHCenter | Qt::TextWordWrap, toQString(text, font_.charset))
          .height();
  const int lower = std::max(0, textTop + textHeight + 4 - barTop);
  if (lower > 0) {
    barFrame_.translate(0, lower);
    surface_ = QImage(surface_.width(), surface_.height() + lower, QImage::Format_RGB32);
    setFixedSize(surface_.size());
    move(x(), y() - lower / 2);
  }
  surface_.fill(lightGrey);
  QPainter painter(&surface_);
  QRect headingRect = winRect(0, 5, 350, 30);
  drawShadowText(painter, headingRect, heading, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, font_);
  drawUiText(painter, winRect(0, textTop, 350, barFrame_.top()), text,
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, font_, Qt::black);
  painter.setPen(QColor(50, 50, 50));
  painter.drawRect(barFrame_.adjusted(0, 0, -1, -1));
  painter.end();
  showProgress(0);
}

void BarWindow::showProgress(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == percent_) return;
  percent_ = percent;
  QPainter painter(&surface_);
  const QRect inside = barFrame_.adjusted(2, 2, -2, -2);
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
