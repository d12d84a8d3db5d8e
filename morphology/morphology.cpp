#include "morphology/morphology.h"

#include <iconv.h>
#include <unicode/uchar.h>
#include <hunspell.hxx>

#include <algorithm>
#include <cstring>
#include <system_error>

#include "platform/asciicase.h"
#include "platform/codepage.h"
#include "store/collate.h"

namespace zembo {

namespace {
MorphologyState morphologyState;  // the one mutable instance
}  // namespace
const MorphologyState& morphology = morphologyState;

// Converts between UTF-8 and a dictionary's own encoding; UTF-8 dictionaries need none.
class EncodingConverter {
 public:
  EncodingConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~EncodingConverter() {
    if (usable()) iconv_close(cd_);
  }
  EncodingConverter(const EncodingConverter&) = delete;
  EncodingConverter& operator=(const EncodingConverter&) = delete;
  bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // False when the text holds a character the other encoding lacks.
  bool convert(std::string_view in, std::string& out) {
    out.assign(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    const bool whole = iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1);
    out.resize(out.size() - dstLeft);
    return whole && srcLeft == 0;
  }

 private:
  iconv_t cd_;
};

struct SpellDictionary {
  std::unique_ptr<Hunspell> speller;
  bool utf8 = true;
  std::unique_ptr<EncodingConverter> toDictionary, fromDictionary;
};

namespace {

// The dictionaries the distribution's hunspell-* packages install for each language, the usual
// country first.
struct LanguageDictionaries {
  const char* language;
  std::vector<std::string> names;
};
const std::vector<LanguageDictionaries>& languageDictionaries() {
  static const std::vector<LanguageDictionaries> table = {
      {"german", {"de_DE", "de_AT", "de_CH", "de"}},
      {"french", {"fr_FR", "fr", "fr_BE", "fr_CA", "fr_CH"}},
      {"dutch", {"nl_NL", "nl", "nl_BE"}},
      {"english", {"en_US", "en_GB", "en_CA", "en_AU"}},
      {"italian", {"it_IT", "it"}},
      {"spanish", {"es_ES", "es"}},
      {"portuguese", {"pt_PT", "pt_BR"}},
      {"swedish", {"sv_SE", "sv_FI", "sv"}},
      {"danish", {"da_DK", "da"}},
      {"norwegian", {"nb_NO", "no_NO", "nn_NO"}},
      {"russian", {"ru_RU", "ru"}},
      {"polish", {"pl_PL"}},
      {"czech", {"cs_CZ"}},
      {"slovak", {"sk_SK"}},
      {"hungarian", {"hu_HU"}},
      {"romanian", {"ro_RO"}},
      {"croatian", {"hr_HR"}},
      {"slovenian", {"sl_SI"}},
      {"greek", {"el_GR"}},
      {"turkish", {"tr_TR"}},
      {"ukrainian", {"uk_UA"}},
      {"bulgarian", {"bg_BG"}},
      {"finnish", {"fi_FI"}},
      {"catalan", {"ca_ES", "ca"}},
      {"lithuanian", {"lt_LT"}},
      {"latvian", {"lv_LV"}},
  };
  return table;
}

// A plain ICU name such as "de" or "de_AT".
bool isIcuName(std::string_view name) {
  const auto lowerLetters = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  };
  const std::string_view language = name.substr(0, name.find('_'));
  if (language.size() < 2 || language.size() > 3 || !lowerLetters(language)) return false;
  if (language.size() == name.size()) return true;
  const std::string_view country = name.substr(language.size() + 1);
  return country.size() == 2 &&
         std::all_of(country.begin(), country.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The converters' name of an encoding that a dictionary's SET line gives.
std::string iconvName(const std::string& encoding) {
  const std::string lower = asciiLowerCopy(encoding);
  if (lower.rfind("microsoft-cp", 0) == 0) return "CP" + encoding.substr(12);
  return encoding;
}

std::shared_ptr<SpellDictionary> loadDictionary(std::string_view localeName) {
  for (const std::string& name : hunspellNames(localeName)) {
    const std::filesystem::path aff = morphologyState.hunspellFolder / (name + ".aff");
    const std::filesystem::path dic = morphologyState.hunspellFolder / (name + ".dic");
    std::error_code error;
    if (!std::filesystem::is_regular_file(aff, error) || !std::filesystem::is_regular_file(dic, error)) continue;
    auto dictionary = std::make_shared<SpellDictionary>();
    dictionary->speller = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    const std::string encoding = iconvName(dictionary->speller->get_dict_encoding());
    dictionary->utf8 = equalNoCase(encoding, "utf-8") || equalNoCase(encoding, "utf8");
    if (!dictionary->utf8) {
      dictionary->toDictionary = std::make_unique<EncodingConverter>(encoding.c_str(), "UTF-8");
      dictionary->fromDictionary = std::make_unique<EncodingConverter>("UTF-8", encoding.c_str());
      // An encoding the converters do not know makes the dictionary useless, not the lookup.
      if (!dictionary->toDictionary->usable() || !dictionary->fromDictionary->usable()) continue;
    }
    return dictionary;
  }
  return nullptr;
}

SpellDictionary* dictionaryOf(const DictionaryDirection& direction) {
  const std::string localeName(direction.localeName, strnlen(direction.localeName, sizeof direction.localeName));
  const std::string key = asciiLowerCopy(localeName);
  auto loaded = morphologyState.dictionaries.find(key);
  // The name as the direction writes it: a country stands in capitals in a dictionary's name.
  if (loaded == morphologyState.dictionaries.end())
    loaded = morphologyState.dictionaries.emplace(key, loadDictionary(localeName)).first;
  return loaded->second.get();
}

}  // namespace

namespace {

// The same, with the record found left in record.
bool isHeadwordAt(const WordFile& file, int index, std::string_view word, WordRecord& record) {
  return index < file.wordCount && readWordRecord(file, index, record) == 0 &&
         compareWords(file.collation, wordOf(record), word) == 0;
}

}  // namespace

bool isHeadwordAt(const WordFile& file, int index, std::string_view word) {
  WordRecord record;
  return isHeadwordAt(file, index, word, record);
}

void setHunspellFolder(const std::filesystem::path& folder) {
  morphologyState.hunspellFolder = folder;
  morphologyState.dictionaries.clear();
}

void resetMorphologyState() { morphologyState = {}; }

std::vector<std::string> hunspellNames(std::string_view localeName) {
  const std::string lower = asciiLowerCopy(localeName);
  // A variant ("german-swiss") is served by the dictionaries of its language.
  const std::string language = lower.substr(0, lower.find('-'));
  for (const LanguageDictionaries& entry : languageDictionaries())
    if (language == entry.language) return entry.names;
  // An ICU name in any case ("FR_fr") is written as the dictionaries are named ("fr_FR").
  std::string icuName = lower;
  if (const std::size_t bar = icuName.find('_'); bar != std::string::npos)
    for (std::size_t k = bar + 1; k < icuName.size(); ++k)
      icuName[k] = static_cast<char>(asciiUpper(static_cast<unsigned char>(icuName[k])));
  if (!isIcuName(icuName)) return {};
  std::vector<std::string> names{icuName};
  const std::string base = icuName.substr(0, icuName.find('_'));
  if (base != icuName) names.push_back(base);
  return names;
}

std::vector<std::string> dictionaryForms(const DictionaryDirection& direction, std::string_view word) {
  SpellDictionary* dictionary = dictionaryOf(direction);
  if (!dictionary || word.empty()) return {};
  const int codePage = codePageOfCharset(direction.sourceCharset);
  std::string asked = toUtf8(word, codePage);
  if (!dictionary->utf8 && !dictionary->toDictionary->convert(std::string(asked), asked)) return {};
  std::vector<std::string> forms;
  for (const std::string& stem : dictionary->speller->stem(asked)) {
    std::string utf8 = stem, form;
    if (!dictionary->utf8 && !dictionary->fromDictionary->convert(stem, utf8)) continue;
    if (fromUtf8Exactly(utf8, codePage, form)) forms.push_back(form);
  }
  return forms;
}

int findWholeWord(const WordFile& file, std::string_view word, std::string& form) {
  form = word;
  const int index = findTypedWord(file, word);
  if (!file.direction || isHeadwordAt(file, index, word)) return index;
  std::vector<std::string> tried{std::string(word)};
  for (const std::string& stem : dictionaryForms(*file.direction, word)) {
    // Hunspell gives a stem in several spellings ("haus", "Haus") that the collation may hold equal.
    const bool again = std::any_of(tried.begin(), tried.end(), [&](const std::string& earlier) {
      return compareWords(file.collation, earlier, stem) == 0;
    });
    if (again) continue;
    tried.push_back(stem);
    const int at = findTypedWord(file, stem);
    WordRecord headword;
    if (isHeadwordAt(file, at, stem, headword)) {
      // The headword as the dictionary writes it ("Haus"), whichever spelling the stem had.
      form = wordOf(headword);
      return at;
    }
  }
  return index;
}

int findWholeWord(std::string_view word, std::string& form) { return findWholeWord(store, word, form); }

namespace {

// Blanks, controls and punctuation of every kind (quotes, brackets, dashes, marks) stand around
// words; letters, digits and symbols belong to them.
bool standsAroundWords(unsigned char byte, const CodePageTable& table) {
  const UChar32 c = table[byte];
  return u_ispunct(c) || u_isUWhiteSpace(c) || u_iscntrl(c);
}

}  // namespace

std::string_view trimWordOfText(std::string_view text, int charset) {
  const CodePageTable& table = codePageTable(codePageOfCharset(charset));
  std::size_t start = 0, end = text.size();
  while (start < end && standsAroundWords(static_cast<unsigned char>(text[start]), table)) ++start;
  while (end > start && standsAroundWords(static_cast<unsigned char>(text[end - 1]), table)) --end;
  return text.substr(start, end - start);
}

int findWordOfText(const WordFile& file, std::string_view text, std::string& form, bool& found) {
  const int charset = file.direction ? file.direction->sourceCharset : 0;
  const std::string_view word = trimWordOfText(text, charset);
  // "z.B." and "etc." are headwords with their full stop, which a sentence's full stop resembles.
  const std::size_t after = static_cast<std::size_t>(word.data() - text.data()) + word.size();
  if (!word.empty() && after < text.size() && text[after] == '.') {
    const std::string abbreviation = std::string(word) + '.';
    const int at = findTypedWord(file, abbreviation);
    if (isHeadwordAt(file, at, abbreviation)) {
      form = abbreviation;
      found = true;
      return at;
    }
  }
  const int index = findWholeWord(file, word, form);
  found = !word.empty() && isHeadwordAt(file, index, form);
  return index;
}

int findWordOfText(std::string_view text, std::string& form, bool& found) {
  return findWordOfText(store, text, form, found);
}

}  // namespace zembo
