#include "importer/editions.h"

#include <regex>

#include "platform/asciicase.h"

namespace zembo {

const FolderEdition folderEditions[editionCount] = {
    {"english", "eng", 0, "english", "English", "dict.ini", "[language]", "[selected]", "[AddNew]", "on", "language\\",
     "list\\", 0},
    {"french", "fra", 0, "french", "Français", "dict.ini", "[langue]", "[selectionné]", "[ajouter]", "on", "langue\\",
     "liste\\", 1},
    {"swedish", "swe", 0, "swedish", "Svenska", "ordbok.ini", "[Språk]", "[Valda]", "[Lägg till nya]", "på", "sprak\\",
     "lista\\", 2},
    {"russianlat", "rus", 204, "russian", "Russian", "slovar.ini", "[language]", "[selected]", "[AddNew]", "on",
     "language\\", "list\\", 3},
    {"russiancyr", "rus", 204, "russian", "Русский", "slovar_cyr.ini", "[language]", "[selected]", "[AddNew]", "on",
     "language\\", "list\\", 4},
    {"dutch", "nld", 0, "dutch", "Nederlands", "zembo.ini", "[taal]", "[selected]", "[toevoegen]", "on", "taal\\",
     "lijst\\", 5},
    {"italian", "ita", 0, "italian", "Italiano", "dizionario.ini", "[language]", "[selected]", "[AddNew]", "on",
     "language\\", "list\\", 6},
    {"norwegian", "nob", 0, "norwegian-bokmal", "Norsk", "dict.ini", "[language]", "[selected]", "[AddNew]", "På",
     "language\\", "list\\", 7},
    {"danish", "dan", 0, "danish", "Dansk", "dict.ini", "[language]", "[selected]", "[AddNew]", "on", "language\\",
     "list\\", 8},
    {"german", "deu", 0, "german", "Deutsch", "woerterbuch.ini", "[sprache]", "[selected]", "[zufügen]", "on",
     "sprache\\", "liste\\", 9},
};

namespace {

// Names in the order of editions: English, French, Swedish, Russian in Latin and in Cyrillic
// letters, Dutch, Italian, Norwegian, Danish, German.
const DictionaryLanguage dictionaryLanguages[] = {
    {"eng",
     "english",
     0,
     {"English", "Anglais", "Engelska", "Angliyskiy", "Английский", "Engels", "Inglese", "Engelsk", "Engelsk",
      "Englisch"}},
    {"fra",
     "french",
     0,
     {"French", "Français", "Franska", "Frantsuzskiy", "Французский", "Frans", "Francese", "Fransk", "Fransk",
      "Französisch"}},
    {"deu",
     "german",
     0,
     {"German", "Allemand", "Tyska", "Nemetskiy", "Немецкий", "Duits", "Tedesco", "Tysk", "Tysk", "Deutsch"}},
    {"nld",
     "dutch",
     0,
     {"Dutch", "Néerlandais", "Nederländska", "Gollandskiy", "Голландский", "Nederlands", "Olandese", "Nederlandsk",
      "Hollandsk", "Niederländisch"}},
    {"ita",
     "italian",
     0,
     {"Italian", "Italien", "Italienska", "Italyanskiy", "Итальянский", "Italiaans", "Italiano", "Italiensk",
      "Italiensk", "Italienisch"}},
    {"swe",
     "swedish",
     0,
     {"Swedish", "Suédois", "Svenska", "Shvedskiy", "Шведский", "Zweeds", "Svedese", "Svensk", "Svensk", "Schwedisch"}},
    {"dan",
     "danish",
     0,
     {"Danish", "Danois", "Danska", "Datskiy", "Датский", "Deens", "Danese", "Dansk", "Dansk", "Dänisch"}},
    {"nob",
     "norwegian",
     0,
     {"Norwegian", "Norvégien", "Norska", "Norvezhskiy", "Норвежский", "Noors", "Norvegese", "Norsk", "Norsk",
      "Norwegisch"}},
    {"nor",
     "norwegian",
     0,
     {"Norwegian", "Norvégien", "Norska", "Norvezhskiy", "Норвежский", "Noors", "Norvegese", "Norsk", "Norsk",
      "Norwegisch"}},
    {"rus",
     "russian",
     204,
     {"Russian", "Russe", "Ryska", "Russkiy", "Русский", "Russisch", "Russo", "Russisk", "Russisk", "Russisch"}},
    {"spa",
     "spanish",
     0,
     {"Spanish", "Espagnol", "Spanska", "Ispanskiy", "Испанский", "Spaans", "Spagnolo", "Spansk", "Spansk",
      "Spanisch"}},
    {"por",
     "portuguese",
     0,
     {"Portuguese", "Portugais", "Portugisiska", "Portugalskiy", "Португальский", "Portugees", "Portoghese",
      "Portugisisk", "Portugisisk", "Portugiesisch"}},
    {"pol",
     "polish",
     238,
     {"Polish", "Polonais", "Polska", "Polskiy", "Польский", "Pools", "Polacco", "Polsk", "Polsk", "Polnisch"}},
    {"ces",
     "czech",
     238,
     {"Czech", "Tchèque", "Tjeckiska", "Cheshskiy", "Чешский", "Tsjechisch", "Ceco", "Tsjekkisk", "Tjekkisk",
      "Tschechisch"}},
};

}  // namespace

const FolderEdition* findEdition(std::string_view iniValue) {
  for (const FolderEdition& edition : folderEditions)
    if (equalNoCase(edition.iniValue, iniValue)) return &edition;
  return nullptr;
}

bool isHomeLanguageOf(const FolderEdition& edition, std::string_view code) {
  return edition.languageCode == code || (edition.languageCode == "nob" && code == "nor");
}

bool languagesOfName(const std::string& name, std::string& source, std::string& target) {
  static const std::regex pairName("([a-z]{3})-([a-z]{3})$");
  std::smatch m;
  if (!std::regex_search(name, m, pairName)) return false;
  source = m[1];
  target = m[2];
  return true;
}

const DictionaryLanguage* findDictionaryLanguage(std::string_view code) {
  for (const DictionaryLanguage& language : dictionaryLanguages)
    if (language.code == code) return &language;
  return nullptr;
}

}  // namespace zembo
