#pragma once
// What the importer knows of the ten editions (their own language and the names of their files
// and sections, as the program's UI texts give them) and of the languages of dictionaries: the
// name of each language in each edition's language, its collation locale and character set.
// Texts are UTF-8 here and are converted to the edition's code page where they are written.
// The importer links neither the program's texts nor its windows; a test holds this table to the
// editions' own texts.

#include <string_view>

namespace zembo {

struct FolderEdition {
  std::string_view iniValue;        // language.ini's value: "english"
  std::string_view languageCode;    // ISO 639-3 code of the edition's own language: "eng"
  int charset;                      // of the edition's language
  std::string_view locale;          // the collation locale of the edition's language
  std::string_view homeName;        // the edition's own language name: "English"
  std::string_view configFile;      // "dict.ini"
  std::string_view languageHeader;  // "[language]"
  std::string_view selectedHeader;  // "[selected]"
  std::string_view addNewHeader;    // "[AddNew]"
  std::string_view addNewValue;     // "on"
  std::string_view wordFolder;      // "language\\"
  std::string_view listFolder;      // "list\\"
  int index;                        // in editions, and in the names of each language
};

constexpr int editionCount = 10;
extern const FolderEdition folderEditions[editionCount];

struct DictionaryLanguage {
  std::string_view code;    // ISO 639-3, as dictionary names carry it: "deu"
  std::string_view locale;  // collation locale name: "german"
  int charset;
  std::string_view names[editionCount];  // in each edition's language, in the order of editions
};

const FolderEdition* findEdition(std::string_view iniValue);
// True when a dictionary translating into the language of the code serves the edition ("nor"
// serves the Norwegian one, whose own code is "nob").
bool isHomeLanguageOf(const FolderEdition& edition, std::string_view code);
// The language codes at the end of a dictionary's name, as in "freedict-deu-eng"; false without.
bool languagesOfName(const std::string& name, std::string& source, std::string& target);
const DictionaryLanguage* findDictionaryLanguage(std::string_view code);

}  // namespace zembo
