#pragma once
// What the installer's tests share: a fresh folder that is the working directory, the home folder
// and the data home, the installer's state as it is at start-up, and word lists written and read
// as pairs of texts.

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "installer/core/languages.h"
#include "installer/core/script.h"
#include "tests/support/testenv.h"

namespace zembo::test {

using Entry = std::pair<std::string, std::string>;  // word, translation

class InstallerTest : public TempDirTest {
 protected:
  void SetUp() override;

  // The path of a file of the test folder, for the installer (absolute, in program form).
  std::string programPath(const std::string& relative) const;
};

void writeWordList(const std::filesystem::path& path, const std::vector<Entry>& entries, std::int16_t flags = 0);
std::vector<Entry> readWordList(const std::filesystem::path& path);

// The message of the last recorded box.
std::string lastMessage();

// What the script said, or the language being registered, with one field changed as a test states
// it; the owner takes the whole.
template <class T>
void changeScript(T ScriptState::*field, const std::type_identity_t<T>& value) {
  ScriptState said = script;
  said.*field = value;
  useScript(said);
}
template <class T>
void changeRegistering(T LanguageState::*field, const std::type_identity_t<T>& value) {
  LanguageState language = registering;
  language.*field = value;
  useLanguage(language);
}

}  // namespace zembo::test
