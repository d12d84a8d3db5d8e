#include "importer/plan.h"

#include <cstdio>
#include <iostream>
#include <utility>
#include <vector>

#include "importer/configuration.h"
#include "importer/dictd.h"
#include "importer/userentries.h"
#include "platform/asciicase.h"
#include "platform/codepage.h"
#include "platform/collation.h"
#include "platform/profile.h"
#include "platform/textfile.h"

namespace zembo {

namespace {

std::string withoutSuffix(std::string s, std::string_view suffix) {
  if (s.size() > suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0)
    s.resize(s.size() - suffix.size());
  return s;
}

DictionaryFiles findDictionaryFiles(const std::filesystem::path& given) {
  std::string base = std::filesystem::absolute(given).string();
  for (std::string_view suffix : {".index", ".dz", ".dict"}) base = withoutSuffix(base, suffix);
  DictionaryFiles files;
  files.index = base + ".index";
  files.data = base + ".dict.dz";
  if (!std::filesystem::exists(files.data)) files.data = base + ".dict";
  if (!std::filesystem::exists(files.index)) throw ImportError(ImportFailure::noIndexFile, {files.index.string()});
  if (!std::filesystem::exists(files.data))
    throw ImportError(ImportFailure::noDataFile, {base + ".dict.dz", base + ".dict"});
  languagesOfName(std::filesystem::path(base).filename().string(), files.source, files.target);
  return files;
}

// The edition of the folder: language.ini names it; a new folder takes --edition.
const FolderEdition* folderEdition(const ImportOptions& options, bool& isNew) {
  isNew = !std::filesystem::exists(std::filesystem::path(options.folder) / editionFile);
  if (isNew) {
    if (options.edition.empty()) throw ImportError(ImportFailure::notAFolder, {options.folder.string()});
    if (const FolderEdition* edition = findEdition(options.edition)) return edition;
    throw ImportError(ImportFailure::unknownEdition, {options.edition});
  }
  const std::string value = readProfileStringIn(options.folder / editionFile, "Dictionary", "Language", "");
  const FolderEdition* edition = findEdition(value);
  if (!edition) throw ImportError(ImportFailure::namesNoEdition, {(options.folder / editionFile).string(), value});
  if (!options.edition.empty() && !equalNoCase(options.edition, edition->iniValue))
    throw ImportError(ImportFailure::otherEdition,
                      {options.folder.string(), std::string(edition->iniValue), options.edition});
  return edition;
}

void checkHomeLanguage(const DictionaryFiles& files, const FolderEdition& edition) {
  if (files.target.empty() || isHomeLanguageOf(edition, files.target)) return;
  // Every edition of that language fits (Russian has two, in two alphabets).
  std::string names, options;
  for (const FolderEdition& fitting : folderEditions) {
    if (!isHomeLanguageOf(fitting, files.target)) continue;
    const std::string separator = names.empty() ? "" : " or ";
    names += separator + std::string(fitting.iniValue);
    options += separator + "--edition " + std::string(fitting.iniValue);
  }
  std::vector<std::string> args = {files.index.filename().string(), englishNameOf(files.target),
                                   std::string(edition.iniValue), englishNameOf(edition.languageCode)};
  if (names.empty()) throw ImportError(ImportFailure::noEditionForLanguage, std::move(args));
  args.insert(args.end(), {names, options});
  throw ImportError(ImportFailure::wrongHomeLanguage, std::move(args));
}

Pair choosePair(const ImportOptions& options, const DictionaryFiles& files, const FolderEdition& edition) {
  Pair pair;
  pair.edition = &edition;
  const DictionaryLanguage* language = findDictionaryLanguage(files.source);
  if (!language && (options.name.empty() || options.locale.empty()))
    throw ImportError(ImportFailure::unknownLanguage, {files.index.filename().string()});
  pair.homeCodePage = codePageOfCharset(edition.charset);
  const std::string name = options.name.empty() ? std::string(language->names[edition.index]) : options.name;
  pair.name = fromUtf8(name, pair.homeCodePage);
  if (pair.name.size() < 3 || pair.name.find_first_of(",\\/:") != std::string::npos ||
      pair.name.find('?') != std::string::npos)
    throw ImportError(ImportFailure::badLanguageName, {name});
  pair.locale = options.locale.empty() ? std::string(language->locale) : options.locale;
  if (!setCollationLocale(pair.locale)) throw ImportError(ImportFailure::unknownLocale, {pair.locale});
  pair.charset = options.charset >= 0 ? options.charset : language->charset;
  pair.sourceCodePage = codePageOfCharset(pair.charset);
  return pair;
}

}  // namespace

std::string englishNameOf(std::string_view code) {
  const DictionaryLanguage* language = findDictionaryLanguage(code);
  return language ? std::string(language->names[0]) : std::string(code);
}

Plan planImport(const ImportOptions& options) {
  Plan plan;
  plan.files = findDictionaryFiles(options.dictionary);
  const FolderEdition* edition = folderEdition(options, plan.isNew);
  checkHomeLanguage(plan.files, *edition);
  plan.pair = choosePair(options, plan.files, *edition);
  return plan;
}

std::string wordFileName(const Pair& pair) {
  const std::string home = fromUtf8(pair.edition->homeName, pair.homeCodePage);
  return pair.name.substr(0, 3) + "_" + home.substr(0, 3) + ".zb";
}

std::string reverseFileName(const Pair& pair) {
  const std::string home = fromUtf8(pair.edition->homeName, pair.homeCodePage);
  return home.substr(0, 3) + "_" + pair.name.substr(0, 3) + ".zb";
}

std::string inEdition(std::string_view utf8, const Pair& pair) { return fromUtf8(utf8, pair.homeCodePage); }

std::string folderName(std::string_view folder) { return std::string(folder.substr(0, folder.size() - 1)); }

bool mayReplace(const ImportOptions& options, const Pair& pair, std::int64_t userEntries) {
  if (options.yes) return true;
  if (!options.interactive) return false;
  std::fprintf(stderr, "%s is there already; replace its word files with the dictionary's",
               toUtf8(pair.name, pair.homeCodePage).c_str());
  if (userEntries > 0)
    std::fprintf(stderr, " (the %lld entries a user added are kept)", static_cast<long long>(userEntries));
  std::fprintf(stderr, "? [y/N] ");
  std::string answer;
  std::getline(std::cin, answer);
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

ImportTarget targetOf(const ImportOptions& options, const Pair& pair, bool isNew) {
  ImportTarget target;
  target.languageName = toUtf8(pair.name, pair.homeCodePage);
  if (isNew) return target;
  const InFolder inFolder(options.folder, pair.homeCodePage);
  const std::string configFile = inEdition(pair.edition->configFile, pair);
  // A folder without one is refused when the import writes it.
  if (!fileExists(configFile)) return target;
  const std::vector<std::string> lines = readConfigFile(configFile);
  target.alreadyThere = holdsLanguage(lines, pair);
  if (target.alreadyThere) userEntries(pair, target.userEntries);
  return target;
}

}  // namespace zembo
