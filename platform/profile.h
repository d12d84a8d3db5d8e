#pragma once
// Profile (INI) files with the semantics the program relies on: sections and keys found without
// regard to ASCII case, the caller's default when the file, section or key is missing, and writes
// that create what is missing, replace an existing value and keep every other line as it was.

#include <filesystem>
#include <string>
#include <string_view>

namespace zembo {

// "win.ini" is the user's own settings file, $XDG_CONFIG_HOME/zembo/win.ini (default
// ~/.config/zembo/win.ini); any other name is a program path, relative to the working directory.
std::filesystem::path profilePath(std::string_view fileName);

// Copies the value (or the default) into buffer, cut to size - 1 bytes and NUL-terminated;
// returns the number of bytes copied.
int readProfileString(std::string_view section, std::string_view key, std::string_view defaultValue, char* buffer,
                      int size, std::string_view fileName);
std::string readProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              std::string_view fileName);
// The same from a file of the host (a folder a user named), whose path never passes a code page.
std::string readProfileStringIn(const std::filesystem::path& file, std::string_view section, std::string_view key,
                                std::string_view defaultValue);
// A decimal number with an optional minus sign, from the leading digits of the value; 0 when the
// value starts with none; the default when the key is missing.
int readProfileInt(std::string_view section, std::string_view key, int defaultValue, std::string_view fileName);
// Returns false when the file could not be written; the old file is then unchanged.
bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view fileName);

}  // namespace zembo
