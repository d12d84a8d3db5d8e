#pragma once
// The desktop menu entry that starts zembo in the installation folder: a freedesktop .desktop
// file in the user's applications folder, in a sub-folder named after the program group.

#include <filesystem>
#include <string>
#include <string_view>

namespace zembo {

// $XDG_DATA_HOME/applications/<programGroup>/<shortcutName>.desktop (~/.local/share by default).
std::filesystem::path shortcutPath();
// The entry's text: Exec starts installDir + programFile with shortcutArguments, Path is installDir,
// Icon the program's PNG beside it when the distribution shipped one, else the theme's "zembo".
std::string desktopEntryText();
// Writes the entry; a failure is fatal, since an unattended install must not seem to succeed.
void createShortcut();

// One argument of an Exec line, quoted where the desktop entry format requires it.
std::string quoteExecArgument(std::string_view argument);

}  // namespace zembo
