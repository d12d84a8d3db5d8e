#include "importer/installed.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "importer/dictd.h"

namespace zembo {

std::filesystem::path dictdFolder() {
  // Tests and a user with dictionaries elsewhere point it to their own folder.
  const char* folder = std::getenv("ZEMBO_DICTD_FOLDER");
  return folder && *folder ? std::filesystem::path(folder) : std::filesystem::path("/usr/share/dictd");
}

std::int64_t countHeadwords(const std::filesystem::path& index) {
  try {
    return countIndexHeadwords(index);
  } catch (const ImportError&) {
    return -1;
  }
}

std::vector<InstalledDictionary> installedDictionaries(const std::filesystem::path& folder,
                                                       const FolderEdition& edition) {
  std::vector<InstalledDictionary> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::filesystem::path& index = entry.path();
    if (index.extension() != ".index") continue;
    const std::string stem = index.stem().string();
    std::string source, target;
    if (!languagesOfName(stem, source, target) || !isHomeLanguageOf(edition, target)) continue;
    const DictionaryLanguage* language = findDictionaryLanguage(source);
    const std::filesystem::path base = index.parent_path() / stem;
    if (!language ||
        (!std::filesystem::exists(base.string() + ".dict.dz") && !std::filesystem::exists(base.string() + ".dict")))
      continue;
    const std::int64_t headwords = countHeadwords(index);
    if (headwords < 0) continue;
    found.push_back({index, source.append("-").append(target), std::string(language->names[edition.index]), headwords});
  }
  std::sort(found.begin(), found.end(), [](const InstalledDictionary& a, const InstalledDictionary& b) {
    return std::tie(a.languageName, a.pair) < std::tie(b.languageName, b.pair);
  });
  return found;
}

}  // namespace zembo
