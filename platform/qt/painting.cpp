#include "platform/qt/painting.h"

#include <QPainter>

namespace zembo {

namespace {

void drawClippedLine(QPainter& painter, const QRect& rect, const QString& text, const QColor& colour) {
  painter.setPen(colour);
  painter.setClipRect(rect);
  painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

void drawRaisedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font) {
  painter.save();
  painter.setFont(font);
  drawClippedLine(painter, rect, text, Qt::black);
  drawClippedLine(painter, rect.adjusted(-2, -2, 0, 0), text, QColor(230, 230, 230));
  painter.restore();
}

QImage withTransparentColour(const QImage& picture, QRgb colour) {
  QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] & 0xFFFFFF) == (colour & 0xFFFFFF)) row[x] = 0;
  }
  return image;
}

}  // namespace zembo
