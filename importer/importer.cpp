#include "importer/importer.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <iostream>
#include <unordered_map>
#include <utility>

#include "formats/configlines.h"
#include "formats/fields.h"
#include "formats/recordsort.h"
#include "formats/reverselist.h"
#include "formats/sorttable.h"
#include "formats/wordrecord.h"
#include "importer/editions.h"
#include "importer/entries.h"
#include "importer/folderchanges.h"
#include "importer/largetables.h"
#include "importer/stepclock.h"
#include "importer/wordnumbers.h"
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

// Works in the folder, with its file names in the edition's code page; the working folder and
// the code page come back however the work ends.
struct InFolder {
  std::filesystem::path previous = std::filesystem::current_path();
  int previousCodePage = hostPaths.fileNameCodePage;
  InFolder(const std::filesystem::path& folder, int codePage) {
    std::filesystem::current_path(folder);
    setFileNameCodePage(codePage);
  }
  ~InFolder() {
    setFileNameCodePage(previousCodePage);
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
  }
};

void tell(const ImportOptions& options, int percent, const std::string& step) {
  if (options.progress) options.progress(percent, step);
}

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

std::string englishNameOf(std::string_view code) {
  const DictionaryLanguage* language = findDictionaryLanguage(code);
  return language ? std::string(language->names[0]) : std::string(code);
}

// The edition of the folder: language.ini names it; a new folder takes --edition.
const FolderEdition* folderEdition(const ImportOptions& options, bool& isNew) {
  isNew = !std::filesystem::exists(std::filesystem::path(options.folder) / editionFile);
  if (isNew) {
    if (options.edition.empty())
      throw ImportError(ImportFailure::notAFolder, {options.folder.string()});
    if (const FolderEdition* edition = findEdition(options.edition)) return edition;
    throw ImportError(ImportFailure::unknownEdition, {options.edition});
  }
  const std::string value = readProfileStringIn(options.folder / editionFile, "Dictionary", "Language", "");
  const FolderEdition* edition = findEdition(value);
  if (!edition)
    throw ImportError(ImportFailure::namesNoEdition, {(options.folder / editionFile).string(), value});
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

// The order of the records by word in the language's collation; the records of one word keep
// their order, so a word's first record stays first. They lie next to each other, so only the
// first of them is sorted, and the others follow it.
std::vector<std::uint32_t> sortedOrder(const std::vector<WordRecord>& records, std::string_view languageName,
                                       const std::string& locale, StepClock& clock) {
  setCollationLocale(locale);
  unsigned char table[sortTableSize];
  // A table that is not whole is not used: the word file is then in the collation's order.
  const bool hasTable = readSortTable(languageName, table) == static_cast<long>(sortTableSize);
  CollationKeys keys(records.size(), hasTable ? table : nullptr);
  std::string_view previous;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string_view word = wordOf(records[i]);
    if (i == 0 || word != previous)
      keys.add(word);
    else
      keys.skip();
    previous = word;
    clock.poll();
  }
  keys.allAdded();
  const std::vector<std::uint32_t> firsts = keys.sortRecords(records, [&clock](std::int64_t) { clock.poll(); });
  std::vector<std::uint32_t> order;
  order.reserve(records.size());
  for (const std::uint32_t first : firsts) {
    order.push_back(first);
    const std::string_view word = wordOf(records[first]);
    for (std::uint32_t k = first + 1; k < records.size() && wordOf(records[k]) == word; ++k) order.push_back(k);
  }
  return order;
}

// Writes the records sorted; counts the records written.
void writeWordFile(FolderChanges& changes, const std::string& file, const std::vector<WordRecord>& records,
                   std::string_view languageName, const std::string& locale, std::int64_t& written,
                   StepClock& clock) {
  const std::vector<std::uint32_t> order = sortedOrder(records, languageName, locale, clock);
  try {
    changes.write(hostPath(file), [&](std::FILE* out) {
      RecordWriter writer(out, order.size());
      for (std::size_t i = 0; i < order.size(); ++i) {
        // The records are visited in sorted order, all over memory: fetched ahead.
        if (i + 16 < order.size()) __builtin_prefetch(&records[order[i + 16]]);
        if (!writer.add(records[order[i]]) || clock.stopAsked()) return false;
      }
      written = static_cast<std::int64_t>(order.size());
      return writer.finish();
    });
  } catch (const ImportError&) {
    clock.stopHere();  // a write that a stop cut short is no failure of the write
    throw;
  }
}

// The headwords of records whose headwords' records lie together.
std::int64_t headwordCount(const std::vector<WordRecord>& records) {
  std::int64_t count = 0;
  for (std::size_t i = 0; i < records.size(); ++i)
    if (i == 0 || wordOf(records[i]) != wordOf(records[i - 1])) ++count;
  return count;
}

// The reverse word file's records, made as the forward ones are: every translation of every
// forward record is a word whose translations are the headwords that give it, in as many records as
// they need. A headword that gives it early (its everyday sense) comes before one that gives it
// late, so "sein" begins with "be" rather than "his". The parts are grouped by word first, so that
// each word is sorted once however many headwords give it. Every headword has one run of records,
// so the first record of its run stands for it.
// A word file's translation field parts its translations at commas, so a comma inside one
// translation is the sign U+201A there; a word field holds the plain comma a user types. The sides
// swap here, and so do the two commas.
struct InnerCommas {
  char translations = 0;  // of the forward file's translations (the home language), 0 for none
  char headwords = 0;     // of its headwords
};

char innerCommaOf(int codePage) {
  std::string sign;
  return fromUtf8Exactly("\u201A", codePage, sign) ? sign[0] : 0;
}

// The text with one byte in place of another, kept where views into it stay valid.
std::string_view withReplaced(std::string_view text, char from, char to, std::deque<std::string>& kept) {
  if (from == 0 || to == 0 || text.find(from) == std::string_view::npos) return text;
  std::string& copy = kept.emplace_back(text);
  std::replace(copy.begin(), copy.end(), from, to);
  return copy;
}

std::vector<WordRecord> reverseRecords(const std::vector<WordRecord>& forward, InnerCommas commas, StepClock& clock) {
  struct Part {
    std::uint32_t word;  // in words
    std::uint64_t from;  // the translation's place among those of its headword, above the headword's run
  };
  std::vector<Part> parts;
  reserveLarge(parts, forward.size() * 4);
  WordNumbers numbers(forward.size());
  // The words are numbered a block of records at a time, their table entries fetched ahead: the
  // table is far larger than the caches, and most of the time would go to waiting for memory.
  struct Pending {
    std::string_view word;
    std::uint64_t hash, from;
  };
  std::vector<Pending> pending;
  const auto keepView = [](std::string_view word) { return word; };  // the forward records stay
  std::deque<std::string> plainCommaWords;
  const auto numberPending = [&] {
    for (std::size_t j = 0; j < pending.size(); ++j) {
      if (j + 16 < pending.size()) numbers.fetchView(pending[j + 16].hash);
      if (j + 8 < pending.size()) numbers.fetchWord(pending[j + 8].hash);
      parts.push_back({numbers.numberOf(pending[j].word, pending[j].hash, keepView), pending[j].from});
    }
    pending.clear();
  };
  std::uint32_t place = 0, run = 0;
  std::string_view previous;
  for (std::size_t i = 0; i < forward.size(); ++i) {
    const std::string_view fromWord = wordOf(forward[i]);
    if (fromWord != previous) place = 0, run = static_cast<std::uint32_t>(i);
    previous = fromWord;
    forEachReverseWord(forward[i], [&](std::string_view word) {
      word = withReplaced(word, commas.translations, ',', plainCommaWords);
      const std::uint64_t hash = WordNumbers::hashOf(word);
      numbers.fetchSlot(hash);
      pending.push_back({word, hash, std::uint64_t{place++} << 32 | run});
    });
    if (pending.size() >= 256) numberPending();
    clock.poll();
  }
  numberPending();
  // Grouped by word with one counting pass; within a word, by place and then by headword.
  const std::vector<std::string_view>& words = numbers.words();
  std::vector<std::uint32_t> starts(words.size() + 1, 0);
  for (const Part& part : parts) ++starts[part.word + 1];
  for (std::size_t w = 1; w <= words.size(); ++w) starts[w] += starts[w - 1];
  std::vector<std::uint64_t> grouped;
  reserveLarge(grouped, parts.size());
  grouped.resize(parts.size());
  {
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (const Part& part : parts) grouped[next[part.word]++] = part.from;
  }
  std::vector<Part>().swap(parts);
  std::vector<WordRecord> out;
  // A record holds one translation at least, and a headword always fits a translation field.
  reserveLarge(out, grouped.size());
  std::int64_t none = 0;
  // The last word (+ 1) that each headword's run gave: a word names each headword once.
  std::vector<std::uint32_t> lastWordOfRun(forward.size(), 0);
  for (std::uint32_t w = 0; w < words.size(); ++w) {
    std::sort(grouped.begin() + starts[w], grouped.begin() + starts[w + 1]);
    clock.poll();
  }
  std::vector<std::string_view> translations;
  std::deque<std::string> innerCommaHeadwords;
  for (std::uint32_t w = 0, at = 0; w < words.size(); ++w) {
    translations.clear();
    innerCommaHeadwords.clear();
    for (; at < starts[w + 1]; ++at) {
      if (at + 16 < grouped.size()) {  // the headwords lie all over memory: fetched ahead
        __builtin_prefetch(&forward[static_cast<std::uint32_t>(grouped[at + 16])]);
        __builtin_prefetch(&lastWordOfRun[static_cast<std::uint32_t>(grouped[at + 16])]);
      }
      const auto from = static_cast<std::uint32_t>(grouped[at]);
      if (std::exchange(lastWordOfRun[from], w + 1) != w + 1)
        translations.push_back(withReplaced(wordOf(forward[from]), ',', commas.headwords, innerCommaHeadwords));
    }
    appendWordRecords(words[w], translations, out, none);
    clock.poll();
  }
  return out;
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

bool mayReplace(const ImportOptions& options, const Pair& pair, std::int64_t userEntries) {
  if (options.yes) return true;
  if (!options.interactive) return false;
  std::fprintf(stderr, "%s is there already; replace its word files with the dictionary's", toUtf8(pair.name, pair.homeCodePage).c_str());
  if (userEntries > 0) std::fprintf(stderr, " (the %lld entries a user added are kept)", static_cast<long long>(userEntries));
  std::fprintf(stderr, "? [y/N] ");
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
  std::vector<std::string> lines;
  const ConfigRead read = readConfigLines(configFile, lines);
  const std::string where = (std::filesystem::current_path() / hostPath(configFile)).string();
  if (read == ConfigRead::cannotOpen) throw ImportError(ImportFailure::cannotOpen, {where});
  if (read == ConfigRead::cannotRead) throw ImportError(ImportFailure::cannotRead, {where});
  return lines;
}

ImportError alreadyThere(const DictionaryFiles& files, const FolderEdition& edition) {
  return ImportError(ImportFailure::alreadyThere, {englishNameOf(files.source), std::string(edition.configFile)});
}

bool holdsLanguage(const std::vector<std::string>& lines, const Pair& pair) {
  return withoutLanguageLines(lines, pair.name).size() != lines.size();
}

// The configuration file with the language's line in place of any line it had. Whether a line
// there may go was settled before the dictionary was read.
std::string configWithLanguage(const ImportOptions& options, const Pair& pair, ImportReport& report) {
  const FolderEdition& edition = *pair.edition;
  const std::string configFile = inEdition(edition.configFile, pair);
  if (!fileExists(configFile))
    throw ImportError(ImportFailure::noConfigFile, {options.folder.string(), std::string(edition.configFile)});
  const std::vector<std::string> lines = readConfigFile(configFile);
  report.replacedLine = holdsLanguage(lines, pair);
  return withLanguageLineReplaced(lines, pair.name, inEdition(edition.languageHeader, pair), languageLineOf(pair));
}

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The entries the add-words window logged for one direction of the language ("new\\" + its
// source and target names), live ones only.
std::vector<WordRecord> loggedEntries(const std::string& source, const std::string& target) {
  std::vector<WordRecord> out;
  std::FILE* file = openFile("new\\" + source + "_" + target + ".zb", "rb");
  if (!file) return out;
  WordRecord record;
  while (std::fread(&record, sizeof record, 1, file) == 1)
    if (record.flags == 0 && !wordOf(record).empty() && !translationOf(record).empty()) out.push_back(record);
  std::fclose(file);
  return out;
}

// The entries a user added to the language, as forward records: those of the forward direction as
// they are, and each translation part of a reverse one with its word, as the add-words window
// feeds the other direction.
std::vector<WordRecord> userEntries(const Pair& pair, std::int64_t& count) {
  const std::string home = inEdition(pair.edition->homeName, pair);
  std::vector<WordRecord> out = loggedEntries(pair.name, home);
  const std::vector<WordRecord> reverse = loggedEntries(home, pair.name);
  count = static_cast<std::int64_t>(out.size() + reverse.size());
  for (const WordRecord& entry : reverse)
    forEachField(translationOf(entry), ',', [&](std::string_view part) {
      const std::string_view word = trimBlanks(part);
      if (word.empty() || word.size() > wordFieldSize - 1) return;
      out.push_back(reverseRecord(word, wordOf(entry)));
    });
  return out;
}

// Adds the parts of a field that are not among the list yet.
void addParts(std::string_view field, std::vector<std::string>& list) {
  forEachField(field, ',', [&](std::string_view part) {
    std::string translation(trimBlanks(part));
    if (!translation.empty() && std::find(list.begin(), list.end(), translation) == list.end())
      list.push_back(std::move(translation));
  });
}

// The user's entries join the dictionary's: a word the dictionary has (ASCII case aside) gets the
// user's translations first, then its own, in as many records as they need; the others come first
// in the file's records, so that their reverse entries come first too.
void mergeUserEntries(std::vector<WordRecord>& forward, const std::vector<WordRecord>& users) {
  if (users.empty()) return;
  struct UserWord {
    std::string_view word;            // as the user first spelled it
    std::vector<std::string> parts;   // the user's translations
    bool placed = false;              // joined to the dictionary's word
  };
  std::unordered_map<std::string, UserWord> usersOf;  // by lower-case word
  std::vector<const std::string*> order;              // the keys in the order the user added them
  for (const WordRecord& user : users) {
    auto [it, added] = usersOf.try_emplace(asciiLowerCopy(wordOf(user)), UserWord{wordOf(user), {}, false});
    if (added) order.push_back(&it->first);
    addParts(translationOf(user), it->second.parts);
  }
  const auto append = [](std::string_view word, const std::vector<std::string>& list, std::vector<WordRecord>& out) {
    std::int64_t tooLong = 0;  // every part came from a field, so none is
    appendWordRecords(word, {list.begin(), list.end()}, out, tooLong);
  };
  std::vector<WordRecord> merged;
  merged.reserve(forward.size() + users.size());
  std::string key;
  for (std::size_t i = 0; i < forward.size();) {
    std::size_t end = i + 1;
    while (end < forward.size() && wordOf(forward[end]) == wordOf(forward[i])) ++end;
    key.assign(wordOf(forward[i]));
    for (char& c : key) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
    if (const auto user = usersOf.find(key); user != usersOf.end() && !std::exchange(user->second.placed, true)) {
      std::vector<std::string> list = user->second.parts;
      for (std::size_t k = i; k < end; ++k) addParts(translationOf(forward[k]), list);
      append(wordOf(forward[i]), list, merged);
    } else {
      merged.insert(merged.end(), forward.begin() + static_cast<std::ptrdiff_t>(i), forward.begin() + static_cast<std::ptrdiff_t>(end));
    }
    i = end;
  }
  // The words the dictionary lacks come first.
  std::vector<WordRecord> newWords;
  for (const std::string* k : order)
    if (const UserWord& user = usersOf.at(*k); !user.placed) append(user.word, user.parts, newWords);
  merged.insert(merged.begin(), newWords.begin(), newWords.end());
  forward = std::move(merged);
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

void writeImport(const ImportOptions& options, const Pair& pair, bool isNew, ImportReport& report,
                 std::vector<WordRecord> forward, StepClock& clock) {
  const FolderEdition& edition = *pair.edition;
  const InFolder inFolder(options.folder, pair.homeCodePage);

  const std::string wordFolder = inEdition(edition.wordFolder, pair);
  const std::string configFile = inEdition(edition.configFile, pair);
  removeImportLeftovers(hostPath(folderName(wordFolder)), {hostPath(configFile).string(), std::string(editionFile)});
  const std::vector<WordRecord> users = userEntries(pair, report.userEntriesKept);
  const std::string config = isNew ? newConfigText(pair) : configWithLanguage(options, pair, report);
  mergeUserEntries(forward, users);
  report.headwords = headwordCount(forward);
  FolderChanges changes;
  changes.makeFolder(hostPath(folderName(wordFolder)));
  if (isNew) changes.makeFolder(hostPath(folderName(inEdition(edition.listFolder, pair))));
  const std::string forwardFile = wordFolder + wordFileName(pair), reverseFile = wordFolder + reverseFileName(pair);
  report.forwardFile = (std::filesystem::current_path() / hostPath(forwardFile)).string();
  report.reverseFile = (std::filesystem::current_path() / hostPath(reverseFile)).string();
  tell(options, 72, "sorting and writing " + report.forwardFile);
  writeWordFile(changes, forwardFile, forward, pair.name, pair.locale, report.written, clock);
  clock.step("sorting and writing the forward word file");
  const std::vector<WordRecord> reverse =
      reverseRecords(forward, {innerCommaOf(pair.homeCodePage), innerCommaOf(pair.sourceCodePage)}, clock);
  clock.step("making the reverse records");
  tell(options, 86, "sorting and writing " + report.reverseFile);
  writeWordFile(changes, reverseFile, reverse, inEdition(edition.homeName, pair), std::string(edition.locale),
                report.reverseWritten, clock);
  clock.step("sorting and writing the reverse word file");
  tell(options, 98, "configuration");
  changes.writeText(hostPath(configFile), config);
  if (isNew) changes.writeText(std::string(editionFile), "[Dictionary]\nLanguage=" + std::string(edition.iniValue) + "\n");
  // The last moment a stop leaves the folder as it was.
  clock.stopHere();
  clock.stopNoMore();
  if (options.committing) options.committing();
  changes.commit();
  clock.step("configuration");
}

// The outermost folder of a path that does not exist yet; empty when the folder exists.
std::filesystem::path firstMissingFolder(const std::filesystem::path& folder) {
  std::filesystem::path missing;
  std::error_code error;
  for (std::filesystem::path at = std::filesystem::absolute(folder).lexically_normal();
       !at.empty() && !std::filesystem::exists(at, error); at = at.parent_path()) {
    missing = at;
    if (at == at.parent_path()) break;
  }
  return missing;
}

// What an import reads and where it goes, checked before anything is read or written.
struct Plan {
  DictionaryFiles files;
  bool isNew = false;
  Pair pair;
};

Plan planImport(const ImportOptions& options) {
  Plan plan;
  plan.files = findDictionaryFiles(options.dictionary);
  const FolderEdition* edition = folderEdition(options, plan.isNew);
  checkHomeLanguage(plan.files, *edition);
  plan.pair = choosePair(options, plan.files, *edition);
  return plan;
}

}  // namespace

const char* englishSummaryText(SummaryText text) {
  switch (text) {
    case SummaryText::imported: return "%1: %2 headwords, imported in %3 seconds";
    case SummaryText::recordsWritten: return "records written: %1 from %2 to %3, %4 from %3 to %2";
    case SummaryText::leftOut: return "left out:";
    case SummaryText::headwordTooLong: return "%1 headwords longer than 30 bytes (such as \"%2\")";
    case SummaryText::headwordOutsideCodePage: return "%1 headwords with characters the code page lacks (such as \"%2\")";
    case SummaryText::noTranslation: return "%1 headwords without a translation in their article (such as \"%2\")";
    case SummaryText::noTranslationFits: return "%1 headwords with no translation that fits a record (such as \"%2\")";
    case SummaryText::translationsOutsideCodePage: return "%1 translations with characters the code page lacks";
    case SummaryText::translationsTooLong: return "%1 translations longer than a whole field";
    case SummaryText::userEntriesKept: return "%1 entries a user added were kept";
  }
  return "";
}

std::vector<SummaryLine> importSummary(const ImportReport& report) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", report.seconds);
  std::vector<SummaryLine> lines = {
      {SummaryText::imported, {report.languageName, std::to_string(report.headwords), seconds}},
      {SummaryText::recordsWritten,
       {std::to_string(report.written), report.languageName, report.homeLanguageName,
        std::to_string(report.reverseWritten)}}};
  std::vector<SummaryLine> causes;
  constexpr SummaryText skipTexts[skipCauseCount] = {SummaryText::headwordTooLong, SummaryText::headwordOutsideCodePage,
                                                     SummaryText::noTranslation, SummaryText::noTranslationFits};
  for (int k = 0; k < skipCauseCount; ++k)
    if (report.skipped[k] > 0) causes.push_back({skipTexts[k], {std::to_string(report.skipped[k]), report.skipExample[k]}});
  if (report.translationsOutsideCodePage > 0)
    causes.push_back({SummaryText::translationsOutsideCodePage, {std::to_string(report.translationsOutsideCodePage)}});
  if (report.translationsTooLong > 0)
    causes.push_back({SummaryText::translationsTooLong, {std::to_string(report.translationsTooLong)}});
  if (!causes.empty()) {
    lines.push_back({SummaryText::leftOut, {}});
    lines.insert(lines.end(), causes.begin(), causes.end());
  }
  if (report.userEntriesKept > 0)
    lines.push_back({SummaryText::userEntriesKept, {std::to_string(report.userEntriesKept)}});
  return lines;
}

std::string summaryText(const std::vector<SummaryLine>& lines, const std::function<std::string(SummaryText)>& textOf) {
  std::string text;
  bool causes = false;
  for (const SummaryLine& line : lines) {
    if (line.text == SummaryText::userEntriesKept) causes = false;
    text += (causes ? "  " : "") + fillIn(textOf(line.text), line.args) + "\n";
    if (line.text == SummaryText::leftOut) causes = true;
  }
  return text;
}

ImportReport importDictionary(const ImportOptions& options) {
  const auto [files, isNew, pair] = planImport(options);
  // Whether a language that is there may go is settled before seconds of reading.
  const ImportTarget target = targetOf(options, pair, isNew);
  if (target.alreadyThere && !mayReplace(options, pair, target.userEntries)) throw alreadyThere(files, *pair.edition);
  ImportReport report;
  report.languageName = target.languageName;
  report.homeLanguageName = pair.edition->homeName;
  StepClock clock(report, options.stopRequested);
  tell(options, 0, "reading articles");
  std::vector<WordRecord> forward =
      readEntries(files.index, files.data, {pair.sourceCodePage, pair.homeCodePage}, options.progress, report, clock);

  const std::filesystem::path firstMade = firstMissingFolder(options.folder);
  std::error_code error;
  std::filesystem::create_directories(options.folder, error);
  if (error)
    throw ImportError(ImportFailure::cannotMakeFolder, {options.folder.string(), error.message()}, error.value());
  try {
    writeImport(options, pair, isNew, report, std::move(forward), clock);
  } catch (...) {
    // The folders that the import made go again with what they held.
    std::error_code ignored;
    if (!firstMade.empty()) std::filesystem::remove_all(firstMade, ignored);
    throw;
  }
  tell(options, 100, "done");
  for (const auto& step : report.steps) report.seconds += step.second;
  return report;
}

ImportTarget importTarget(const ImportOptions& options) {
  const Plan plan = planImport(options);
  return targetOf(options, plan.pair, plan.isNew);
}

}  // namespace zembo
