#pragma once
// Anki's fields are HTML: a plain word goes in escaped, and comes out without its markup.

#include <string>
#include <string_view>

namespace zembo {

// A plain text as a field's HTML: &, <, > and " escaped, line breaks as <br>.
std::string escapeHtml(std::string_view text);

// A field's text without its HTML, as Anki sorts and checksums it: style and script blocks and
// tags removed, an image's file name kept, the entities decoded.
std::string stripHtml(std::string_view html);

// A field's HTML as plain text for a word list: as stripHtml, and <br> and the ends of blocks
// become line breaks.
std::string htmlToText(std::string_view html);

}  // namespace zembo
