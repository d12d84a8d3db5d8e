#pragma once
// The installer's path rules: the folders a user or a script names (a home folder for "~" or a
// drive letter), and the script's relative paths, which must stay inside the folder they are
// taken in.

#include <filesystem>
#include <string>
#include <string_view>

namespace zembo {

// A folder as the user or the script writes it (host text), as a host folder: "~" stands for the
// home folder, and so does a drive ("c:\\engels" lands in the home folder's "engels"), which
// means nothing here; a leading "\\" is the root.
std::filesystem::path localDirectory(std::string_view dir);
// The user's home folder.
std::filesystem::path homeDirectory();

// Joins a folder and a name with one separator between them.
std::string joinPath(std::string_view folder, std::string_view name);
// A relative program path none of whose parts is "..": it stays inside the folder it is taken in.
bool staysInside(std::string_view programPath);
// A plain file name: not empty, no separator, not "." or "..".
bool isPlainFileName(std::string_view name);

}  // namespace zembo
