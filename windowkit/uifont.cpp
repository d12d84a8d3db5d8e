#include "windowkit/uifont.h"

#include <QPainter>

#include "windowkit/qttext.h"

namespace zembo {

namespace {
UiFontState uiFontsState;  // the one mutable instance
}  // namespace
const UiFontState& uiFonts = uiFontsState;

UiFont createUiFont(int size, int weight, const char* face, int charset) {
  UiFont made;
  // The height in pixels rounds as MulDiv(size, 96, 72) does.
  const int pixels = (size * 96 + 36) / 72;
  made.font = QFont(charset == 500 ? QString("Times SudEuro") : QString::fromLatin1(face));
  made.font.setPixelSize(pixels);
  made.font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
  made.charset = charset == 500 ? 0 : charset;
  return made;
}

void createSharedFonts(int charset) {
  uiFontsState.uiCharset = charset;
  uiFontsState.fontHuge = createUiFont(43, 700, "Times New Roman", uiFontsState.uiCharset);
  uiFontsState.fontLarge = createUiFont(40, 700, "Times New Roman", uiFontsState.uiCharset);
  uiFontsState.fontBig = createUiFont(30, 700, "Times New Roman", uiFontsState.uiCharset);
  uiFontsState.fontText = createUiFont(15, 400, "Arial", uiFontsState.uiCharset);
  uiFontsState.fontSmallBold = createUiFont(14, 700, "Arial", uiFontsState.uiCharset);
  uiFontsState.fontTextBold = createUiFont(15, 700, "Arial", uiFontsState.uiCharset);
  uiFontsState.fontSmall = createUiFont(10, 400, "Arial", uiFontsState.uiCharset);
  uiFontsState.fontControl = createUiFont(9, 400, "Arial", uiFontsState.uiCharset);
}

void resetUiFontState() { uiFontsState = {}; }

void drawUiText(QPainter& painter, const QRect& rect, std::string_view text, int flags, const UiFont& font,
                const QColor& colour) {
  painter.save();
  painter.setFont(font.font);
  painter.setPen(colour);
  painter.setClipRect(rect);
  painter.drawText(rect, flags, toQString(text, font.charset));
  painter.restore();
}

void drawShadowText(QPainter& painter, QRect& rect, std::string_view text, int flags, const UiFont& font) {
  drawUiText(painter, rect, text, flags, font, QColor(224, 224, 224));
  rect.setLeft(rect.left() - 1);
  rect.setTop(rect.top() - 1);
  drawUiText(painter, rect, text, flags, font, QColor(0, 128, 0));
}

}  // namespace zembo
