#include "windowkit/qttext.h"

#include <QDateTime>

#include "platform/codepage.h"
#include "resources/uilanguage.h"
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

QLocale editionLocale() {
  const UiLanguage* language = uiLanguageOfBase(uiLanguage.uiBase);
  const QString locales = QString::fromLatin1(language ? language->toolkitLocales : "en");
  return QLocale(locales.section(' ', 0, 0));
}

QString editionDate(std::int64_t time) {
  const QLocale locale = editionLocale();
  QString format = locale.dateFormat(QLocale::ShortFormat);
  // Short formats cut the year to two digits in some languages; a learner's dates keep all four.
  if (!format.contains("yyyy")) format.replace("yy", "yyyy");
  return locale.toString(QDateTime::fromSecsSinceEpoch(time).date(), format);
}

QString editionDateTime(std::int64_t time) {
  const QLocale locale = editionLocale();
  return editionDate(time) + ' ' + locale.toString(QDateTime::fromSecsSinceEpoch(time).time(), QLocale::ShortFormat);
}

}  // namespace zembo
