#include "installer/core/shortcut.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "formats/fields.h"
#include "installer/core/paths.h"
#include "installer/core/script.h"
#include "platform/codepage.h"
#include "platform/hostpath.h"

namespace zembo {

namespace {

// Values of a desktop entry escape the backslash and the control characters.
std::string escapeValue(std::string_view value) {
  std::string escaped;
  for (char c : value) {
    if (c == '\\')
      escaped += "\\\\";
    else if (c == '\n')
      escaped += "\\n";
    else if (c == '\t')
      escaped += "\\t";
    else if (c == '\r')
      escaped += "\\r";
    else
      escaped += c;
  }
  return escaped;
}

std::string utf8(std::string_view programText) { return toUtf8(programText, hostPaths.fileNameCodePage); }

// The program icon that the distribution ships beside the program, else the one in the icon theme.
std::string iconValue() {
  std::filesystem::path icon = hostPathIn(script.installDir, script.programFile);
  icon.replace_extension(".png");
  std::error_code error;
  return std::filesystem::is_regular_file(icon, error) ? icon.string() : std::string("zembo");
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
  const std::filesystem::path base =
      dataHome && dataHome[0] == '/' ? std::filesystem::path(dataHome) : homeDirectory() / ".local" / "share";
  std::filesystem::path folder = base / "applications";
  if (!script.programGroup.empty()) folder /= hostName(script.programGroup);
  return folder / (hostName(script.shortcutName).string() + ".desktop");
}

std::string desktopEntryText() {
  const std::string program = (hostPathIn(script.installDir, script.programFile)).string();
  // Launchers look the program up under its literal name before they turn "%%" into "%": such a
  // program is started through env, which takes it as an argument.
  std::string exec = (program.find('%') == std::string::npos ? "" : "env ") + quoteExecArgument(program);
  for (std::string_view argument : splitFields(script.shortcutArguments, ' '))
    exec += " " + quoteExecArgument(utf8(argument));
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" +
         escapeValue(utf8(script.shortcutName)) +
         "\n"
         "Exec=" +
         escapeValue(exec) +
         "\n"
         "Path=" +
         escapeValue(script.installDir.string()) +
         "\n"
         "Icon=" +
         escapeValue(iconValue()) +
         "\n"
         "Terminal=false\n"
         "Categories=Education;Languages;\n";
}

void createShortcut() {
  // The entry stays inside applications/<group>/, whatever the script said.
  if (!isPlainFileName(script.shortcutName) || (!script.programGroup.empty() && !staysInside(script.programGroup)))
    reportError("The menu entry would be made outside the applications folder: " + script.programGroup + "\\" +
                script.shortcutName);
  const std::filesystem::path path = shortcutPath();
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  if (error)
    reportError("Can't make the folder of the menu entry " + programName(path.parent_path()) + ": " + error.message());
  if (!replaceFileWithText(path, desktopEntryText()))
    reportError("Can't write the menu entry " + programName(path) + ": " + std::strerror(errno ? errno : EIO));
}

}  // namespace zembo
