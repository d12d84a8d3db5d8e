#include "importer/importer.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <span>
#include <chrono>
#include <functional>
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
  const FolderEdition* edition = nullptr;
  std::string name;  // in the edition's code page
  std::string locale;
  int charset = 0;
  int sourceCodePage = 1252, homeCodePage = 1252;
};

// Restores the working folder however the import ends.
struct WorkingFolder {
  std::filesystem::path previous = std::filesystem::current_path();
  ~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
  }
};

// Calls f with each line of text whose lines each end with a line end.
template <typename F>
void forEachLine(std::string_view lines, F f) {
  for (std::size_t at = 0; at < lines.size();) {
    std::size_t end = lines.find('\n', at);
    if (end == std::string_view::npos) end = lines.size();
    f(lines.substr(at, end - at));
    at = end + 1;
  }
}

// Times the steps of the import into the report.
class StepClock {
 public:
  explicit StepClock(ImportReport& report) : report_(report) {}
  void step(const char* name) {
    const auto now = std::chrono::steady_clock::now();
    report_.steps.emplace_back(name, std::chrono::duration<double>(now - start_).count());
    start_ = now;
  }

 private:
  ImportReport& report_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
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

bool sameHomeLanguage(const FolderEdition& edition, std::string_view code) {
  return edition.languageCode == code || (edition.languageCode == "nob" && code == "nor");
}

std::string englishNameOf(std::string_view code) {
  const DictionaryLanguage* language = findDictionaryLanguage(code);
  return language ? std::string(language->names[0]) : std::string(code);
}

// The edition of the folder: language.ini names it; a new folder takes --edition.
const FolderEdition* folderEdition(const ImportOptions& options, bool& isNew) {
  isNew = !std::filesystem::exists(std::filesystem::path(options.folder) / editionFile);
  if (isNew) {
    if (options.edition.empty())
      throw ImportError(options.folder.string() +
                        " is not a zembo folder (it has no language.ini); give --edition to make a new one there");
    if (const FolderEdition* edition = findEdition(options.edition)) return edition;
    throw ImportError("unknown edition " + options.edition);
  }
  const std::string value =
      readProfileString("Dictionary", "Language", "", (options.folder / editionFile).string());
  const FolderEdition* edition = findEdition(value);
  if (!edition)
    throw ImportError((options.folder / editionFile).string() + ": names no edition (Language=" + value + ")");
  if (!options.edition.empty() && !equalNoCase(options.edition, edition->iniValue))
    throw ImportError(options.folder.string() + " is a folder of the " + std::string(edition->iniValue) +
                      " edition, not of " + options.edition);
  return edition;
}

void checkHomeLanguage(const DictionaryFiles& files, const FolderEdition& edition) {
  if (files.target.empty() || sameHomeLanguage(edition, files.target)) return;
  std::string message = files.index.filename().string() + " translates into " + englishNameOf(files.target) +
                        ", but the home language of the " + std::string(edition.iniValue) + " edition is " +
                        englishNameOf(edition.languageCode) + ": ";
  if (const FolderEdition* fitting = editionOfLanguage(files.target))
    message += "import it into a folder of the " + std::string(fitting->iniValue) + " edition (--edition " +
               std::string(fitting->iniValue) + ")";
  else
    message += "no edition has " + englishNameOf(files.target) + " as its own language";
  throw ImportError(message);
}

Pair choosePair(const ImportOptions& options, const DictionaryFiles& files, const FolderEdition& edition) {
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

// The articles read so far, by both threads; the first one shows them on a terminal.
struct Progress {
  bool shown = false;
  std::size_t total = 0;
  std::atomic<std::size_t> done{0};
  std::atomic<bool> failed{false};  // the other thread stops too

  void oneMore(bool showing) {
    const std::size_t now = done.fetch_add(1, std::memory_order_relaxed) + 1;
    if (showing && shown && now % 4096 == 0) show(now);
  }
  void show(std::size_t now) const {
    std::fprintf(stderr, "\rreading articles: %zu of %zu (%zu%%)", now, total, total ? now * 100 / total : 100);
  }
  void end() const {
    if (!shown) return;
    show(total);
    std::fputc('\n', stderr);
  }
};

bool isDatabaseEntry(std::string_view headword) {
  return headword.starts_with("00database") || headword.starts_with("00-database");
}

// Gathers the entries of the articles in the code pages of the word file, one entry per headword.
class EntryCollector {
 public:
  EntryCollector(const Pair& pair, ImportReport& report, std::size_t articles) : pair_(pair), report_(report) {
    // Never more entries than articles: entries_ never moves, so positions_ may view its words.
    entries_.reserve(articles);
    positions_.reserve(articles);
  }

  void add(const ParsedArticle& article, std::string_view indexHeadword) {
    const std::string_view headword = article.headword.empty() ? indexHeadword : article.headword;
    if (!fromUtf8Exactly(headword, pair_.sourceCodePage, word_)) return skip(SkipCause::headwordOutsideCodePage, headword);
    if (word_.size() > wordFieldSize - 1) return skip(SkipCause::headwordTooLong, headword);
    if (article.translations.empty()) return skip(SkipCause::noTranslation, headword);
    auto at = positions_.find(word_);
    if (at == positions_.end()) {
      entries_.push_back({word_, {}});
      at = positions_.emplace(entries_.back().word, entries_.size() - 1).first;
    } else {
      ++report_.merged;
    }
    std::string& translations = entries_[at->second].translations;
    for (const std::string_view translation : article.translations) {
      if (!fromUtf8Exactly(translation, pair_.homeCodePage, converted_) ||
          converted_.size() > translationFieldSize - 1) {
        ++report_.translationsDropped;
        continue;
      }
      if (!hasLine(translations, converted_)) translations.append(converted_) += '\n';
    }
  }

  // The entries of a later part of the dictionary join these.
  void absorb(const EntryCollector& later) {
    for (const Entry& entry : later.entries_) {
      const auto at = positions_.find(entry.word);
      if (at == positions_.end()) {
        entries_.push_back(entry);
        positions_.emplace(entries_.back().word, entries_.size() - 1);
        continue;
      }
      ++report_.merged;
      std::string& translations = entries_[at->second].translations;
      forEachLine(entry.translations, [&](std::string_view translation) {
        if (!hasLine(translations, translation)) translations.append(translation) += '\n';
      });
    }
  }

  // The records of the forward word file, in the order the headwords came.
  std::vector<WordRecord> records() {
    std::vector<WordRecord> out;
    out.reserve(entries_.size());
    for (const Entry& entry : entries_) {
      const std::string joined = joinTranslations(entry.translations);
      if (joined.empty()) {
        skip(SkipCause::noTranslationFits, toUtf8(entry.word, pair_.sourceCodePage));
        continue;
      }
      WordRecord record{};
      setField(record.word, sizeof record.word, entry.word);
      setField(record.translation, sizeof record.translation, joined);
      out.push_back(record);
    }
    return out;
  }

 private:
  struct Entry {
    std::string word;          // in the code page of the language
    std::string translations;  // in the home language's code page, each ended by a line end
  };

  static bool hasLine(std::string_view lines, std::string_view line) {
    bool found = false;
    forEachLine(lines, [&](std::string_view each) { found = found || each == line; });
    return found;
  }

  void skip(SkipCause cause, std::string_view headword) {
    const int k = static_cast<int>(cause);
    if (report_.skipped[k]++ == 0) report_.skipExample[k] = headword;
  }

  const Pair& pair_;
  ImportReport& report_;
  std::vector<Entry> entries_;
  std::unordered_map<std::string_view, std::size_t> positions_;  // of each word in entries_
  std::string word_, converted_;                                 // reused for every article
};

using OffsetOrder = std::vector<std::pair<std::uint64_t, std::uint32_t>>;  // offset, index line

// Reads the articles of one part of the dictionary into a collector.
void readArticles(const DictionaryFiles& files, const DictData& data, const std::vector<IndexEntry>& index,
                  std::span<const OffsetOrder::value_type> part, EntryCollector& collector, ImportReport& tally,
                  Progress& progress, bool showing) {
  ArticleReader reader(data);
  ParsedArticle article;
  for (std::size_t i = 0; i < part.size() && !progress.failed; ++i) {
    progress.oneMore(showing);
    const IndexEntry& entry = index[part[i].second];
    // An article indexed under several keys counts once.
    if (isDatabaseEntry(entry.headword) || (i > 0 && part[i - 1].first == entry.offset)) continue;
    const std::string_view text = reader.article(entry.offset, entry.length);
    if (!isUtf8(text))
      throw ImportError(files.data.string() + ": the article of index line " + std::to_string(entry.line) +
                        " is not UTF-8");
    ++tally.entriesRead;
    parseArticle(text, article);
    collector.add(article, entry.headword);
  }
}

// The counts of a part added to those of the whole; an example of the whole comes first.
void addTally(ImportReport& into, const ImportReport& part) {
  into.entriesRead += part.entriesRead;
  into.merged += part.merged;
  into.translationsDropped += part.translationsDropped;
  for (int k = 0; k < skipCauseCount; ++k) {
    if (into.skipped[k] == 0) into.skipExample[k] = part.skipExample[k];
    into.skipped[k] += part.skipped[k];
  }
}

// The articles are read in the order of the data, so that each compressed chunk is inflated once,
// in two halves on two threads; the second half's entries then join the first's.
std::vector<WordRecord> readDictionary(const DictionaryFiles& files, const Pair& pair, ImportReport& report,
                                       bool progress, StepClock& clock) {
  const std::vector<IndexEntry> index = readIndex(files.index);
  clock.step("reading the index");
  OffsetOrder byOffset;
  byOffset.reserve(index.size());
  for (std::size_t i = 0; i < index.size(); ++i) byOffset.emplace_back(index[i].offset, static_cast<std::uint32_t>(i));
  std::sort(byOffset.begin(), byOffset.end());
  const DictData data(files.data);
  clock.step("reading the dictionary file");

  // The halves meet between two articles, never inside the index lines of one.
  std::size_t middle = byOffset.size() / 2;
  while (middle > 0 && middle < byOffset.size() && byOffset[middle].first == byOffset[middle - 1].first) ++middle;
  const std::span<const OffsetOrder::value_type> all(byOffset);
  Progress shared;
  shared.shown = progress;
  shared.total = byOffset.size();
  ImportReport secondTally;
  EntryCollector first(pair, report, byOffset.size()), second(pair, secondTally, byOffset.size() - middle);
  auto secondHalf = std::async(std::launch::async, [&] {
    try {
      readArticles(files, data, index, all.subspan(middle), second, secondTally, shared, false);
    } catch (...) {
      shared.failed = true;
      throw;
    }
  });
  try {
    readArticles(files, data, index, all.first(middle), first, report, shared, true);
  } catch (...) {
    shared.failed = true;
    throw;  // the second half's future waits for it to stop
  }
  secondHalf.get();
  shared.end();
  clock.step("reading the articles, in two halves at once");
  addTally(report, secondTally);
  first.absorb(second);
  clock.step("merging the second half's headwords into the first's");
  std::vector<WordRecord> records = first.records();
  clock.step("joining the translations");
  return records;
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

// What the import makes in the folder: every file is written beside its place first ("name.new")
// and takes its place only when all of them are whole. Until then a failure removes what was
// made, newest first, so the folder is as it was.
class FolderChanges {
 public:
  ~FolderChanges() {
    if (committed_) return;
    std::error_code ignored;
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) std::filesystem::remove(*it, ignored);
  }

  void makeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::create_directory(folder, error)) made_.push_back(folder);
    else if (!std::filesystem::is_directory(folder)) throw ImportError("cannot make the folder " + folder.string());
  }

  // Writes a file's new version beside it.
  void write(const std::filesystem::path& file, const std::function<bool(std::FILE*)>& writer) {
    const std::filesystem::path next = file.string() + ".new";
    if (!std::filesystem::exists(next)) made_.push_back(next);
    if (!replaceFileSafely(next, writer))
      throw ImportError("cannot write " + (std::filesystem::current_path() / next).string() + " (is the disk full?)");
    if (!std::filesystem::exists(file)) made_.push_back(file);
    written_.push_back(file);
  }

  void writeText(const std::filesystem::path& file, const std::string& text) {
    write(file, [&](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
  }

  // Every new version takes its place, with the old file's permissions.
  void commit() {
    for (const std::filesystem::path& file : written_) {
      const std::filesystem::path next = file.string() + ".new";
      std::error_code ignored;
      if (std::filesystem::exists(file))
        std::filesystem::permissions(next, std::filesystem::status(file).permissions(), ignored);
      if (!renameOver(next, file)) throw ImportError("cannot rename " + next.string() + " to " + file.string());
    }
    committed_ = true;
  }

 private:
  std::vector<std::filesystem::path> made_, written_;
  bool committed_ = false;
};

// Writes the records sorted in the language's collation, byte-equal words merged; counts the
// records written.
void writeWordFile(FolderChanges& changes, const std::string& file, const std::vector<WordRecord>& records,
                   std::string_view languageName, const std::string& locale, std::int64_t& written) {
  setCollationLocale(locale);
  unsigned char table[256];
  const bool hasTable = loadSortTable(languageName, table);
  CollationKeys keys(records.size(), hasTable ? table : nullptr);
  for (const WordRecord& record : records) keys.add(wordOf(record));
  keys.allAdded();
  const std::vector<std::uint32_t> order = keys.sortRecords(records, nullptr);
  changes.write(hostPath(file), [&](std::FILE* out) {
    if (!writeMergedList(out, records, order)) return false;
    written = std::ftell(out) / static_cast<long>(sizeof(WordRecord));
    return true;
  });
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

bool mayReplace(const ImportOptions& options, const Pair& pair) {
  if (options.yes) return true;
  if (!options.interactive) return false;
  std::fprintf(stderr, "%s is there already; replace it? [y/N] ", toUtf8(pair.name, pair.homeCodePage).c_str());
  std::string answer;
  std::getline(std::cin, answer);
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

std::string languageLineOf(const Pair& pair) { return pair.name + "," + pair.locale + "," + std::to_string(pair.charset); }

std::string newConfigText(const Pair& pair) {
  const FolderEdition& e = *pair.edition;
  return "# Language pairs (language, locale, character set) and the direction in use\n" +
         inEdition(e.languageHeader, pair) + "\n" + languageLineOf(pair) + "\n\n" + inEdition(e.selectedHeader, pair) +
         "\n" + wordFileName(pair) + "\n\n" + inEdition(e.addNewHeader, pair) + "\n" + inEdition(e.addNewValue, pair) +
         "\n";
}

// The configuration file's lines, read whole.
std::vector<std::string> readConfigFile(const std::string& configFile) {
  std::FILE* file = openFile(configFile, "rt");
  if (!file) throw ImportError((std::filesystem::current_path() / hostPath(configFile)).string() + ": cannot be opened");
  const std::vector<std::string> lines = readConfigLines(file);
  const bool whole = !std::ferror(file);
  std::fclose(file);
  if (!whole) throw ImportError((std::filesystem::current_path() / hostPath(configFile)).string() + ": cannot be read");
  return lines;
}

// The configuration file with the language's line in place of any line it had.
std::string configWithLanguage(const ImportOptions& options, const DictionaryFiles& files, const Pair& pair,
                               ImportReport& report) {
  const FolderEdition& edition = *pair.edition;
  const std::string configFile = inEdition(edition.configFile, pair);
  if (!fileExists(configFile))
    throw ImportError(options.folder.string() + " has no " + std::string(edition.configFile) + ": not a zembo folder");
  const std::vector<std::string> lines = readConfigFile(configFile);
  const std::vector<std::string> kept = withoutLanguageLines(lines, pair.name);
  report.replacedLine = kept.size() != lines.size();
  if (report.replacedLine && !mayReplace(options, pair))
    throw ImportError(englishNameOf(files.source) + " is in " + std::string(edition.configFile) +
                      " already; give --yes to replace it");
  return withLanguageLine(kept, inEdition(edition.languageHeader, pair), languageLineOf(pair));
}

void writeImport(const ImportOptions& options, const DictionaryFiles& files, const Pair& pair, bool isNew,
                 ImportReport& report, const std::vector<WordRecord>& forward, StepClock& clock) {
  const FolderEdition& edition = *pair.edition;
  WorkingFolder working;
  std::filesystem::current_path(options.folder);
  const int previousCodePage = fileNameCodePage;
  fileNameCodePage = pair.homeCodePage;
  struct CodePageBack {
    int value;
    ~CodePageBack() { fileNameCodePage = value; }
  } codePageBack{previousCodePage};

  const std::string config = isNew ? newConfigText(pair) : configWithLanguage(options, files, pair, report);
  FolderChanges changes;
  const std::string wordFolder = inEdition(edition.wordFolder, pair);
  changes.makeFolder(hostPath(folderName(wordFolder)));
  if (isNew) changes.makeFolder(hostPath(folderName(inEdition(edition.listFolder, pair))));
  const std::string forwardFile = wordFolder + wordFileName(pair), reverseFile = wordFolder + reverseFileName(pair);
  report.forwardFile = (std::filesystem::current_path() / hostPath(forwardFile)).string();
  report.reverseFile = (std::filesystem::current_path() / hostPath(reverseFile)).string();
  if (options.progress)
    std::fprintf(stderr, "sorting and writing %s and %s\n", report.forwardFile.c_str(), report.reverseFile.c_str());
  writeWordFile(changes, forwardFile, forward, pair.name, pair.locale, report.written);
  clock.step("sorting and writing the forward word file");
  const std::vector<WordRecord> reverse = reverseRecords(forward);
  clock.step("making the reverse records");
  writeWordFile(changes, reverseFile, reverse, inEdition(edition.homeName, pair), std::string(edition.locale),
                report.reverseWritten);
  clock.step("sorting and writing the reverse word file");
  changes.writeText(hostPath(inEdition(edition.configFile, pair)), config);
  if (isNew) changes.writeText(std::string(editionFile), "[Dictionary]\nLanguage=" + std::string(edition.iniValue) + "\n");
  changes.commit();
  clock.step("configuration");
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

std::string joinTranslations(std::string_view lines) {
  std::string joined;
  forEachLine(lines, [&](std::string_view translation) {
    const std::size_t grown = joined.size() + (joined.empty() ? 0 : 2) + translation.size();
    if (translation.empty() || grown > translationFieldSize - 1) return;
    if (!joined.empty()) joined += ", ";
    joined += translation;
  });
  return joined;
}

ImportReport importDictionary(const ImportOptions& options) {
  const DictionaryFiles files = findDictionaryFiles(options.dictionary);
  bool isNew = false;
  const FolderEdition* edition = folderEdition(options, isNew);
  checkHomeLanguage(files, *edition);
  const Pair pair = choosePair(options, files, *edition);
  ImportReport report;
  StepClock clock(report);
  const std::vector<WordRecord> forward = readDictionary(files, pair, report, options.progress, clock);

  const bool folderExisted = std::filesystem::exists(options.folder);
  std::filesystem::create_directories(options.folder);
  try {
    writeImport(options, files, pair, isNew, report, forward, clock);
  } catch (...) {
    // A folder that the import made goes again with what it held.
    std::error_code ignored;
    if (!folderExisted) std::filesystem::remove_all(options.folder, ignored);
    throw;
  }
  return report;
}

}  // namespace zembo
