#pragma once
// Dictionary forms of inflected words. A word as it stands in a text ("Häuser", "mangeait") is
// often no headword; the system's Hunspell dictionary of the direction's language knows its stems
// ("Haus"). Whole-word lookups (a word taken from a text, a copied word) fall back to them; a
// language without a dictionary keeps the plain lookup.

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "directions/directions.h"
#include "store/store.h"

namespace zembo {

// One loaded Hunspell dictionary with its encoding (defined where Hunspell is used).
struct SpellDictionary;

// The folder the system keeps its Hunspell dictionaries in.
inline constexpr const char* systemHunspellFolder = "/usr/share/hunspell";

struct MorphologyState {
  std::filesystem::path hunspellFolder = systemHunspellFolder;
  // Loaded on the first whole-word lookup of a language (by its lower-case locale name) and kept
  // for the session; null when the language has no dictionary in the folder.
  std::map<std::string, std::shared_ptr<SpellDictionary>> dictionaries;
};
extern const MorphologyState& morphology;

// Looks for dictionaries in another folder from now on; those loaded are forgotten.
void setHunspellFolder(const std::filesystem::path& folder);
// The system's folder and no dictionary loaded, as at process start.
void resetMorphologyState();

// The names of the dictionaries ("de_DE") that serve a direction's locale name ("german"), the
// likeliest first; a plain ICU name ("de_AT") stands for itself. Empty for an unknown language.
std::vector<std::string> hunspellNames(std::string_view localeName);

// The stems Hunspell gives for a word of the direction's source side, in its order, as bytes in
// the side's code page; stems the code page cannot hold are left out. Empty when the language
// has no dictionary.
std::vector<std::string> dictionaryForms(const DictionaryDirection& direction, std::string_view word);

// True when the record at index holds a word that collates equal to word (findWord gives the index).
bool isHeadwordAt(const WordFile& file, int index, std::string_view word);

// A whole-word lookup: the index of a headword that equals word under the file's collation (the
// one spelled exactly as word where several collate equal, as findTypedWord lands), else
// that of the first of its stems that is a headword, with form set to what was found (word
// itself, or that headword as the file writes it). When neither is a headword, form is word and the index is where word
// would be inserted, as findWord gives it. Costs one bisection for the word and one per stem.
int findWholeWord(const WordFile& file, std::string_view word, std::string& form);
int findWholeWord(std::string_view word, std::string& form);  // in the current word file

// The word that a piece of text stands for (a copied word, a word taken from a text): the blanks,
// punctuation and quotes around it go, those inside it ("z.B", "rock'n'roll") stay. The bytes are
// in the code page of the character set; the typographic quotes that the page holds count too.
std::string_view trimWordOfText(std::string_view text, int charset);

// A whole-word lookup of a word as a text holds it: the text trimmed as above, then looked up as
// findWholeWord does; an abbreviation keeps its full stop ("z.B." of "z.B.,") when that is a
// headword. found tells whether form is a headword (the word or a dictionary form of it); when it
// is not, form is the trimmed word and the index is where it would be inserted.
int findWordOfText(const WordFile& file, std::string_view text, std::string& form, bool& found);
int findWordOfText(std::string_view text, std::string& form, bool& found);  // in the current word file

}  // namespace zembo
