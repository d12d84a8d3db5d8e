#include "resources/uilanguage.h"

#include "platform/asciicase.h"
#include "platform/profile.h"

namespace zembo {

const UiLanguage uiLanguages[uiLanguageCount] = {
    {"english", 500, "ENGLISH", 1033, 1252, "en"},
    {"french", 700, "FRENCH", 1036, 1252, "fr"},
    {"swedish", 900, "SWEDISH", 1053, 1252, "sv"},
    // Russian in Latin letters is read by Russian speakers, who read the toolkit's Cyrillic too.
    {"russianlat", 1100, "RUSSIANLAT", 1033, 1252, "ru"},
    {"russiancyr", 1300, "RUSSIANCYR", 1049, 1251, "ru"},
    {"dutch", 1500, "DUTCH", 1043, 1252, "nl"},
    {"italian", 1700, "ITALIAN", 1040, 1252, "it"},
    // Where the toolkit has no Bokmål, its Nynorsk reads well to the same users.
    {"norwegian", 1900, "NORWEGIAN", 1044, 1252, "nb nn"},
    {"danish", 2100, "DANISH", 1030, 1252, "da"},
    {"german", 2300, "GERMAN", 1031, 1252, "de"},
};

namespace {
UiLanguageState uiLanguageState;  // the one mutable instance
}  // namespace
const UiLanguageState& uiLanguage = uiLanguageState;

int uiLanguageBase(std::string_view iniValue) {
  int base = 0;
  for (const UiLanguage& language : uiLanguages)
    if (equalNoCase(iniValue, language.iniValue)) base = language.base;
  return base;
}

const UiLanguage* uiLanguageOfBase(int base) {
  for (const UiLanguage& language : uiLanguages)
    if (language.base == base) return &language;
  return nullptr;
}

int uiCodePage() {
  const UiLanguage* language = uiLanguageOfBase(uiLanguageState.uiBase);
  return language ? language->codePage : 1252;
}

void readUiLanguage() {
  // Relative to the working folder, which stays a host path whatever letters its name holds.
  readProfileString("Dictionary", "Language", "", uiLanguageState.uiLanguageName, 149, "language.ini");
  uiLanguageState.uiBase = uiLanguageBase(uiLanguageState.uiLanguageName);
}

void setUiBase(int base) { uiLanguageState.uiBase = base; }
void resetUiLanguageState() { uiLanguageState = {}; }

}  // namespace zembo
