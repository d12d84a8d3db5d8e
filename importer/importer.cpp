#include "importer/importer.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <regex>
#include <unordered_map>

#include "formats/fields.h"
#include "formats/recordsort.h"
#include "formats/wordrecord.h"
#include "importer/articles.h"
#include "importer/editions.h"
#include "installer/core/languages.h"
#include "installer/core/wordlists.h"
#include "platform/asciicase.h"
#include "platform/codepage.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "platform/profile.h"
#include "platform/textfile.h"

namespace zembo {

namespace {

constexpr std::string_view editionFile = "language.ini";

struct DictionaryFiles {
  std::filesystem::path index, data;
  std::string source, target;  // language codes from the name, as in "deu-eng"
};

struct Pair {
  const Edition* edition = nullptr;
  std::string name;  // in the edition's code page
  std::string locale;
  int charset = 0;
  int sourceCodePage = 1252, homeCodePage = 1252;
};

struct Entry {
  std::string word;
  std::vector<std::string> translations;
};

// Restores the working folder however the import ends.
struct WorkingFolder {
  std::filesystem::path previous = std::filesystem::current_path();
  ~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
  }
};

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
  if (!std::filesystem::exists(files.index)) throw ImportError(files.index.string() + ": no such file");
  if (!std::filesystem::exists(files.data))
    throw ImportError(base + ".dict.dz: no such file (nor " + base + ".dict)");
  static const std::regex pairName("([a-z]{3})-([a-z]{3})$");
  std::smatch m;
  const std::string stem = std::filesystem::path(base).filename().string();
  if (std::regex_search(stem, m, pairName)) {
    files.source = m[1];
    files.target = m[2];
  }
  return files;
}

bool sameHomeLanguage(const Edition& edition, std::string_view code) {
  return edition.languageCode == code || (edition.languageCode == "nob" && code == "nor");
}

std::string englishNameOf(std::string_view code) {
  const DictionaryLanguage* language = findDictionaryLanguage(code);
  return language ? std::string(language->names[0]) : std::string(code);
}

// The edition of the folder: language.ini names it; a new folder takes --edition.
const Edition* folderEdition(const ImportOptions& options, bool& isNew) {
  isNew = !std::filesystem::exists(std::filesystem::path(options.folder) / editionFile);
  if (isNew) {
    if (options.edition.empty())
      throw ImportError(options.folder.string() +
                        " is not a zembo folder (it has no language.ini); give --edition to make a new one there");
    if (const Edition* edition = findEdition(options.edition)) return edition;
    throw ImportError("unknown edition " + options.edition);
  }
  const std::string value =
      readProfileString("Dictionary", "Language", "", (options.folder / editionFile).string());
  const Edition* edition = findEdition(value);
  if (!edition)
    throw ImportError((options.folder / editionFile).string() + ": names no edition (Language=" + value + ")");
  if (!options.edition.empty() && !equalNoCase(options.edition, edition->iniValue))
    throw ImportError(options.folder.string() + " is a folder of the " + std::string(edition->iniValue) +
                      " edition, not of " + options.edition);
  return edition;
}

void checkHomeLanguage(const DictionaryFiles& files, const Edition& edition) {
  if (files.target.empty() || sameHomeLanguage(edition, files.target)) return;
  std::string message = files.index.filename().string() + " translates into " + englishNameOf(files.target) +
                        ", but the home language of the " + std::string(edition.iniValue) + " edition is " +
                        englishNameOf(edition.languageCode) + ": ";
  if (const Edition* fitting = editionOfLanguage(files.target))
    message += "import it into a folder of the " + std::string(fitting->iniValue) + " edition (--edition " +
               std::string(fitting->iniValue) + ")";
  else
    message += "no edition has " + englishNameOf(files.target) + " as its own language";
  throw ImportError(message);
}

Pair choosePair(const ImportOptions& options, const DictionaryFiles& files, const Edition& edition) {
  Pair pair;
  pair.edition = &edition;
  const DictionaryLanguage* language = findDictionaryLanguage(files.source);
  if (!language && (options.name.empty() || options.locale.empty()))
    throw ImportError("the language of " + files.index.filename().string() +
                      " is not in the importer's table: give --name and --locale (and --charset)");
  pair.homeCodePage = codePageOfCharset(edition.charset);
  const std::string name = options.name.empty() ? std::string(language->names[edition.index]) : options.name;
  pair.name = fromUtf8(name, pair.homeCodePage);
  if (pair.name.size() < 3 || pair.name.find_first_of(",\\/:") != std::string::npos ||
      pair.name.find('?') != std::string::npos)
    throw ImportError("the language name " + name + " cannot name files: it needs three letters or more, no , \\ / or :");
  pair.locale = options.locale.empty() ? std::string(language->locale) : options.locale;
  if (!setCollationLocale(pair.locale)) throw ImportError("unknown collation locale " + pair.locale);
  pair.charset = options.charset >= 0 ? options.charset : language->charset;
  pair.sourceCodePage = codePageOfCharset(pair.charset);
  return pair;
}

bool isAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// False when the code page cannot hold every character.
bool toCodePage(std::string_view utf8, int codePage, std::string& out) {
  if (isAscii(utf8)) {
    out.assign(utf8);
    return true;
  }
  out = fromUtf8(utf8, codePage);
  return std::count(out.begin(), out.end(), '?') == std::count(utf8.begin(), utf8.end(), '?');
}

void showProgress(bool progress, std::size_t done, std::size_t total) {
  if (!progress || total == 0 || (done % 4096 != 0 && done != total)) return;
  std::fprintf(stderr, "\rreading articles: %zu of %zu (%zu%%)", done, total, done * 100 / total);
  if (done == total) std::fputc('\n', stderr);
}

bool isDatabaseEntry(std::string_view headword) {
  return headword.starts_with("00database") || headword.starts_with("00-database");
}

class EntryCollector {
 public:
  EntryCollector(const Pair& pair, ImportReport& report, std::size_t expected) : pair_(pair), report_(report) {
    entries_.reserve(expected);
    examples_.reserve(expected);
    positions_.reserve(expected);
  }

  void add(const Article& article, std::string_view indexHeadword) {
    const std::string_view headword = article.headword.empty() ? indexHeadword : std::string_view(article.headword);
    std::string word;
    if (!toCodePage(headword, pair_.sourceCodePage, word)) return skip(SkipCause::headwordOutsideCodePage, headword);
    if (word.size() > wordFieldSize - 1) return skip(SkipCause::headwordTooLong, headword);
    if (article.translations.empty()) return skip(SkipCause::noTranslation, headword);
    auto [at, isNew] = positions_.try_emplace(word, entries_.size());
    if (isNew) {
      entries_.push_back({word, {}});
    } else {
      ++report_.merged;
    }
    std::vector<std::string>& translations = entries_[at->second].translations;
    std::string converted;
    for (const std::string& translation : article.translations) {
      if (!toCodePage(translation, pair_.homeCodePage, converted) || converted.size() > translationFieldSize - 1) {
        ++report_.translationsDropped;
        continue;
      }
      if (std::find(translations.begin(), translations.end(), converted) == translations.end())
        translations.push_back(converted);
    }
    if (isNew) examples_.push_back(std::string(headword));
  }

  // The records of the forward word file, in the order the headwords came.
  std::vector<WordRecord> records() {
    std::vector<WordRecord> out;
    out.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const std::string joined = joinTranslations(entries_[i].translations);
      if (joined.empty()) {
        skip(SkipCause::noTranslationFits, examples_[i]);
        continue;
      }
      WordRecord record{};
      setField(record.word, sizeof record.word, entries_[i].word);
      setField(record.translation, sizeof record.translation, joined);
      out.push_back(record);
    }
    return out;
  }

 private:
  void skip(SkipCause cause, std::string_view headword) {
    const int k = static_cast<int>(cause);
    if (report_.skipped[k]++ == 0) report_.skipExample[k] = headword;
  }

  const Pair& pair_;
  ImportReport& report_;
  std::vector<Entry> entries_;
  std::vector<std::string> examples_;  // each entry's headword as the dictionary spells it
  std::unordered_map<std::string, std::size_t> positions_;
};

std::vector<WordRecord> readDictionary(const DictionaryFiles& files, const Pair& pair, ImportReport& report,
                                       bool progress) {
  const std::vector<IndexEntry> index = readIndex(files.index);
  // In the order of the data, so that each compressed chunk is inflated once.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> byOffset;
  byOffset.reserve(index.size());
  for (std::size_t i = 0; i < index.size(); ++i) byOffset.emplace_back(index[i].offset, static_cast<std::uint32_t>(i));
  std::sort(byOffset.begin(), byOffset.end());
  DictData data(files.data);
  EntryCollector collector(pair, report, index.size());
  for (std::size_t i = 0; i < byOffset.size(); ++i) {
    showProgress(progress, i + 1, index.size());
    const IndexEntry& entry = index[byOffset[i].second];
    // An article indexed under several keys counts once.
    if (isDatabaseEntry(entry.headword) || (i > 0 && byOffset[i - 1].first == entry.offset)) continue;
    const std::string_view text = data.article(entry.offset, entry.length);
    if (!isUtf8(text))
      throw ImportError(files.data.string() + ": the article of index line " + std::to_string(entry.line) +
                        " is not UTF-8");
    ++report.entriesRead;
    collector.add(parseArticle(text), entry.headword);
  }
  return collector.records();
}

std::vector<WordRecord> reverseRecords(const std::vector<WordRecord>& forward) {
  std::vector<WordRecord> out;
  out.reserve(forward.size() * 2);
  for (const WordRecord& from : forward)
    forEachField(translationOf(from), ',', [&](std::string_view part) {
      const std::string_view word = reverseWord(wordOf(from), part);
      if (word.empty()) return;
      WordRecord record{};
      setField(record.word, sizeof record.word, word);
      setField(record.translation, sizeof record.translation, wordOf(from));
      out.push_back(record);
    });
  return out;
}

// The sort table of a language, when the folder has one: the word file is then in its order.
bool loadSortTable(std::string_view languageName, unsigned char table[256]) {
  std::FILE* file = openFile(std::string("tables\\").append(languageName) + ".stb", "rb");
  if (!file) return false;
  const bool whole = std::fread(table, 1, 256, file) == 256;
  std::fclose(file);
  return whole;
}

// Writes the records sorted in the language's collation, byte-equal words merged, to a new file.
bool writeSorted(const std::filesystem::path& file, const std::vector<WordRecord>& records,
                 std::string_view languageName, const std::string& locale) {
  setCollationLocale(locale);
  unsigned char table[256];
  const bool hasTable = loadSortTable(languageName, table);
  CollationKeys keys(records.size(), hasTable ? table : nullptr);
  for (const WordRecord& record : records) keys.add(wordOf(record));
  keys.allAdded();
  const std::vector<std::uint32_t> order = keys.sortRecords(records, nullptr);
  return replaceFileSafely(file, [&](std::FILE* out) { return writeMergedList(out, records, order); });
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

// "language\\" names a folder with its separator at the end.
std::string folderName(std::string_view folder) { return std::string(folder.substr(0, folder.size() - 1)); }

// True when the language section already holds the language.
bool hasLanguageLine(const Pair& pair) {
  std::FILE* file = openFile(inEdition(pair.edition->configFile, pair), "rt");
  if (!file) return false;
  const std::string header = inEdition(pair.edition->languageHeader, pair);
  bool inSection = false, found = false;
  char line[300];
  while (!found && readTextLine(file, line, sizeof line)) {
    removeLineEnd(line);
    const std::string_view text(line);
    if (text.empty() || text[0] == '#') inSection = false;
    else if (inSection && equalNoCase(configLineKey(text), pair.name)) found = true;
    if (equalNoCase(text, header)) inSection = true;
  }
  std::fclose(file);
  return found;
}

bool mayReplace(const ImportOptions& options, const Pair& pair) {
  if (options.yes) return true;
  if (!options.interactive) return false;
  std::fprintf(stderr, "%s is there already; replace it? [y/N] ", toUtf8(pair.name, pair.homeCodePage).c_str());
  std::string answer;
  std::getline(std::cin, answer);
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

std::string newConfigText(const Pair& pair, std::string_view selected) {
  const Edition& e = *pair.edition;
  return "# Language pairs (language, locale, character set) and the direction in use\n" +
         inEdition(e.languageHeader, pair) + "\n\n" + inEdition(e.selectedHeader, pair) + "\n" + std::string(selected) +
         "\n\n" + inEdition(e.addNewHeader, pair) + "\n" + inEdition(e.addNewValue, pair) + "\n";
}

// A new folder: language.ini, the configuration file and the edition's folders.
void makeNewFolder(const Pair& pair) {
  const Edition& e = *pair.edition;
  std::filesystem::create_directories(hostPath(folderName(inEdition(e.wordFolder, pair))));
  std::filesystem::create_directories(hostPath(folderName(inEdition(e.listFolder, pair))));
  if (!writeProfileString("Dictionary", "Language", e.iniValue, editionFile) ||
      !replaceFileSafely(hostPath(inEdition(e.configFile, pair)), [&](std::FILE* out) {
        const std::string text = newConfigText(pair, wordFileName(pair));
        return std::fwrite(text.data(), 1, text.size(), out) == text.size();
      }))
    throw ImportError("cannot write the new folder's files");
}

std::string languageLineOf(const Pair& pair) { return pair.name + "," + pair.locale + "," + std::to_string(pair.charset); }

// Both word files are written beside their places first, and take them only when both are whole.
void writeWordFiles(const Pair& pair, const std::vector<WordRecord>& forward, ImportReport& report) {
  const std::string folder = inEdition(pair.edition->wordFolder, pair);
  std::filesystem::create_directories(hostPath(folderName(folder)));
  report.forwardFile = folder + wordFileName(pair);
  report.reverseFile = folder + reverseFileName(pair);
  const std::filesystem::path forwardPath = hostPath(report.forwardFile), reversePath = hostPath(report.reverseFile);
  const std::filesystem::path forwardNew = forwardPath.string() + ".new", reverseNew = reversePath.string() + ".new";
  const std::vector<WordRecord> reverse = reverseRecords(forward);
  const std::string home = inEdition(pair.edition->homeName, pair);
  const bool ok = writeSorted(forwardNew, forward, pair.name, pair.locale) &&
                  writeSorted(reverseNew, reverse, home, std::string(pair.edition->locale));
  if (!ok || !renameOver(forwardNew, forwardPath) || !renameOver(reverseNew, reversePath)) {
    std::error_code ignored;
    std::filesystem::remove(forwardNew, ignored);
    std::filesystem::remove(reverseNew, ignored);
    throw ImportError("cannot write the word files in " + std::filesystem::current_path().string());
  }
  report.written = static_cast<std::int64_t>(forward.size());
  FILE* written = openFile(report.reverseFile, "rb");
  if (written) {
    std::fseek(written, 0, SEEK_END);
    report.reverseWritten = std::ftell(written) / static_cast<long>(sizeof(WordRecord));
    std::fclose(written);
  }
}

void writeImport(const ImportOptions& options, const DictionaryFiles& files, const Pair& pair, bool isNew,
                 ImportReport& report, const std::vector<WordRecord>& forward) {
  const Edition* edition = pair.edition;
  WorkingFolder working;
  std::filesystem::current_path(options.folder);
  const int previousCodePage = fileNameCodePage;
  fileNameCodePage = pair.homeCodePage;
  struct CodePageBack {
    int value;
    ~CodePageBack() { fileNameCodePage = value; }
  } codePageBack{previousCodePage};
  const std::string configFile = inEdition(edition->configFile, pair);
  if (!isNew && !fileExists(configFile))
    throw ImportError(options.folder.string() + " has no " + std::string(edition->configFile) + ": not a zembo folder");
  report.replacedLine = !isNew && hasLanguageLine(pair);
  if (report.replacedLine && !mayReplace(options, pair))
    throw ImportError(std::string(englishNameOf(files.source)) + " is in " + std::string(edition->configFile) +
                      " already; give --yes to replace it");
  if (isNew) makeNewFolder(pair);
  writeWordFiles(pair, forward, report);
  removeLanguageLinesFrom(configFile, pair.name);
  addLanguageLineTo(configFile, inEdition(edition->languageHeader, pair), languageLineOf(pair));
}

}  // namespace

const char* skipCauseText(SkipCause cause) {
  switch (cause) {
    case SkipCause::headwordTooLong: return "headword longer than 30 bytes";
    case SkipCause::headwordOutsideCodePage: return "headword outside the code page";
    case SkipCause::noTranslation: return "no translation in the article";
    case SkipCause::noTranslationFits: return "no translation fits";
  }
  return "";
}

std::string joinTranslations(const std::vector<std::string>& translations) {
  std::string joined;
  for (const std::string& translation : translations) {
    const std::size_t grown = joined.size() + (joined.empty() ? 0 : 2) + translation.size();
    if (translation.empty() || grown > translationFieldSize - 1) continue;
    if (!joined.empty()) joined += ", ";
    joined += translation;
  }
  return joined;
}

ImportReport importDictionary(const ImportOptions& options) {
  const DictionaryFiles files = findDictionaryFiles(options.dictionary);
  bool isNew = false;
  const Edition* edition = folderEdition(options, isNew);
  checkHomeLanguage(files, *edition);
  const Pair pair = choosePair(options, files, *edition);
  ImportReport report;
  const std::vector<WordRecord> forward = readDictionary(files, pair, report, options.progress);

  const bool folderExisted = std::filesystem::exists(options.folder);
  std::filesystem::create_directories(options.folder);
  try {
    writeImport(options, files, pair, isNew, report, forward);
  } catch (...) {
    // A folder that the import made goes again with what it held.
    std::error_code ignored;
    if (!folderExisted) std::filesystem::remove_all(options.folder, ignored);
    throw;
  }
  return report;
}

}  // namespace zembo
