#pragma once
// Registration of the shipped languages: taal.cf names each language with its [taal] line, its
// FROM word list and the TO list to build; each language's reverse list is built and its line
// entered into zembo.ini, the configuration file of the Dutch edition, which is made when missing.
// Every rewrite of zembo.ini goes through a temporary file flushed to disk and renamed over it.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "formats/configlines.h"

namespace zembo {

constexpr std::string_view languageFileName = "taal.cf";
constexpr std::string_view configFileName = "zembo.ini";
constexpr std::string_view configEofLine = "# --- EOF --------------------------------------------------------";

// The language being registered: its [taal] line, its long name and its two word lists.
struct LanguageState {
  std::string languageLine;
  std::string languageTitle;
  std::string fromListName;
  std::string toListName;
};
extern const LanguageState& registering;
// Makes a language the one being registered.
void useLanguage(const LanguageState& language);
// No language being registered, as at process start.
void resetLanguageState();

void registerLanguages();
// Writes a new zembo.ini when there is none; an existing one is left as it is.
void createConfigFile();
// Leaves out every line of zembo.ini whose key is languageTitle.
void removeLanguageLines();
// Adds languageLine at the end of the [taal] section.
void addLanguageLine();

// The lines of the [taal] section, or -1 when zembo.ini cannot be read.
int countLanguageLines();
// Sorts the [taal] lines by their keys in the collation in force.
void sortLanguageLines();

// The next line of taal.cf that is neither empty nor a comment, without its line end.
bool nextConfigLine(std::FILE* file, std::string& line);

}  // namespace zembo
