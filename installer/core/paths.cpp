#include "installer/core/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "formats/fields.h"

namespace zembo {

namespace {

bool endsWithSeparator(std::string_view path) { return !path.empty() && (path.back() == '\\' || path.back() == '/'); }

}  // namespace

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !endsWithSeparator(path)) path += '\\';
  return path.append(name);
}

bool staysInside(std::string_view programPath) {
  if (programPath.empty() || programPath[0] == '\\' || programPath[0] == '/' || programPath[0] == '~') return false;
  if (programPath.size() >= 2 && programPath[1] == ':') return false;
  bool inside = true;
  forEachField(programPath, '\\', [&](std::string_view piece) {
    forEachField(piece, '/', [&](std::string_view part) { inside = inside && part != ".."; });
  });
  return inside;
}

bool isPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string_view::npos;
}

std::filesystem::path homeDirectory() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* user = ::getpwuid(::getuid());
    home = user && user->pw_dir ? user->pw_dir : "/";
  }
  return std::filesystem::path(home).lexically_normal();
}

std::filesystem::path localDirectory(std::string_view dir) {
  std::string_view rest;
  if (!dir.empty() && dir[0] == '\\') {
    // The root of the drive, which here is the root.
    std::string absolute(dir);
    std::replace(absolute.begin(), absolute.end(), '\\', '/');
    return std::filesystem::path(absolute);
  }
  if (!dir.empty() && dir[0] == '~')
    rest = dir.substr(1);
  else if (dir.size() >= 2 && dir[1] == ':' && ((dir[0] | 0x20) >= 'a' && (dir[0] | 0x20) <= 'z'))
    rest = dir.substr(2);
  else
    return std::filesystem::path(dir);
  std::string relative(rest);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  while (!relative.empty() && relative.front() == '/') relative.erase(relative.begin());
  return relative.empty() ? homeDirectory() : homeDirectory() / relative;
}

}  // namespace zembo
