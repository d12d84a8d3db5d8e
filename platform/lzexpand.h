#pragma once
// Copying with expansion: a source compressed in the LZ (SZDD) format of the old "compress"
// tools is written expanded, any other file is copied as it is.

#include <filesystem>
#include <string>
#include <string_view>

namespace zembo {

bool isLzCompressed(std::string_view programPath);
// Returns false when the source cannot be read, is damaged (its expansion is not the length its
// header names), or the target cannot be written; the target is then left as it was. A damaged
// source is described in damage, when given.
bool expandCopy(std::string_view fromProgramPath, std::string_view toProgramPath);
// The same between host paths (folders a user chose, which no code page may hold).
bool expandCopyTo(const std::filesystem::path& source, const std::filesystem::path& target,
                  std::string* damage = nullptr);

}  // namespace zembo
