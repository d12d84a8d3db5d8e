#pragma once
// Text crosses to the toolkit here: bytes in the code page of a character set become a QString,
// and text read back from a field becomes bytes again (a character the page cannot hold is "?").

#include <QString>
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

}  // namespace zembo
