#include "platform/collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/uloc.h>

#include <climits>
#include <cstring>
#include <iterator>
#include <span>
#include <vector>

#include "platform/asciicase.h"
#include "platform/codepage.h"

namespace zembo {

namespace {

struct LocaleName {
  const char* name;
  const char* icu;
  int codePage;
};

// The C runtime's language names and the variants it accepts, with the ICU locale and the ANSI
// code page of each. Languages that have no single-byte ANSI page fall back to 1252.
const LocaleName knownLocales[] = {
    {"afrikaans", "af", 1252},  {"albanian", "sq", 1250},   {"arabic", "ar", 1256},     {"armenian", "hy", 1252},
    {"assamese", "as", 1252},   {"azeri", "az", 1254},      {"basque", "eu", 1252},     {"belarusian", "be", 1251},
    {"bengali", "bn", 1252},    {"bulgarian", "bg", 1251},  {"catalan", "ca", 1252},    {"chinese", "zh", 1252},
    {"croatian", "hr", 1250},   {"czech", "cs", 1250},      {"danish", "da", 1252},     {"dutch", "nl", 1252},
    {"english", "en", 1252},    {"estonian", "et", 1257},   {"faeroese", "fo", 1252},   {"farsi", "fa", 1256},
    {"finnish", "fi", 1252},    {"french", "fr", 1252},     {"georgian", "ka", 1252},   {"german", "de", 1252},
    {"greek", "el", 1253},      {"gujarati", "gu", 1252},   {"hebrew", "he", 1255},     {"hindi", "hi", 1252},
    {"hungarian", "hu", 1250},  {"icelandic", "is", 1252},  {"indonesian", "id", 1252}, {"italian", "it", 1252},
    {"japanese", "ja", 1252},   {"kannada", "kn", 1252},    {"kashmiri", "ks", 1252},   {"kazak", "kk", 1251},
    {"konkani", "kok", 1252},   {"korean", "ko", 1252},     {"latvian", "lv", 1257},    {"lithuanian", "lt", 1257},
    {"macedonian", "mk", 1251}, {"malay", "ms", 1252},      {"malayalam", "ml", 1252},  {"manipuri", "mni", 1252},
    {"marathi", "mr", 1252},    {"nepali", "ne", 1252},     {"norwegian", "nb", 1252},  {"oriya", "or", 1252},
    {"polish", "pl", 1250},     {"portuguese", "pt", 1252}, {"punjabi", "pa", 1252},    {"romanian", "ro", 1250},
    {"russian", "ru", 1251},    {"sanskrit", "sa", 1252},   {"serbian", "sr", 1251},    {"sindhi", "sd", 1252},
    {"slovak", "sk", 1250},     {"slovenian", "sl", 1250},  {"spanish", "es", 1252},    {"swahili", "sw", 1252},
    {"swedish", "sv", 1252},    {"tamil", "ta", 1252},      {"tatar", "tt", 1251},      {"telugu", "te", 1252},
    {"thai", "th", 874},        {"turkish", "tr", 1254},    {"ukrainian", "uk", 1251},  {"urdu", "ur", 1256},
    {"uzbek", "uz", 1254},      {"vietnamese", "vi", 1258},
};
// The first 70 are the plain language names; the variants of the C runtime follow.
constexpr std::size_t plainLanguageCount = 70;
static_assert(std::size(knownLocales) == plainLanguageCount);

const LocaleName variantLocales[] = {
    {"american", "en_US", 1252},
    {"american english", "en_US", 1252},
    {"american-english", "en_US", 1252},
    {"english-american", "en_US", 1252},
    {"english-us", "en_US", 1252},
    {"english-usa", "en_US", 1252},
    {"english-uk", "en_GB", 1252},
    {"british", "en_GB", 1252},
    {"english-aus", "en_AU", 1252},
    {"english-can", "en_CA", 1252},
    {"english-nz", "en_NZ", 1252},
    {"english-irl", "en_IE", 1252},
    {"english-south africa", "en_ZA", 1252},
    {"french-belgian", "fr_BE", 1252},
    {"french-canadian", "fr_CA", 1252},
    {"french-swiss", "fr_CH", 1252},
    {"french-luxembourg", "fr_LU", 1252},
    {"german-swiss", "de_CH", 1252},
    {"swiss", "de_CH", 1252},
    {"german-austrian", "de_AT", 1252},
    {"german-lichtenstein", "de_LI", 1252},
    {"german-luxembourg", "de_LU", 1252},
    {"dutch-belgian", "nl_BE", 1252},
    {"belgian", "nl_BE", 1252},
    {"italian-swiss", "it_CH", 1252},
    {"portuguese-brazilian", "pt_BR", 1252},
    {"spanish-mexican", "es_MX", 1252},
    {"spanish-modern", "es", 1252},
    {"norwegian-bokmal", "nb", 1252},
    {"norwegian-nynorsk", "nn", 1252},
    {"swedish-finland", "sv_FI", 1252},
    {"chinese-simplified", "zh_Hans", 1252},
    {"chinese-traditional", "zh_Hant", 1252},
};

const LocaleName* findLocaleName(std::string_view name) {
  for (const std::span<const LocaleName> table :
       {std::span<const LocaleName>(knownLocales), std::span<const LocaleName>(variantLocales)})
    for (const LocaleName& known : table)
      if (equalNoCase(known.name, name)) return &known;
  return nullptr;
}

// The process's locale, the one setCollationLocale sets.
LocaleCollation current;

// The ANSI code page of an ICU name, from its language.
int codePageOfIcuName(std::string_view icuName) {
  const std::string_view language = icuName.substr(0, icuName.find_first_of("_-@"));
  for (const LocaleName& known : knownLocales)
    if (equalNoCase(known.icu, language)) return known.codePage;
  return 1252;
}

bool isIcuLanguage(std::string_view language) {
  for (int32_t i = 0; i < uloc_countAvailable(); ++i) {
    const char* available = uloc_getAvailable(i);
    const std::string_view a(available);
    if (equalNoCase(a.substr(0, a.find('_')), language)) return true;
  }
  return false;
}

// A plain ICU name: a language subtag of 2-3 letters that ICU knows, then optional subtags.
bool looksLikeIcuName(std::string_view name) {
  const std::size_t cut = name.find_first_of("_-");
  const std::string_view language = name.substr(0, cut);
  if (language.size() < 2 || language.size() > 3) return false;
  for (char c : name)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
      return false;
  return isIcuLanguage(language);
}

std::unique_ptr<icu::Collator> openCollator(const std::string& icuName) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale(icuName.c_str()), status));
  if (U_FAILURE(status) || !collator) return nullptr;
  collator->setStrength(icu::Collator::SECONDARY);
  return collator;
}

void decode(std::string_view bytes, const CodePageTable& table, std::vector<char16_t>& out) {
  out.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = table[static_cast<unsigned char>(bytes[i])];
}

}  // namespace

struct LocaleCollation::State {
  std::unique_ptr<icu::Collator> collator;
  std::string icuName;
  int codePage = 1252;
};

bool LocaleCollation::open(std::string_view name) {
  if (equalNoCase(name, "C") || equalNoCase(name, "POSIX")) {
    state_.reset();
    return true;
  }
  std::string icuName;
  int codePage = 1252;
  if (const LocaleName* known = findLocaleName(name)) {
    icuName = known->icu;
    codePage = known->codePage;
  }
  if (icuName.empty()) {
    if (!looksLikeIcuName(name)) return false;
    icuName = std::string(name);
    codePage = codePageOfIcuName(name);
  }
  std::unique_ptr<icu::Collator> collator = openCollator(icuName);
  if (!collator) return false;
  auto state = std::make_shared<State>();
  state->collator = std::move(collator);
  state->icuName = icuName;
  state->codePage = codePage;
  state_ = std::move(state);
  return true;
}

std::string LocaleCollation::icuName() const { return state_ ? state_->icuName : "C"; }

int LocaleCollation::codePage() const { return state_ ? state_->codePage : 1252; }

int LocaleCollation::compare(std::string_view a, std::string_view b) const {
  if (!state_) {
    const int c = compareNoCase(a, b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  thread_local std::vector<char16_t> ua, ub;
  const CodePageTable& table = codePageTable(state_->codePage);
  decode(a, table, ua);
  decode(b, table, ub);
  UErrorCode status = U_ZERO_ERROR;
  const UCollationResult r =
      state_->collator->compare(reinterpret_cast<const UChar*>(ua.data()), static_cast<int32_t>(ua.size()),
                                reinterpret_cast<const UChar*>(ub.data()), static_cast<int32_t>(ub.size()), status);
  if (U_FAILURE(status)) return INT_MAX;
  return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

bool setCollationLocale(std::string_view name) { return current.open(name); }

const LocaleCollation& processCollation() { return current; }

void useCollation(const LocaleCollation& collation) { current = collation; }

bool isKnownLanguageName(std::string_view name) {
  for (const LocaleName& known : knownLocales)
    if (equalNoCase(known.name, name)) return true;
  return false;
}

std::string collationLocaleName() { return current.icuName(); }

int collationCodePage() { return current.codePage(); }

int collateNoCase(std::string_view a, std::string_view b) { return current.compare(a, b); }

struct CollationKeyMaker::State {
  std::unique_ptr<icu::Collator> collator;
  const CodePageTable* table = nullptr;
  std::vector<char16_t> text;
};

CollationKeyMaker::CollationKeyMaker() : CollationKeyMaker(current) {}

CollationKeyMaker::CollationKeyMaker(const LocaleCollation& collation) : state_(std::make_unique<State>()) {
  if (collation.state_) state_->collator.reset(collation.state_->collator->clone());
  state_->table = &codePageTable(collation.codePage());
}

CollationKeyMaker::~CollationKeyMaker() = default;

void CollationKeyMaker::makeKey(std::string_view word, std::string& key) {
  if (!state_->collator) {
    // The C locale folds A-Z; NUL never occurs inside a word, so plain bytes are the key.
    key.assign(word);
    for (char& c : key) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
    return;
  }
  decode(word, *state_->table, state_->text);
  const auto* text = reinterpret_cast<const UChar*>(state_->text.data());
  const auto length = static_cast<int32_t>(state_->text.size());
  key.resize(std::max<std::size_t>(key.capacity(), 64));
  int32_t needed = state_->collator->getSortKey(text, length, reinterpret_cast<uint8_t*>(key.data()),
                                                static_cast<int32_t>(key.size()));
  if (needed > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(needed));
    needed = state_->collator->getSortKey(text, length, reinterpret_cast<uint8_t*>(key.data()), needed);
  }
  key.resize(needed > 0 ? static_cast<std::size_t>(needed) - 1 : 0);  // without the closing NUL
}

void resetCollationLocale() { current = LocaleCollation{}; }

}  // namespace zembo
