#pragma once
// Fonts know the character set they were made for, so that what they show is decoded with the
// right code page. Sizes are points at a fixed 96 dots per inch, whatever the screen.

#include <QFont>
#include <QRect>
#include <string_view>

class QPainter;

namespace zembo {

struct UiFont {
  QFont font;
  int charset = 0;
};

// Character set 500 stands for the special face "Times SudEuro" with the ANSI character set.
UiFont createUiFont(int size, int weight, const char* face, int charset);

struct UiFontState {
  int uiCharset = 0;  // UI text 13: the character set of every UI font
  UiFont fontHuge, fontLarge, fontBig, fontText, fontSmallBold, fontTextBold, fontSmall, fontControl;
};
extern const UiFontState& uiFonts;
// The shared fonts in a character set, which becomes uiCharset.
void createSharedFonts(int charset);
// No shared fonts, as at process start.
void resetUiFontState();

// A heading drawn in light grey and again one pixel up and left in green; the rectangle keeps the
// move, as the callers expect.
void drawShadowText(QPainter& painter, QRect& rect, std::string_view text, int flags, const UiFont& font);
// Text in a colour, one line or wrapped as flags say, decoded with the font's character set.
void drawUiText(QPainter& painter, const QRect& rect, std::string_view text, int flags, const UiFont& font,
                const QColor& colour);

}  // namespace zembo
