#include "installer/core/languages.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "formats/fields.h"
#include "installer/core/display.h"
#include "installer/core/paths.h"
#include "installer/core/script.h"
#include "installer/core/wordlists.h"
#include "platform/asciicase.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"

namespace zembo {

namespace {
LanguageState registeringState;  // the one mutable instance
}  // namespace
const LanguageState& registering = registeringState;

namespace {

constexpr int languageFileLineSize = 100;
constexpr std::string_view languageHeader = "[taal]";

LanguageState readLanguageEntry(std::FILE* file, const std::string& line) {
  const std::vector<std::string_view> fields = splitFields(line, ',');
  if (fields.size() < 4)
    reportError("Bad line in LANGUAGE.CF:\n\n" + line + "\n\nA language line has four fields separated by commas.");
  LanguageState entry;
  entry.languageLine = std::string(fields[0]) + "," + std::string(fields[1]) + "," + std::string(fields[2]) + "," +
                       std::string(fields[3]);
  entry.languageTitle = fields[3];
  if (!nextConfigLine(file, entry.fromListName) || !nextConfigLine(file, entry.toListName))
    reportError("LANGUAGE.CF ends inside the entry of " + entry.languageTitle +
                ":\n\nits FROM and TO word list names are missing.");
  // zembo forms the names of its word files from the long name.
  if (!isPlainFileName(entry.languageTitle) || entry.languageTitle.find(':') != std::string::npos)
    reportError("Bad long name in LANGUAGE.CF: " + entry.languageTitle +
                "\n\nIt is part of file names and must be a plain name.");
  for (const std::string* name : {&entry.fromListName, &entry.toListName}) {
    if (!isPlainFileName(*name)) reportError("Bad word list name in LANGUAGE.CF: " + *name);
    if (equalNoCase(*name, tempListPath.substr(wordListFolder.size())))
      reportError("Bad word list name in LANGUAGE.CF: " + *name + "\n\nThe installer needs that name for itself.");
  }
  return entry;
}

// A list built for one language must not replace a list that an entry reads or builds; two
// entries may read the same list.
void checkNamesApart(const std::vector<LanguageState>& entries) {
  for (const LanguageState& building : entries)
    for (const LanguageState& other : entries)
      for (const std::string* name : {&other.fromListName, &other.toListName})
        if (name != &building.toListName && equalNoCase(*name, building.toListName))
          reportError("LANGUAGE.CF names the word list " + building.toListName +
                      " twice:\n\nthe list built would replace another one.");
}

// Every entry is read, and checked, before anything is changed.
std::vector<LanguageState> readLanguageEntries(std::FILE* file) {
  std::vector<LanguageState> entries;
  std::string line;
  while (nextConfigLine(file, line)) entries.push_back(readLanguageEntry(file, line));
  checkNamesApart(entries);
  return entries;
}

bool endsSection(std::string_view line) {
  const std::string text = withoutLineEnd(line);
  return text.empty() || text[0] == '#';
}

bool isLanguageHeader(std::string_view line) { return equalNoCase(withoutLineEnd(line), languageHeader); }

// Writes a new zembo.ini made from the old one's lines.
void rewriteConfigFile(const std::function<void(const std::vector<std::string>&, std::string&)>& rewrite) {
  std::vector<std::string> lines;
  const ConfigRead read = readConfigLines(configFileName, lines);
  if (read == ConfigRead::cannotOpen) reportError("Can't open DICT.INI");
  if (read == ConfigRead::cannotRead) reportError("Can't read DICT.INI");
  std::string text;
  rewrite(lines, text);
  if (!replaceFileWithText(hostPath(configFileName), text)) reportError("Can't open TMP.INI");
}

}  // namespace

void useLanguage(const LanguageState& language) { registeringState = language; }
void resetLanguageState() { registeringState = {}; }

bool nextConfigLine(std::FILE* file, std::string& line) {
  char buffer[languageFileLineSize];
  while (readTextLine(file, buffer, sizeof buffer)) {
    removeLineEnd(buffer);
    if (buffer[0] == '\0' || buffer[0] == '#') continue;
    line = buffer;
    return true;
  }
  return false;
}

void registerLanguages() {
  std::FILE* file = openFile(languageFileName, "rt");
  if (!file) reportError("Can't open LANGUAGE.CF");
  const std::vector<LanguageState> entries = readLanguageEntries(file);
  std::fclose(file);
  if (entries.empty())
    messageBox(messageOwner(),
               "LANGUAGE.CF names no language: no dictionary configuration is written, and zembo cannot start "
               "without one.",
               "Install", MB_OK | MB_ICONWARNING);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    useLanguage(entries[i]);
    if (!setCollationLocale("dutch"))
      messageBox(nullptr,
                 "LOCALE niet aanwezig voor deze taal.\n\nInstalleer multi-language ondersteuning van uw "
                 "Windows cd-rom voor deze taal.   ",
                 "Install", MB_OK | MB_ICONWARNING);
    if (i == 0) createConfigFile();
    buildReverseList();
    removeLanguageLines();
    addLanguageLine();
  }
  removeFile(languageFileName);
}

void createConfigFile() {
  if (std::FILE* existing = openFile(configFileName, "rt")) {
    std::fclose(existing);
  } else {
    const std::string text =
        "# --- zembo.ini -------------------------------------------------\n"
        "\n"
        "[toevoegen]\n"
        "on\n"
        "\n"
        "[selected]\n" +
        registeringState.fromListName +
        "\n"
        "\n"
        "[taal]\n"
        "\n"
        "\n" +
        std::string(configEofLine) + "\n";
    if (!replaceFileWithText(hostPath(configFileName), text)) reportError("Can't create DICT.INI");
  }
  if (script.stepDisplay == 1) leaveStepRowEmpty();
}

void removeLanguageLines() {
  rewriteConfigFile([](const std::vector<std::string>& lines, std::string& text) {
    text = joinConfigLines(withoutLanguageLines(lines, registeringState.languageTitle));
  });
}

void addLanguageLine() {
  rewriteConfigFile([](const std::vector<std::string>& lines, std::string& text) {
    text = withLanguageLine(lines, languageHeader, registeringState.languageLine);
  });
}

int countLanguageLines() {
  std::vector<std::string> lines;
  if (readConfigLines(configFileName, lines) != ConfigRead::whole) return -1;
  int count = 0;
  bool inSection = false;
  for (const std::string& line : lines) {
    if (inSection) {
      if (endsSection(line))
        inSection = false;
      else
        ++count;
    } else if (isLanguageHeader(line)) {
      inSection = true;
    }
  }
  return count;
}

void sortLanguageLines() {
  if (std::FILE* file = openFile(configFileName, "rt"))
    std::fclose(file);
  else
    return;
  rewriteConfigFile([](const std::vector<std::string>& lines, std::string& text) {
    const auto header = std::find_if(lines.begin(), lines.end(), isLanguageHeader);
    if (header == lines.end()) {
      text = joinConfigLines(lines);
      return;
    }
    const auto sectionEnd = std::find_if(header + 1, lines.end(), endsSection);
    struct Slot {
      std::string line, key;
    };
    std::vector<Slot> languageSlots;
    for (auto line = header + 1; line != sectionEnd; ++line)
      languageSlots.push_back({withoutLineEnd(*line), configLineKey(*line)});
    std::stable_sort(languageSlots.begin(), languageSlots.end(),
                     [](const Slot& a, const Slot& b) { return collateNoCase(a.key, b.key) < 0; });

    for (auto line = lines.begin(); line <= header; ++line) text += *line;
    endLine(text);
    for (const Slot& slot : languageSlots) text += slot.line + "\n";
    // What followed the section stays, between the sorted lines and the closing EOF line.
    std::vector<std::string> rest;
    for (auto line = sectionEnd; line != lines.end(); ++line)
      if (withoutLineEnd(*line) != configEofLine) rest.push_back(*line);
    while (!rest.empty() && isEmptyConfigLine(rest.front())) rest.erase(rest.begin());
    while (!rest.empty() && isEmptyConfigLine(rest.back())) rest.pop_back();
    if (!rest.empty()) text += "\n";
    for (const std::string& line : rest) text += line;
    endLine(text);
    text += "\n" + std::string(configEofLine) + "\n";
  });
}

}  // namespace zembo
