#pragma once
// Text crosses to the toolkit here: bytes in the code page of a character set become a QString,
// and text read back from a field becomes bytes again (a character the page cannot hold is "?").

#include <QLocale>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace zembo {

QString toQString(std::string_view bytes, int charset);
std::string fromQString(const QString& text, int charset);
// The same in the character set of the UI (uiCharset).
QString uiQString(std::string_view bytes);
std::string fromUiQString(const QString& text);
// UI text n as a QString.
QString uiQText(int n);

// The edition's locale, for dates and numbers as its readers write them (13.12.2026 in German).
QLocale editionLocale();
// A day, and a day with its time, in the local time zone: the edition's short date with the year
// in full, and its short time.
QString editionDate(std::int64_t time);
QString editionDateTime(std::int64_t time);

}  // namespace zembo
