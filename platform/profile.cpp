#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/safefiles.h"

namespace zembo {

namespace {

// One line of the file as it stands, with its line end, so that a rewrite can keep it exactly.
struct ProfileLine {
  std::string text;  // without the line end
  std::string end;   // "\n", "\r\n" or "" on a last line without one
};

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The whole file; empty when it does not exist, nullopt when something stands there that cannot
// be read (a folder, a pipe, a read error), which reads as missing but must never be replaced.
std::optional<std::string> loadContent(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
  struct stat st {};
  std::optional<std::string> content;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    content.emplace();
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) content->append(buffer, static_cast<std::size_t>(n));
    if (n < 0) content.reset();
  }
  ::close(fd);
  return content;
}

std::optional<std::vector<ProfileLine>> loadLines(const std::filesystem::path& path) {
  const std::optional<std::string> loaded = loadContent(path);
  if (!loaded) return std::nullopt;
  const std::string& content = *loaded;
  std::vector<ProfileLine> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t lf = content.find('\n', start);
    ProfileLine line;
    if (lf == std::string::npos) {
      line.text = content.substr(start);
      start = content.size();
    } else {
      std::size_t textEnd = lf;
      if (textEnd > start && content[textEnd - 1] == '\r') --textEnd;
      line.text = content.substr(start, textEnd - start);
      line.end = content.substr(textEnd, lf + 1 - textEnd);
      start = lf + 1;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

// The name of a section header line "[name]", if the line is one.
std::optional<std::string_view> sectionName(std::string_view text) {
  const std::string_view t = trimBlanks(text);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trimBlanks(t.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view text) {
  const std::string_view t = trimBlanks(text);
  if (t.empty() || t.front() == ';') return std::nullopt;
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{trimBlanks(t.substr(0, eq)), trimBlanks(t.substr(eq + 1))};
}

// Where a key stands: the index of its line, and the section's range of lines.
struct Location {
  std::optional<std::size_t> sectionHeader;
  std::size_t sectionEnd = 0;  // one past the section's last line
  std::optional<std::size_t> keyLine;
};

Location locate(const std::vector<ProfileLine>& lines, std::string_view section, std::string_view key) {
  Location at;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = sectionName(lines[i].text);
    if (name) {
      if (at.sectionHeader) return at;  // the first matching section is the one that counts
      if (equalNoCase(*name, section)) at.sectionHeader = i;
      at.sectionEnd = i + 1;
      continue;
    }
    if (!at.sectionHeader) continue;
    at.sectionEnd = i + 1;
    const auto kv = keyLine(lines[i].text);
    if (kv && !at.keyLine && equalNoCase(kv->key, key)) at.keyLine = i;
  }
  return at;
}

std::optional<std::string> findValue(std::string_view section, std::string_view key,
                                     const std::filesystem::path& file) {
  const std::vector<ProfileLine> lines = loadLines(file).value_or(std::vector<ProfileLine>{});
  const Location at = locate(lines, section, key);
  if (!at.keyLine) return std::nullopt;
  std::string_view value = keyLine(lines[*at.keyLine].text)->value;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

}  // namespace

std::filesystem::path profilePath(std::string_view fileName) {
  if (equalNoCase(fileName, "win.ini")) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config && *config) {
      base = config;
    } else {
      const char* home = std::getenv("HOME");
      base = std::filesystem::path(home ? home : ".") / ".config";
    }
    return base / "zembo" / "win.ini";
  }
  return hostPath(fileName);
}

int readProfileString(std::string_view section, std::string_view key, std::string_view defaultValue, char* buffer,
                      int size, std::string_view fileName) {
  if (size <= 0) return 0;
  const std::string value = readProfileString(section, key, defaultValue, fileName);
  const std::size_t n = std::min(value.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, value.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

std::string readProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              std::string_view fileName) {
  return findValue(section, key, profilePath(fileName)).value_or(std::string(defaultValue));
}

std::string readProfileStringIn(const std::filesystem::path& file, std::string_view section, std::string_view key,
                                std::string_view defaultValue) {
  return findValue(section, key, file).value_or(std::string(defaultValue));
}

int readProfileInt(std::string_view section, std::string_view key, int defaultValue, std::string_view fileName) {
  const auto value = findValue(section, key, profilePath(fileName));
  if (!value) return defaultValue;
  std::size_t i = 0;
  const bool negative = i < value->size() && (*value)[i] == '-';
  if (negative) ++i;
  long long number = 0;
  for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
    number = number * 10 + ((*value)[i] - '0');
    if (number > static_cast<long long>(INT_MAX) + 1) number = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) number = -number;
  if (number > INT_MAX) number = INT_MAX;
  return static_cast<int>(number);
}

bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view fileName) {
  const std::filesystem::path path = profilePath(fileName);
  std::optional<std::vector<ProfileLine>> loaded = loadLines(path);
  if (!loaded) return false;
  std::vector<ProfileLine>& lines = *loaded;
  std::string eol = "\n";
  for (const ProfileLine& line : lines)
    if (!line.end.empty()) {
      eol = line.end;
      break;
    }
  const Location at = locate(lines, section, key);
  if (at.keyLine) {
    // Keep the key as the file spells it; only the value changes.
    ProfileLine& line = lines[*at.keyLine];
    const std::size_t eq = line.text.find('=');
    std::string keyPart = line.text.substr(0, eq);
    while (!keyPart.empty() && (keyPart.back() == ' ' || keyPart.back() == '\t')) keyPart.pop_back();
    line.text = keyPart + "=" + std::string(value);
  } else {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = eol;
    const ProfileLine added{std::string(key) + "=" + std::string(value), eol};
    if (at.sectionHeader) {
      // After the section's last line that is not blank.
      std::size_t insertAt = at.sectionEnd;
      while (insertAt > *at.sectionHeader + 1 && trimBlanks(lines[insertAt - 1].text).empty()) --insertAt;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added);
    } else {
      if (!lines.empty() && !trimBlanks(lines.back().text).empty()) lines.push_back({"", eol});
      lines.push_back({"[" + std::string(section) + "]", eol});
      lines.push_back(added);
    }
  }
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  return replaceFileSafely(path, [&lines](std::FILE* out) {
    for (const ProfileLine& line : lines) {
      if (std::fwrite(line.text.data(), 1, line.text.size(), out) != line.text.size()) return false;
      if (std::fwrite(line.end.data(), 1, line.end.size(), out) != line.end.size()) return false;
    }
    return true;
  });
}

}  // namespace zembo
