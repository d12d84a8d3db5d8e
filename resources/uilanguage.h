#pragma once
// The ten UI languages. language.ini names one; its base numbers the string table rows of that
// edition (UI text N is string uiBase + N) and its value forms the names of its resources.

#include <string_view>

namespace zembo {

struct UiLanguage {
  const char* iniValue;  // "english"
  int base;              // 500 + 200 k
  const char* prefix;    // "ENGLISH": resources are named PREFIX_SUFFIX
  int resourceLanguage;  // Windows language id of the edition's resources, for reference
  int codePage;          // the edition's texts are bytes of this code page
  // The toolkit's own translations (standard buttons, file and print dialogs) that suit the
  // edition: locale names tried in order.
  const char* toolkitLocales;
};

constexpr int uiLanguageCount = 10;
extern const UiLanguage uiLanguages[uiLanguageCount];

// The base of the language whose value equals iniValue without regard to case; 0 when none does.
int uiLanguageBase(std::string_view iniValue);
// The table row of a base, or nullptr.
const UiLanguage* uiLanguageOfBase(int base);

// Chosen at start-up from language.ini.
struct UiLanguageState {
  int uiBase = 0;                 // 0 while none is chosen
  char uiLanguageName[150] = "";  // the value as written in language.ini
};
extern const UiLanguageState& uiLanguage;
// Reads the UI language from language.ini; the base stays 0 when the value names none.
void readUiLanguage();
// The edition of a base, as a test or benchmark picks it without language.ini.
void setUiBase(int base);
// No UI language chosen, as at process start.
void resetUiLanguageState();

// The code page of the chosen edition (1252 while none is chosen).
int uiCodePage();

}  // namespace zembo
