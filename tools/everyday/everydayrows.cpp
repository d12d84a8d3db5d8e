// Whether the row a lookup lands on shows a word's everyday sense: for each line of a list
// ("Hund<TAB>dog|hound"), the word is looked up as a user types it, and the row it lands on counts
// when its translations hold one of the listed ones whole. Prints the words that miss, then the
// count, the count of rows whose first translation is one, and the count of the rows that the
// first record of the equal words would show.
//
//   everyday-rows FOLDER LANGUAGE LIST
//
// FOLDER is a zembo folder that zembo-import filled, LANGUAGE the source language of the direction
// ("German"), LIST a UTF-8 file of such lines; lines that begin with "#" are comments.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "directions/directions.h"
#include "formats/wordrecord.h"
#include "platform/codepage.h"
#include "store/collate.h"
#include "store/currentdirection.h"
#include "store/store.h"

namespace {

using namespace zembo;

struct Everyday {
  std::string word;                       // in the direction's code page
  std::vector<std::string> translations;  // in the translations' code page
  std::string line;                       // as the list gives it, for the report
};

std::vector<std::string> split(std::string_view text, std::string_view separator) {
  std::vector<std::string> parts;
  for (std::size_t at = 0;;) {
    const std::size_t end = text.find(separator, at);
    parts.emplace_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (end == std::string_view::npos) return parts;
    at = end + separator.size();
  }
}

std::string inCodePage(std::string_view utf8, int codePage) {
  std::string bytes;
  bool replaced = false;
  fromUtf8WithEquivalents(utf8, codePage, bytes, replaced);
  return bytes;
}

bool readList(const char* path, const DictionaryDirection& direction, std::vector<Everyday>& list) {
  std::ifstream in(path);
  if (!in) return false;
  const int wordPage = codePageOfCharset(direction.sourceCharset);
  const int translationPage = codePageOfCharset(direction.targetCharset);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    // As the import converts them: "ĳ" is "ij" where the code page lacks it.
    Everyday entry{inCodePage(line.substr(0, tab), wordPage), {}, line};
    for (const std::string& translation : split(std::string_view(line).substr(tab + 1), "|"))
      entry.translations.push_back(inCodePage(translation, translationPage));
    list.push_back(std::move(entry));
  }
  return true;
}

// Whether the record at index is the word's and its translations hold one of the everyday ones
// (its first translation only, when firstOnly).
bool showsEveryday(int index, const Everyday& entry, bool firstOnly = false) {
  WordRecord record;
  if (index >= store.wordCount || readWordRecord(index, record) != 0) return false;
  if (compareWords(wordOf(record), entry.word) != 0) return false;
  std::vector<std::string> shown = split(translationOf(record), ", ");
  if (firstOnly) shown.resize(1);
  for (const std::string& translation : shown)
    for (const std::string& everyday : entry.translations)
      if (translation == everyday) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: everyday-rows FOLDER LANGUAGE LIST\n");
    return 2;
  }
  const std::filesystem::path list = std::filesystem::absolute(argv[3]);
  std::string error;
  DictionaryDirection* direction = openFolderDirection(argv[1], argv[2], error);
  if (!direction) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::vector<Everyday> words;
  if (!readList(list.c_str(), *direction, words)) {
    std::fprintf(stderr, "cannot read %s\n", list.c_str());
    return 1;
  }
  int landed = 0, first = 0, firstOfEqual = 0;
  for (const Everyday& entry : words) {
    const int index = findTypedWord(entry.word);
    const bool shown = showsEveryday(index, entry);
    landed += shown;
    first += showsEveryday(index, entry, true);
    firstOfEqual += showsEveryday(findWord(entry.word), entry);
    if (!shown) {
      WordRecord record;
      const bool read = index < store.wordCount && readWordRecord(index, record) == 0;
      std::printf(
          "  miss: %s  ->  %s\n", entry.line.c_str(),
          read ? toUtf8(translationOf(record), codePageOfCharset(direction->targetCharset)).c_str() : "(no row)");
    }
  }
  std::printf(
      "%s: %d of %zu words land on a row that shows an everyday translation, %d as its first translation "
      "(%d on the first record of the equal words)\n",
      direction->wordFileName, landed, words.size(), first, firstOfEqual);
  return 0;
}
