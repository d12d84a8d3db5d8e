#include "windowkit/qttext.h"

#include "platform/codepage.h"
#include "resources/uitext.h"
#include "windowkit/uifont.h"

namespace zembo {

QString toQString(std::string_view bytes, int charset) {
  const std::u16string text = toUtf16(bytes, codePageOfCharset(charset));
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQString(const QString& text, int charset) {
  return fromUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())),
      codePageOfCharset(charset));
}

QString uiQString(std::string_view bytes) { return toQString(bytes, uiFonts.uiCharset); }
std::string fromUiQString(const QString& text) { return fromQString(text, uiFonts.uiCharset); }
QString uiQText(int n) { return uiQString(uiTextCopy(n)); }

}  // namespace zembo
