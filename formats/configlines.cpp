#include "formats/configlines.h"

#include <cstdio>

#include "formats/fields.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/textfile.h"

namespace zembo {

namespace {

constexpr int configLineSize = 300;

}  // namespace

void endLine(std::string& text) {
  if (!text.empty() && text.back() != '\n') text += '\n';
}

ConfigRead readConfigLines(std::string_view fileName, std::vector<std::string>& lines) {
  std::FILE* file = openFile(fileName, "rt");
  if (!file) return ConfigRead::cannotOpen;
  std::string line;
  while (readTextLine(file, line, configLineSize - 1)) lines.push_back(line);
  const bool readWhole = !std::ferror(file);
  std::fclose(file);
  return readWhole ? ConfigRead::whole : ConfigRead::cannotRead;
}

std::string withoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  return std::string(line);
}

std::string configLineKey(std::string_view line) {
  const std::string text = withoutLineEnd(line);
  const std::vector<std::string_view> fields = splitFields(text, ',');
  if (fields.size() >= 4) return std::string(fields[3]);
  return fields.empty() ? std::string() : std::string(fields[0]);
}

std::vector<std::string> withoutLanguageLines(const std::vector<std::string>& lines, std::string_view key) {
  std::vector<std::string> kept;
  for (const std::string& line : lines)
    if (!equalNoCase(configLineKey(line), key)) kept.push_back(line);
  return kept;
}

std::string joinConfigLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line;
  return text;
}

std::string withLanguageLine(const std::vector<std::string>& lines, std::string_view header, std::string_view line) {
  std::string text;
  bool inSection = false, added = false;
  for (const std::string& copied : lines) {
    if (inSection && isEmptyConfigLine(copied)) {
      // The section's closing empty line gives way to the new line and an empty line.
      text += std::string(line) + "\n\n";
      inSection = false;
      added = true;
      continue;
    }
    text += copied;
    if (!added && !inSection && startsWithNoCase(copied, header)) inSection = true;
  }
  if (added) return text;
  // The section runs to the end of the file, or a file without one gets it at its end.
  endLine(text);
  if (!inSection) text += "\n" + std::string(header) + "\n";
  text += std::string(line) + "\n\n";
  return text;
}

std::string withLanguageLineReplaced(const std::vector<std::string>& lines, std::string_view key,
                                     std::string_view header, std::string_view line) {
  std::string text;
  bool replaced = false;
  for (const std::string& copied : lines) {
    if (!equalNoCase(configLineKey(copied), key)) {
      text += copied;
    } else if (!replaced) {
      text += std::string(line) + "\n";
      replaced = true;
    }
  }
  return replaced ? text : withLanguageLine(lines, header, line);
}

}  // namespace zembo
