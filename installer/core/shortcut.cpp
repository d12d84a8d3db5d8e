#include "installer/core/shortcut.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "installer/core/script.h"
#include "formats/fields.h"
#include "platform/codepage.h"
#include "platform/hostpath.h"

namespace zembo {

namespace {

// Values of a desktop entry escape the backslash and the control characters.
std::string escapeValue(std::string_view value) {
  std::string escaped;
  for (char c : value) {
    if (c == '\\') escaped += "\\\\";
    else if (c == '\n') escaped += "\\n";
    else if (c == '\t') escaped += "\\t";
    else if (c == '\r') escaped += "\\r";
    else escaped += c;
  }
  return escaped;
}

std::string utf8(std::string_view programText) { return toUtf8(programText, fileNameCodePage); }

std::string hostText(std::string_view programPath) { return hostPath(programPath).string(); }

std::string withoutSeparatorAtEnd(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string quoteExecArgument(std::string_view argument) {
  std::string field;
  for (char c : argument) field += c == '%' ? std::string("%%") : std::string(1, c);
  if (!field.empty() && field.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::filesystem::path shortcutPath() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const std::filesystem::path base = dataHome && dataHome[0] == '/'
                                         ? std::filesystem::path(dataHome)
                                         : hostPath(homeDirectory()) / ".local" / "share";
  std::filesystem::path folder = base / "applications";
  if (!programGroup.empty()) folder /= hostPath(programGroup);
  return folder / (hostPath(shortcutName).string() + ".desktop");
}

std::string desktopEntryText() {
  std::string exec = quoteExecArgument(hostText(installDir + programFile));
  for (std::string_view argument : splitFields(shortcutArguments, ' '))
    exec += " " + quoteExecArgument(utf8(argument));
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" + escapeValue(utf8(shortcutName)) + "\n"
         "Exec=" + escapeValue(exec) + "\n"
         "Path=" + escapeValue(withoutSeparatorAtEnd(hostText(installDir))) + "\n"
         "Terminal=false\n"
         "Categories=Education;Languages;\n";
}

void createShortcut() {
  const std::filesystem::path path = shortcutPath();
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  replaceFileWithText(path, desktopEntryText());
}

}  // namespace zembo
