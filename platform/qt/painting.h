#pragma once
// Small painting helpers that both programs use.

#include <QImage>
#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace zembo {

// A rectangle given as left, top, right, bottom, the right and bottom edges outside.
inline QRect winRect(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

// A heading that stands out of the background: black, and over it in light grey two pixels up
// and left, one line clipped to the rectangle (which grows by the move for the second copy).
void drawRaisedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font);

// The picture with every pixel of the given colour (alpha ignored) made transparent, so that it
// can be drawn over a background.
QImage withTransparentColour(const QImage& picture, QRgb colour);

}  // namespace zembo
