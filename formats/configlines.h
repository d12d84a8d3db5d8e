#pragma once
// Rewrites of a configuration file's lines, shared by the installer and the importer: the file is
// read as lines (pieces of at most 299 characters, line ends kept), one language's line is taken
// out or put in, and every other line comes back byte for byte.

#include <string>
#include <string_view>
#include <vector>

namespace zembo {

enum class ConfigRead { whole, cannotOpen, cannotRead };
ConfigRead readConfigLines(std::string_view fileName, std::vector<std::string>& lines);

// A line's key: its fourth comma-separated field when it has four, else its first.
std::string configLineKey(std::string_view line);

// The lines whose key is the key are left out.
std::vector<std::string> withoutLanguageLines(const std::vector<std::string>& lines, std::string_view key);
// The line is added at the end of the section that the header opens (made at the end when missing).
std::string withLanguageLine(const std::vector<std::string>& lines, std::string_view header, std::string_view line);
// The line takes the place of the first line whose key is the key, and the others with that key go;
// without one it is added as withLanguageLine adds it. A replaced language keeps its place in the
// Language menu.
std::string withLanguageLineReplaced(const std::vector<std::string>& lines, std::string_view key,
                                     std::string_view header, std::string_view line);
std::string joinConfigLines(const std::vector<std::string>& lines);

// Helpers of the rewrites: a line without its line end, whether it is empty, and a line end after
// the text unless it ends with one.
std::string withoutLineEnd(std::string_view line);
void endLine(std::string& text);
inline bool isEmptyConfigLine(std::string_view line) { return withoutLineEnd(line).empty(); }

}  // namespace zembo
