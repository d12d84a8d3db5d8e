#include "directions/directions.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "formats/fields.h"
#include "formats/sorttable.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "platform/safefiles.h"
#include "platform/textfile.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"

namespace zembo {

namespace {
DirectionState directionsState;  // the one mutable instance
}  // namespace
const DirectionState& directions = directionsState;

namespace {

template <std::size_t N>
void copyField(char (&field)[N], const std::string& text) {
  const std::size_t n = text.size() < N ? text.size() : N - 1;
  std::memcpy(field, text.data(), n);
  field[n] = '\0';
}

std::string firstThree(const char* s) { return std::string(s, strnlen(s, 3)); }

void freeDirections() {
  while (directionsState.directionList) {
    DictionaryDirection* next = directionsState.directionList->next;
    delete directionsState.directionList;
    directionsState.directionList = next;
  }
  directionsState.directionCount = 0;
  directionsState.currentDirection = nullptr;
}

DictionaryDirection* appendDirection(DictionaryDirection*& last) {
  auto* d = new (std::nothrow) DictionaryDirection{};
  if (!d) return nullptr;
  (last ? last->next : directionsState.directionList) = d;
  last = d;
  ++directionsState.directionCount;
  return d;
}

void fillForward(DictionaryDirection& f, const char* line, const std::string& ui, int uiCharset) {
  const std::vector<std::string_view> fields = splitFields(line, ',');
  const std::string name(fields.empty() ? "" : fields[0]);
  const std::string locale(fields.size() > 1 ? fields[1] : "english");
  const std::string charset(fields.size() > 2 ? fields[2] : "0");
  const std::string longName(fields.size() > 3 ? fields[3] : "");
  // The short names come from field 1 even when a long name is given.
  const std::string stem = firstThree(name.c_str()) + "_" + firstThree(ui.c_str());
  copyField(f.sourceName, longName.empty() ? name : longName);
  copyField(f.targetName, ui);
  copyField(f.localeName, locale);
  f.sourceCharset = std::atoi(charset.c_str());
  f.targetCharset = uiCharset;
  copyField(f.wordFileName, stem + ".zb");
  copyField(f.listFileName, stem + ".ls");
  copyField(f.sourceIconName, firstThree(name.c_str()) + ".ico");
  copyField(f.targetIconName, firstThree(ui.c_str()) + ".ico");
  copyField(f.longName, longName);
  if (!longName.empty()) {
    copyField(f.longWordFileName, longName + "_" + ui + ".zb");
    copyField(f.longListFileName, longName + "_" + ui + ".ls");
    copyField(f.longSourceIconName, longName + ".ico");
    copyField(f.longTargetIconName, ui + ".ico");
  }
  f.hasSortTable = sortTableExists(f.sourceName);
}

void fillTwin(DictionaryDirection& r, const DictionaryDirection& f, const std::string& ui, int uiCharset) {
  copyField(r.sourceName, f.targetName);
  copyField(r.targetName, f.sourceName);
  copyField(r.localeName, uiTextCopy(textLocaleName));
  r.sourceCharset = uiCharset;
  r.targetCharset = f.sourceCharset;
  copyField(r.sourceIconName, f.targetIconName);
  copyField(r.targetIconName, f.sourceIconName);
  // Ttt_Sss: the two three-letter parts of the forward names (those of its icons) exchanged.
  const std::string sss = std::string(f.sourceIconName).substr(0, std::strlen(f.sourceIconName) - 4);
  const std::string ttt = std::string(f.targetIconName).substr(0, std::strlen(f.targetIconName) - 4);
  copyField(r.wordFileName, ttt + "_" + sss + ".zb");
  copyField(r.listFileName, ttt + "_" + sss + ".ls");
  copyField(r.longName, f.longName);
  if (f.longName[0]) {
    const std::string longName(f.longName);
    copyField(r.longWordFileName, ui + "_" + longName + ".zb");
    copyField(r.longListFileName, ui + "_" + longName + ".ls");
    copyField(r.longSourceIconName, ui + ".ico");
    copyField(r.longTargetIconName, longName + ".ico");
  }
  r.hasSortTable = sortTableExists(r.sourceName);
}

bool isSeparator(const char* line) { return line[0] == '\0' || line[0] == '#'; }

// The long name becomes a file-name stem: one that names another folder or no file at all would
// lead the word and list files out of their folder.
bool isSafeLongName(std::string_view name) {
  const std::size_t start = name.find_first_not_of(" \t");
  return start != std::string_view::npos && name.find_first_of("/\\") == std::string_view::npos &&
         name.find("..") == std::string_view::npos;
}

bool hasSafeLongName(const char* line) {
  const std::vector<std::string_view> fields = splitFields(line, ',');
  if (fields.size() < 4 || isSafeLongName(fields[3])) return true;
  messageBox(nullptr, std::string("This language line is skipped: its long name is not a plain file name.\n\n") + line,
             uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
  return false;
}

}  // namespace

int loadDirections() {
  const std::string ui = uiTextCopy(textLanguageName);
  const std::string languageHeader = uiTextCopy(textLanguageHeader);
  const int uiCharset = uiTextNumber(textCharset);
  freeDirections();
  std::FILE* file = openFile(uiTextCopy(textConfigFileName), "rt");
  if (!file) return -1;
  DictionaryDirection* last = nullptr;
  bool inLanguageSection = false;
  bool failed = false;
  char line[100];
  while (!failed && readTextLine(file, line, sizeof line)) {
    removeLineEnd(line);
    if (isSeparator(line)) {
      inLanguageSection = false;
      continue;
    }
    // A header is recognised only after the line was taken as a member of an open section.
    if (inLanguageSection && hasSafeLongName(line)) {
      DictionaryDirection* forward = appendDirection(last);
      if (!forward)
        failed = true;
      else
        fillForward(*forward, line, ui, uiCharset);
    }
    if (equalNoCase(line, languageHeader)) inLanguageSection = true;
  }
  failed = failed || std::ferror(file) || directionsState.directionCount == 0;
  const int forwardCount = directionsState.directionCount;
  DictionaryDirection* forward = directionsState.directionList;
  for (int i = 0; i < forwardCount && !failed; ++i, forward = forward->next) {
    DictionaryDirection* twin = appendDirection(last);
    if (!twin)
      failed = true;
    else
      fillTwin(*twin, *forward, ui, uiCharset);
  }
  std::fclose(file);
  if (failed) {
    freeDirections();
    return -1;
  }
  directionsState.directionCount = 2 * forwardCount;
  directionsState.currentDirection = directionsState.directionList;
  for (int i = 0; i < forwardCount; ++i) directionsState.currentDirection = directionsState.currentDirection->next;
  return 0;
}

int readSelectedDirection() {
  const std::string selectedHeader = uiTextCopy(textSelectedHeader);
  std::FILE* file = openFile(uiTextCopy(textConfigFileName), "rt");
  if (!file) return -1;
  bool inSelectedSection = false;
  char line[100];
  while (readTextLine(file, line, sizeof line)) {
    removeLineEnd(line);
    if (isSeparator(line)) {
      inSelectedSection = false;
      continue;
    }
    if (inSelectedSection) {
      for (DictionaryDirection* d = directionsState.directionList; d; d = d->next)
        if (equalNoCase(d->longWordFileName, line) || equalNoCase(d->wordFileName, line)) {
          d->selected = 1;
          directionsState.currentDirection = d;
          inSelectedSection = false;
          break;
        }
    }
    if (equalNoCase(line, selectedHeader)) inSelectedSection = true;
  }
  const bool failed = std::ferror(file);
  std::fclose(file);
  return failed ? -1 : 0;
}

int recordSelectedDirection() {
  const std::string configName = uiTextCopy(textConfigFileName);
  const std::string selectedHeader = uiTextCopy(textSelectedHeader);
  const std::size_t headerLength = static_cast<std::size_t>(uiTextNumber(textSelectedHeaderLength));
  // Read and written as bytes, so that every other line keeps its own line end.
  std::FILE* in = openFile(configName, "rb");
  if (!in) return -1;
  // The new file replaces the old one only when it is whole and on disk.
  const bool replaced = replaceFileSafely(hostPath(configName), [&](std::FILE* out) {
    bool replaceNext = false;
    std::string text;
    while (readStoredLine(in, text)) {
      if (replaceNext) {
        const std::size_t end = text.find_first_of("\r\n");
        text = activeWordFileName(directionsState.currentDirection) +
               (end == std::string::npos ? std::string("\n") : text.substr(end));
        replaceNext = false;
      } else if (equalNoCaseN(text, selectedHeader, headerLength)) {
        replaceNext = true;
      }
      if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) return false;
    }
    return !std::ferror(in);
  });
  std::fclose(in);
  return replaced ? 0 : -1;
}

int sortTableExists(const char* languageName) { return readSortTable(languageName, nullptr) < 0 ? 0 : 1; }

DictionaryDirection* twinOf(const DictionaryDirection* d) {
  for (DictionaryDirection* r = directions.directionList; r; r = r->next)
    if (std::strcmp(r->sourceName, d->targetName) == 0 && std::strcmp(r->targetName, d->sourceName) == 0) return r;
  return nullptr;
}

const DictionaryDirection* forwardOf(const DictionaryDirection* d) {
  int position = 0;
  for (const DictionaryDirection* r = directions.directionList; r; r = r->next, ++position) {
    if (r != d) continue;
    if (position < directions.directionCount / 2) return d;
    break;
  }
  const DictionaryDirection* twin = twinOf(d);
  return twin ? twin : d;
}

const char* activeWordFileName(const DictionaryDirection* d) {
  return d->longName[0] ? d->longWordFileName : d->wordFileName;
}
const char* activeListFileName(const DictionaryDirection* d) {
  return d->longName[0] ? d->longListFileName : d->listFileName;
}
const char* activeSourceIconName(const DictionaryDirection* d) {
  return d->longName[0] ? d->longSourceIconName : d->sourceIconName;
}
const char* activeTargetIconName(const DictionaryDirection* d) {
  return d->longName[0] ? d->longTargetIconName : d->targetIconName;
}

void resetDirectionState() { freeDirections(); }

void setCurrentDirection(DictionaryDirection* direction) { directionsState.currentDirection = direction; }

void selectDirection(DictionaryDirection* direction) {
  directionsState.currentDirection->selected = 0;
  direction->selected = 1;
  directionsState.currentDirection = direction;
}

}  // namespace zembo
