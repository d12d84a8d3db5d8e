#pragma once
// The collation locale: the case-insensitive, locale-correct comparison of words (ICU at
// secondary strength: case ignored, accents kept, punctuation not ignored), both words decoded
// with the locale's ANSI code page. The C locale, a plain comparison with A-Z folded, holds until
// a name is set successfully.

#include <memory>
#include <string>
#include <string_view>

namespace zembo {

// One locale's collation held as a value, so that a word file can carry the collation of its own
// direction beside the process's. Copies share the collator; comparing never changes it.
class LocaleCollation {
 public:
  // Accepts the names setCollationLocale accepts; false (the value unchanged) for any other.
  bool open(std::string_view name);
  // < 0, 0 or > 0 like strcmp; INT_MAX when the comparison itself fails.
  int compare(std::string_view a, std::string_view b) const;
  std::string icuName() const;  // "C" for the C locale
  int codePage() const;

 private:
  friend class CollationKeyMaker;
  struct State;
  std::shared_ptr<const State> state_;  // none: the C locale
};

// The process's collation locale, as a value; useCollation makes one the process's.
const LocaleCollation& processCollation();
void useCollation(const LocaleCollation& collation);

// Accepts the language names of the C runtime ("french", "RUSSIAN"), its variants
// ("norwegian-bokmal", "french-canadian"), plain ICU names ("fr", "pt_BR") and "C". Any other name
// fails and the locale in force stays.
bool setCollationLocale(std::string_view name);
// True for the 70 plain language names of the C runtime ("french", "RUSSIAN"), the ones a
// dictionary's configuration is expected to name.
bool isKnownLanguageName(std::string_view name);
// The ICU name of the locale in force, or "C".
std::string collationLocaleName();
// The ANSI code page of the locale in force (1252 for the C locale).
int collationCodePage();
// Back to the C locale, which holds at process start.
void resetCollationLocale();
// < 0, 0 or > 0 like strcmp; INT_MAX when the comparison itself fails.
int collateNoCase(std::string_view a, std::string_view b);

// Sort keys of the locale in force: comparing two keys bytewise gives the order of collateNoCase.
// A KeyMaker holds its own copy of the collator, so each thread can use its own.
class CollationKeyMaker {
 public:
  CollationKeyMaker();  // of the process's locale
  explicit CollationKeyMaker(const LocaleCollation& collation);
  ~CollationKeyMaker();
  CollationKeyMaker(const CollationKeyMaker&) = delete;
  CollationKeyMaker& operator=(const CollationKeyMaker&) = delete;
  // Replaces key with the key of word (NUL bytes excluded; keys never hold a NUL).
  void makeKey(std::string_view word, std::string& key);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace zembo
