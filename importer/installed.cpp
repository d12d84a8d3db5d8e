#include "importer/installed.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>
#include <tuple>
#include <unordered_set>

#include "importer/dictd.h"

namespace zembo {

std::filesystem::path dictdFolder() {
  // Tests and a user with dictionaries elsewhere point it to their own folder.
  const char* folder = std::getenv("ZEMBO_DICTD_FOLDER");
  return folder && *folder ? std::filesystem::path(folder) : std::filesystem::path("/usr/share/dictd");
}

std::int64_t countHeadwords(const std::filesystem::path& index) {
  std::ifstream in(index, std::ios::binary);
  if (!in) return -1;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return -1;
  // A headword of several articles has a line for each; the keys view the text, which outlives them.
  std::unordered_set<std::string_view> keys;
  keys.reserve(text.size() / 24);
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + at, end - at);
    const std::string_view key = line.substr(0, line.find('\t'));
    if (!key.empty() && !isDatabaseEntry(key)) keys.insert(key);
    at = end + 1;
  }
  return static_cast<std::int64_t>(keys.size());
}

std::vector<InstalledDictionary> installedDictionaries(const std::filesystem::path& folder,
                                                       const FolderEdition& edition) {
  std::vector<InstalledDictionary> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::filesystem::path index = entry.path();
    if (index.extension() != ".index") continue;
    const std::string stem = index.stem().string();
    std::string source, target;
    if (!languagesOfName(stem, source, target) || !isHomeLanguageOf(edition, target)) continue;
    const DictionaryLanguage* language = findDictionaryLanguage(source);
    const std::filesystem::path base = index.parent_path() / stem;
    if (!language || (!std::filesystem::exists(base.string() + ".dict.dz") &&
                      !std::filesystem::exists(base.string() + ".dict")))
      continue;
    const std::int64_t headwords = countHeadwords(index);
    if (headwords < 0) continue;
    found.push_back({index, source + "-" + target, std::string(language->names[edition.index]), headwords});
  }
  std::sort(found.begin(), found.end(), [](const InstalledDictionary& a, const InstalledDictionary& b) {
    return std::tie(a.languageName, a.pair) < std::tie(b.languageName, b.pair);
  });
  return found;
}

}  // namespace zembo
